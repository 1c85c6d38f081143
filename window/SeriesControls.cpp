#include "window/SeriesControls.h"

#include "base/ShownText.h"
#include "desktop/DesktopOpen.h"
#include "generation/GenerateTexts.h"
#include "generation/RunTexts.h"
#include "settings/FormStore.h"
#include "settings/SettingsKeys.h"
#include "window/CardNotification.h"
#include "window/FileDialog.h"
#include "window/MessageBox.h"
#include "window/RunList.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QSignalBlocker>
#include <QStandardPaths>

SeriesControls::SeriesControls(QWidget* window, QWidget* area, QBoxLayout* column, QLayout* options,
                               const QMargins& margins, std::shared_ptr<DrivePlatform> drives, Form form)
    : QObject(window), window(window), drives(std::move(drives)), form(std::move(form))
{
    // Off at every start: nothing is written without the user turning it on. It sits under the eject option, so that
    // the fields keep their places; the rest is in the run's own window.
    box = new QCheckBox(QCoreApplication::translate("Configurator", "Prepare each card pu&t in"), area);
    box->setObjectName(QStringLiteral("seriesCheckBox"));
    box->setToolTip(QCoreApplication::translate(
        "Configurator", "Every card put in from now on is prepared with this form, without a "
                        "click. Cards that hold a GSM or LAN identifier are kept as they are."));
    // A row of its own under the eject option, from the window's left margin: its text is long in every language.
    auto* row = new QHBoxLayout;
    row->setContentsMargins(margins.left(), 0, margins.right(), 0);
    row->addWidget(box);
    column->insertLayout(column->indexOf(options) + 1, row);
    // While a series runs the form cannot change: the cards get the values shown.
    note = new QLabel(QCoreApplication::translate("Configurator", "Every card put in gets the values shown. To change "
                                                                  "them, stop the series."),
                      area);
    note->setObjectName(QStringLiteral("seriesNote"));
    note->setWordWrap(true);
    note->hide();
    auto* noteRow = new QHBoxLayout;
    noteRow->setContentsMargins(margins.left(), 0, margins.right(), 0);
    noteRow->addWidget(note);
    column->insertLayout(column->indexOf(row) + 1, noteRow);

    series = new CardSeries(this->drives, run, this);
    connect(box, &QCheckBox::toggled, this, &SeriesControls::toggled);
    connect(series, &CardSeries::cardStarted, this, &SeriesControls::showNextRow);
    connect(series, &CardSeries::cardEnded, this, [this](const RunCard& card) {
        showInRunList(card);
        showNextRow();
        list().showCounters(series->prepared(), series->refused());
        CardNotification::show(this->window, RunTexts::notificationTitle(card), RunTexts::notificationText(card));
    });
    connect(series, &CardSeries::finished, this, [this] {
        const QSignalBlocker quiet(box);
        box->setChecked(false);
        if (series->rowsUsedUp()) {
            const QString usedUp = ValuesPerCard::usedUpText(int(valuesList->rows.size()));
            CardNotification::show(this->window, QCoreApplication::translate("Configurator", "Values per card"),
                                   usedUp);
            list().showValues(usedUp);
        }
        valuesList.reset();
        if (!series->rowsUsedUp())
            showNextRow(); // the list went with the series
        holdForm(false);
        endRun();
        if (closeAfterSeries)
            emit closeAgain();
    });
}

SeriesControls::~SeriesControls() = default;

RunList& SeriesControls::list()
{
    // Made once the run has a card or a series starts: the window's first frame does without it.
    if (!runList) {
        // A window of its own, without a parent: its buttons' letters are not the form's.
        runList = std::make_unique<RunList>();
        runList->setAttribute(Qt::WA_QuitOnClose, false);
        connect(runList.get(), &RunList::countChanged, series, &CardSeries::setCount);
        connect(runList.get(), &RunList::readerToggled, this, &SeriesControls::readerToggled);
        connect(runList.get(), &RunList::valuesRequested, this, &SeriesControls::chooseValues);
    }
    return *runList;
}

bool SeriesControls::isRunning() const
{
    return series->isRunning();
}

bool SeriesControls::windowMayClose()
{
    // The run ends with the window: the cards in hand end first, then its identifiers are handed off once.
    if (series->inHand() > 0) {
        closeAfterSeries = true;
        series->stop();
        return false;
    }
    series->stop();
    endRun();
    if (runList)
        runList->close();
    return true;
}

void SeriesControls::toggled(bool on)
{
    if (!on) {
        series->stop();
        return;
    }
    CardSeries::Settings settings;
    settings.values = form.values();
    settings.count = list().count();
    settings.skippedReaders = rememberedSkippedReaders();
    settings.valuesPerCard = valuesList;
    settings.preset = form.preset ? form.preset() : QString();
    const CardSeries::Started started = series->start(settings);
    if (started.problem) {
        const QSignalBlocker quiet(box);
        box->setChecked(false);
        if (started.formProblem)
            emit formRefused(*started.formProblem);
        else if (started.valuesRefusal)
            MessageBox::warning(window, QCoreApplication::translate("Configurator", "Values per card"),
                                ValuesPerCard::refusalText(valuesList->filePath, *started.valuesRefusal));
        else
            MessageBox::warning(window, QCoreApplication::translate("Configurator", "Cards not followed"),
                                QCoreApplication::translate("Configurator",
                                                            "This system tells nothing of cards put in: prepare each "
                                                            "card with \"Generate\"."));
        return;
    }
    list().showCounters(0, 0);
    list().showReaders(drives->cardReaders(), settings.skippedReaders);
    list().show();
    heldValues = settings.values;
    holdForm(true);
    showNextRow();
}

