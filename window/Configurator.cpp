// The window: the form built from its .ui and the parts wired to it, the form remembered between runs, and "Generate":
// the generate procedure checks the form and the card and writes the file, the window asks before a handed-off
// identifier is replaced and keeps painting while the card is read and written; then it shows the result, lets the card
// go, and ends the program or waits for another card.
#include "window/Configurator.h"
#include "ui_Configurator.h"

#include "base/DetachedTask.h"
#include "base/ShownText.h"
#include "base/ThreadInbox.h"
#include "desktop/DesktopOpen.h"
#include "form/FormCheck.h"
#include "form/FormTexts.h"
#include "form/ModeCodes.h"
#include "form/PhoneNumber.h"
#include "generation/CardRelease.h"
#include "generation/GenerateProcedure.h"
#include "generation/IdentifierCode.h"
#include "generation/RunCard.h"
#include "labels/IdentifierImage.h"
#include "parameterfile/Identifier.h"
#include "settings/FormStore.h"
#include "settings/SettingsKeys.h"
#include "window/DriveChooser.h"
#include "window/FieldMarks.h"
#include "window/FieldValidator.h"
#include "window/FormLoader.h"
#include "window/FormRows.h"
#include "window/LabelClicks.h"
#include "window/LabelExport.h"
#include "window/MessageBox.h"
#include "window/PresetControls.h"
#include "window/SecretToggles.h"
#include "window/SeriesControls.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QMessageBox>
#include <QPixmap>
#include <QPointer>
#include <QScopeGuard>
#include <QSettings>
#include <QToolTip>
#include <QValidator>

#include <cstdio>

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
    describeControls();

    QList<QLabel*> hideable(fieldLabels.cbegin(), fieldLabels.cend());
    hideable << ui->resetConfigLabel;
    rows = std::make_unique<FormRows>(this, ui->formLayout, ui->optionsLayout,
                                      QList<QLabel*>{ui->label_SDCard, ui->label_Mode}, ui->label_Mode, hideable);
    driveChooser = new DriveChooser(ui->sdCardPath, ui->formLayout, drivePlatform, this);

    PresetControls::FrontEnd presetsFrontEnd;
    presetsFrontEnd.form = [this] { return formValues(); };
    presetsFrontEnd.fill = [this](const FormValues& values, const QString& source) { loader->fill(values, source); };
    presetsFrontEnd.whileBusy = [this](const std::function<void()>& work) { return ranWhileBusy(work); };
    presetControls = std::make_unique<PresetControls>(this, ui->formLayout, ui->modeSerial, std::move(presetsFrontEnd));

    SeriesControls::Form seriesForm;
    seriesForm.values = [this] {
        putPhoneNumbersInAcceptedForm();
        return formValues();
    };
    seriesForm.fields = QList<QLineEdit*>(fieldEdits.cbegin(), fieldEdits.cend());
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
    ui->modeSerial->setCurrentIndex(ui->modeSerial->findData(int(ModeCode::Default), Qt::UserRole, exactMatch));

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

    applyFieldLimits();
    driveChooser->refresh();
    const QString restoreNote = restoreForm();
    modeSerialChanged();
    installValidators();

    FormLoader::Form loaderForm;
    loaderForm.values = [this] { return formValues(); };
    loaderForm.apply = [this](const FormValues& values) { applyFormValues(values); };
    loaderForm.whileBusy = [this](const std::function<void()>& work) { return ranWhileBusy(work); };
    loaderForm.held = [this] { return series->isRunning(); };
    loaderForm.modeLabel = ui->label_Mode;
    loaderForm.fieldLabels = fieldLabels;
    loaderForm.resetLabel = ui->resetConfigLabel;
    loaderForm.modeList = ui->modeSerial;
    loaderForm.driveList = ui->sdCardPath;
    loaderForm.fields = fieldEdits;
    loader = new FormLoader(this, ui->centralWidget, ui->mainLayout, ui->formLayout->contentsMargins(),
                            std::move(loaderForm), restoreNote);
    connect(driveChooser, &DriveChooser::loadAsked, this,
            [this] { loader->fromCard(driveChooser->chosen(), ui->sdCardPath->currentText()); });

    rows->keepColumn();
    secrets = std::make_unique<SecretToggles>(ui->Password, ui->showPasswordButton, ui->PIN_Code, ui->showPinButton);
    secrets->showFor(currentModeCode());
    secrets->setPinEditable(!ui->resetConfigCheckBox->isChecked());
    fieldMarks = std::make_unique<FieldMarks>(fieldEdits, [this] { return formValues(); });
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
    return quint8(ui->modeSerial->currentData(Qt::UserRole).toInt() & 0xFF);
}

