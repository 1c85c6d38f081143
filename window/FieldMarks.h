#pragma once

#include "form/FormFields.h"
#include "form/FormValues.h"

#include <QObject>

#include <array>
#include <functional>

class QAction;
class QLineEdit;

// A mark on each field that "Generate" would refuse: an icon and a frame, with the reason in the tooltip and in what a
// screen reader says of the field. A field is looked at once the user left it, once it holds a value restored or
// loaded, and every field once "Generate" refused the form.
class FieldMarks : public QObject
{
    Q_OBJECT

public:
    using Edits = std::array<QLineEdit*, FormField::count>;
    // form: what the form holds now. The fields that hold a value already are looked at at once.
    FieldMarks(const Edits& edits, std::function<FormValues()> form);

    // Looks at these fields from now on (they were loaded), and marks anew.
    void lookAt(FormField::Set fields);
    // Looks at every field from now on ("Generate" refused the form), and marks anew.
    void lookAtEvery();
    // Marks anew after a change of the form that the fields do not see (the mode, the reset option).
    void show();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Edits edits;
    std::function<FormValues()> form;
    FormField::Set looked = 0;
    std::array<QAction*, FormField::count> marks{};
};
