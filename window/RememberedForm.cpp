// The form remembered between runs, in the application's default settings store, or taken from a parameter file.
#include "ui_Configurator.h"
#include "window/Configurator.h"

#include "base/ShownText.h"
#include "generation/GenerateTexts.h"
#include "parameterfile/ParameterFileForm.h"
#include "settings/FormStore.h"
#include "settings/SettingsKeys.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QSettings>
#include <QValidator>

#include <cstdio>

namespace {
QString shownPath(const QString& path)
{
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

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

void Configurator::saveSettings()
{
    putPhoneNumbersInAcceptedForm();
    if (!storeUsable(FormStore::unwritableStore()))
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
            restoreNote = tr("The remembered mode %1 is none of the module's: the form starts in %2.")
                              .arg(ShownText::escaped(settings.value(SettingsKeys::serialMode).toString()),
                                   tr(ModeCode::name(ModeCode::Default)));
        }
    }
    values.driveIndex = FormStore::driveIndexFor(values.driveIndex, ui->sdCardPath->count());
    applyFormValues(values);
}

void Configurator::applyFormValues(const FormValues& values)
{
    // Selecting the mode runs modeSerialChanged, which keeps modeCode.
    ui->modeSerial->setCurrentIndex(
        ui->modeSerial->findData(int(values.modeCode), Qt::UserRole, Qt::MatchExactly | Qt::MatchCaseSensitive));
    // Each text as it is: a value longer than its field takes is cut, as typing it would have been; no validator
    // puts a phone number into another spacing (a loaded number stays as its file holds it).
    for (const FormField::Description& field : FormField::fields) {
        QLineEdit* edit = fieldEdits[field.id];
        const QValidator* validator = edit->validator();
        edit->setValidator(nullptr);
        edit->setText(values.text(field.id).left(field.maxLength));
        edit->setValidator(validator);
    }
    ui->sdCardPath->setCurrentIndex(values.driveIndex);
    ui->resetConfigCheckBox->setChecked(values.resetConfig);
    ui->ejectCardCheckBox->setChecked(values.ejectCardWhenDone);
    on_resetConfigCheckBox_clicked(ui->resetConfigCheckBox->isChecked());
}

void Configurator::loadParameterFile(const QString& path)
{
    // The file may lie on a card that stops answering: it is read on a thread of its own, as the card is for "Load
    // from card", and the window keeps painting meanwhile.
    const FormValues current = formValues();
    const std::optional<ParameterFileForm> loaded =
        whileBusy<ParameterFileForm>([path, current] { return formFromParameterFile(path, current); });
    if (loaded)
        showLoadedForm(*loaded, path);
    else
        warnNotLoaded(path, tr("It does not respond: the card or drive that holds it stopped answering."));
}

void Configurator::showLoadedForm(const ParameterFileForm& loaded, const QString& path, const QString& source)
{
    QString reason;
    switch (loaded.outcome) {
    case ParameterFileForm::Outcome::Loaded: {
        loadIntoForm(loaded.values, source.isEmpty() ? shownPath(path) : source);
        // Told before anything is written: what the form will write otherwise than the file holds it.
        if (loaded.differsFromFile())
            warn(GenerateTexts::loadedWithDifferences(loaded, shownPath(path)));
        return;
    }
    case ParameterFileForm::Outcome::NotAFile:
        reason = tr("It does not exist or is not a file.");
        break;
    case ParameterFileForm::Outcome::TooLarge:
        reason = tr("It is far too large for a parameter file.");
        break;
    case ParameterFileForm::Outcome::Unreadable:
        reason = tr("It cannot be read: %1").arg(loaded.detail);
        break;
    case ParameterFileForm::Outcome::Damaged:
        reason = tr("It is not a parameter file that the module can read (%1).").arg(loaded.detail);
        break;
    }
    warnNotLoaded(path, reason);
}

void Configurator::warnNotLoaded(const QString& path, const QString& reason)
{
    warn(tr("Parameter file not loaded"),
         tr("The form could not be filled from %1.").arg(shownPath(path)) + QLatin1String("\n") + reason);
}