void SeriesControls::chooseValues()
{
    const QString title = QCoreApplication::translate("Configurator", "Values per card");
    const QString path = FileDialog::openFileName(
        &list(), title, QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation),
        QCoreApplication::translate("Configurator", "CSV files (*.csv)") + QStringLiteral(";;") +
            QCoreApplication::translate("Configurator", "All files (*)"));
    if (path.isEmpty())
        return;
    // Checked against the form the series holds, or the form as it stands for the next series.
    const ValuesPerCard::Reading reading = ValuesPerCard::read(path, series->isRunning() ? heldValues : form.values());
    std::optional<ValuesPerCard::Refusal> refusal = reading.refusal;
    const auto chosen = std::make_shared<const ValuesPerCard::List>(reading.list);
    if (!refusal && series->isRunning())
        refusal = series->setValuesPerCard(chosen);
    if (refusal) {
        MessageBox::warning(&list(), title, ValuesPerCard::refusalText(path, *refusal));
        return;
    }
    valuesList = chosen;
    showNextRow();
}

void SeriesControls::showNextRow()
{
    const QString file = valuesList ? ShownText::escaped(QFileInfo(valuesList->filePath).fileName()) : QString();
    const int rows = valuesList ? int(valuesList->rows.size()) : 0;
    if (!series->isRunning()) {
        list().showValues(valuesList ? QCoreApplication::translate("Configurator",
                                                                   "Values per card: %1, %2 rows, from the next "
                                                                   "series on")
                                           .arg(file)
                                           .arg(rows)
                                     : QCoreApplication::translate("Configurator", "Values per card: none"));
        return;
    }
    // The fields show what the next card gets: the form, with the next row's values in their fields.
    const std::optional<ValuesPerCard::Row> next = series->nextRow();
    const FormValues shown = next ? next->appliedTo(heldValues) : heldValues;
    for (int field = 0; field < form.fields.size() && field < int(FormField::count); ++field)
        form.fields.at(field)->setText(shown.texts[std::size_t(field)]);
    if (!valuesList) {
        list().showValues(QCoreApplication::translate("Configurator", "Values per card: none"));
        return;
    }
    const QString row = next ? ValuesPerCard::rowText(*next, rows)
                             : QCoreApplication::translate("Configurator", "a row that a card in hand gives back");
    list().showValues(
        QCoreApplication::translate("Configurator", "Values per card: %1; the next card gets %2").arg(file, row));
    note->setText(QCoreApplication::translate("Configurator", "The next card put in gets the values shown, %1 of %2. "
                                                              "To change them, stop the series.")
                      .arg(row, file));
}

QSet<QString> SeriesControls::rememberedSkippedReaders() const
{
    if (FormStore::unusableStore())
        return {};
    const QStringList readers = QSettings().value(SettingsKeys::skippedReaders).toStringList();
    return QSet<QString>(readers.cbegin(), readers.cend());
}

void SeriesControls::readerToggled(const QString& readerId, bool skipped)
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

void SeriesControls::holdForm(bool held)
{
    // The form shows what every card of the series gets: nothing in it changes until the series stopped. One writer
    // per card: "Generate" waits until the series is off.
    for (QLineEdit* edit : qAsConst(form.fields))
        edit->setReadOnly(held);
    for (const char* name : qAsConst(form.controls)) {
        if (auto* control = window->findChild<QWidget*>(QLatin1String(name)))
            control->setEnabled(!held);
    }
    if (!held) {
        // The fields held a row of the values per card: they show the form's own values again.
        for (int field = 0; field < form.fields.size() && field < int(FormField::count); ++field)
            form.fields.at(field)->setText(heldValues.texts[std::size_t(field)]);
        note->setText(QCoreApplication::translate("Configurator", "Every card put in gets the values shown. To change "
                                                                  "them, stop the series."));
        emit formReleased();
    }
    note->setVisible(held);
}

void SeriesControls::addToRun(const RunCard& given)
{
    RunCard card = given;
    if (card.preset.isEmpty() && form.preset)
        card.preset = form.preset();
    run.add(card);
    showInRunList(card);
}

void SeriesControls::showInRunList(const RunCard& card)
{
    list().add(card);
    if (!run.identifiersFile().filePath.isEmpty())
        list().showIdentifiersFile(run.identifiersFile().filePath);
    // One card is no run yet: the list opens with the second (a series opens it as it starts).
    if (list().rows() == 2)
        list().show();
}

void SeriesControls::endRun()
{
    // The run's identifiers are shown once, and the portal opened once, for all of them.
    if (!run.takeHandOff())
        return;
    if (!run.identifiersFile().filePath.isEmpty())
        DesktopOpen::textFile(run.identifiersFile().filePath);
    DesktopOpen::webAddress(GenerateTexts::portalAddress());
}
