#include "window/FieldValidator.h"

#include "form/PhoneNumber.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QToolTip>

namespace {
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
QRegularExpression patternFor(FormField::Id field)
{
    return QRegularExpression(QString::fromLatin1(FormField::describe(field).pattern));
}
#else
QRegExp patternFor(FormField::Id field)
{
    return QRegExp(QString::fromLatin1(FormField::describe(field).pattern), Qt::CaseSensitive, QRegExp::RegExp);
}
#endif

// Where the cursor goes in the respaced text: after as many characters other than spaces as stood before it.
int positionInRespaced(const QString& before, int position, const QString& after)
{
    int kept = 0;
    for (int i = 0; i < position && i < before.size(); ++i)
        kept += before.at(i) != QLatin1Char(' ');
    int at = 0;
    for (; at < after.size() && kept > 0; ++at)
        kept -= after.at(at) != QLatin1Char(' ');
    return at;
}
} // namespace

FieldValidator::FieldValidator(FormField::Id field, QObject* parent)
    : PatternValidator(patternFor(field), parent), field(field)
{}

QValidator::State FieldValidator::validate(QString& input, int& position) const
{
    const State byPattern = PatternValidator::validate(input, position);
    if (!PhoneNumber::isPhoneField(field) || byPattern == Acceptable)
        return byPattern;
    // The field's longest text bounds what it takes: a longer paste is refused whole, never cut.
    if (input.size() > FormField::describe(field).maxLength)
        return Invalid;
    if (const std::optional<QString> accepted = PhoneNumber::accepted(field, input);
        accepted && !PhoneNumber::canGrow(field, input)) {
        position = positionInRespaced(input, position, *accepted);
        input = *accepted;
        return Acceptable;
    }
    return PhoneNumber::canBecomeAccepted(field, input) ? Intermediate : Invalid;
}

void FieldValidator::fixup(QString& input) const
{
    if (!PhoneNumber::isPhoneField(field))
        return;
    if (const std::optional<QString> accepted = PhoneNumber::accepted(field, input))
        input = *accepted;
}

void FieldValidator::limitLengths(const Edits& edits)
{
    for (const FormField::Description& field : FormField::fields)
        edits[field.id]->setMaxLength(PhoneNumber::isPhoneField(field.id) ? FormField::lineEditLength
                                                                          : field.maxLength);
}

void FieldValidator::installOn(const Edits& edits, QObject* parent)
{
    // In the form's order: PIN, SIM card number, owner number, user key.
    for (const FormField::Description& field : FormField::fields) {
        if (!field.pattern)
            continue;
        QLineEdit* edit = edits[field.id];
        edit->setValidator(new FieldValidator(field.id, parent));
        QObject::connect(edit, &QLineEdit::inputRejected, parent, [edit, forms = field.acceptedForms] {
            QToolTip::showText(edit->mapToGlobal(QPoint(0, edit->height())),
                               QCoreApplication::translate("Configurator", "Accepted: %1")
                                   .arg(QCoreApplication::translate("Configurator", forms)),
                               edit);
        });
    }
}
