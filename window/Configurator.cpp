// The window: the form built from its .ui and the parts wired to it, and "Generate": the generate procedure checks the
// form and the card and writes the file through the window's front end; then the window shows the result, lets the
// card go, and ends the program or waits for another card.
#include "window/Configurator.h"
#include "ui_Configurator.h"

#include "desktop/DesktopOpen.h"
#include "form/FormCheck.h"
#include "form/FormTexts.h"
#include "form/ModeCodes.h"
#include "parameterfile/Identifier.h"
#include "window/BundleSymbol.h"
#include "window/DriveChooser.h"
#include "window/FieldMarks.h"
#include "window/FieldValidator.h"
#include "window/FormLoader.h"
#include "window/FormRows.h"
#include "window/GenerateFrontEnd.h"
#include "window/LabelClicks.h"
#include "window/MessageBox.h"
#include "window/PresetControls.h"
#include "window/RememberedForm.h"
#include "window/SecretToggles.h"
#include "window/SeriesControls.h"

#include <QApplication>
#include <QCloseEvent>

#include <cstdio>

Configurator::Configurator(QWidget* parent) : Configurator(createNativeDrivePlatform(), parent) {}

Configurator::Configurator(std::unique_ptr<DrivePlatform> drives, QWidget* parent)
    : QMainWindow(parent), ui(new Ui::Configurator), exitFunction([](int status) { DetachedWork::endProcess(status); })
{
    ui->setupUi(this);
    for (const FormField::Description& field : FormField::fields) {
        fieldEdits[field.id] = findChild<QLineEdit*>(QLatin1String(field.objectName));
        fieldLabels[field.id] = findChild<QLabel*>(QLatin1String(field.labelObjectName));
        Q_ASSERT(fieldEdits[field.id] && fieldLabels[field.id]);
    }
    RememberedForm::Controls controls;
    controls.driveList = ui->sdCardPath;
    controls.modeList = ui->modeSerial;
    controls.fields = fieldEdits;
    controls.reset = ui->resetConfigCheckBox;
    controls.ejectCard = ui->ejectCardCheckBox;
    form =
        std::make_unique<RememberedForm>(controls, [this](bool checked) { on_resetConfigCheckBox_clicked(checked); });
    // Shared with a card write that outlives its wait: a card that stopped answering may hold it long after.
    const std::shared_ptr<DrivePlatform> drivePlatform(std::move(drives));
    generate = std::make_unique<GenerateFrontEnd>(this, ui->centralWidget, drivePlatform);
    // The form follows the window's size once its layout sits on the central widget.
    ui->centralWidget->setLayout(ui->mainLayout);
    describeControls();

    QList<QLabel*> hideable(fieldLabels.cbegin(), fieldLabels.cend());
    hideable << ui->resetConfigLabel;
    rows = std::make_unique<FormRows>(this, ui->formLayout, ui->optionsLayout,
                                      QList<QLabel*>{ui->label_SDCard, ui->label_Mode}, ui->label_Mode, hideable);
    driveChooser = new DriveChooser(ui->sdCardPath, ui->formLayout, drivePlatform, this);

    PresetControls::FrontEnd presetsFrontEnd;
    presetsFrontEnd.form = [this] {
        waitForSecrets();
        return form->values();
    };
    presetsFrontEnd.fill = [this](const FormValues& values, const QString& source) { loader->fill(values, source); };
    presetsFrontEnd.whileBusy = [this](const std::function<void()>& work) { return generate->ranWhileBusy(work); };
    presetsFrontEnd.whileWaiting = [this](const std::function<void(const DetachedWork::Pump&)>& wait) {
        generate->waitForCard(wait);
    };
    presetControls = std::make_unique<PresetControls>(this, ui->formLayout, ui->modeSerial, std::move(presetsFrontEnd));

    SeriesControls::Form seriesForm;
    seriesForm.values = [this] {
        form->putPhoneNumbersInAcceptedForm();
        return form->values();
    };
    seriesForm.ready = [this] { return secretsAtHand(); };
    seriesForm.fields = QList<QLineEdit*>(fieldEdits.cbegin(), fieldEdits.cend());
    seriesForm.preset = [this] { return presetControls->chosen(); };
    seriesForm.controls = {"modeSerial",          "resetConfigCheckBox",    "ejectCardCheckBox",
                           "keyGenerationButton", "button_DefaultSettings", "button_Save",
                           "undoLoadButton",      "presetButton",           "loadFromCardButton"};
    auto* column = qobject_cast<QBoxLayout*>(ui->optionsLayout->parent());
    Q_ASSERT(column);
    series = new SeriesControls(this, ui->centralWidget, column, ui->optionsLayout, ui->formLayout->contentsMargins(),
                                drivePlatform, std::move(seriesForm));
    connect(series, &SeriesControls::formRefused, this, &Configurator::showFormProblem);
    connect(series, &SeriesControls::formReleased, this,
            [this] { on_resetConfigCheckBox_clicked(ui->resetConfigCheckBox->isChecked()); });
    connect(series, &SeriesControls::closeAgain, this, &QWidget::close);

    for (const ModeCode::Entry& mode : ModeCode::entries)
        ui->modeSerial->addItem(QIcon(), tr(mode.text), int(mode.code));
    form->chooseMode(ModeCode::Default);

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

    FieldValidator::limitLengths(fieldEdits);
    driveChooser->refresh();
    const QString restoreNote = form->restore();
    modeSerialChanged();
    FieldValidator::installOn(fieldEdits, this);

    FormLoader::Form loaderForm;
    loaderForm.values = [this] { return form->values(); };
    loaderForm.apply = [this](const FormValues& values) { form->apply(values); };
    loaderForm.whileBusy = [this](const std::function<void()>& work) { return generate->ranWhileBusy(work); };
    loaderForm.held = [this] { return series->isRunning(); };
    loaderForm.modeLabel = ui->label_Mode;
    loaderForm.fieldLabels = fieldLabels;
    loaderForm.resetLabel = ui->resetConfigLabel;
    loaderForm.modeList = ui->modeSerial;
    loaderForm.driveList = ui->sdCardPath;
    loaderForm.fields = fieldEdits;
    loader = new FormLoader(this, ui->centralWidget, ui->mainLayout, ui->formLayout->contentsMargins(),
                            std::move(loaderForm), restoreNote);
    form->tellKeychainNote([this](const QString& line) { loader->tell(line); });
    connect(driveChooser, &DriveChooser::loadAsked, this,
            [this] { loader->fromCard(driveChooser->chosen(), ui->sdCardPath->currentText()); });

    rows->keepColumn();
    secrets = std::make_unique<SecretToggles>(ui->Password, ui->showPasswordButton, ui->PIN_Code, ui->showPinButton);
    secrets->showFor(currentModeCode());
    secrets->setPinEditable(!ui->resetConfigCheckBox->isChecked());
    fieldMarks = std::make_unique<FieldMarks>(fieldEdits, [this] { return form->values(); });
    connect(ui->modeSerial, QOverload<int>::of(&QComboBox::currentIndexChanged), fieldMarks.get(), &FieldMarks::show);
    connect(ui->resetConfigCheckBox, &QCheckBox::toggled, fieldMarks.get(), &FieldMarks::show);
    connect(loader, &FormLoader::loaded, fieldMarks.get(), &FieldMarks::lookAt);
    connect(loader, &FormLoader::undone, fieldMarks.get(), &FieldMarks::show);
    driveChooser->showWhatTheCardHolds();
    driveChooser->follow();
}

