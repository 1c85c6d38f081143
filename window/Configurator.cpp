#include "window/Configurator.h"
#include "ui_Configurator.h"

#include "drives/DrivePlatform.h"
#include "generation/ModeCodes.h"

#include <QApplication>
#include <QMessageBox>
#include <QRegExpValidator>

#include <cstdlib>

namespace {
// Whole-text patterns; a prefix of a match is accepted while typing.
const char pinPattern[] = "[0-9]{4,6}";
const char simPhonePattern[] = R"((\+)(\d{14})|(\+|00)(\d{2}) (\d{2}) ((\d{3})) (\d{2}) (\d{2}))";
const char ownerPhonePattern[] = R"((\+|)(\d{14})|(\+|00)(\d{2}) (\d{2}) ((\d{3})) (\d{2}) (\d{2}))";
const char userKeyPattern[] = "[A-Za-z0-9]{6,6}";

const Qt::MatchFlags exactMatch = Qt::MatchExactly | Qt::MatchCaseSensitive;
} // namespace

Configurator::Configurator(QWidget* parent) : Configurator(createNativeDrivePlatform(), parent) {}

Configurator::Configurator(std::unique_ptr<DrivePlatform> drives, QWidget* parent)
    : QMainWindow(parent), ui(new Ui::Configurator), drivePlatform(std::move(drives)),
      exitFunction([](int status) { std::exit(status); })
{
    ui->setupUi(this);
    // The form follows the window's size once its layout sits on the central widget.
    ui->centralWidget->setLayout(ui->mainLayout);
    describeIconButtons();

    for (const ModeCode::Entry& mode : ModeCode::entries)
        ui->modeSerial->addItem(QIcon(), tr(mode.text), int(mode.code));
    ui->modeSerial->setCurrentIndex(ui->modeSerial->findData(int(modeCode), Qt::UserRole, exactMatch));

    connect(ui->button_Save, SIGNAL(clicked()), this, SLOT(buttonSaveClicked()));
    connect(ui->button_Cancel, SIGNAL(clicked()), this, SLOT(saveSettings()));
    connect(ui->button_DefaultSettings, SIGNAL(clicked()), this, SLOT(buttonDefaultSettingsClicked()));
    connect(ui->modeSerial, SIGNAL(currentIndexChanged(int)), this, SLOT(modeSerialChanged()));

    setWindowTitle(QCoreApplication::applicationName() + QLatin1Char(' ') + QCoreApplication::applicationVersion());

    refreshDriveList();
    restoreSettings();
    modeSerialChanged();
    installValidators();
}

Configurator::~Configurator()
{
    saveSettings();
    delete ui;
}

void Configurator::setExitFunction(ExitFunction function)
{
    exitFunction = std::move(function);
}

void Configurator::describeIconButtons()
{
    // The two small buttons show only a symbol: name them for tooltips and screen readers.
    ui->refreshButton->setToolTip(tr("Refresh the list of SD cards"));
    ui->refreshButton->setAccessibleName(ui->refreshButton->toolTip());
    ui->keyGenerationButton->setToolTip(tr("Generate a random user key"));
    ui->keyGenerationButton->setAccessibleName(ui->keyGenerationButton->toolTip());
}

void Configurator::installValidators()
{
    const auto validator = [this](const char* pattern) {
        return new QRegExpValidator(QRegExp(QString::fromLatin1(pattern), Qt::CaseSensitive, QRegExp::RegExp), this);
    };
    ui->PIN_Code->setValidator(validator(pinPattern));
    ui->sim_card_phone_number->setValidator(validator(simPhonePattern));
    ui->owner_phone_number->setValidator(validator(ownerPhonePattern));
    ui->userKeyLineEdit->setValidator(validator(userKeyPattern));
}

void Configurator::warn(const QString& title, const QString& message)
{
    QMessageBox::warning(this, title, message, QMessageBox::Close, QMessageBox::NoButton);
}
