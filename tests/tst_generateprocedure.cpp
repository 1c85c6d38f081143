// The generate procedure without widgets: cards are folders presented through the fake drive platform, the result is
// read as the window and vskwrite read it. As root, small file systems are mounted for a read-only and a full card.
#include "base/FileSystem.h"
#include "form/ModeCodes.h"
#include "generation/CardRecord.h"
#include "generation/CardSeries.h"
#include "generation/GenerateProcedure.h"
#include "generation/GenerateTexts.h"
#include "generation/RunTexts.h"
#include "parameterfile/Identifier.h"
#include "parameterfile/ParameterFile.h"
#include "parameterfile/ParameterFileDecoder.h"
#include "support/FakeDrivePlatform.h"
#include "support/RunTool.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <atomic>

#ifdef Q_OS_LINUX
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>
#endif
#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace {
using Ending = GenerateProcedure::Result::Ending;
const QString generatedText = QStringLiteral("The file was generated on the SD Card.");
const QString handOffText = QStringLiteral("The file was generated on the SD Card and your identifier (GUID) is ");
const QString notFoundText =
    QStringLiteral("The SD card was not found in the selected drive.\nPlease select the correct drive.");

// Asks the real file system whether a card is read-only, as the native platforms do.
class RealReadOnlyPlatform : public FakeDrivePlatform
{
public:
    bool isReadOnly(const QString& rootPath) const override { return DrivePlatform::isReadOnly(rootPath); }
};

// A card that stops answering about its mount while silent is set, as a card whose reader hangs.
class SilentCard : public FakeDrivePlatform
{
public:
    std::atomic<bool> silent{false};
    QVector<MountedVolume> mountedVolumes() const override
    {
        while (silent)
            QThread::msleep(5);
        return FakeDrivePlatform::mountedVolumes();
    }
};

FormValues form(quint8 mode)
{
    FormValues values;
    values.modeCode = mode;
    values.text(FormField::UserKey) = QStringLiteral("Wd3kPz");
    return values;
}

// A small ext2 file system mounted from an image, unmounted again when the test ends, however it ends.
class ScratchMount
{
public:
    bool create(const QString& image, const QString& mountPoint, const QStringList& options)
    {
        if (!runTool(QStringLiteral("mkfs.ext2"), {QStringLiteral("-q"), QStringLiteral("-F"), QStringLiteral("-m"),
                                                   QStringLiteral("0"), image, QStringLiteral("1024")}))
            return false;
        QDir().mkpath(mountPoint);
        QStringList arguments{QStringLiteral("-o"),
                              (QStringList{QStringLiteral("loop")} + options).join(QLatin1Char(','))};
        if (!runTool(QStringLiteral("mount"), arguments << image << mountPoint))
            return false;
        point = mountPoint;
        return true;
    }
    ~ScratchMount()
    {
        if (!point.isEmpty() && !runTool(QStringLiteral("umount"), {point}))
            runTool(QStringLiteral("umount"), {QStringLiteral("-l"), point});
    }
    QString point;
};
} // namespace

