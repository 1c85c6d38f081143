// form_window's form: the program's Designer form with its mode list filled and the rows of the first mode shown, as
// the window shows them before the first paint, and nothing of the program's own.
#include "form/FormFields.h"
#include "form/ModeCodes.h"
#include "ui_Configurator.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>

void showTheForm(QMainWindow& window)
{
    Ui::Configurator form; // pointers to the widgets, which the window owns
    form.setupUi(&window);
    form.centralWidget->setLayout(form.mainLayout);
    for (const ModeCode::Entry& mode : ModeCode::entries)
        form.modeSerial->addItem(QIcon(), QCoreApplication::translate("Configurator", mode.text), int(mode.code));
    form.modeSerial->setCurrentIndex(form.modeSerial->findData(int(ModeCode::Default)));
    for (const FormField::Description& field : FormField::fields) {
        const bool shown = ModeCode::showsField(ModeCode::Default, field.id);
        window.findChild<QLabel*>(QLatin1String(field.labelObjectName))->setVisible(shown);
        window.findChild<QLineEdit*>(QLatin1String(field.objectName))->setVisible(shown);
    }
    form.resetConfigLabel->setVisible(ModeCode::showsReset(ModeCode::Default));
    form.resetConfigCheckBox->setVisible(ModeCode::showsReset(ModeCode::Default));
    form.keyGenerationButton->setVisible(ModeCode::showsField(ModeCode::Default, FormField::UserKey));
    form.showPasswordButton->setVisible(ModeCode::showsField(ModeCode::Default, FormField::Password));
    form.showPinButton->setVisible(ModeCode::showsField(ModeCode::Default, FormField::PinCode));
}
