// "Prepare each card put in" in the window: cards are folders put in through the drive platform, the platform's
// notification reaches the window's volume watchers, every box is held and what would be opened is recorded. The
// card writes of a series are tested on real cards in tst_cardseries; here is what the window adds: no box and
// nothing opened per card, the run's identifiers handed off once at the end of the run.
#include "desktop/DesktopOpen.h"
#include "drives/VolumeWatcher.h"
#include "generation/CardSeries.h"
#include "generation/GenerateTexts.h"
#include "parameterfile/Identifier.h"
#include "parameterfile/ParameterFileDecoder.h"
#include "support/HeldBoxes.h"
#include "support/QuietOffscreen.h"
#include "support/TestFiles.h"
#include "support/WindowTest.h"
#include "window/FileDialog.h"
#include "window/RunList.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSemaphore>
#include <QStandardPaths>
#include <QTableWidget>

class TestSeries : public QObject
{
    Q_OBJECT

    std::unique_ptr<FreshDesk> desk;
    FakeDrivePlatform* drives = nullptr;
    std::unique_ptr<Configurator> window;
    QList<QPair<DesktopOpen::Kind, QString>> opened;
    QSemaphore labelling{1}; // a card is held in hand while the test holds this
    bool holdingCards = false;

    QString card(int i) const { return desk->card(i); }
    QByteArray parameterFile(int i) const { return readFile(card(i) + QStringLiteral("/02/GP0_0000.VSK")); }

    // A GSM form over card0, which is in before the series starts (in reader); the series turned on.
    void startSeries(const QString& reader = QString())
    {
        QDir().mkpath(card(0));
        auto platform = std::make_unique<FakeDrivePlatform>();
        platform->addCard(card(0), QStringLiteral("CARD0"), false, reader);
        platform->whileLabelling = [this](const QString&) {
            labelling.acquire();
            labelling.release();
        };
        drives = platform.get();
        window = std::make_unique<Configurator>(std::move(platform));
        window->show();
        auto* mode = widget<QComboBox>(*window, "modeSerial");
        mode->setCurrentIndex(mode->findText(QStringLiteral("GSM")));
        widget<QLineEdit>(*window, "APN")->setText(QStringLiteral("internet.example.net"));
        widget<QCheckBox>(*window, "seriesCheckBox")->click();
        QVERIFY(window->findChild<CardSeries*>()->isRunning());
    }
    // The cards are put in together: the platform lists them and tells every watcher.
    void putIn(std::initializer_list<int> numbers) const
    {
        for (int i : numbers) {
            QDir().mkpath(card(i));
            drives->addCard(card(i), QStringLiteral("CARD%1").arg(i));
        }
        const QList<VolumeWatcher*> watchers = window->findChildren<VolumeWatcher*>();
        for (VolumeWatcher* watcher : watchers)
            watcher->noteChange();
    }
    static int runRows()
    {
        const QWidgetList windows = QApplication::topLevelWidgets();
        for (QWidget* shown : windows) {
            if (shown->objectName() == QLatin1String("runList"))
                return widget<QTableWidget>(*shown, "runTable")->rowCount();
        }
        return -1;
    }
    static QWidget* runList()
    {
        const QWidgetList windows = QApplication::topLevelWidgets();
        for (QWidget* shown : windows) {
            if (shown->objectName() == QLatin1String("runList"))
                return shown;
        }
        return nullptr;
    }
    // What was opened is the run's identifiers file, listing exactly these identifiers, and the portal.
    void handedOffOnce(const QStringList& identifiers) const
    {
        QCOMPARE(opened.size(), 2);
        QCOMPARE(opened.at(0).first, DesktopOpen::Kind::TextFile);
        const QString text = QString::fromUtf8(readFile(opened.at(0).second));
        QCOMPARE(text.count(QStringLiteral("YOUR IDENTIFIER")), identifiers.size());
        for (const QString& identifier : identifiers)
            QVERIFY2(text.contains(identifier), qPrintable(identifier));
        QCOMPARE(opened.at(1), qMakePair(DesktopOpen::Kind::WebAddress, GenerateTexts::portalAddress()));
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        quietOffscreenPlatform();
        DesktopOpen::setHandler(
            [this](DesktopOpen::Kind kind, const QString& target) { opened.append(qMakePair(kind, target)); });
    }
    void init()
    {
        desk = std::make_unique<FreshDesk>();
        QVERIFY(desk->isValid());
        opened.clear();
    }
    void cleanup()
    {
        if (holdingCards) // no card thread stays held by a failed test
            labelling.release();
        holdingCards = false;
        window.reset();
        desk.reset();
    }