class TestGenerateProcedure : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> home;
    std::unique_ptr<QTemporaryDir> cards;
    std::shared_ptr<FakeDrivePlatform> drives;
    bool privateMounts = false;

    QString card(int i) const { return cards->filePath(QStringLiteral("card%1").arg(i)); }
    QString parameterFile(int cardIndex, const char* name) const
    {
        return card(cardIndex) + QStringLiteral("/02/") + QLatin1String(name);
    }
    // The platform presents `count` folder cards, "CARD0", "CARD1", ...
    void addCards(int count)
    {
        for (int i = 0; i < count; ++i) {
            QDir().mkpath(card(i));
            drives->addCard(card(i), QStringLiteral("CARD%1").arg(i));
        }
    }
    // "Generate" on the card listed at that position, with nobody to ask and no pump.
    GenerateProcedure::Result generate(const FormValues& values, int listed = 0,
                                       const GenerateProcedure::FrontEnd& frontEnd = {}) const
    {
        return GenerateProcedure::run(values, drives->volumes.value(listed), drives, frontEnd);
    }
    QUuid identifierOn(int cardIndex, const char* name) const
    {
        const QString path = parameterFile(cardIndex, name);
        const DecodedParameterFile file = decodeParameterFile(readFile(path), path);
        return file.allChecksPass() ? file.identifier : QUuid();
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        // As root the test mounts small file systems, in a mount namespace of its own so that nothing leaks out.
#ifdef Q_OS_LINUX
        if (geteuid() == 0 && unshare(CLONE_NEWNS) == 0)
            privateMounts = mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
#endif
    }

    void init()
    {
        home = std::make_unique<QTemporaryDir>();
        cards = std::make_unique<QTemporaryDir>();
        QVERIFY(home->isValid() && cards->isValid());
        useHome(*home);
        drives = std::make_shared<FakeDrivePlatform>();
    }

    void realReadOnlyMount()
    {
        if (!privateMounts)
            QSKIP("needs root and a private mount namespace to mount a read-only file system");
        ScratchMount mounted;
        QVERIFY(mounted.create(cards->filePath(QStringLiteral("ro.img")), card(0), {QStringLiteral("ro")}));
        drives = std::make_shared<RealReadOnlyPlatform>();
        drives->addCard(card(0));
        const GenerateProcedure::Result result = generate(form(ModeCode::Lan));
        QCOMPARE(result.ending, Ending::Refused);
        QCOMPARE(result.message.title, QStringLiteral("SD Card is Read Only"));
        QVERIFY(result.standardOutput.isEmpty());
        QVERIFY(!result.openPortal);
        QVERIFY(drives->labelCalls.isEmpty()); // a refused card keeps its label
    }

    void cardFolder_data()
    {
        QTest::addColumn<QString>("before"); // what stands at "02" before
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("reason"); // what is said after the text of a card not found
        QTest::newRow("folder exists") << "folder"
                                       << "File generated" << QString();
        QTest::newRow("folder missing") << "nothing"
                                        << "File generated" << QString();
        // The card is there: choosing another drive would not help, so the message says what is wrong.
        QTest::newRow("a file named 02") << "file" << QStringLiteral("SD Card Not Found")
                                         << QStringLiteral("\n\nThe folder 02 on the SD card is not a folder: it is a "
                                                           "file.\nPlease rename or remove it on the card.");
        QTest::newRow("no medium") << "no medium" << QStringLiteral("SD Card Not Found") << QString();
    }

    void cardFolder()
    {
        QFETCH(QString, before);
        QFETCH(QString, title);
        QFETCH(QString, reason);
        addCards(1);
        const QString folder = card(0) + QStringLiteral("/02");
        if (before == QLatin1String("folder"))
            QVERIFY(QDir().mkpath(folder) && writeFile(folder + QStringLiteral("/notes.txt"), "kept"));
        else if (before == QLatin1String("file"))
            QVERIFY(writeFile(folder, "not a folder"));
        else if (before == QLatin1String("no medium"))
            QVERIFY(QDir(card(0)).removeRecursively());
        const GenerateProcedure::Result result = generate(form(ModeCode::KervSlow));
        QCOMPARE(result.message.title, title);
        if (result.written()) {
            QCOMPARE(result.message.text, generatedText);
            QVERIFY(!identifierOn(0, "GP0_0000.VSK").isNull());
        } else {
            QCOMPARE(result.ending, Ending::Refused);
            QCOMPARE(result.message.text, notFoundText + reason);
            QVERIFY(drives->labelCalls.isEmpty()); // a refused card keeps its label
        }
        if (before == QLatin1String("folder"))
            QCOMPARE(readFile(folder + QStringLiteral("/notes.txt")), QByteArray("kept"));
    }

    // Once the write has begun, the card's folder is no longer the card (as a card pulled out leaves its mount folder,
    // a folder 02 in it): the write fails as removed, and nothing stays in the folder now at that path or on the card.
    void cardGoneWhileWritten()
    {
        addCards(1);
        const QString away = cards->filePath(QStringLiteral("away"));
        bool swapped = false;
        const CardOutcome outcome =
            writeParameterFileToCard(form(ModeCode::Lan), drives->volumes.first(), *drives, [&](CardStep step) {
                if (step == CardStep::Writing && !swapped)
                    swapped = QDir().rename(card(0), away) && QDir().mkpath(card(0) + QStringLiteral("/02"));
                return true;
            });
        QVERIFY(swapped);
        QCOMPARE(outcome.result, CardOutcome::Result::Removed);
        QCOMPARE(GenerateTexts::cardOutcome(outcome).text,
                 QStringLiteral("The SD card was removed.\nPlease insert it and try again."));
        const auto entries = QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden;
        QCOMPARE(QDir(card(0) + QStringLiteral("/02")).entryList(entries), QStringList());
        QCOMPARE(QDir(away + QStringLiteral("/02")).entryList(entries), QStringList());
    }

    void secondGenerationReplacesTheFile()
    {
        addCards(1);
        QVERIFY(generate(form(ModeCode::KervSlow)).written());
        const QUuid first = identifierOn(0, "GP0_0000.VSK");
        QVERIFY(generate(form(ModeCode::KervSlow)).written());
        const QUuid second = identifierOn(0, "GP0_0000.VSK");
        QVERIFY(!first.isNull() && !second.isNull());
        QVERIFY(first != second);
    }

    // A card that stops answering while its file is written is given up after the silence limit: the user is told,
    // nothing is recorded and no identifier is handed out, and the write stops should the card answer again.
    void cardThatStopsAnswering()
    {
        auto silentCard = std::make_shared<SilentCard>();
        drives = silentCard;
        addCards(1);
        silentCard->silent = true;
        GenerateProcedure::FrontEnd frontEnd;
        frontEnd.silenceLimit = std::chrono::milliseconds(200);
        const GenerateProcedure::Result result = generate(form(ModeCode::Lan), 0, frontEnd);
        silentCard->silent = false;
        QCOMPARE(result.ending, Ending::NotResponding);
        QCOMPARE(result.message.title, QStringLiteral("SD Card does not respond"));
        QVERIFY(result.standardOutput.isEmpty());
        QVERIFY(!result.openPortal && !result.openIdentifierFile);
        QTRY_COMPARE(DetachedWork::outstanding(), 0);
        QVERIFY(!QFileInfo::exists(card(0) + QStringLiteral("/02")));
        QVERIFY(!QFileInfo::exists(CardRecord::filePath()));
    }

    void recordOfPreparedCards()
    {
        // Two cards prepared one after the other: one line each, below the header, with the device that held each
        // card as it was listed (nothing where the system said nothing).
        QStringList identifiers;
        const quint8 modes[] = {ModeCode::KervSlow, ModeCode::Lan};
        addCards(2);
        drives->volumes[0].capacity = 7948206080;
        drives->volumes[0].reader = QStringLiteral("Generic STORAGE DEVICE");
        drives->volumes[0].serial = QStringLiteral("058F63666485");
        drives->volumes[0].deviceName = QStringLiteral("loop3");
        drives->volumes[0].backingFile = QStringLiteral("/srv/cards/a.img");
        const QList<QByteArray> devices[] = {
            {"7948206080", "Generic STORAGE DEVICE", "058F63666485", "loop3", "/srv/cards/a.img"},
            {"", "", "", "", ""}};
        for (int i = 0; i < 2; ++i) {
            const GenerateProcedure::Result result = generate(form(modes[i]), i);
            QVERIFY(result.written());
            QVERIFY(!result.unrecorded);
            identifiers << identifierDigits(identifierOn(i, "GP0_0000.VSK")).toUpper();
            // Scripts get the identifier on standard output.
            QCOMPARE(result.standardOutput, identifiers.last());
        }

        const QString recordPath = CardRecord::filePath();
        const QList<QByteArray> lines = readFile(recordPath).split('\n');
        QCOMPARE(lines.size(), 4); // the header, two cards, and nothing after the last line break
        QCOMPARE(lines[0], QByteArray("Date and time,Mode,Card root,Volume name,File name,Identifier,State,Capacity in "
                                      "bytes,Reader,Serial number,Device,Image file,Row,Site"));
        for (int i = 0; i < 2; ++i) {
            const QList<QByteArray> fields = lines[i + 1].split(',');
            QCOMPARE(fields.size(), 14);
            QVERIFY(
                QDateTime::fromString(QString::fromLatin1(fields[0]), QStringLiteral("yyyy-MM-dd HH:mm:ss")).isValid());
            QCOMPARE(fields.mid(1),
                     (QList<QByteArray>{ModeCode::name(modes[i]), card(i).toUtf8(), "CARD" + QByteArray::number(i),
                                        "GP0_0000.VSK", identifiers[i].toLatin1(), "written"} +
                      devices[i] + QList<QByteArray>{"", ""})); // no row of values per card, no site
        }
        QCOMPARE(lines[3], QByteArray());
#ifndef Q_OS_WIN
        // It names the user's cards and their identifiers: nobody else may read it.
        const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                                QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                                QFileDevice::WriteOther | QFileDevice::ExeOther;
        QCOMPARE(QFileInfo(recordPath).permissions() & (others | QFileDevice::ReadOwner | QFileDevice::WriteOwner),
                 QFileDevice::ReadOwner | QFileDevice::WriteOwner);
#endif
    }

    void recordKeepsWhatACardMayCarry()
    {
        // A file that replaced the earlier one without being confirmed may be on the card with its identifier: it is
        // recorded, marked so. An outcome that left no new file on the card is not.
        CardOutcome outcome;
        outcome.rootPath = card(0);
        outcome.fileName = QStringLiteral("GP0_0000.VSK");
        outcome.identifier = QUuid::createUuid();
        MountedVolume listed;
        listed.rootPath = card(0);
        listed.name = QStringLiteral("CARD0");
        for (const CardOutcome::Result result : {CardOutcome::Result::NotWritten, CardOutcome::Result::CardNotFound,
                                                 CardOutcome::Result::ReadOnly, CardOutcome::Result::Unconfirmed}) {
            outcome.result = result;
            QVERIFY(!CardRecord::note(outcome, 8, listed));
        }
        const QList<QByteArray> lines = readFile(CardRecord::filePath()).trimmed().split('\n');
        QCOMPARE(lines.size(), 2);
        const QByteArray line = ",GSM," + card(0).toUtf8() + ",CARD0,GP0_0000.VSK," +
                                outcome.identifier.toByteArray(QUuid::Id128).toUpper() + ",unconfirmed,,,,,,,";
        QVERIFY(lines[1].endsWith(line));
    }

    void recordThatIsNoFileChangesNothing_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("folder") << "folder";
