#include "form/PhoneNumber.h"

#include "form/FormCheck.h"

namespace {
// An accepted form by its digits: a prefix, then a number of digits, written compact or in the spaced groups
// 2, 2, 3, 2, 2. These are the forms that the fields' patterns accept, and a test holds the two together.
struct Form
{
    const char* prefix;
    int digits;
    bool spaced;
};
constexpr Form plusFourteen{"+", 14, false};
constexpr Form plusSpaced{"+", 11, true};
constexpr Form zeroZeroSpaced{"00", 11, true};
constexpr Form bareFourteen{"", 14, false};
constexpr Form simForms[] = {plusFourteen, plusSpaced, zeroZeroSpaced};
constexpr Form ownerForms[] = {plusFourteen, plusSpaced, zeroZeroSpaced, bareFourteen};
constexpr int groups[] = {2, 2, 3, 2, 2};

template <typename Visit> void forEachForm(FormField::Id field, Visit visit)
{
    if (field == FormField::SimCardPhoneNumber) {
        for (const Form& form : simForms)
            visit(form);
    } else if (field == FormField::OwnerPhoneNumber) {
        for (const Form& form : ownerForms)
            visit(form);
    }
}

bool allDigits(QStringView text)
{
    for (const QChar character : text) {
        if (character < QLatin1Char('0') || character > QLatin1Char('9'))
            return false;
    }
    return true;
}

// The text without its spaces; nothing when a space opens it.
std::optional<QString> compact(const QString& text)
{
    if (text.startsWith(QLatin1Char(' ')))
        return std::nullopt;
    QString digits = text;
    digits.remove(QLatin1Char(' '));
    return digits;
}

// How far compactText goes along form: -1 when it leaves it, else the number of the form's digits it has.
int progress(const Form& form, const QString& compactText)
{
    const QLatin1String prefix(form.prefix);
    if (compactText.size() <= prefix.size())
        return prefix.startsWith(compactText) ? 0 : -1;
    if (!compactText.startsWith(prefix))
        return -1;
    const QStringView digits = QStringView(compactText).mid(prefix.size());
    if (digits.size() > form.digits || !allDigits(digits))
        return -1;
    return int(digits.size());
}

QString written(const Form& form, const QString& compactText)
{
    if (!form.spaced)
        return compactText;
    const int prefixLength = int(qstrlen(form.prefix));
    QString text = compactText.left(prefixLength);
    int at = prefixLength;
    for (const int group : groups) {
        if (at > prefixLength)
            text += QLatin1Char(' ');
        text.append(QStringView(compactText).mid(at, group));
        at += group;
    }
    return text;
}
} // namespace

bool PhoneNumber::isPhoneField(FormField::Id field)
{
    return field == FormField::SimCardPhoneNumber || field == FormField::OwnerPhoneNumber;
}

std::optional<QString> PhoneNumber::accepted(FormField::Id field, const QString& text)
{
    if (isCompleteText(field, text))
        return text;
    const std::optional<QString> digits = compact(text);
    std::optional<QString> result;
    if (!digits)
        return result;
    forEachForm(field, [&](const Form& form) {
        if (!result && progress(form, *digits) == form.digits)
            result = written(form, *digits);
    });
    return result;
}

bool PhoneNumber::canBecomeAccepted(FormField::Id field, const QString& text)
{
    const std::optional<QString> digits = compact(text);
    bool possible = false;
    if (digits)
        forEachForm(field, [&](const Form& form) { possible = possible || progress(form, *digits) >= 0; });
    return possible;
}

bool PhoneNumber::canGrow(FormField::Id field, const QString& text)
{
    const std::optional<QString> digits = compact(text);
    bool growing = false;
    if (digits) {
        forEachForm(field, [&](const Form& form) {
            const int done = progress(form, *digits);
            growing = growing || (done >= 0 && done < form.digits);
        });
    }
    return growing;
}

FormValues PhoneNumber::inAcceptedForm(FormValues values)
{
    for (const FormField::Id field : {FormField::SimCardPhoneNumber, FormField::OwnerPhoneNumber}) {
        if (const std::optional<QString> text = accepted(field, values.text(field)))
            values.text(field) = *text;
    }
    return values;
}

bool PhoneNumber::isLocalNumber(const QString& text)
{
    const std::optional<QString> digits = compact(text);
    return digits && digits->size() > 1 && digits->at(0) == QLatin1Char('0') && digits->at(1) != QLatin1Char('0') &&
           allDigits(*digits);
}