    // Two cards put in together and one after: each is written with an identifier of its own, without a box and
    // without anything opened; the card in before the series is not written. Stopping the series hands the run's
    // identifiers off once.
    void aBoxOfCardsHandsOffOnceAtTheEnd()
    {
        startSeries();
        putIn({1, 2});
        QTRY_COMPARE(runRows(), 2);
        putIn({3});
        QTRY_COMPARE(runRows(), 3);
        QStringList identifiers;
        for (int i = 1; i <= 3; ++i)
            identifiers << identifierText(
                decodeParameterFile(parameterFile(i), QStringLiteral("GP0_0000.VSK")).identifier);
        identifiers.removeDuplicates();
        QCOMPARE(identifiers.size(), 3);
        QVERIFY(!QFileInfo::exists(card(0) + QStringLiteral("/02")));
        QVERIFY(desk->boxes.seen().isEmpty());
        QVERIFY(opened.isEmpty());

        widget<QCheckBox>(*window, "seriesCheckBox")->click();
        QVERIFY(!window->findChild<CardSeries*>()->isRunning());
        handedOffOnce(identifiers);
    }

    // The window closed while a card is in hand stays until the card ended, then hands off once and closes.
    void closingWhileACardIsInHandHandsOffOnce()
    {
        startSeries();
        labelling.acquire();
        holdingCards = true;
        putIn({1});
        QTRY_COMPARE(window->findChild<CardSeries*>()->inHand(), 1);
        QVERIFY(!window->close());
        QVERIFY(window->isVisible());
        QVERIFY(opened.isEmpty());

        labelling.release();
        holdingCards = false;
        QTRY_VERIFY(!window->isVisible());
        handedOffOnce(
            {identifierText(decodeParameterFile(parameterFile(1), QStringLiteral("GP0_0000.VSK")).identifier)});
        QVERIFY(desk->boxes.seen().isEmpty());
    }

    // While a series runs the form shows what every card gets and nothing in it changes: typing goes nowhere, the
    // controls that fill or change the form are off, a line says how to change the values. Stopping gives it back.
    void theFormIsHeldWhileASeriesRuns()
    {
        startSeries();
        auto* apn = widget<QLineEdit>(*window, "APN");
        const char* const controls[] = {"modeSerial", "presetButton", "loadFromCardButton", "button_DefaultSettings",
                                        "button_Save"};
        const auto held = [&](bool on) {
            QCOMPARE(apn->isReadOnly(), on);
            for (const char* name : controls)
                QVERIFY2(widget<QWidget>(*window, name)->isEnabled() != on, name);
            QCOMPARE(widget<QLabel>(*window, "seriesNote")->isVisible(), on);
        };
        held(true);
        QVERIFY(widget<QLabel>(*window, "seriesNote")->text().contains(QLatin1String("stop the series")));
        apn->setFocus();
        QTest::keyClicks(apn, QStringLiteral("half.typed"));
        QCOMPARE(apn->text(), QStringLiteral("internet.example.net"));

        widget<QCheckBox>(*window, "seriesCheckBox")->click();
        held(false);
        QTest::keyClicks(apn, QStringLiteral("x"));
        QCOMPARE(apn->text(), QStringLiteral("internet.example.netx"));
    }

    // A reader unticked in the run's window is out of the series: a card put in it is ignored, one put in another
    // reader is prepared, and the next series remembers the choice.
    void aReaderTakenOutOfTheSeries()
    {
        startSeries(QStringLiteral("usb-1-2"));
        widget<QCheckBox>(*runList(), "readerCheckBox")->click();
        for (int i : {1, 2}) {
            QDir().mkpath(card(i));
            drives->addCard(card(i), QString(), false, i == 1 ? QStringLiteral("usb-1-2") : QStringLiteral("usb-1-3"));
        }
        putIn({});
        QTRY_COMPARE(runRows(), 1);
        QVERIFY(QFileInfo::exists(card(2) + QStringLiteral("/02")));
        QVERIFY(!QFileInfo::exists(card(1) + QStringLiteral("/02")));

        auto* series = widget<QCheckBox>(*window, "seriesCheckBox");
        series->click();
        series->click();
        QVERIFY(!widget<QCheckBox>(*runList(), "readerCheckBox")->isChecked());
    }

