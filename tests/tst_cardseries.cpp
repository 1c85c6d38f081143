// "Prepare each card put in" on real cards: ext4 images on loop devices in a private mount namespace, found by the
// real drive platform and its volume notifications, as a card reader's cards are. Needs root; skips elsewhere.
#include "drives/DrivePlatform.h"
#include "drives/VolumeWatcher.h"
#include "generation/CardContents.h"
#include "generation/CardRecord.h"
#include "generation/CardSeries.h"
#include "generation/CardWriter.h"
#include "generation/RunTexts.h"
#include "parameterfile/Identifier.h"
#include "support/CardLab.h"
#include "support/FakeDrivePlatform.h"
#include "support/RunTool.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <memory>

namespace {
FormValues gsmForm()
{
    FormValues values;
    values.modeCode = ModeCode::Gsm;
    values.text(FormField::AccessPointName) = QStringLiteral("internet.example");
    values.ejectCardWhenDone = false; // a loop device has nobody to eject it
    return values;
}

// Starts the series with the form; false when it refused to start.
bool started(CardSeries& series, const FormValues& values = gsmForm())
{
    CardSeries::Settings settings;
    settings.values = values;
    return !series.start(settings).problem;
}

QString parameterFileOn(const QString& root)
{
    return root + QStringLiteral("/02/GP0_0000.VSK");
}
} // namespace

