#include "window/RememberedForm.h"

#include "base/ShownText.h"
#include "form/ModeCodes.h"
#include "form/PhoneNumber.h"
#include "settings/FormStore.h"
#include "settings/SettingsKeys.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QSettings>
#include <QValidator>

#include <cstdio>
#include <utility>

namespace {
// The store is not opened when something else than a regular file stands where its file (or, to write it, its lock)
// belongs; the user is told once.
bool storeUsable(const std::optional<QString>& problem)
{
    static bool told = false;
    if (problem && !told) {
        told = true;
        std::fprintf(stderr, "%s: the form cannot be remembered: %s\n", qPrintable(QCoreApplication::applicationName()),
                     qPrintable(*problem));
    }
    return !problem;
}
} // namespace

RememberedForm::RememberedForm(const Controls& controls, std::function<void(bool checked)> resetApplied)
    : controls(controls), resetApplied(std::move(resetApplied))
{}

quint8 RememberedForm::modeCode() const
{
    return quint8(controls.modeList->currentData(Qt::UserRole).toInt() & 0xFF);
}

void RememberedForm::chooseMode(quint8 code)
{
    controls.modeList->setCurrentIndex(
        controls.modeList->findData(int(code), Qt::UserRole, Qt::MatchExactly | Qt::MatchCaseSensitive));
}

FormValues RememberedForm::values() const
{
    FormValues values;
    values.modeCode = modeCode();
    for (const FormField::Description& field : FormField::fields)
        values.text(field.id) = controls.fields[field.id]->text();
    values.resetConfig = controls.reset->isChecked();
    values.driveIndex = controls.driveList->currentIndex();
    values.ejectCardWhenDone = controls.ejectCard->isChecked();
    return values;
}

void RememberedForm::apply(const FormValues& values)
{
    chooseMode(values.modeCode);
    for (const FormField::Description& field : FormField::fields) {
        QLineEdit* edit = controls.fields[field.id];
        const QValidator* validator = edit->validator();
        edit->setValidator(nullptr);
        edit->setText(values.text(field.id).left(field.maxLength));
        edit->setValidator(validator);
    }
    controls.driveList->setCurrentIndex(values.driveIndex);
    controls.reset->setChecked(values.resetConfig);
    controls.ejectCard->setChecked(values.ejectCardWhenDone);
    resetApplied(controls.reset->isChecked());
}

void RememberedForm::putPhoneNumbersInAcceptedForm()
{
    const FormValues accepted = PhoneNumber::inAcceptedForm(values());
    for (const FormField::Id field : {FormField::SimCardPhoneNumber, FormField::OwnerPhoneNumber}) {
        if (accepted.text(field) != controls.fields[field]->text())
            controls.fields[field]->setText(accepted.text(field));
    }
}

void RememberedForm::save()
{
    putPhoneNumbersInAcceptedForm();
    if (!storeUsable(FormStore::unwritableStore()))
        return;
    QSettings settings;
    if (!FormStore::save(settings, values())) {
        // Nothing the user can do about it now; the form is simply not remembered.
        std::fprintf(stderr, "%s: the form could not be saved in %s\n", qPrintable(QCoreApplication::applicationName()),
                     qPrintable(settings.fileName()));
    }
}

QString RememberedForm::restore()
{
    QString note;
    FormValues values; // the defaults, when the store cannot be read
    if (storeUsable(FormStore::unusableStore())) {
        const QSettings settings;
        values = FormStore::load(settings);
        // Such a field starts empty, where the user sees it, as a missing key leaves it.
        if (const std::optional<QString> unreadable = FormStore::unreadableValues(settings)) {
            std::fprintf(stderr, "%s: the remembered form is restored without what it cannot read: %s\n",
                         qPrintable(QCoreApplication::applicationName()), qPrintable(*unreadable));
        } else if (FormStore::unknownMode(settings)) {
            // The first mode stands in for a mode the module does not know, as it always has; the user is told, rather
            // than left to take the fields for the remembered ones of another mode.
            note = QCoreApplication::translate("Configurator",
                                               "The remembered mode %1 is none of the module's: the form starts in %2.")
                       .arg(ShownText::escaped(settings.value(SettingsKeys::serialMode).toString()),
                            QCoreApplication::translate("Configurator", ModeCode::name(ModeCode::Default)));
        }
    }
    values.driveIndex = FormStore::driveIndexFor(values.driveIndex, controls.driveList->count());
    apply(values);
    return note;
}
