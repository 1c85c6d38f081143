#pragma once

#include "form/FormFields.h"
#include "form/ModeCodes.h"

#include <QString>

#include <array>
#include <optional>

// What the form holds, without the widgets: read from the window, restored from and saved to the settings store,
// checked and written onto the card.
struct FormValues
{
    quint8 modeCode = ModeCode::Default;
    std::array<QString, FormField::count> texts; // indexed by FormField::Id
    bool resetConfig = false;
    int driveIndex = 0;            // the drive box's position; -1 when no drive is chosen
    bool ejectCardWhenDone = true; // let the card go once its file is written (the window's preference)

    const QString& text(FormField::Id field) const { return texts[field]; }
    QString& text(FormField::Id field) { return texts[field]; }
    bool shows(FormField::Id field) const { return ModeCode::showsField(modeCode, field); }
    bool showsReset() const { return ModeCode::showsReset(modeCode); }
    // The first of fields, in the form's order, that the mode shows: the one a card would take.
    std::optional<FormField::Id> firstShown(FormField::Set fields) const
    {
        for (const FormField::Description& field : FormField::fields) {
            if ((fields & FormField::bit(field.id)) && shows(field.id))
                return field.id;
        }
        return std::nullopt;
    }
};
