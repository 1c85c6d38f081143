// The form remembered between runs, in the application's default settings store.
#include "ui_Configurator.h"
#include "window/Configurator.h"

#include "settings/SettingsKeys.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace {
// The store holds the access point password and the SIM PIN as typed: where it is a file, only its owner may read it.
// QSettings replaces the file atomically and keeps the permissions of the file it replaces, so a file that exists
// with these permissions before the first write never holds the form readable by others.
constexpr QFileDevice::Permissions ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

void restrictToOwner(const QSettings& settings)
{
    const QString fileName = settings.fileName();
    if (!QFileInfo(fileName).isAbsolute() || fileName.startsWith(QLatin1Char('\\')))
        return; // a registry path: the Windows registry keeps the current user's keys to the user
    QFile file(fileName);
    if (!file.exists()) {
        QFileInfo(fileName).dir().mkpath(QStringLiteral("."));
        if (!file.open(QIODevice::WriteOnly))
            return;
        file.close();
    }
    file.setPermissions(ownerOnly);
}
} // namespace

void Configurator::saveSettings()
{
    QSettings settings;
    restrictToOwner(settings);
    settings.setValue(SettingsKeys::serialMode, int(modeCode));
    settings.setValue(SettingsKeys::accessPointName, ui->APN->text());
    settings.setValue(SettingsKeys::username, ui->Username->text());
    settings.setValue(SettingsKeys::password, ui->Password->text());
    settings.setValue(SettingsKeys::pinCode, ui->PIN_Code->text());
    settings.setValue(SettingsKeys::driveLetter, ui->sdCardPath->currentIndex());
    settings.setValue(SettingsKeys::simCardPhoneNumber, ui->sim_card_phone_number->text());
    settings.setValue(SettingsKeys::ownerPhoneNumber, ui->owner_phone_number->text());
    settings.setValue(SettingsKeys::userKey, ui->userKeyLineEdit->text());
    settings.setValue(SettingsKeys::resetConfig, ui->resetConfigCheckBox->isChecked());
}

void Configurator::restoreSettings()
{
    const QSettings settings;

    const int code = settings.value(SettingsKeys::serialMode, 0).toInt();
    int position = ui->modeSerial->findData(code, Qt::UserRole, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (position < 0 || position >= ui->modeSerial->count())
        position = 0;
    ui->modeSerial->setCurrentIndex(position);

    ui->APN->setText(settings.value(SettingsKeys::accessPointName, QString()).toString());
    ui->Username->setText(settings.value(SettingsKeys::username, QString()).toString());
    ui->Password->setText(settings.value(SettingsKeys::password, QString()).toString());
    ui->PIN_Code->setText(settings.value(SettingsKeys::pinCode, QString()).toString());

    // Unchecked: an index beyond today's drives leaves no drive current.
    ui->sdCardPath->setCurrentIndex(settings.value(SettingsKeys::driveLetter, 0).toInt());

    ui->sim_card_phone_number->setText(settings.value(SettingsKeys::simCardPhoneNumber, QString()).toString());
    ui->owner_phone_number->setText(settings.value(SettingsKeys::ownerPhoneNumber, QString()).toString());
    ui->userKeyLineEdit->setText(settings.value(SettingsKeys::userKey, QString()).toString());

    ui->resetConfigCheckBox->setChecked(settings.value(SettingsKeys::resetConfig, false).toBool());
    on_resetConfigCheckBox_clicked(ui->resetConfigCheckBox->isChecked());
}
