#pragma once

#include "form/FormFields.h"

#include <QtGlobal>
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
    FieldValidator(FormField::Id field, QObject* parent);

    State validate(QString& input, int& position) const override;
    void fixup(QString& input) const override;

private:
    FormField::Id field;
};
