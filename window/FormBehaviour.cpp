// How the form reacts to the user: the fields of each mode, the reset option, the defaults and the user key.
#include "ui_Configurator.h"
#include "window/Configurator.h"

#include "generation/Identifier.h"
#include "generation/ModeCodes.h"

#include <initializer_list>

namespace {
void setWidgetsVisible(std::initializer_list<QWidget*> widgets, bool visible)
{
    for (QWidget* widget : widgets)
        widget->setVisible(visible);
}
} // namespace

void Configurator::modeSerialChanged()
{
    const QVariant data = ui->modeSerial->currentData(Qt::UserRole);
    modeCode = quint8(data.toInt() & 0xFF);

    const bool gsm = modeCode == ModeCode::Gsm;
    const bool sms = modeCode == ModeCode::Sms;
    // Labels first, then fields.
    setWidgetsVisible({ui->label_APN, ui->label_UserName, ui->label_Pswd}, gsm);
    setWidgetsVisible({ui->label_PIN}, gsm || sms);
    setWidgetsVisible({ui->label_SIM_phone, ui->label_owner_phone, ui->userKeyLabel, ui->resetConfigLabel}, sms);
    setWidgetsVisible({ui->APN, ui->Username, ui->Password}, gsm);
    setWidgetsVisible({ui->PIN_Code}, gsm || sms);
    setWidgetsVisible({ui->sim_card_phone_number, ui->owner_phone_number, ui->userKeyLineEdit, ui->keyGenerationButton,
                       ui->resetConfigCheckBox},
                      sms);
    ui->mainLayout->update();
}

void Configurator::on_resetConfigCheckBox_clicked(bool checked)
{
    const bool enabled = !checked;
    const std::initializer_list<QWidget*> dependents{
        ui->label_PIN,          ui->label_SIM_phone, ui->label_owner_phone,
        ui->userKeyLabel,       ui->PIN_Code,        ui->sim_card_phone_number,
        ui->owner_phone_number, ui->userKeyLineEdit, ui->keyGenerationButton};
    for (QWidget* widget : dependents)
        widget->setEnabled(enabled);
}

void Configurator::buttonDefaultSettingsClicked()
{
    modeCode = ModeCode::Default;
    ui->sdCardPath->setCurrentIndex(0);
    ui->modeSerial->setCurrentIndex(
        ui->modeSerial->findData(int(ModeCode::Default), Qt::UserRole, Qt::MatchExactly | Qt::MatchCaseSensitive));
    for (QLineEdit* field : {ui->APN, ui->Username, ui->Password, ui->PIN_Code, ui->sim_card_phone_number,
                             ui->owner_phone_number, ui->userKeyLineEdit})
        field->setText(QString());
    ui->resetConfigCheckBox->setChecked(false);
    on_resetConfigCheckBox_clicked(false);
}

void Configurator::on_keyGenerationButton_clicked()
{
    ui->userKeyLineEdit->setText(userKeyFromIdentifier(createAcceptableIdentifier()));
}
