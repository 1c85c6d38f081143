// "Generate": checks the form and the card, writes the parameter file into the folder "02" and ends the program.
#include "ui_Configurator.h"
#include "window/Configurator.h"

#include "drives/DrivePlatform.h"
#include "generation/DurableFile.h"
#include "generation/Identifier.h"
#include "generation/ModeCodes.h"
#include "generation/ParameterFile.h"

#include <QDir>
#include <QMessageBox>

namespace {
const QString volumeLabel = QStringLiteral("Orva Config");
constexpr int volumeLabelLength = 11;
const QString cardDirectoryName = QStringLiteral("/02");

std::optional<QString> textIfShown(const QLineEdit* field)
{
    return field->isVisible() ? std::optional<QString>(field->text()) : std::nullopt;
}

// The first character of text that the module cannot read back: the record separator ';', or a character that has
// no single Latin-1 byte (the encoder would write '?' in its place). Null when the text is fine.
QString unreadableCharacter(const QString& text)
{
    const QVector<uint> codePoints = text.toUcs4();
    for (const uint codePoint : codePoints) {
        if (codePoint == uint(ParameterFile::separator) || codePoint > 0xFF)
            return QString::fromUcs4(&codePoint, 1);
    }
    return QString();
}
} // namespace

void Configurator::buttonSaveClicked()
{
    if (!formIsValid() || !textsAreReadable())
        return;

    if (driveList.isEmpty()) {
        warnNoCard();
        return;
    }
    // A remembered position beyond today's cards leaves none chosen: never guess one for the user.
    const int driveIndex = ui->sdCardPath->currentIndex();
    if (driveIndex < 0 || driveIndex >= driveList.size()) {
        warnNoCard();
        return;
    }
    QString rootPath = driveList.at(driveIndex);

    const QString labelledRoot = applyVolumeLabel(rootPath, volumeLabel);
    if (labelledRoot != rootPath) {
        describeDriveAnew(driveIndex, labelledRoot);
        rootPath = labelledRoot;
    }

    if (drivePlatform->isReadOnly(rootPath)) {
        warn(tr("SD Card is Read Only"), tr("The SD card is read only.\nPlease unlock the SD card."));
        return;
    }

    const QString cardDirectory = rootPath + cardDirectoryName;
    if (!QDir::setCurrent(cardDirectory)) {
        if (!QDir(rootPath).mkdir(cardDirectory)) {
            warn(tr("SD Card Not Found"),
                 tr("The SD card was not found in the selected drive.\nPlease select the correct drive."));
            return;
        }
        QDir::setCurrent(cardDirectory);
    }

    const QUuid identifier = createAcceptableIdentifier();
    ParameterFileInput input;
    input.modeCode = modeCode;
    input.identifier = identifier;
    input.fileName = parameterFileName(modeCode);
    input.accessPointName = textIfShown(ui->APN);
    input.username = textIfShown(ui->Username);
    input.password = textIfShown(ui->Password);
    input.pinCode = textIfShown(ui->PIN_Code);
    input.simCardPhoneNumber = textIfShown(ui->sim_card_phone_number);
    input.ownerPhoneNumber = textIfShown(ui->owner_phone_number);
    input.userKey = textIfShown(ui->userKeyLineEdit);
    if (ui->resetConfigCheckBox->isVisible())
        input.resetConfig = ui->resetConfigCheckBox->isChecked();
    const EncodedParameterFile encoded = encodeParameterFile(input);

    // The old file is replaced only by a complete new one, so a failed write leaves the card as it was.
    const QString writeError = writeDurably(QDir::current().filePath(input.fileName), encoded.header + encoded.body);
    if (!writeError.isEmpty()) {
        warn(tr("File not written"),
             tr("The file %1 could not be written on the SD card.\n%2").arg(input.fileName, writeError));
        return;
    }

    if (modeCode == ModeCode::Gsm || modeCode == ModeCode::Lan) {
        identifierHandOff(identifier);
    } else {
        QMessageBox::information(this, tr("File generated"), tr("The file was generated on the SD Card."),
                                 QMessageBox::Ok, QMessageBox::NoButton);
    }
    saveSettings();
    exitFunction(0);
}

bool Configurator::formIsValid()
{
    if (modeCode != ModeCode::Gsm && modeCode != ModeCode::Sms)
        return true;

    QString pin = ui->PIN_Code->text();
    int position = 0;
    if (!pin.isEmpty() && ui->PIN_Code->validator()->validate(pin, position) != QValidator::Acceptable) {
        warn(tr("PIN Code error"), tr("The PIN code seems to be erroneous.\nPlease enter a code with 4-6 digits!"));
        return false;
    }
    if (modeCode == ModeCode::Sms && !ui->resetConfigCheckBox->isChecked() && ui->userKeyLineEdit->text().size() != 6) {
        warn(tr("User key error"), tr("The user key seems to be erroneous.\nPlease enter a code with 6 characters or "
                                      "generate it with the button at the right of field!"));
        return false;
    }
    return true;
}

bool Configurator::textsAreReadable()
{
    const QList<QPair<QLineEdit*, QLabel*>> fields{{ui->APN, ui->label_APN},
                                                   {ui->Username, ui->label_UserName},
                                                   {ui->Password, ui->label_Pswd},
                                                   {ui->PIN_Code, ui->label_PIN},
                                                   {ui->sim_card_phone_number, ui->label_SIM_phone},
                                                   {ui->owner_phone_number, ui->label_owner_phone},
                                                   {ui->userKeyLineEdit, ui->userKeyLabel}};
    for (const auto& [field, label] : fields) {
        if (!field->isVisible())
            continue;
        const QString character = unreadableCharacter(field->text());
        if (character.isEmpty())
            continue;
        warn(tr("Unsupported character"),
             tr("The field \"%1\" contains the character \"%2\", which the Orva module cannot read.\n"
                "Please remove it.")
                 .arg(label->text(), character));
        field->setFocus();
        return false;
    }
    return true;
}

void Configurator::warnNoCard()
{
    warn(tr("SD Card not available"), tr("No SD card is available.\nPlease insert one and select it in the list."));
}

QString Configurator::applyVolumeLabel(const QString& rootPath, const QString& label)
{
    return drivePlatform->setVolumeLabel(rootPath, label.left(volumeLabelLength));
}