#ifdef Q_OS_UNIX
        QTest::newRow("FIFO") << "fifo";
        QTest::newRow("link") << "link";
        QTest::newRow("dangling link") << "dangling link";
#endif
    }

    void recordThatIsNoFileChangesNothing()
    {
        // Something else than the record in its place: the card is prepared all the same, nothing waits on a FIFO,
        // nothing is written through a link, and the front end learns that the record missed the card.
        QFETCH(QString, kind);
        const QString path = CardRecord::filePath();
        const QString target = cards->filePath(QStringLiteral("target"));
        QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
        if (kind == QLatin1String("folder"))
            QVERIFY(QDir().mkpath(path));
#ifdef Q_OS_UNIX
        else if (kind == QLatin1String("fifo"))
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
#endif
        else
            QVERIFY(QFile::link(target, path));
        if (kind == QLatin1String("link"))
            QVERIFY(writeFile(target, "the user's own"));
        addCards(1);
        const GenerateProcedure::Result result = generate(form(ModeCode::KervSlow));
        QVERIFY(result.written());
        QCOMPARE(result.message.title, QStringLiteral("File generated"));
        QVERIFY(result.unrecorded);
        QVERIFY2(
            result.unrecorded->startsWith(QStringLiteral("the card was not added to the record of prepared cards ")),
            qPrintable(*result.unrecorded));
        QVERIFY(!identifierOn(0, "GP0_0000.VSK").isNull());
        QCOMPARE(QFileInfo::exists(target), kind == QLatin1String("link"));
        if (kind == QLatin1String("link"))
            QCOMPARE(readFile(target), QByteArray("the user's own"));
    }

    void recordLineStaysWhole()
    {
        // A last line cut short stays alone; a label that a spreadsheet would run as a formula, or that holds an
        // escape sequence, is written so that it is neither.
        const QString path = CardRecord::filePath();
        QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
        QVERIFY(writeFile(path, CardRecord::header() + "2026-12-07 10:00:00,GSM,/media/ca"));
        const CardRecord::Entry entry{QDateTime(QDate(2026, 12, 7), QTime(10, 5)),
                                      8,
                                      QStringLiteral("/media/\x1b[31mred"),
                                      QStringLiteral("=HYPERLINK(\"http://x.example.net\")"),
                                      QStringLiteral("GP0_0000.VSK"),
                                      QUuid::createUuid(),
                                      true};
        QVERIFY(!CardRecord::append(entry, path));
        const QList<QByteArray> lines = readFile(path).split('\n');
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines[1], QByteArray("2026-12-07 10:00:00,GSM,/media/ca"));
        QCOMPARE(lines[2], "2026-12-07 10:05:00,GSM,/media/\\x1B[31mred,\"'=HYPERLINK(\"\"http://x.example.net\"\")\","
                           "GP0_0000.VSK," +
                               entry.identifier.toByteArray(QUuid::Id128).toUpper() + ",written,,,,,,,");
    }

    void cardGoneBeforeTheWrite_data()
    {
        QTest::addColumn<bool>("goneBeforeGenerate");
        QTest::newRow("taken out after it was listed") << true;
        QTest::newRow("not mounted again after the label") << false;
    }

    void cardGoneBeforeTheWrite()
    {
        // The card's mount folder stays behind on the computer's own disk: nothing may be written into it.
        QFETCH(bool, goneBeforeGenerate);
        addCards(1);
        const MountedVolume listed = drives->volumes.first();
        if (goneBeforeGenerate)
            drives->volumes.clear();
        else
            drives->unmountOnLabel = true;
        const GenerateProcedure::Result result = GenerateProcedure::run(form(ModeCode::Lan), listed, drives);
        QCOMPARE(result.ending, Ending::Refused);
        QCOMPARE(result.message.title, QStringLiteral("SD Card Not Found"));
        QVERIFY(result.standardOutput.isEmpty() && !result.openPortal);
        QCOMPARE(QDir(card(0)).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
        QCOMPARE(drives->labelCalls.size(), goneBeforeGenerate ? 0 : 1);
        QVERIFY(!QFileInfo::exists(CardRecord::filePath()));
    }

    void linksOnTheCardAreNotFollowed_data()
    {
        QTest::addColumn<QString>("link");
        QTest::addColumn<quint8>("mode");
        QTest::addColumn<bool>("written");
        QTest::newRow("folder 02") << "02" << quint8(ModeCode::KervSlow) << false;
        QTest::newRow("parameter file") << "02/GP0_0000.VSK" << quint8(ModeCode::KervSlow) << true;
        QTest::newRow("identifier file") << "02/ORVA Serial Number.txt" << quint8(ModeCode::Lan) << true;
    }

    void linksOnTheCardAreNotFollowed()
    {
        QFETCH(QString, link);
        QFETCH(quint8, mode);
        QFETCH(bool, written);
        // A card with a Unix file system may carry links to the user's own files.
        const QString outside = cards->filePath(QStringLiteral("user"));
        QVERIFY(QDir().mkpath(outside));
        const QString userFile = outside + QStringLiteral("/.bashrc");
        QVERIFY(writeFile(userFile, "the user's own file\n"));
        QVERIFY(QDir().mkpath(card(0) + QStringLiteral("/02")));
        const QString linkPath = card(0) + QLatin1Char('/') + link;
        if (link == QLatin1String("02"))
            QVERIFY(QDir(card(0) + QStringLiteral("/02")).removeRecursively());
        QVERIFY(QFile::link(link == QLatin1String("02") ? outside : userFile, linkPath));
        addCards(1);
        // Windows makes a shortcut, a file of no parameter file's mode, which the user is asked about.
        GenerateProcedure::FrontEnd replacing;
        replacing.replaceHandedOff = [](const CardContents&) { return true; };
        const GenerateProcedure::Result result = generate(form(mode), 0, replacing);
        QCOMPARE(result.written(), written);
        QCOMPARE(readFile(userFile), QByteArray("the user's own file\n"));
        QCOMPARE(QDir(outside).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden),
                 QStringList{QStringLiteral(".bashrc")});
        if (written) {
            // The link was replaced by the file itself.
            QVERIFY(!QFileInfo(linkPath).isSymLink());
            QVERIFY(QFileInfo(linkPath).isFile());
        } else {
            QCOMPARE(result.message.title, QStringLiteral("SD Card Not Found"));
        }
    }

    void nameTakenByFolder()
    {
        addCards(1);
        QVERIFY(QDir().mkpath(parameterFile(0, "GP0_0000.VSK")));
        QVERIFY(writeFile(parameterFile(0, "GP0_0000.VSK") + QStringLiteral("/inside"), "x"));
        const GenerateProcedure::Result result = generate(form(ModeCode::KervSlow));
        QCOMPARE(result.ending, Ending::Refused);
        QCOMPARE(result.message.title, QStringLiteral("File not written"));
        QVERIFY2(result.message.text.startsWith(
                     QStringLiteral("The file GP0_0000.VSK could not be written on the SD card.\n")),
                 qPrintable(result.message.text));
        QVERIFY(result.message.text.size() > 60); // the system's reason follows
        QVERIFY(result.standardOutput.isEmpty());
        QCOMPARE(QDir(card(0) + QStringLiteral("/02")).entryList(QDir::Files), QStringList());
    }

    void fullCard()
    {
        if (!privateMounts)
            QSKIP("needs root and a private mount namespace to mount a small file system");
        ScratchMount mounted;
        QVERIFY(mounted.create(cards->filePath(QStringLiteral("full.img")), card(0), {}));
        QVERIFY(QDir().mkpath(card(0) + QStringLiteral("/02")));
        const QByteArray old(60, 'o');
        QVERIFY(writeFile(parameterFile(0, "GP0_0000.VSK"), old));
        // What a run killed while writing leaves behind; it goes before the next file is written.
        QVERIFY(writeFile(parameterFile(0, "GP0_0000.VSK.orva-k1lled0"), QByteArray()));
        // Fill every block that is left.
        {
            QFile filler(card(0) + QStringLiteral("/filler"));
            QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
            const QByteArray block(4096, 'f');
            while (filler.write(block) == block.size()) {
            }
            QByteArray small(1, 'f');
            while (filler.write(small) == 1) {
            }
        }
        drives->addCard(card(0));
        // The old file is cut before its mode: the user is asked, and says to replace it.
        GenerateProcedure::FrontEnd replacing;
        replacing.replaceHandedOff = [](const CardContents&) { return true; };
        const GenerateProcedure::Result result = generate(form(ModeCode::KervSlow), 0, replacing);
        QCOMPARE(result.card.result, CardOutcome::Result::Full);
        QCOMPARE(result.message.title, QStringLiteral("SD Card is Full"));
        QVERIFY(result.standardOutput.isEmpty());
        // Refused before anything is changed: no label, the old file and what a killed run left are as they were.
        QVERIFY(drives->labelCalls.isEmpty());
        QCOMPARE(readFile(parameterFile(0, "GP0_0000.VSK")), old);
        QCOMPARE(
            QDir(card(0) + QStringLiteral("/02")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
            (QStringList{QStringLiteral("GP0_0000.VSK"), QStringLiteral("GP0_0000.VSK.orva-k1lled0")}));
    }

    // While one "Generate" holds the card (here: while its user is asked), a second one on the same card, named by
    // another path, is refused and touches nothing; once the first has ended, the card is free again.
    void secondWriterWhileTheFirstAsks()
    {
        addCards(1);
        QVERIFY(generate(form(ModeCode::Lan)).written());
        const QUuid first = identifierOn(0, "GP0_0000.VSK");
        drives->addCard(card(0) + QStringLiteral("/02/.."));
        std::optional<GenerateProcedure::Result> second;
        GenerateProcedure::FrontEnd asking;
        asking.replaceHandedOff = [&](const CardContents&) {
            second = generate(form(ModeCode::Gsm), 1);
            return false;
        };
        QCOMPARE(generate(form(ModeCode::KervSlow), 0, asking).ending, Ending::Kept);
        QVERIFY(second);
        QCOMPARE(second->ending, Ending::CardInUse);
        QCOMPARE(second->message.title, QStringLiteral("SD Card in use"));
        QVERIFY(second->standardOutput.isEmpty() && !second->openPortal);
        QCOMPARE(identifierOn(0, "GP0_0000.VSK"), first);
        QCOMPARE(readFile(CardRecord::filePath()).count('\n'), 2); // the header and the first card

        GenerateProcedure::FrontEnd replacing;
        replacing.replaceHandedOff = [](const CardContents&) { return true; };
        QVERIFY(generate(form(ModeCode::KervSlow), 1, replacing).written());
    }

    void cardChangedBeforeTheWrite_data()
    {
        QTest::addColumn<bool>("fileBefore"); // a GSM file stands there when the card is read
        QTest::newRow("file changed while the user was asked") << true;
        QTest::newRow("file appeared after the card was read") << false;
    }

    // Something else writes the file between the read and the write: the new file does not take its place.
    void cardChangedBeforeTheWrite()
    {
        QFETCH(bool, fileBefore);
        addCards(1);
        if (fileBefore)
            QVERIFY(generate(form(ModeCode::Gsm)).written());
        const QString path = parameterFile(0, "GP0_0000.VSK");
        const QByteArray theirs = "written by another program";
        GenerateProcedure::FrontEnd frontEnd;
        frontEnd.replaceHandedOff = [](const CardContents&) { return true; };
        int waits = 0; // the card's identity, its file, the write
        frontEnd.whileWaiting = [&](const std::function<void(const DetachedWork::Pump&)>& wait) {
            if (++waits == 3)
                QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()) && writeFile(path, theirs));
            wait({});
        };
        const GenerateProcedure::Result result = generate(form(ModeCode::Lan), 0, frontEnd);
        QCOMPARE(waits, 3);
        QCOMPARE(result.ending, Ending::Refused);
        QVERIFY(result.card.cardChanged);
        QCOMPARE(result.message.title, QStringLiteral("SD Card changed"));
        QVERIFY(result.standardOutput.isEmpty() && !result.openPortal && !result.openIdentifierFile);
        QCOMPARE(readFile(path), theirs);
        // No new file is left beside it.
        QCOMPARE(QDir(card(0) + QStringLiteral("/02"))
                     .entryList({QStringLiteral("GP0_0000.VSK*")}, QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("GP0_0000.VSK")});
    }

    // The clean-up of new files that killed runs left removes those, never one that a live writer is writing.
    void liveWritersNewFileStays()
    {
        addCards(1);
        QVERIFY(QDir().mkpath(card(0) + QStringLiteral("/02")));
        const QString live = parameterFile(0, "GP0_0000.VSK.orva-l1ve000");
        const QString dead = parameterFile(0, "GP0_0000.VSK.orva-k1lled0");
        QVERIFY(writeFile(dead, QByteArray()));
        QFile writing(live);
        QVERIFY(writing.open(QIODevice::WriteOnly | QIODevice::NewOnly));
        FileSystem::FileClaim claim;
        QVERIFY(claim.claim(writing, live));
        QVERIFY(generate(form(ModeCode::KervSlow)).written());
        QVERIFY(QFileInfo::exists(live));
        QVERIFY(!QFileInfo::exists(dead));
    }

    void handOff_data()
    {
        QTest::addColumn<quint8>("mode");
        QTest::addColumn<QString>("places"); // which of Desktop, Documents exist
        QTest::addColumn<QString>("where");  // where the identifier file must be: desktop, documents, card, none
        QTest::addColumn<QString>("phrase");

        QTest::newRow("GSM, Desktop") << quint8(ModeCode::Gsm) << "desktop documents"
                                      << "desktop"
                                      << "on the Desktop.";
        QTest::newRow("LAN, Desktop") << quint8(ModeCode::Lan) << "desktop"
                                      << "desktop"
                                      << "on the Desktop.";
        QTest::newRow("LAN, Documents") << quint8(ModeCode::Lan) << "documents"
                                        << "documents"
                                        << "in My Documents.";
        QTest::newRow("LAN, card folder") << quint8(ModeCode::Lan) << ""
                                          << "card"
                                          << "in the folder 02 on the SD Card.";
        // A card that is let go would take the file with it: it stays on the computer, in a folder of the program's.
        QTest::newRow("LAN, card let go") << quint8(ModeCode::Lan) << "let-go"
                                          << "application data"
                                          << "in the folder %1.";
        QTest::newRow("LAN, Desktop refuses the file") << quint8(ModeCode::Lan) << "desktop-blocked documents"
                                                       << "documents"
                                                       << "in My Documents.";
        QTest::newRow("LAN, nowhere") << quint8(ModeCode::Lan) << "card-blocked"
                                      << "none"
                                      << "";
        QTest::newRow("Kerv 38400") << quint8(ModeCode::KervSlow) << "desktop"
                                    << ""
                                    << "";
        QTest::newRow("Kerv 115200") << quint8(ModeCode::KervFast) << "desktop"
                                     << ""
                                     << "";
        QTest::newRow("SMS") << quint8(ModeCode::Sms) << "desktop"
                             << ""
                             << "";
    }

    // GSM and LAN hand the identifier off: its file, the editor and the portal; the other modes hand nothing off.
    void handOff()
    {
        QFETCH(quint8, mode);
        QFETCH(QString, places);
        QFETCH(QString, where);
        QFETCH(QString, phrase);
#ifdef Q_OS_WIN
        if (!where.isEmpty())
            QSKIP("the Desktop and Documents are the Windows user's own folders: the installed program's check under "
                  "Wine covers the hand-off");
#endif
        const QString fileName = QStringLiteral("ORVA Serial Number.txt");
        const QString desktop = home->filePath(QStringLiteral("Desktop"));
        const QString documents = home->filePath(QStringLiteral("Documents"));
        if (places.contains(QLatin1String("desktop")))
            QVERIFY(QDir().mkpath(desktop));
        if (places.contains(QLatin1String("desktop-blocked")))
            QVERIFY(QDir().mkpath(desktop + QLatin1Char('/') + fileName));
        if (places.contains(QLatin1String("documents")))
            QVERIFY(QDir().mkpath(documents));
        addCards(1);
        if (places.contains(QLatin1String("card-blocked")))
            QVERIFY(QDir().mkpath(card(0) + QStringLiteral("/02/") + fileName));
        GenerateProcedure::FrontEnd frontEnd;
        frontEnd.letsCardGo = places.contains(QLatin1String("let-go"));
        const GenerateProcedure::Result result = generate(form(mode), 0, frontEnd);

        QVERIFY(result.written());
        QCOMPARE(result.message.title, QStringLiteral("File generated"));
        const char* parameterName = mode == ModeCode::Sms ? "GP1_0000.VSK" : "GP0_0000.VSK";
        const QByteArray digits = identifierDigits(identifierOn(0, parameterName)).toUpper().toLatin1();
        QCOMPARE(result.standardOutput.toLatin1(), digits);

        if (where.isEmpty()) {
            // No hand-off: no identifier file, no editor, no portal.
            QCOMPARE(result.message.text, generatedText);
            QVERIFY(!QFile::exists(desktop + QLatin1Char('/') + fileName));
            QVERIFY(!QFile::exists(card(0) + QStringLiteral("/02/") + fileName));
            QVERIFY(!result.openIdentifierFile && !result.openPortal);
            return;
        }
        QVERIFY(result.openPortal);
        if (where == QLatin1String("none")) {
            // No place took the file: the identifier is in the message for the user to note.
            QVERIFY2(result.message.text.startsWith(handOffText + QString::fromLatin1(digits)),
                     qPrintable(result.message.text));
            QCOMPARE(result.identifierFile.place, IdentifierFile::Place::Nowhere);
            QVERIFY(!result.openIdentifierFile);
            return;
        }
        const QString applicationData = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        if (where == QLatin1String("application data"))
            phrase = phrase.arg(QDir::toNativeSeparators(applicationData));
        // The sentence names the place; the file's name and the identifier follow, for the user to copy.
        QCOMPARE(result.message.text, handOffText + phrase + QStringLiteral("\n\nThe file \"") + fileName +
                                          QStringLiteral("\" holds it: ") + QString::fromLatin1(digits));
        const QString folder = where == QLatin1String("desktop")            ? desktop
                               : where == QLatin1String("documents")        ? documents
                               : where == QLatin1String("application data") ? applicationData
                                                                            : card(0) + QStringLiteral("/02");
        QCOMPARE(QFileInfo::exists(card(0) + QStringLiteral("/02/") + fileName), where == QLatin1String("card"));
        const QString path = folder + QLatin1Char('/') + fileName;
        const QByteArray banner = QByteArray(38, '*') + " THIS IS IMPORTANT " + QByteArray(38, '*');
        const QByteArray expected = banner + "\r\n\r\n" +
                                    "PLEASE KEEP THIS IDENTIFIER FOR THE AUTHENTICATION OF YOUR INSTALLATION ON THE "
                                    "ORVA WEBSITE\r\n\r\nYOUR IDENTIFIER (GUID) : " +
                                    digits + "\r\n\r\n" + banner;
        QCOMPARE(readFile(path), expected);
        QCOMPARE(banner.size(), 95);
        QVERIFY(result.openIdentifierFile);
        QCOMPARE(QFileInfo(result.identifierFile.filePath), QFileInfo(path));
    }

    void handOffReplacesEarlierFile()
    {
#ifdef Q_OS_WIN
        QSKIP("the Desktop is the Windows user's own folder: the installed program's check under Wine covers it");
#endif
        QVERIFY(QDir().mkpath(home->filePath(QStringLiteral("Desktop"))));
        const QString path = home->filePath(QStringLiteral("Desktop/ORVA Serial Number.txt"));
        QVERIFY(writeFile(path, QByteArray(500, 'x')));
        addCards(1);
        QVERIFY(generate(form(ModeCode::Gsm)).written());
        const QByteArray content = readFile(path);
        QCOMPARE(content.size(), 95 * 2 + 4 + 91 + 4 + 25 + 32 + 4);
        QVERIFY(content.endsWith('*'));
    }

    // Two runs started in the same second: each makes a file of its own (the later one's name with a counter) and
    // afterwards replaces only that one; "ORVA Serial Number.txt" holds the last card's identifier.
    void twoRunsInOneSecondKeepTheirOwnFiles()
    {
#ifdef Q_OS_WIN
        QSKIP("the Desktop is the Windows user's own folder: the installed program's check under Wine covers it");
#endif
        QVERIFY(QDir().mkpath(home->filePath(QStringLiteral("Desktop"))));
        const QDateTime started(QDate(2026, 12, 9), QTime(10, 0));
        CardRun first(started);
        CardRun later(started);
        const auto add = [](CardRun& run) {
            RunCard card;
            card.result = RunCard::Result::Prepared;
            card.modeCode = ModeCode::Gsm;
            card.identifier = QUuid::createUuid();
            card.carriesNew = card.inSeries = true;
            run.add(card);
            return identifierText(card.identifier).toLatin1();
        };
        const QByteArray firstOne = add(first);
        const QByteArray laterOne = add(later);
        const QByteArray firstTwo = add(first);
        QCOMPARE(QFileInfo(first.identifiersFile().filePath).fileName(),
                 QStringLiteral("ORVA Serial Numbers 2026-12-09 10-00-00.txt"));
        QCOMPARE(QFileInfo(later.identifiersFile().filePath).fileName(),
                 QStringLiteral("ORVA Serial Numbers 2026-12-09 10-00-00 (2).txt"));
        const QByteArray firstFile = readFile(first.identifiersFile().filePath);
        const QByteArray laterFile = readFile(later.identifiersFile().filePath);
        QVERIFY(firstFile.contains(firstOne) && firstFile.contains(firstTwo) && !firstFile.contains(laterOne));
        QVERIFY(laterFile.contains(laterOne) && !laterFile.contains(firstOne) && !laterFile.contains(firstTwo));
        QVERIFY(readFile(home->filePath(QStringLiteral("Desktop/ORVA Serial Number.txt"))).contains(firstTwo));
    }

    // "May be removed" is said only of a card that is no longer mounted: never of one that another writer holds, nor
    // of one that stays mounted; a card that a series leaves as it was is let go as well when the eject option is on.
    void mayBeRemovedOnlyOnceUnmounted()
    {
        addCards(2);
        QVERIFY(generate(form(ModeCode::Lan)).written()); // card 0 now holds a handed-off identifier
        drives->addCard(card(0) + QStringLiteral("/02/.."));
        const MountedVolume held = drives->volumes.value(0), other = drives->volumes.value(1),
                            heldByAnotherPath = drives->volumes.value(2);
        CardSeries::Settings stay;
        stay.values = form(ModeCode::Gsm);
        stay.values.ejectCardWhenDone = false;
        CardSeries::Settings eject = stay;
        eject.values.ejectCardWhenDone = true;
        const auto seriesCard = [this](const CardSeries::Settings& settings, const MountedVolume& volume) {
            RunCard card = prepareSeriesCard(settings, volume, drives, {});
            letSeriesCardGo(card, *drives);
            return card;
        };

        // While "Generate" holds card 0 (its user is asked), a series comes to it.
        std::optional<RunCard> inUse;
        GenerateProcedure::FrontEnd asking;
        asking.replaceHandedOff = [&](const CardContents&) {
            inUse = seriesCard(eject, heldByAnotherPath);
            return false;
        };
        QCOMPARE(generate(form(ModeCode::KervSlow), 0, asking).ending, Ending::Kept);
        QVERIFY(inUse);
        QCOMPARE(RunTexts::resultCode(inUse->result), QStringLiteral("in-use"));
        QCOMPARE(RunTexts::result(*inUse), QStringLiteral("in use by another writer"));
        QVERIFY(!inUse->mayBeRemoved());

        const RunCard written = seriesCard(stay, other);
        QCOMPARE(written.result, RunCard::Result::Prepared);
        QVERIFY(!written.mayBeRemoved()); // still mounted
        const RunCard keptMounted = seriesCard(stay, held);
        QCOMPARE(keptMounted.result, RunCard::Result::Kept);
        QVERIFY(!keptMounted.mayBeRemoved());
        QVERIFY2(RunTexts::result(keptMounted).endsWith(QStringLiteral("; eject it before you take it out")),
                 qPrintable(RunTexts::result(keptMounted)));
        QVERIFY(drives->ejectCalls.isEmpty());

        const RunCard keptLetGo = seriesCard(eject, held);
        QCOMPARE(keptLetGo.result, RunCard::Result::Kept);
        QCOMPARE(drives->ejectCalls, QStringList{card(0)});
        QVERIFY(keptLetGo.mayBeRemoved() && !drives->volumeAt(card(0)));
        QVERIFY(RunTexts::result(keptLetGo).endsWith(QStringLiteral("; it may be removed")));

        // The system says it ejected a card that stays mounted: the card's line says where, as the window's box does.
        QVERIFY(QDir().mkpath(card(3)));
        drives->addCard(card(3), QStringLiteral("CARD3"));
        drives->ejectLeavesItMounted = true;
        const RunCard stillMounted = seriesCard(eject, drives->volumes.constLast());
        QCOMPARE(stillMounted.result, RunCard::Result::Prepared);
        QVERIFY(!stillMounted.mayBeRemoved());
        QVERIFY2(RunTexts::result(stillMounted).contains(QStringLiteral("(it is still mounted at ")),
                 qPrintable(RunTexts::result(stillMounted)));
    }
};

QTEST_GUILESS_MAIN(TestGenerateProcedure)

#include "tst_generateprocedure.moc"
