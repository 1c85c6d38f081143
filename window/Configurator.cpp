#include "window/Configurator.h"
#include "ui_Configurator.h"

#include "drives/DetachedWork.h"
#include "drives/VolumeWatcher.h"
#include "generation/ModeCodes.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMessageBox>

#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
#include <QRegularExpressionValidator>
#else
#include <QRegExpValidator>
#endif

namespace {
const Qt::MatchFlags exactMatch = Qt::MatchExactly | Qt::MatchCaseSensitive;

QValidator* wholeTextValidator(const char* pattern, QObject* parent)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return new QRegularExpressionValidator(QRegularExpression(QString::fromLatin1(pattern)), parent);
#else
    return new QRegExpValidator(QRegExp(QString::fromLatin1(pattern), Qt::CaseSensitive, QRegExp::RegExp), parent);
#endif
}
} // namespace

Configurator::Configurator(QWidget* parent) : Configurator(createNativeDrivePlatform(), parent) {}

Configurator::Configurator(std::unique_ptr<DrivePlatform> drives, QWidget* parent)
    : QMainWindow(parent), ui(new Ui::Configurator), drivePlatform(std::move(drives)),
      exitFunction([](int status) { DetachedWork::endProcess(status); })
{
    ui->setupUi(this);
    for (const FormField::Description& field : FormField::fields) {
        fieldEdits[field.id] = findChild<QLineEdit*>(QLatin1String(field.objectName));
        fieldLabels[field.id] = findChild<QLabel*>(QLatin1String(field.labelObjectName));
        Q_ASSERT(fieldEdits[field.id] && fieldLabels[field.id]);
    }
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
    // A card or a bus that stopped answering may still hold a thread when the window closes: the process then ends
    // without waiting for it (Qt's static destructors would), once the form is remembered.
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] {
        if (DetachedWork::outstanding() > 0) {
            saveSettings();
            DetachedWork::endProcess(0);
        }
    });

    setWindowTitle(QCoreApplication::applicationName() + QLatin1Char(' ') + QCoreApplication::applicationVersion());

    refreshDriveList();
    restoreSettings();
    modeSerialChanged();
    installValidators();

    volumeWatcher = new VolumeWatcher(this);
    connect(volumeWatcher, &VolumeWatcher::volumesChanged, this, &Configurator::followVolumes);
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

void Configurator::closeEvent(QCloseEvent* event)
{
    // The window shows the outcome of a card write, which ends within its time limits.
    if (writingCard)
        event->ignore();
    else
        QMainWindow::closeEvent(event);
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
    // In the form's order: PIN, SIM card number, owner number, user key.
    for (const FormField::Description& field : FormField::fields) {
        if (field.pattern)
            fieldEdits[field.id]->setValidator(wholeTextValidator(field.pattern, this));
    }
}

void Configurator::warn(const QString& title, const QString& message)
{
    QMessageBox::warning(this, title, message, QMessageBox::Close, QMessageBox::NoButton);
}