void Configurator::loadParameterFile(const QString& path)
{
    loader->fromFile(path);
}

void Configurator::closeEvent(QCloseEvent* event)
{
    // The window shows the outcome of a card write, which ends within its time limits; the run ends with the window.
    if (writingCard || !series->windowMayClose()) {
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
    // The key button shows the refresh button's symbol: one picture, read once.
    ui->keyGenerationButton->setIcon(ui->refreshButton->icon());
    ui->keyGenerationButton->setToolTip(tr("Generate a random user key"));
    ui->keyGenerationButton->setAccessibleName(ui->keyGenerationButton->toolTip());
    // They show no text to mark a letter in either.
    ui->refreshButton->setShortcut(QKeySequence(tr("Alt+F", "shortcut of the button that refreshes the card list")));
    ui->keyGenerationButton->setShortcut(QKeySequence(tr("Alt+Y", "shortcut of the button that draws a user key")));
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

void Configurator::applyFieldLimits()
{
    // Each field takes the length of the form's table. The phone validators bound the length themselves: a maximum
    // length on those fields would cut a pasted number short without a word.
    for (const FormField::Description& field : FormField::fields)
        fieldEdits[field.id]->setMaxLength(PhoneNumber::isPhoneField(field.id) ? FormField::lineEditLength
                                                                               : field.maxLength);
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
        connect(edit, &QLineEdit::inputRejected, this, [edit, forms = field.acceptedForms] {
            QToolTip::showText(edit->mapToGlobal(QPoint(0, edit->height())), tr("Accepted: %1").arg(tr(forms)), edit);
        });
    }
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
    ui->modeSerial->setCurrentIndex(ui->modeSerial->findData(int(ModeCode::Default), Qt::UserRole, exactMatch));
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

FormValues Configurator::formValues() const
{
    FormValues values;
    values.modeCode = currentModeCode();
    for (const FormField::Description& field : FormField::fields)
        values.text(field.id) = fieldEdits[field.id]->text();
    values.resetConfig = ui->resetConfigCheckBox->isChecked();
    values.driveIndex = ui->sdCardPath->currentIndex();
    values.ejectCardWhenDone = ui->ejectCardCheckBox->isChecked();
    return values;
}

void Configurator::applyFormValues(const FormValues& values)
{
    ui->modeSerial->setCurrentIndex(ui->modeSerial->findData(int(values.modeCode), Qt::UserRole, exactMatch));
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

// The form remembered between runs, in the application's default settings store.

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
    restoreForm();
}

QString Configurator::restoreForm()
{
    QString note;
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
            note = tr("The remembered mode %1 is none of the module's: the form starts in %2.")
                       .arg(ShownText::escaped(settings.value(SettingsKeys::serialMode).toString()),
                            tr(ModeCode::name(ModeCode::Default)));
        }
    }
    values.driveIndex = FormStore::driveIndexFor(values.driveIndex, ui->sdCardPath->count());
    applyFormValues(values);
    return note;
}

// "Generate", and the waits for the card.

