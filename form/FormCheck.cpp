#include "form/FormCheck.h"

#include "base/ShownText.h"
#include "form/PhoneNumber.h"

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

// The first character that the module cannot read back: the record separator ';', a control character of either
// range, C0 or C1 (the module would take a line break or a NUL as part of the value), or a character that has no
// single Latin-1 byte (the encoder would write '?' in its place). Null when the text is fine.
QString unreadableCharacter(const QString& text)
{
    const QVector<uint> codePoints = text.toUcs4();
    for (const uint codePoint : codePoints) {
        if (codePoint == uint(FormField::recordSeparator) || ShownText::isControl(codePoint) || codePoint > 0xFF)
            return QString::fromUcs4(&codePoint, 1);
    }
    return QString();
}

// What the field's own rule refuses: the PIN's and the user key's patterns where the mode checks them, an unfinished
// phone number.
std::optional<FormProblem> patternProblem(const FormValues& values, FormField::Id field)
{
    if (!values.shows(field))
        return std::nullopt;
    const QString& text = values.text(field);
    switch (field) {
    case FormField::PinCode:
        if (ModeCode::checksForm(values.modeCode) && !text.isEmpty() && !isCompleteText(field, text))
            return FormProblem{FormProblem::Kind::PinCode, field, {}};
        break;
    case FormField::UserKey:
        if (values.modeCode == ModeCode::Sms && !values.resetConfig && !isCompleteText(field, text))
            return FormProblem{FormProblem::Kind::UserKey, field, {}};
        break;
    case FormField::SimCardPhoneNumber:
    case FormField::OwnerPhoneNumber:
        // An unfinished number is accepted while typing; the module would dial it as it stands.
        if (!text.isEmpty() && !isCompleteText(field, text))
            return FormProblem{FormProblem::Kind::PhoneNumber, field, {}, 0, PhoneNumber::isLocalNumber(text)};
        break;
    default:
        break;
    }
    return std::nullopt;
}

} // namespace

std::optional<FormProblem> checkText(const FormValues& values, FormField::Id field)
{
    if (!values.shows(field))
        return std::nullopt;
    const QString& text = values.text(field);
    if (isTooLong(field, text))
        return FormProblem{FormProblem::Kind::TooLong, field, {}, int(text.size())};
    const QString character = unreadableCharacter(text);
    if (!character.isEmpty())
        return FormProblem{FormProblem::Kind::UnreadableCharacter, field, character};
    return std::nullopt;
}

bool isCompleteText(FormField::Id field, const QString& text)
{
    if (!FormField::describe(field).pattern)
        return true;
    return patternOf(field).match(text).hasMatch();
}

bool isTooLong(FormField::Id field, const QString& text)
{
    return text.size() > FormField::describe(field).maxLength;
}

std::optional<FormProblem> checkForm(const FormValues& values)
{
    // The PIN, then the user key, as "Generate" has always told them; then the phone numbers.
    for (const FormField::Id field :
         {FormField::PinCode, FormField::UserKey, FormField::SimCardPhoneNumber, FormField::OwnerPhoneNumber}) {
        if (std::optional<FormProblem> problem = patternProblem(values, field))
            return problem;
    }
    for (const FormField::Description& description : FormField::fields) {
        if (std::optional<FormProblem> problem = checkText(values, description.id))
            return problem;
    }
    return std::nullopt;
}

std::optional<FormProblem> checkField(const FormValues& values, FormField::Id field)
{
    if (std::optional<FormProblem> problem = patternProblem(values, field))
        return problem;
    return checkText(values, field);
}