    // Values per card in the window: the form shows the row the next card gets, each card gets its row's PIN, the
    // series ends once both rows were used and the form shows its own PIN again. The new identifiers are copied one a
    // line (a kept one never with them, also when every row is selected) and the run is saved as CSV, each identifier
    // beside its row and site.
    void valuesPerCardAndTheRunsListForThePortal()
    {
        startSeries();
        auto* pin = widget<QLineEdit>(*window, "PIN_Code");
        const QString formPin = pin->text();
        const QString values = desk->home.filePath(QStringLiteral("values.csv"));
        QVERIFY(writeFile(values, "site,pinCode\nLausanne,4711\nBern,523801\n"));
        auto* list = static_cast<RunList*>(runList());
        FileDialog::setNextAnswer(values);
        widget<QPushButton>(*list, "valuesPerCardButton")->click();
        QCOMPARE(pin->text(), QStringLiteral("4711"));
        QVERIFY(widget<QLabel>(*list, "valuesPerCardLabel")->text().contains(QLatin1String("row 1 of 2 (Lausanne)")));
        putIn({1, 2});
        // Two cards written one after the other: under Wine that takes longer than QTRY's default.
        QTRY_VERIFY_WITH_TIMEOUT(!window->findChild<CardSeries*>()->isRunning(), 30000);
        QCOMPARE(pin->text(), formPin);
        QStringList identifiers;
        for (int i : {1, 2}) {
            const DecodedParameterFile file = decodeParameterFile(parameterFile(i), QStringLiteral("GP0_0000.VSK"));
            identifiers << identifierText(file.identifier);
            QVERIFY(file.textRecords.at(FormField::PinCode) == "4711" ||
                    file.textRecords.at(FormField::PinCode) == "523801");
        }

        RunCard kept;
        kept.result = RunCard::Result::Kept;
        kept.held.identifier = QUuid::createUuid();
        list->add(kept);
        auto* table = widget<QTableWidget>(*list, "runTable");
        table->selectAll();
        list->copyIdentifier();
        const QStringList copied = QApplication::clipboard()->text().split(QLatin1Char('\n'));
        QCOMPARE(QSet<QString>(copied.begin(), copied.end()), QSet<QString>(identifiers.begin(), identifiers.end()));
        table->clearSelection();
        widget<QPushButton>(*list, "copyNewIdentifiersButton")->click();
        QCOMPARE(QApplication::clipboard()->text().split(QLatin1Char('\n')).size(), 2);

        const QString saved = desk->home.filePath(QStringLiteral("run.csv"));
        FileDialog::setNextAnswer(saved);
        widget<QPushButton>(*list, "saveRunListButton")->click();
        const QList<QByteArray> lines = readFile(saved).trimmed().split('\n');
        QCOMPARE(lines.size(), 3);
        for (const QByteArray& line : lines.mid(1)) {
            const QList<QByteArray> fields = line.split(',');
            QVERIFY2(identifiers.contains(QString::fromLatin1(fields.at(0))), line.constData());
            QVERIFY2((fields.mid(5, 2) == QList<QByteArray>{"Lausanne", "1"}) ||
                         (fields.mid(5, 2) == QList<QByteArray>{"Bern", "2"}),
                     line.constData());
        }
    }

    // A card with a long name (a reader's model, a deep mount point) leaves the result, which says whether the card
    // may be taken out, in sight; the name is shortened in its middle and whole in its tooltip.
    void theResultStaysInSight()
    {
        RunList list;
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        RunCard card;
        card.result = RunCard::Result::Prepared;
        card.card = QStringLiteral("/media/installer/") + QString(120, QLatin1Char('x')) + QStringLiteral(" (7.9 GB)");
        list.add(card);
        auto* table = list.findChild<QTableWidget*>(QStringLiteral("runTable"));
        const int result = table->columnCount() - 1;
        QVERIFY(table->columnViewportPosition(result) +
                    table->fontMetrics().horizontalAdvance(table->item(0, result)->text()) <=
                table->viewport()->width());
        QCOMPARE(table->item(0, 1)->toolTip(), card.card);
    }
};

ORVA_WINDOW_TEST_MAIN(TestSeries)

#include "tst_series.moc"
