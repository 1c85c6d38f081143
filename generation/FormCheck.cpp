#include "generation/FormCheck.h"

#include "generation/ParameterFile.h"

#include <QRegularExpression>

namespace {
const QRegularExpression& patternOf(FormField::Id field)
{
    static const auto compiled = [] {
        std::array<QRegularExpression, FormField::count> expressions;
        for (const FormField::Description& description : FormField::fields) {
            if (description.pattern)
                expressions[description.id] =
                    QRegularExpression(QRegularExpression::anchoredPattern(QString::fromLatin1(description.pattern)));
        }
        return expressions;
    }();
    return compiled[field];
}

// The first character that the module cannot read back: the record separator ';', a control character (the module
// would take a line break or a NUL as part of the value), or a character that has no single Latin-1 byte (the
// encoder would write '?' in its place). Null when the text is fine.
QString unreadableCharacter(const QString& text)
{
    const QVector<uint> codePoints = text.toUcs4();
    for (const uint codePoint : codePoints) {
        if (codePoint == uint(ParameterFile::separator) || codePoint < 0x20 || codePoint == 0x7F || codePoint > 0xFF)
            return QString::fromUcs4(&codePoint, 1);
    }
    return QString();
}
} // namespace

bool isCompleteText(FormField::Id field, const QString& text)
{
    if (!FormField::describe(field).pattern)
        return true;
    return patternOf(field).match(text).hasMatch();
}

std::optional<FormProblem> checkForm(const FormValues& values)
{
    using FormField::Id;
    if (ModeCode::checksForm(values.modeCode)) {
        const QString& pin = values.text(FormField::PinCode);
        if (!pin.isEmpty() && !isCompleteText(FormField::PinCode, pin))
            return FormProblem{FormProblem::Kind::PinCode, FormField::PinCode, {}};
        if (values.modeCode == ModeCode::Sms && !values.resetConfig &&
            !isCompleteText(FormField::UserKey, values.text(FormField::UserKey)))
            return FormProblem{FormProblem::Kind::UserKey, FormField::UserKey, {}};
    }
    // An unfinished number is accepted while typing; the module would dial it as it stands.
    for (const Id field : {FormField::SimCardPhoneNumber, FormField::OwnerPhoneNumber}) {
        const QString& number = values.text(field);
        if (values.shows(field) && !number.isEmpty() && !isCompleteText(field, number))
            return FormProblem{FormProblem::Kind::PhoneNumber, field, {}};
    }
    for (const FormField::Description& description : FormField::fields) {
        if (!values.shows(description.id))
            continue;
        const QString character = unreadableCharacter(values.text(description.id));
        if (!character.isEmpty())
            return FormProblem{FormProblem::Kind::UnreadableCharacter, description.id, character};
    }
    return std::nullopt;
}
