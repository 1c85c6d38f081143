#pragma once

#include "form/FormFields.h"

#include <QtGlobal>

#include <array>

class QLineEdit;
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
#include <QRegularExpressionValidator>
using PatternValidator = QRegularExpressionValidator;
#else
#include <QRegExpValidator>
using PatternValidator = QRegExpValidator;
#endif

// The validator of a field with a pattern: the whole text must match it, and a prefix of a match is taken while
// typing. A phone number may also be typed or pasted with other spacing: once its digits make an accepted form (and
// no further digit could make another one), it is put into that form; at the end of the editing it is put into the
// form its digits make. Its digits are never changed.
class FieldValidator : public PatternValidator
{
    Q_OBJECT

public:
    using Edits = std::array<QLineEdit*, FormField::count>;
    FieldValidator(FormField::Id field, QObject* parent);

    // Each field takes the length of the form's table. The phone validators bound the length themselves: a maximum
    // length on those fields would cut a pasted number short without a word.
    static void limitLengths(const Edits& edits);
    // Gives each field with a pattern its validator (owned by parent); a keystroke or a paste that the field refuses
    // is refused in sight, with what the field takes.
    static void installOn(const Edits& edits, QObject* parent);

    State validate(QString& input, int& position) const override;
    void fixup(QString& input) const override;

private:
    FormField::Id field;
};