void Configurator::buttonSaveClicked()
{
    putPhoneNumbersInAcceptedForm();
    const FormValues values = formValues();
    // A remembered position beyond today's cards leaves none chosen: never guess one for the user.
    const std::optional<MountedVolume> listed = driveChooser->listed(values.driveIndex);

    GenerateProcedure::FrontEnd frontEnd;
    frontEnd.replaceHandedOff = [this](const CardContents& held) { return replacementAccepted(held); };
    frontEnd.whileWaiting = [this](const std::function<void(const DetachedWork::Pump&)>& wait) { waitForCard(wait); };
    frontEnd.letsCardGo = values.ejectCardWhenDone;
    GenerateProcedure::Result result = GenerateProcedure::run(values, listed, drivePlatform, frontEnd);
    using Ending = GenerateProcedure::Result::Ending;
    switch (result.ending) {
    case Ending::FormRefused:
        showFormProblem(*result.formProblem);
        return;
    case Ending::NoCard:
    case Ending::CardInUse:
    case Ending::NotLocked:
    case Ending::NotResponding:
        warn(result.message);
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
    if (!result.written()) {
        series->addToRun(ranCard);
        warn(result.message);
        return;
    }
    std::optional<EjectOutcome> ejected;
    if (values.ejectCardWhenDone) {
        ejected = letCardGo(outcome.rootPath);
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
    const bool another = tellGenerated(result.message, letGo, ranCard, laterHandOff);
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

EjectOutcome Configurator::letCardGo(const QString& rootPath)
{
    // On a thread of its own, as every wait for the card and the disk service: the window keeps painting. The platform
    // bounds the eject itself (the bus's connection, then the service's deadline).
    return whileBusy<EjectOutcome>([drives = drivePlatform, rootPath] { return releaseCard(*drives, rootPath); },
                                   TimeLimits::busConnect + TimeLimits::eject + TimeLimits::diskServiceMargin)
        .value_or(EjectOutcome());
}

bool Configurator::tellGenerated(const GenerateTexts::Message& generated, const QString& letGo, const RunCard& card,
                                 bool offerPortal)
{
    // "OK" ends the program, as always; the second answer keeps the window for the next card.
    QMessageBox box(QMessageBox::Information, generated.title, generated.text + letGo, QMessageBox::Ok, this);
    box.setDefaultButton(QMessageBox::Ok);
    // Escape and the close button answer as "OK" does; Qt picks no such button among two that both accept.
    box.setEscapeButton(QMessageBox::Ok);
    // The identifier in the text may be selected and copied.
    box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    const QAbstractButton* another = box.addButton(GenerateTexts::prepareAnotherCard(), QMessageBox::ActionRole);
    const QAbstractButton* portal =
        offerPortal ? box.addButton(GenerateTexts::openPortal(), QMessageBox::ActionRole) : nullptr;
    // The identifier for a person's eye (grouped) and for a phone's camera; its label for the module.
    const bool handedOff = card.result == RunCard::Result::Prepared && ModeCode::handsOffIdentifier(card.modeCode);
    const QAbstractButton* labels = nullptr;
    if (handedOff) {
        box.setIconPixmap(QPixmap::fromImage(identifierImage(IdentifierCode(card.identifier))));
        box.setInformativeText(groupedIdentifier(card.identifier));
        labels = box.addButton(tr("Labels…"), QMessageBox::ActionRole);
    }
    const QAbstractButton* answer = MessageBox::exec(box);
    // The portal opens, or the label is saved, and the box stays for the answer that ends it.
    while ((portal && answer == portal) || (labels && answer == labels)) {
        if (answer == portal)
            DesktopOpen::webAddress(GenerateTexts::portalAddress());
        else
            LabelExport::save(this, {card});
        answer = MessageBox::exec(box);
    }
    return answer == another;
}

bool Configurator::replacementAccepted(const CardContents& held)
{
    const GenerateTexts::Message asked = GenerateTexts::replaceHandedOffIdentifier(held);
    QMessageBox box(QMessageBox::Question, asked.title, asked.text, QMessageBox::Cancel, this);
    const QAbstractButton* replace = box.addButton(GenerateTexts::replaceAnswer(), QMessageBox::DestructiveRole);
    box.setDefaultButton(QMessageBox::Cancel);
    return MessageBox::exec(box) == replace;
}

void Configurator::waitForCard(const std::function<void(const DetachedWork::Pump& keepPainting)>& wait)
{
    // The card is read or written on a thread of its own: the window keeps painting and shows that it is busy, and
    // neither a second "Generate" nor closing the window can start meanwhile. Every way out gives the window back.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QPointer<QWidget> focused = QApplication::focusWidget();
    ui->centralWidget->setEnabled(false);
    writingCard = true;
    const auto restore = qScopeGuard([this, focused] {
        writingCard = false;
        ui->centralWidget->setEnabled(true);
        if (focused)
            focused->setFocus();
        QApplication::restoreOverrideCursor();
    });
    // Between its looks at the card the window runs its event loop, so that it keeps painting; the card's task wakes
    // it as it ends. Should the application be told to quit meanwhile, the loop returns at once and the wait goes on
    // without it.
    EventLoopPump pump;
    const DetachedWork::Pump keepPainting(pump.runner(), pump.waker());
    wait(keepPainting);
}

bool Configurator::ranWhileBusy(const std::function<void()>& work)
{
    return whileBusy<bool>([work] {
               work();
               return true;
           })
        .has_value();
}

void Configurator::showFormProblem(const FormProblem& problem)
{
    QLineEdit* field = fieldEdits[problem.field];
    const FormTexts::Message shown = FormTexts::problem(problem);
    QString message = shown.text;
    // A value restored into a field that the reset option greys out can only be mended once the option is off.
    if (!field->isEnabled())
        message += tr("\nUncheck \"Reset Configuration\" to edit this field.");
    warn(shown.title, message);
    // Not one problem per press: every field that would be refused is marked now.
    fieldMarks->lookAtEvery();
    if (field->isEnabled() && field->isVisible())
        field->setFocus();
}

void Configurator::warn(const QString& title, const QString& message)
{
    MessageBox::warning(this, title, message);
}
