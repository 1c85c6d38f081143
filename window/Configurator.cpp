#include "window/Configurator.h"
#include "ui_Configurator.h"

#include "base/DetachedTask.h"
#include "drives/VolumeWatcher.h"
#include "form/ModeCodes.h"
#include "form/PhoneNumber.h"
#include "window/FieldValidator.h"
#include "window/LabelClicks.h"
#include "window/MessageBox.h"
#include "window/PresetControls.h"
#include "window/RunList.h"

#include <QApplication>
#include <QCloseEvent>
#include <QToolTip>

namespace {
const Qt::MatchFlags exactMatch = Qt::MatchExactly | Qt::MatchCaseSensitive;

// A label's text as a screen reader speaks it: without the '&' that marks its shortcut letter.
QString withoutShortcutMark(const QString& text)
{
    QString spoken;
    for (int i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('&') && i + 1 < text.size())
            ++i;
        spoken += text.at(i);
    }
    return spoken;
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
    describeLabelledControls();
    placeCardLine();
    // An entry (a card's name, device and mount path) may be longer than the window is wide: the box keeps its width
    // and cuts the entry's end, the mount path.
    ui->sdCardPath->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    ui->sdCardPath->setMinimumContentsLength(5);

    PresetControls::FrontEnd presetsFrontEnd;
    presetsFrontEnd.form = [this] { return formValues(); };
    presetsFrontEnd.fill = [this](const FormValues& values, const QString& source) { loadIntoForm(values, source); };
    presetsFrontEnd.whileBusy = [this](const std::function<void()>& work) {
        return whileBusy<bool>([work] {
                   work();
                   return true;
               })
            .has_value();
    };
    presetControls = std::make_unique<PresetControls>(this, ui->formLayout, ui->modeSerial, std::move(presetsFrontEnd));

    placeSeriesControls();

    for (const ModeCode::Entry& mode : ModeCode::entries)
        ui->modeSerial->addItem(QIcon(), tr(mode.text), int(mode.code));
    ui->modeSerial->setCurrentIndex(ui->modeSerial->findData(int(modeCode), Qt::UserRole, exactMatch));

    connect(ui->button_Save, SIGNAL(clicked()), this, SLOT(buttonSaveClicked()));
    connect(ui->button_Cancel, SIGNAL(clicked()), this, SLOT(saveSettings()));
    connect(ui->button_DefaultSettings, SIGNAL(clicked()), this, SLOT(buttonDefaultSettingsClicked()));
    connect(ui->modeSerial, SIGNAL(currentIndexChanged(int)), this, SLOT(modeSerialChanged()));
    connect(ui->sdCardPath, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &Configurator::showChosenDriveToolTip);
    // A card or a bus that stopped answering may still hold a thread when the window closes: the process then ends
    // without waiting for it (Qt's static destructors would), once the form is remembered.
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] {
        if (DetachedWork::outstanding() > 0) {
            saveSettings();
            DetachedWork::endProcess(0);
        }
    });

    setWindowTitle(QCoreApplication::applicationName() + QLatin1Char(' ') + QCoreApplication::applicationVersion());

    applyFieldLimits();
    refreshDriveList();
    restoreSettings();
    modeSerialChanged();
    installValidators();
    helpWithTheForm();

    volumeWatcher = new VolumeWatcher(this);
    connect(volumeWatcher, &VolumeWatcher::volumesChanged, this, &Configurator::followVolumes);
}

Configurator::~Configurator()
{
    delete runList;
    saveSettings();
    // The fields lose their focus as they go: nothing is marked any more.
    delete findChild<QObject*>(QStringLiteral("fieldWatch"), Qt::FindDirectChildrenOnly);
    qDeleteAll(rowsOut);
    delete ui;
}

void Configurator::setExitFunction(ExitFunction function)
{
    exitFunction = std::move(function);
}

void Configurator::closeEvent(QCloseEvent* event)
{
    // The window shows the outcome of a card write, which ends within its time limits.
    if (writingCard) {
        event->ignore();
        return;
    }
    // The run ends with the window: the cards in hand end first, then its identifiers are handed off once.
    if (series->inHand() > 0) {
        closeAfterSeries = true;
        series->stop();
        event->ignore();
        return;
    }
    series->stop();
    endRun();
    runList->close();
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

void Configurator::describeLabelledControls()
{
    // Each label is its control's buddy: Alt and the marked letter reach the control, a click on the label does too,
    // and a screen reader speaks the label's text as the control's name.
    auto* clicks = new LabelClicks(this);
    const QList<QLabel*> labels = ui->centralWidget->findChildren<QLabel*>();
    for (QLabel* label : labels) {
        if (QWidget* control = label->buddy()) {
            control->setAccessibleName(withoutShortcutMark(label->text()));
            label->installEventFilter(clicks);
        }
    }
}

void Configurator::installValidators()
{
    // In the form's order: PIN, SIM card number, owner number, user key.
    for (const FormField::Description& field : FormField::fields) {
        if (!field.pattern)
            continue;
        QLineEdit* edit = fieldEdits[field.id];
        edit->setValidator(new FieldValidator(field.id, this));
        // A keystroke or a paste that the field refuses is refused in sight, with what the field takes.
        connect(edit, &QLineEdit::inputRejected, this,
                [edit, forms = field.acceptedForms] { showAcceptedForms(edit, tr(forms)); });
    }
}

void Configurator::applyFieldLimits()
{
    // Each field takes the length of the form's table. The phone validators bound the length themselves: a maximum
    // length on those fields would cut a pasted number short without a word.
    for (const FormField::Description& field : FormField::fields)
        fieldEdits[field.id]->setMaxLength(PhoneNumber::isPhoneField(field.id) ? FormField::lineEditLength
                                                                               : field.maxLength);
}

void Configurator::showAcceptedForms(QLineEdit* edit, const QString& forms)
{
    QToolTip::showText(edit->mapToGlobal(QPoint(0, edit->height())), tr("Accepted: %1").arg(forms), edit);
}

void Configurator::putPhoneNumbersInAcceptedForm()
{
    // Same digits, other spacing: the field, the remembered form and the card get the accepted text.
    const FormValues accepted = PhoneNumber::inAcceptedForm(formValues());
    for (const FormField::Id field : {FormField::SimCardPhoneNumber, FormField::OwnerPhoneNumber}) {
        if (accepted.text(field) != fieldEdits[field]->text())
            fieldEdits[field]->setText(accepted.text(field));
    }
}

void Configurator::warn(const QString& title, const QString& message)
{
    MessageBox::warning(this, title, message);
}
