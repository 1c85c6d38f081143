#pragma once

#include "form/FormFields.h"
#include "form/FormValues.h"

#include <QString>

#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QLineEdit;

// The form as one set of values: read from the controls, put into them, and remembered between runs in the
// application's default settings store (settings/FormStore.h), under the store's keys.
class RememberedForm
{
public:
    struct Controls
    {
        QComboBox* driveList = nullptr;
        QComboBox* modeList = nullptr; // each entry's mode code as its item data
        std::array<QLineEdit*, FormField::count> fields{};
        QCheckBox* reset = nullptr;
        QCheckBox* ejectCard = nullptr;
    };
    // resetApplied runs, with the reset option's state, once values were put into the form: the controls that the
    // option greys out follow it.
    RememberedForm(const Controls& controls, std::function<void(bool checked)> resetApplied);

    quint8 modeCode() const;
    // Chooses the mode in the mode list (none chosen for a code the list does not hold).
    void chooseMode(quint8 code);
    FormValues values() const;
    // Each text as it is: a value longer than its field takes is cut, as typing it would have been; no validator puts
    // a phone number into another spacing (a loaded number stays as its file holds it).
    void apply(const FormValues& values);
    // Same digits, other spacing: the field, the remembered form and the card get the accepted text.
    void putPhoneNumbersInAcceptedForm();

    // Remembers the form, its phone numbers in their accepted form.
    void save();
    // Puts the remembered form in (the defaults where the store cannot be read); returns what it held that the window
    // could not restore, to be told where a load is, or nothing.
    QString restore();

private:
    Controls controls;
    std::function<void(bool checked)> resetApplied;
};