Configurator::~Configurator()
{
    saveSettings();
    // The fields lose their focus as they go: nothing is marked any more.
    fieldMarks.reset();
    delete ui;
}

void Configurator::setExitFunction(ExitFunction function)
{
    exitFunction = std::move(function);
}

QStringList Configurator::drives() const
{
    return driveChooser->rootPaths();
}

quint8 Configurator::currentModeCode() const
{
    return form->modeCode();
}

void Configurator::loadParameterFile(const QString& path)
{
    loader->fromFile(path);
}

void Configurator::closeEvent(QCloseEvent* event)
{
    // The window shows the outcome of a card write, which ends within its time limits; the run ends with the window.
    if (generate->isWaiting() || !series->windowMayClose()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

void Configurator::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    // Another font or style gives the labels other widths.
    if (rows && rows->hasColumn() && (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange))
        rows->keepColumn();
}

void Configurator::describeControls()
{
    // The two small buttons show only a symbol: name them for tooltips and screen readers.
    ui->refreshButton->setToolTip(tr("Refresh the list of SD cards"));
    ui->refreshButton->setAccessibleName(ui->refreshButton->toolTip());
    // Both show the refresh symbol: one icon, each size decoded once, when it is first drawn.
    const QIcon symbol = BundleSymbolEngine::refreshSymbol();
    ui->refreshButton->setIcon(symbol);
    ui->keyGenerationButton->setIcon(symbol);
    ui->keyGenerationButton->setToolTip(tr("Generate a random user key"));
    ui->keyGenerationButton->setAccessibleName(ui->keyGenerationButton->toolTip());
    // They show no text to mark a letter in either.
    ui->refreshButton->setShortcut(QKeySequence(tr("Alt+F", "shortcut of the button that refreshes the card list")));
    ui->keyGenerationButton->setShortcut(QKeySequence(tr("Alt+Y", "shortcut of the button that draws a user key")));
    new LabelClicks(ui->centralWidget, this);
}

// The form as the user changes it: the fields of each mode, the reset option, the defaults and the user key.

void Configurator::modeSerialChanged()
{
    const quint8 modeCode = currentModeCode();
    // Labels first, then fields.
    for (const FormField::Description& field : FormField::fields)
        fieldLabels[field.id]->setVisible(ModeCode::showsField(modeCode, field.id));
    ui->resetConfigLabel->setVisible(ModeCode::showsReset(modeCode));
    for (const FormField::Description& field : FormField::fields)
        fieldEdits[field.id]->setVisible(ModeCode::showsField(modeCode, field.id));
    ui->keyGenerationButton->setVisible(ModeCode::showsField(modeCode, FormField::UserKey));
    ui->resetConfigCheckBox->setVisible(ModeCode::showsReset(modeCode));
    if (secrets)
        secrets->showFor(modeCode);
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    // Qt 6 can take a hidden row out of the form, so that it leaves no gap.
    for (const FormField::Description& field : FormField::fields)
        ui->formLayout->setRowVisible(fieldLabels[field.id], ModeCode::showsField(modeCode, field.id));
    ui->formLayout->setRowVisible(ui->resetConfigLabel, ModeCode::showsReset(modeCode));
#else
    rows->closeHiddenRows();
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
    if (secrets)
        secrets->setPinEditable(enabled);
}

void Configurator::buttonDefaultSettingsClicked()
{
    ui->sdCardPath->setCurrentIndex(0);
    form->chooseMode(ModeCode::Default);
    for (QLineEdit* field : fieldEdits)
        field->setText(QString());
    ui->resetConfigCheckBox->setChecked(false);
    on_resetConfigCheckBox_clicked(false);
}

void Configurator::on_keyGenerationButton_clicked()
{
    ui->userKeyLineEdit->setText(userKeyFromIdentifier(createAcceptableIdentifier()));
}

void Configurator::on_refreshButton_clicked()
{
    driveChooser->refresh();
}

// The form remembered between runs, in the application's default settings store.

void Configurator::saveSettings()
{
    form->save();
}

void Configurator::restoreSettings()
{
    form->restore();
}

// "Generate".

void Configurator::waitForSecrets()
{
    if (form->awaitsKeychain())
        generate->waitForCard([this](const DetachedWork::Pump& keepPainting) { form->waitForSecrets(keepPainting); });
}

bool Configurator::secretsAtHand()
{
    waitForSecrets();
    const std::optional<FormField::Id> notGot = form->secretNotGot();
    if (!notGot)
        return true;
    MessageBox::warning(this, tr("Secret not read"), RememberedForm::secretNotGotText(*notGot));
    fieldEdits[*notGot]->setFocus();
    return false;
}

void Configurator::buttonSaveClicked()
{
    form->putPhoneNumbersInAcceptedForm();
    // A secret that the keychain did not give would be written as an empty one.
    if (!secretsAtHand())
        return;
    const FormValues values = form->values();
    // A remembered position beyond today's cards leaves none chosen: never guess one for the user.
    const std::optional<MountedVolume> listed = driveChooser->listed(values.driveIndex);
    GenerateProcedure::Result result = generate->run(values, listed);
    using Ending = GenerateProcedure::Result::Ending;
    switch (result.ending) {
    case Ending::FormRefused:
        showFormProblem(*result.formProblem);
        return;
    case Ending::NoCard:
    case Ending::CardInUse:
    case Ending::NotLocked:
    case Ending::NotResponding:
        generate->warn(result.message);
        return;
    case Ending::Kept:
        return;
    case Ending::Refused:
    case Ending::Written:
        break;
    }
    const CardOutcome& outcome = result.card;
    if (result.unrecorded)
        std::fprintf(stderr, "%s: %s\n", qPrintable(QCoreApplication::applicationName()),
                     qPrintable(*result.unrecorded));
    // The list may have been rebuilt while the card was written: the card keeps its entry, found by its root path.
    driveChooser->describeAnew(listed->rootPath, outcome.rootPath);
    RunCard ranCard = runCardOf(result, *listed, values);
    ranCard.preset = presetControls->chosen();
    if (!result.written()) {
        series->addToRun(ranCard);
        generate->warn(result.message);
        return;
    }
    std::optional<EjectOutcome> ejected;
    if (values.ejectCardWhenDone) {
        ejected = generate->letCardGo(outcome.rootPath);
        ranCard.letGo = ejected->result == EjectOutcome::Result::Ejected;
        ranCard.reason = ejected->reason;
    }
    // The editor and the portal open for the run's first card that hands its identifier off; a card whose identifier
    // goes into the run's file offers the portal in its box instead.
    const bool laterHandOff = series->handOffOf(ranCard) == CardRun::HandOff::RunFile;
    series->addToRun(ranCard);
    if (laterHandOff)
        result.openIdentifierFile = result.openPortal = false;

    const QString letGo = ejected ? GenerateTexts::cardLetGo(*ejected) : QString();
    const bool another = generate->tellGenerated(result.message, letGo, ranCard, laterHandOff);
    if (result.openIdentifierFile)
        DesktopOpen::textFile(result.identifierFile.filePath);
    if (result.openPortal)
        DesktopOpen::webAddress(GenerateTexts::portalAddress());
    saveSettings();
    if (another) {
        // The form stays as it is. The card just prepared is never chosen again by itself: another card already in
        // is, or else the next one that arrives.
        driveChooser->chooseOtherThan(outcome.rootPath);
        return;
    }
    series->endRun();
    exitFunction(0);
}

void Configurator::showFormProblem(const FormProblem& problem)
{
    QLineEdit* field = fieldEdits[problem.field];
    const FormTexts::Message shown = FormTexts::problem(problem);
    QString message = shown.text;
    // A value restored into a field that the reset option greys out can only be mended once the option is off.
    if (!field->isEnabled())
        message += tr("\nUncheck \"Reset Configuration\" to edit this field.");
    MessageBox::warning(this, shown.title, message);
    // Not one problem per press: every field that would be refused is marked now.
    fieldMarks->lookAtEvery();
    if (field->isEnabled() && field->isVisible())
        field->setFocus();
}
