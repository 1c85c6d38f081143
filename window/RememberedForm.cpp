// The form remembered between runs, in the application's default settings store.
#include "ui_Configurator.h"
#include "window/Configurator.h"

#include "settings/FormStore.h"

#include <QSettings>

#include <cstdio>

namespace {
// The store is not opened when something else than a regular file stands where its file belongs; the user is told once.
bool storeUsable()
{
    static bool told = false;
    const std::optional<QString> problem = FormStore::unusableStore();
    if (problem && !told) {
        told = true;
        std::fprintf(stderr, "%s: the form cannot be remembered: %s\n", qPrintable(QCoreApplication::applicationName()),
                     qPrintable(*problem));
    }
    return !problem;
}
} // namespace

void Configurator::saveSettings()
{
    putPhoneNumbersInAcceptedForm();
    if (!storeUsable())
        return;
    QSettings settings;
    if (!FormStore::save(settings, formValues())) {
        // Nothing the user can do about it now; the form is simply not remembered.
        std::fprintf(stderr, "%s: the form could not be saved in %s\n", qPrintable(QCoreApplication::applicationName()),
                     qPrintable(settings.fileName()));
    }
}

void Configurator::restoreSettings()
{
    FormValues values; // the defaults, when the store cannot be read
    if (storeUsable())
        values = FormStore::load(QSettings());
    // Selecting the mode runs modeSerialChanged, which keeps modeCode.
    ui->modeSerial->setCurrentIndex(
        ui->modeSerial->findData(int(values.modeCode), Qt::UserRole, Qt::MatchExactly | Qt::MatchCaseSensitive));
    // A value longer than its field takes is cut, as typing it would have been.
    for (const FormField::Description& field : FormField::fields) {
        const QString& text = values.text(field.id);
        fieldEdits[field.id]->setText(field.maxLength > 0 ? text.left(field.maxLength) : text);
    }
    ui->sdCardPath->setCurrentIndex(FormStore::driveIndexFor(values.driveIndex, ui->sdCardPath->count()));
    ui->resetConfigCheckBox->setChecked(values.resetConfig);
    ui->ejectCardCheckBox->setChecked(values.ejectCardWhenDone);
    on_resetConfigCheckBox_clicked(ui->resetConfigCheckBox->isChecked());
}
