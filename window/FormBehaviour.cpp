// How the form reacts to the user: the fields of each mode, the reset option, the defaults and the user key.
#include "ui_Configurator.h"
#include "window/Configurator.h"

#include "form/FormValues.h"
#include "form/ModeCodes.h"
#include "parameterfile/Identifier.h"

void Configurator::modeSerialChanged()
{
    const QVariant data = ui->modeSerial->currentData(Qt::UserRole);
    modeCode = quint8(data.toInt() & 0xFF);

    // Labels first, then fields.
    for (const FormField::Description& field : FormField::fields)
        fieldLabels[field.id]->setVisible(ModeCode::showsField(modeCode, field.id));
    ui->resetConfigLabel->setVisible(ModeCode::showsReset(modeCode));
    for (const FormField::Description& field : FormField::fields)
        fieldEdits[field.id]->setVisible(ModeCode::showsField(modeCode, field.id));
    ui->keyGenerationButton->setVisible(ModeCode::showsField(modeCode, FormField::UserKey));
    ui->resetConfigCheckBox->setVisible(ModeCode::showsReset(modeCode));
    ui->showPasswordButton->setVisible(ModeCode::showsField(modeCode, FormField::Password));
    ui->showPinButton->setVisible(ModeCode::showsField(modeCode, FormField::PinCode));
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    // Qt 6 can take a hidden row out of the form, so that it leaves no gap.
    for (const FormField::Description& field : FormField::fields)
        ui->formLayout->setRowVisible(fieldLabels[field.id], ModeCode::showsField(modeCode, field.id));
    ui->formLayout->setRowVisible(ui->resetConfigLabel, ModeCode::showsReset(modeCode));
#else
    closeHiddenRows();
#endif
    ui->mainLayout->update();
}

void Configurator::on_resetConfigCheckBox_clicked(bool checked)
{
    const bool enabled = !checked;
    // Labels, then fields, then the key button.
    for (const FormField::Description& field : FormField::fields) {
        if (field.disabledByReset)
            fieldLabels[field.id]->setEnabled(enabled);
    }
    for (const FormField::Description& field : FormField::fields) {
        if (field.disabledByReset)
            fieldEdits[field.id]->setEnabled(enabled);
    }
    ui->keyGenerationButton->setEnabled(enabled);
    ui->showPinButton->setEnabled(enabled);
}

void Configurator::buttonDefaultSettingsClicked()
{
    modeCode = ModeCode::Default;
    ui->sdCardPath->setCurrentIndex(0);
    ui->modeSerial->setCurrentIndex(
        ui->modeSerial->findData(int(ModeCode::Default), Qt::UserRole, Qt::MatchExactly | Qt::MatchCaseSensitive));
    for (QLineEdit* field : fieldEdits)
        field->setText(QString());
    ui->resetConfigCheckBox->setChecked(false);
    on_resetConfigCheckBox_clicked(false);
}

void Configurator::on_keyGenerationButton_clicked()
{
    ui->userKeyLineEdit->setText(userKeyFromIdentifier(createAcceptableIdentifier()));
}

FormValues Configurator::formValues() const
{
    FormValues values;
    values.modeCode = modeCode;
    for (const FormField::Description& field : FormField::fields)
        values.text(field.id) = fieldEdits[field.id]->text();
    values.resetConfig = ui->resetConfigCheckBox->isChecked();
    values.driveIndex = ui->sdCardPath->currentIndex();
    values.ejectCardWhenDone = ui->ejectCardCheckBox->isChecked();
    return values;
}