class TestCardSeries : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        const QString why = CardLab::enter();
        if (!why.isEmpty())
            skipWholeTest(why);
        QVERIFY(home.isValid());
        qputenv("HOME", QFile::encodeName(home.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral(".config"))));
        qputenv("XDG_DATA_HOME", QFile::encodeName(home.filePath(QStringLiteral(".local/share"))));
        QVERIFY(QDir().mkpath(home.filePath(QStringLiteral("Desktop"))));
        QCoreApplication::setOrganizationName(QStringLiteral("Vaskor Quendra SA"));
        QCoreApplication::setApplicationName(QStringLiteral("ORVA Configurator"));
    }

    void init()
    {
        lab = std::make_unique<CardLab>();
        QFile::remove(CardRecord::filePath());
    }
    void cleanup() { lab.reset(); }

    // Five cards one after another and three at once: eight files, eight identifiers, eight lines in the record, and
    // one file with the run's identifiers. The card that was in before the series started is not written.
    void eightCardsOneAfterAnotherAndTogether()
    {
        QVERIFY2(lab->makeCard(QStringLiteral("before")).isEmpty(), "mkfs");
        QVERIFY2(lab->plug(QStringLiteral("before")).isEmpty(), "plug");
        CardRun run;
        CardSeries series(createNativeDrivePlatform(), run);
        QSignalSpy ended(&series, &CardSeries::cardEnded);
        QVERIFY(started(series));

        QStringList names;
        for (int i = 0; i < 8; ++i) {
            names << QStringLiteral("card%1").arg(i);
            QCOMPARE(lab->makeCard(names.last(), QStringLiteral("SAME")), QString());
        }
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(lab->plug(names.at(i)), QString());
            QTRY_COMPARE_WITH_TIMEOUT(ended.count(), i + 1, 10000);
        }
        for (int i = 5; i < 8; ++i)
            QCOMPARE(lab->plug(names.at(i)), QString());
        QTRY_COMPARE_WITH_TIMEOUT(ended.count(), 8, 10000);
        QCOMPARE(series.prepared(), 8);
        QCOMPARE(series.refused(), 0);

        QSet<QUuid> identifiers;
        for (const QString& name : names) {
            const CardContents held = readCardContents(lab->mountPoint(name));
            QCOMPARE(held.state, CardContents::State::Configured);
            QCOMPARE(held.modeCode, quint8(ModeCode::Gsm));
            identifiers.insert(held.identifier);
        }
        QCOMPARE(identifiers.size(), 8);
        QCOMPARE(run.identifiers(), identifiers);
        QVERIFY(!QFile::exists(lab->mountPoint(QStringLiteral("before")) + QStringLiteral("/02")));
        const QList<QByteArray> record = readFile(CardRecord::filePath()).trimmed().split('\n');
        QCOMPARE(record.size(), 1 + 8);

        QSignalSpy finished(&series, &CardSeries::finished);
        series.stop();
        QCOMPARE(finished.count(), 1);
        QVERIFY(run.takeHandOff());
        QVERIFY(!run.takeHandOff());
        QCOMPARE(run.identifiersFile().place, IdentifierFile::Place::Desktop);
        const QByteArray listed = readFile(run.identifiersFile().filePath);
        for (const QUuid& identifier : identifiers)
            QCOMPARE(listed.count(identifierText(identifier).toLatin1()), 1);
        // Each card's identifier file replaced the one before, in the order the cards ended: it holds the last one's.
        const QUuid last = ended.last().at(0).value<RunCard>().identifier;
        QVERIFY(readFile(home.filePath(QStringLiteral("Desktop/ORVA Serial Number.txt")))
                    .contains(identifierText(last).toLatin1()));
    }

    // A card holding a GSM file is left byte for byte and listed as kept; a card prepared in this run and put in again
    // is known by its identifier and not written again.
    void handedOffCardKeptAndPreparedCardNotWrittenTwice()
    {
        for (const char* name : {"holding", "again"})
            QCOMPARE(lab->makeCard(QLatin1String(name)), QString());
        // The GSM card is prepared outside the series, and taken out.
        QCOMPARE(lab->plug(QStringLiteral("holding")), QString());
        const std::unique_ptr<DrivePlatform> platform = createNativeDrivePlatform();
        const std::optional<MountedVolume> volume = platform->volumeAt(lab->mountPoint(QStringLiteral("holding")));
        QVERIFY(volume);
        QCOMPARE(writeParameterFileToCard(gsmForm(), *volume, *platform).result, CardOutcome::Result::Written);
        const QByteArray before = readFile(parameterFileOn(volume->rootPath));
        lab->unplug(QStringLiteral("holding"));

        CardRun run;
        CardSeries series(createNativeDrivePlatform(), run);
        QSignalSpy ended(&series, &CardSeries::cardEnded);
        FormValues other = gsmForm();
        other.text(FormField::AccessPointName) = QStringLiteral("other.example");
        QVERIFY(started(series, other));

        QCOMPARE(lab->plug(QStringLiteral("holding")), QString());
        QTRY_COMPARE_WITH_TIMEOUT(ended.count(), 1, 10000);
        const RunCard kept = ended.at(0).at(0).value<RunCard>();
        QCOMPARE(kept.result, RunCard::Result::Kept);
        QVERIFY(RunTexts::result(kept).contains(QLatin1String("internet.example")));
        QCOMPARE(readFile(parameterFileOn(volume->rootPath)), before);

        QCOMPARE(lab->plug(QStringLiteral("again")), QString());
        QTRY_COMPARE_WITH_TIMEOUT(ended.count(), 2, 10000);
        const QByteArray prepared = readFile(parameterFileOn(lab->mountPoint(QStringLiteral("again"))));
        lab->unplug(QStringLiteral("again"));
        QTest::qWait(2 * VolumeWatcher::settleMilliseconds + 100); // the series sees the card gone before it returns
        QCOMPARE(lab->plug(QStringLiteral("again")), QString());
        QTRY_COMPARE_WITH_TIMEOUT(ended.count(), 3, 10000);
        const RunCard second = ended.at(2).at(0).value<RunCard>();
        QCOMPARE(second.result, RunCard::Result::AlreadyPrepared);
        QCOMPARE(readFile(parameterFileOn(lab->mountPoint(QStringLiteral("again")))), prepared);
        QCOMPARE(series.prepared(), 1);
        QCOMPARE(series.refused(), 2);
    }

    // A card taken out and another put in the same device before the series looked again (a loop device freed and
    // taken at once; a slot's next card): the second card is a new one, not the first still in.
    void cardSwappedBetweenTwoLooksIsANewCard()
    {
        for (const char* name : {"out", "in"})
            QCOMPARE(lab->makeCard(QLatin1String(name)), QString());
        CardRun run;
        CardSeries series(createNativeDrivePlatform(), run);
        QSignalSpy ended(&series, &CardSeries::cardEnded);
        QVERIFY(started(series));
        QCOMPARE(lab->plug(QStringLiteral("out")), QString());
        QTRY_COMPARE_WITH_TIMEOUT(ended.count(), 1, 10000);
        lab->unplug(QStringLiteral("out"));
        QCOMPARE(lab->plug(QStringLiteral("in")), QString());
        QTRY_COMPARE_WITH_TIMEOUT(ended.count(), 2, 10000);
        QCOMPARE(ended.at(1).at(0).value<RunCard>().result, RunCard::Result::Prepared);
        QVERIFY(QFile::exists(parameterFileOn(lab->mountPoint(QStringLiteral("in")))));
        QCOMPARE(series.prepared(), 2);
    }

    // A card with no room left is listed as full, its files as they were, and the series goes on.
    void fullCardListedAsFull()
    {
        QCOMPARE(lab->makeCard(QStringLiteral("full")), QString());
        QCOMPARE(lab->plug(QStringLiteral("full")), QString());
        // Where the file system keeps its own: the card still counts as blank.
        QFile filler(lab->mountPoint(QStringLiteral("full")) + QStringLiteral("/lost+found/filler"));
        QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        const QByteArray block(1024, 'x'); // the small card's block
        while (filler.write(block) == block.size()) {
        }
        filler.close();
        lab->unplug(QStringLiteral("full"));

        CardRun run;
        CardSeries series(createNativeDrivePlatform(), run);
        QSignalSpy ended(&series, &CardSeries::cardEnded);
        QVERIFY(started(series));
        QCOMPARE(lab->plug(QStringLiteral("full")), QString());
        QTRY_COMPARE_WITH_TIMEOUT(ended.count(), 1, 10000);
        const RunCard card = ended.at(0).at(0).value<RunCard>();
        QCOMPARE(RunTexts::resultCode(card.result), QStringLiteral("full"));
        QVERIFY(!QFileInfo::exists(parameterFileOn(lab->mountPoint(QStringLiteral("full")))));
        QVERIFY(series.isRunning());
        QCOMPARE(series.refused(), 1);
    }

    // A blank card, a card holding a Kerv configuration and someone's drive put in together: the two cards are
    // prepared; the drive is listed as left alone, not labelled, its files and folders as they were, and not recorded.
    void onlyCardsMeantForTheModule()
    {
        QTemporaryDir folders;
        const QString blank = folders.filePath(QStringLiteral("blank"));
        const QString kerv = folders.filePath(QStringLiteral("kerv"));
        const QString photos = folders.filePath(QStringLiteral("photos"));
        QVERIFY(QDir().mkpath(blank + QStringLiteral("/System Volume Information")));
        QVERIFY(QDir().mkpath(kerv + QStringLiteral("/DCIM")));
        QVERIFY(QDir().mkpath(photos + QStringLiteral("/lost+found")));
        QVERIFY(writeFile(photos + QStringLiteral("/holiday.jpg"), "photo"));
        auto platform = std::make_shared<FakeDrivePlatform>();
        platform->addCard(kerv, QStringLiteral("KERV"));
        FormValues kervForm;
        kervForm.modeCode = ModeCode::KervFast;
        QCOMPARE(writeParameterFileToCard(kervForm, platform->volumes.first(), *platform).result,
                 CardOutcome::Result::Written);
        platform->volumes.clear();
        platform->labelCalls.clear();
        QFile::remove(CardRecord::filePath());

        CardRun run;
        CardSeries series(platform, run);
        QSignalSpy ended(&series, &CardSeries::cardEnded);
        FormValues kervSlow;
        kervSlow.ejectCardWhenDone = false;
        QVERIFY(started(series, kervSlow));
        platform->addCard(blank, QStringLiteral("BLANK")).addCard(kerv, QStringLiteral("KERV"));
        platform->addCard(photos, QStringLiteral("HOLIDAY2026"));
        series.lookAtVolumes();
        QTRY_COMPARE_WITH_TIMEOUT(ended.count(), 3, 10000);
        QCOMPARE(series.prepared(), 2);
        QCOMPARE(series.refused(), 1);
        for (const QList<QVariant>& one : ended) {
            const RunCard card = one.at(0).value<RunCard>();
            const bool other = card.rootPath == photos;
            QCOMPARE(RunTexts::resultCode(card.result),
                     other ? QStringLiteral("other-files") : QStringLiteral("prepared"));
            if (other)
                QCOMPARE(RunTexts::result(card),
                         QStringLiteral("left alone: holds other files; eject it before you take it out"));
            else
                QCOMPARE(readCardContents(card.rootPath).modeCode, quint8(ModeCode::KervSlow));
        }
        QCOMPARE(QDir(photos).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList({QStringLiteral("holiday.jpg"), QStringLiteral("lost+found")}));
        for (const FakeDrivePlatform::LabelCall& call : platform->labelCalls)
            QVERIFY(call.rootPath != photos);
        QCOMPARE(platform->labelCalls.size(), 2);
        QVERIFY(!readFile(CardRecord::filePath()).contains(QFile::encodeName(photos)));
        series.stop();
    }

    // A card pulled out while vskwrite writes it, where a folder 02 stands in its mount folder on the computer's own
    // disk: the write fails as removed, and nothing lands in that folder. The write is held by strace at its first
    // look into the card's 02, which it has just made; the card is pulled there.
    void cardPulledWhileWritten()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("strace")).isEmpty())
            QSKIP("strace is not installed");
        const QString name = QStringLiteral("pulled");
        const QString folder = lab->mountPoint(name) + QStringLiteral("/02");
        QCOMPARE(lab->makeCard(name), QString());
        QVERIFY(QDir().mkpath(folder)); // on the computer, hidden by the card while it is in
        QCOMPARE(lab->plug(name), QString());
        QVERIFY(!QFileInfo::exists(folder));
        QProcess writer;
        // LeakSanitizer cannot work under ptrace: a sanitized build's leak check is left to the other tests.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        if (environment.contains(QStringLiteral("ASAN_OPTIONS")))
            environment.insert(QStringLiteral("ASAN_OPTIONS"),
                               environment.value(QStringLiteral("ASAN_OPTIONS")) + QStringLiteral(":detect_leaks=0"));
        writer.setProcessEnvironment(environment);
        writer.start(QStringLiteral("strace"),
                     {QStringLiteral("-f"), QStringLiteral("-o"), QStringLiteral("/dev/null"), QStringLiteral("-P"),
                      folder, QStringLiteral("-e"), QStringLiteral("trace=openat"), QStringLiteral("-e"),
                      QStringLiteral("inject=openat:delay_enter=2000000:when=1"), QStringLiteral(VSKWRITE_PATH),
                      QStringLiteral("--no-open"), QStringLiteral("--mode"), QStringLiteral("lan"),
                      lab->mountPoint(name)});
        QVERIFY(writer.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(folder), 10000);
        lab->unplug(name, true);
        QVERIFY(writer.waitForFinished(20000));
        QCOMPARE(writer.exitStatus(), QProcess::NormalExit);
        QCOMPARE(writer.exitCode(), 1);
        const QByteArray told = writer.readAllStandardError();
        QVERIFY2(told.contains("The SD card was removed."), told.constData());
        QVERIFY(writer.readAllStandardOutput().isEmpty()); // no identifier
        QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());
    }

    // vskwrite --each-card --count 2 --json: one JSON line per card, exit 0, each card still mounted and so not to be
    // removed yet; SIGINT while it waits: a summary, exit 0.
    void vskwriteEachCard()
    {
        QCOMPARE(lab->makeCard(QStringLiteral("first")), QString());
        QCOMPARE(lab->makeCard(QStringLiteral("second")), QString());
        QProcess writer;
        writer.start(QStringLiteral(VSKWRITE_PATH),
                     {QStringLiteral("--each-card"), QStringLiteral("--count"), QStringLiteral("2"),
                      QStringLiteral("--json"), QStringLiteral("--no-open"), QStringLiteral("--mode"),
                      QStringLiteral("lan")});
        QVERIFY(writer.waitForStarted());
        QByteArray told;
        QTRY_VERIFY_WITH_TIMEOUT((told += writer.readAllStandardError()).contains("waiting for 2 card(s)"), 10000);
        QCOMPARE(lab->plug(QStringLiteral("first")), QString());
        QCOMPARE(lab->plug(QStringLiteral("second")), QString());
        QVERIFY(writer.waitForFinished(20000));
        QCOMPARE(writer.exitStatus(), QProcess::NormalExit);
        QCOMPARE(writer.exitCode(), 0);
        const QList<QByteArray> lines = writer.readAllStandardOutput().trimmed().split('\n');
        QCOMPARE(lines.size(), 2);
        for (const QByteArray& line : lines) {
            const QJsonObject card = QJsonDocument::fromJson(line).object();
            QCOMPARE(card.value(QStringLiteral("result")).toString(), QStringLiteral("prepared"));
            QCOMPARE(card.value(QStringLiteral("mode")).toString(), QStringLiteral("lan"));
            QVERIFY(!card.value(QStringLiteral("mayBeRemoved")).toBool());
            QVERIFY(card.value(QStringLiteral("text")).toString().contains(QLatin1String("eject it before")));
            const CardContents held = readCardContents(card.value(QStringLiteral("root")).toString());
            QCOMPARE(identifierText(held.identifier), card.value(QStringLiteral("identifier")).toString());
        }

        QProcess waiting;
        waiting.start(QStringLiteral(VSKWRITE_PATH),
                      {QStringLiteral("--each-card"), QStringLiteral("--mode"), QStringLiteral("kerv38400")});
        QVERIFY(waiting.waitForStarted());
        QByteArray said;
        QTRY_VERIFY_WITH_TIMEOUT((said += waiting.readAllStandardError()).contains("waiting for cards"), 10000);
        ::kill(pid_t(waiting.processId()), SIGINT);
        QVERIFY(waiting.waitForFinished(10000));
        QCOMPARE(waiting.exitStatus(), QProcess::NormalExit);
        QCOMPARE(waiting.exitCode(), 0);
        QVERIFY(waiting.readAllStandardError().contains("0 card(s) prepared, 0 not prepared"));
        QVERIFY(waiting.readAllStandardOutput().isEmpty());
    }

    // vskwrite --list --json names each card's reader; --each-card --skip-reader leaves a card put in it alone.
    void vskwriteSkipsAReader()
    {
        QCOMPARE(lab->makeCard(QStringLiteral("skipped")), QString());
        QCOMPARE(lab->makeCard(QStringLiteral("taken")), QString());
        QCOMPARE(lab->plug(QStringLiteral("skipped")), QString());
        QProcess list;
        list.start(QStringLiteral(VSKWRITE_PATH), {QStringLiteral("--list"), QStringLiteral("--json")});
        QVERIFY(list.waitForFinished(20000));
        QString reader;
        for (const QByteArray& line : list.readAllStandardOutput().trimmed().split('\n')) {
            const QJsonObject card = QJsonDocument::fromJson(line).object();
            if (card.value(QStringLiteral("root")).toString() == lab->mountPoint(QStringLiteral("skipped")))
                reader = card.value(QStringLiteral("readerId")).toString();
        }
        QVERIFY(!reader.isEmpty());
        lab->unplug(QStringLiteral("skipped"));

        QProcess writer;
        writer.start(QStringLiteral(VSKWRITE_PATH),
                     {QStringLiteral("--each-card"), QStringLiteral("--count"), QStringLiteral("1"),
                      QStringLiteral("--json"), QStringLiteral("--no-open"), QStringLiteral("--mode"),
                      QStringLiteral("lan"), QStringLiteral("--skip-reader"), reader});
        QVERIFY(writer.waitForStarted());
        QByteArray told;
        QTRY_VERIFY_WITH_TIMEOUT((told += writer.readAllStandardError()).contains("waiting for 1 card(s)"), 10000);
        QCOMPARE(lab->plug(QStringLiteral("skipped")), QString());
        QCOMPARE(lab->plug(QStringLiteral("taken")), QString());
        QVERIFY(writer.waitForFinished(20000));
        QCOMPARE(writer.exitCode(), 0);
        const QList<QByteArray> lines = writer.readAllStandardOutput().trimmed().split('\n');
        QCOMPARE(lines.size(), 1);
        QCOMPARE(QJsonDocument::fromJson(lines.first()).object().value(QStringLiteral("root")).toString(),
                 lab->mountPoint(QStringLiteral("taken")));
        QVERIFY(!QFileInfo::exists(lab->mountPoint(QStringLiteral("skipped")) + QStringLiteral("/02")));
    }

private:
    QTemporaryDir home;
    std::unique_ptr<CardLab> lab;
};

QTEST_GUILESS_MAIN(TestCardSeries)
#include "tst_cardseries.moc"
