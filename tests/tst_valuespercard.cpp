// Values per card: a series of cards over folders presented as cards, each given the next row of a list, and the list
// of the run for the portal; a damaged list refused by vskwrite before it waits for a card.
#include "generation/CardRecord.h"
#include "generation/CardSeries.h"
#include "parameterfile/Identifier.h"
#include "parameterfile/ParameterFileDecoder.h"
#include "support/FakeDrivePlatform.h"
#include "support/TestFiles.h"

#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

class TestValuesPerCard : public QObject
{
    Q_OBJECT

    QTemporaryDir home;

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(home.isValid());
        useHome(home);
    }

    // Five cards put in together with a list of three rows: a read-only card takes a row and gives it back, three
    // cards are prepared, each with its row's PIN; the fifth waits for a row and is told that none is left, untouched.
    // The run's list pairs each identifier with its row and site; no list of the run holds a PIN.
    void threeRowsForThreeCards()
    {
        FormValues form;
        form.modeCode = ModeCode::Gsm;
        form.text(FormField::AccessPointName) = QStringLiteral("internet.example.net");
        form.text(FormField::PinCode) = QStringLiteral("0000");
        form.ejectCardWhenDone = false;
        const QByteArray list = "site;pinCode;username\r\n"
                                "Lausanne;4711;\"=cmd\"\r\n"
                                ";;\r\n"
                                "Bern;523801;bern\r\n"
                                "\"Biel, Nord\";9012;\r\n";
        const ValuesPerCard::Reading reading = ValuesPerCard::parse(list, form);
        QVERIFY(!reading.refusal);
        QCOMPARE(reading.list.rows.size(), 3);
        const QStringList pins{QStringLiteral("4711"), QStringLiteral("523801"), QStringLiteral("9012")};
        const QStringList sites{QStringLiteral("Lausanne"), QStringLiteral("Bern"), QStringLiteral("Biel, Nord")};

        QTemporaryDir cards;
        auto drives = std::make_shared<FakeDrivePlatform>();
        CardRun run;
        CardSeries series(drives, run);
        QSignalSpy ended(&series, &CardSeries::cardEnded);
        QSignalSpy finished(&series, &CardSeries::finished);
        CardSeries::Settings settings;
        settings.values = form;
        settings.valuesPerCard = std::make_shared<ValuesPerCard::List>(reading.list);
        QVERIFY(!series.start(settings).problem);
        QCOMPARE(series.nextRow()->site, sites.first());
        for (const char* name : {"readonly", "a", "b", "c", "d"}) {
            QVERIFY(QDir().mkpath(cards.filePath(QLatin1String(name))));
            drives->addCard(cards.filePath(QLatin1String(name)), QLatin1String(name), qstrcmp(name, "readonly") == 0);
        }
        series.lookAtVolumes();
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 10000);
        QCOMPARE(ended.count(), 5);
        QVERIFY(series.rowsUsedUp());
        QCOMPARE(series.prepared(), 3);

        QSet<int> rowsUsed;
        for (const QList<QVariant>& one : qAsConst(ended)) {
            const RunCard card = one.at(0).value<RunCard>();
            const QString parameterFile = card.rootPath + QStringLiteral("/02/GP0_0000.VSK");
            if (card.card.endsWith(QLatin1String("readonly")) || card.card.endsWith(QLatin1String("d"))) {
                QVERIFY(card.result != RunCard::Result::Prepared);
                QCOMPARE(card.valuesRow, 0);
                QVERIFY(!QFile::exists(parameterFile));
                if (card.card.endsWith(QLatin1String("d")))
                    QVERIFY2(card.reason.contains(QLatin1String("every row")), qPrintable(card.reason));
                continue;
            }
            QCOMPARE(card.result, RunCard::Result::Prepared);
            rowsUsed.insert(card.valuesRow);
            const int row = card.valuesRow - 1;
            const DecodedParameterFile file = decodeParameterFile(readFile(parameterFile), parameterFile);
            QCOMPARE(file.textRecords.at(FormField::PinCode), pins.at(row).toLatin1());
            QCOMPARE(file.textRecords.at(FormField::AccessPointName), QByteArray("internet.example.net"));
            QCOMPARE(card.site, sites.at(row));
            QCOMPARE(card.rowValues.keys(), QStringList{QStringLiteral("username")});
        }
        QCOMPARE(rowsUsed, (QSet<int>{1, 2, 3}));

        // The run's CSV: a header and one line per prepared card, its identifier beside its row and site; a value
        // that a spreadsheet would take for a formula is quoted away, as the record does it.
        const QList<QByteArray> lines = CardRun::listCsv(run.cards()).trimmed().split('\n');
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines.first(), QByteArray("Identifier,Mode,Time,Card,Reader,Site or preset,Row,username"));
        for (const RunCard& card : run.cards()) {
            if (card.result != RunCard::Result::Prepared)
                continue;
            const QByteArray identifier = identifierText(card.identifier).toLatin1();
            const auto line = std::find_if(lines.begin(), lines.end(),
                                           [&](const QByteArray& one) { return one.startsWith(identifier); });
            QVERIFY(line != lines.end());
            QVERIFY2(line->contains(CardRecord::csvLine({card.site, QString::number(card.valuesRow)}).trimmed()),
                     line->constData());
            if (card.valuesRow == 1)
                QVERIFY2(line->endsWith(",'=cmd"), line->constData());
        }
        const QByteArray everyList =
            CardRun::listCsv(run.cards()) + readFile(CardRecord::filePath()) + CardRun::identifiersContent(run.cards());
        QVERIFY2(everyList.contains(",3,\"Biel, Nord\"\n"), readFile(CardRecord::filePath()).constData()); // the record
        for (const QString& pin : pins)
            QVERIFY(!everyList.contains(pin.toLatin1()));
    }

    // A list that is not one is refused whole, naming its line, before vskwrite waits for any card.
    void damagedListRefused_data()
    {
        QTest::addColumn<QByteArray>("list");
        QTest::addColumn<QString>("told");
        const QByteArray header = "site,pinCode\n";
        QTest::newRow("unknown column") << QByteArray("site,pin\n") << QStringLiteral("line 1: the column \"pin\"");
        QTest::newRow("no field takes it") << QByteArray("site,simCardPhoneNumber\nA,+41791234567\n")
                                           << QStringLiteral("line 2: SIM Card Phone Number is not used in the mode");
        QTest::newRow("form refuses it") << header + "A,1234\nB,12x4\n" << QStringLiteral("line 3: The PIN code");
        QTest::newRow("too many values") << header + "A,1234,x\n" << QStringLiteral("line 2: the row has 3 values");
        QTest::newRow("row too long") << header + "A,1234\n" + QByteArray(5000, 'a') + ",1234\n"
                                      << QStringLiteral("line 3: the row is longer than 4096 bytes");
        QTest::newRow("not UTF-8") << header + "Z\xfcrich,1234\n" << QStringLiteral("line 2: the text is not UTF-8");
        QTest::newRow("10,001 rows") << header + QByteArray("A,1234\n").repeated(10001)
                                     << QStringLiteral("line 10002: the list holds more than 10000 rows");
    }
    void damagedListRefused()
    {
        QFETCH(QByteArray, list);
        QFETCH(QString, told);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("values.csv"));
        QVERIFY(writeFile(path, list));
        QProcess writer;
        writer.start(QStringLiteral(VSKWRITE_PATH),
                     {QStringLiteral("--each-card"), QStringLiteral("--no-open"), QStringLiteral("--mode"),
                      QStringLiteral("gsm"), QStringLiteral("--values"), path});
        QVERIFY(writer.waitForFinished(20000));
        QCOMPARE(writer.exitCode(), 1);
        const QString error = QString::fromUtf8(writer.readAllStandardError());
        QVERIFY2(error.contains(told) && !error.contains(QLatin1String("waiting")), qPrintable(error));
        QVERIFY(writer.readAllStandardOutput().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestValuesPerCard)
#include "tst_valuespercard.moc"
