// "Prepare each card put in" in the window: the option, the number of cards, the counters, the run's list, a sound and
// a notification per card, and the run's identifiers handed off once at its end. The series itself is the core's.
#include "ui_Configurator.h"
#include "window/Configurator.h"

#include "desktop/DesktopOpen.h"
#include "form/FormCheck.h"
#include "generation/CardSeries.h"
#include "generation/RunTexts.h"
#include "settings/FormStore.h"
#include "settings/SettingsKeys.h"
#include "window/CardNotification.h"
#include "window/RunList.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSignalBlocker>

void Configurator::placeSeriesControls()
{
    // Off at every start: nothing is written without the user turning it on. It sits under the eject option, so that
    // the fields keep their places; the rest is in the run's own window.
    seriesBox = new QCheckBox(tr("Prepare each card pu&t in"), ui->centralWidget);
    seriesBox->setObjectName(QStringLiteral("seriesCheckBox"));
    seriesBox->setToolTip(tr("Every card put in from now on is prepared with this form, without a click. Cards that "
                             "hold a GSM or LAN identifier are kept as they are."));
    // A row of its own under the eject option, from the window's left margin: its text is long in every language.
    auto* column = qobject_cast<QBoxLayout*>(ui->optionsLayout->parent());
    Q_ASSERT(column);
    auto* row = new QHBoxLayout;
    const QMargins margins = ui->formLayout->contentsMargins();
    row->setContentsMargins(margins.left(), 0, margins.right(), 0);
    row->addWidget(seriesBox);
    column->insertLayout(column->indexOf(ui->optionsLayout) + 1, row);
    // While a series runs the form cannot change: the cards get the values shown.
    seriesNote =
        new QLabel(tr("Every card put in gets the values shown. To change them, stop the series."), ui->centralWidget);
    seriesNote->setObjectName(QStringLiteral("seriesNote"));
    seriesNote->setWordWrap(true);
    seriesNote->hide();
    auto* noteRow = new QHBoxLayout;
    noteRow->setContentsMargins(margins.left(), 0, margins.right(), 0);
    noteRow->addWidget(seriesNote);
    column->insertLayout(column->indexOf(row) + 1, noteRow);

    series = new CardSeries(drivePlatform, run, this);
    // A window of its own, without a parent: its buttons' letters are not the form's (the window deletes it).
    runList = new RunList;
    runList->setAttribute(Qt::WA_QuitOnClose, false);
    connect(runList, &RunList::countChanged, series, &CardSeries::setCount);
    connect(runList, &RunList::readerToggled, this, &Configurator::readerToggled);
    connect(seriesBox, &QCheckBox::toggled, this, &Configurator::seriesToggled);
    connect(series, &CardSeries::cardEnded, this, [this](const RunCard& card) {
        showInRunList(card);
        runList->showCounters(series->prepared(), series->refused());
        CardNotification::show(this, RunTexts::notificationTitle(card), RunTexts::notificationText(card));
    });
    connect(series, &CardSeries::finished, this, [this] {
        const QSignalBlocker quiet(seriesBox);
        seriesBox->setChecked(false);
        holdFormForSeries(false);
        endRun();
        if (closeAfterSeries)
            close();
    });
}

void Configurator::seriesToggled(bool on)
{
    if (!on) {
        series->stop();
        return;
    }
    putPhoneNumbersInAcceptedForm();
    CardSeries::Settings settings;
    settings.values = formValues();
    settings.count = runList->count();
    settings.skippedReaders = rememberedSkippedReaders();
    const CardSeries::Started started = series->start(settings);
    if (started.problem) {
        const QSignalBlocker quiet(seriesBox);
        seriesBox->setChecked(false);
        if (started.formProblem)
            showFormProblem(*started.formProblem);
        else
            warn(tr("Cards not followed"), tr("This system tells nothing of cards put in: prepare each card with "
                                              "\"Generate\"."));
        return;
    }
    runList->showCounters(0, 0);
    runList->showReaders(drivePlatform->cardReaders(), settings.skippedReaders);
    runList->show();
    holdFormForSeries(true);
}

QSet<QString> Configurator::rememberedSkippedReaders() const
{
    if (FormStore::unusableStore())
        return {};
    const QStringList readers = QSettings().value(SettingsKeys::skippedReaders).toStringList();
    return QSet<QString>(readers.cbegin(), readers.cend());
}

void Configurator::readerToggled(const QString& readerId, bool skipped)
{
    // Remembered by the reader's identity, for the next series too; a reader not present now keeps its choice.
    QSet<QString> readers = rememberedSkippedReaders();
    if (skipped)
        readers.insert(readerId);
    else
        readers.remove(readerId);
    series->setSkippedReaders(readers);
    if (FormStore::unwritableStore())
        return;
    QStringList stored(readers.cbegin(), readers.cend());
    stored.sort();
    QSettings settings;
    if (!FormStore::keepToOwner(settings)) // the store holds the form's secrets too
        return;
    if (stored.isEmpty())
        settings.remove(SettingsKeys::skippedReaders);
    else
        settings.setValue(SettingsKeys::skippedReaders, stored);
}

void Configurator::holdFormForSeries(bool held)
{
    // The form shows what every card of the series gets: nothing in it changes until the series stopped. One writer
    // per card: "Generate" waits until the series is off.
    for (QLineEdit* edit : fieldEdits)
        edit->setReadOnly(held);
    const QList<QWidget*> controls = {ui->modeSerial,
                                      ui->resetConfigCheckBox,
                                      ui->ejectCardCheckBox,
                                      ui->keyGenerationButton,
                                      ui->button_DefaultSettings,
                                      ui->button_Save,
                                      undoLoadButton,
                                      findChild<QWidget*>(QStringLiteral("presetButton")),
                                      findChild<QWidget*>(QStringLiteral("loadFromCardButton"))};
    for (QWidget* control : controls) {
        if (control)
            control->setEnabled(!held);
    }
    if (!held) // the reset option greys out what it covers
        on_resetConfigCheckBox_clicked(ui->resetConfigCheckBox->isChecked());
    seriesNote->setVisible(held);
}

void Configurator::addToRun(const RunCard& card)
{
    run.add(card);
    showInRunList(card);
}

void Configurator::showInRunList(const RunCard& card)
{
    runList->add(card);
    if (!run.identifiersFile().filePath.isEmpty())
        runList->showIdentifiersFile(run.identifiersFile().filePath);
    // One card is no run yet: the list opens with the second (a series opens it as it starts).
    if (runList->rows() == 2)
        runList->show();
}

void Configurator::endRun()
{
    // The run's identifiers are shown once, and the portal opened once, for all of them.
    if (!run.takeHandOff())
        return;
    if (!run.identifiersFile().filePath.isEmpty())
        DesktopOpen::textFile(run.identifiersFile().filePath);
    DesktopOpen::webAddress(GenerateTexts::portalAddress());
}
