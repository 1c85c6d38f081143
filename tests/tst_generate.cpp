// "Generate" end to end inside the process: cards are folders presented through the drive platform, every box is
// answered by the test, and the end of the process is replaced.
#include "desktop/DesktopOpen.h"
#include "generation/CardRecord.h"
#include "generation/FormValues.h"
#include "generation/Identifier.h"
#include "generation/ParameterFile.h"
#include "generation/ParameterFileDecoder.h"
#include "support/FakeDrivePlatform.h"
#include "support/HeldBoxes.h"
#include "support/QuietOffscreen.h"
#include "support/RunTool.h"
#include "support/WindowTest.h"
#include "window/Configurator.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#ifdef Q_OS_LINUX
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>
#endif
#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace {
const QString noCardTitle = QStringLiteral("SD Card not available");
const QString generatedTitle = QStringLiteral("File generated");
const QString handOffText = QStringLiteral("The file was generated on the SD Card and your identifier (GUID) is ");
// The card is let go when its file is written (the fake platform unmounts it).
const QString mayBeRemoved = QStringLiteral("\n\nThe SD card may now be removed.");

// Answers the URLs the program hands to the desktop instead of starting an editor or a browser.
// What the window hands to the desktop, as addresses: a text file as a file address.
struct UrlRecorder
{
    QList<QUrl> opened;
    void record(DesktopOpen::Kind kind, const QString& target)
    {
        opened.append(kind == DesktopOpen::Kind::TextFile ? QUrl::fromLocalFile(target) : QUrl(target));
    }
};

// Asks the real file system whether a card is read-only, as the native platforms do.
class RealReadOnlyPlatform : public FakeDrivePlatform
{
public:
    bool isReadOnly(const QString& rootPath) const override { return DrivePlatform::isReadOnly(rootPath); }
};

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
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
        if (point.isEmpty())
            return;
        // The program leaves its current folder on the card: step out so that the card can go.
        QDir::setCurrent(QDir::rootPath());
        if (!runTool(QStringLiteral("umount"), {point}))
            runTool(QStringLiteral("umount"), {QStringLiteral("-l"), point});
    }
    QString point;
};
} // namespace

class TestGenerate : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> home;
    std::unique_ptr<QTemporaryDir> cards;
    FakeDrivePlatform* drives = nullptr;
    std::unique_ptr<Configurator> window;
    std::unique_ptr<HeldBoxes> boxes;
    QList<int> exits;
    UrlRecorder urls;
    QString startDirectory;
    bool privateMounts = false;

    QString card(int i) const { return cards->filePath(QStringLiteral("card%1").arg(i)); }

    // Builds the window over the given platform, or over the given number of folder cards.
    void open(int cardCount, std::unique_ptr<FakeDrivePlatform> platform = nullptr)
    {
        if (!platform) {
            platform = std::make_unique<FakeDrivePlatform>();
            for (int i = 0; i < cardCount; ++i) {
                QDir().mkpath(card(i));
                platform->addCard(card(i), QStringLiteral("CARD%1").arg(i));
            }
        }
        drives = platform.get();
        window = std::make_unique<Configurator>(std::move(platform));
        window->setExitFunction([this](int status) { exits.append(status); });
        window->show();
    }
    template <typename T = QWidget> T* get(const char* name) const { return widget<T>(*window, name); }
    void chooseMode(const QString& text) const
    {
        get<QComboBox>("modeSerial")->setCurrentIndex(get<QComboBox>("modeSerial")->findText(text));
    }
    void setText(const char* field, const QString& text) const { get<QLineEdit>(field)->setText(text); }
    void generate() const { QTest::mouseClick(get("button_Save"), Qt::LeftButton); }
    // The next box is answered with the button of that text ("Prepare another card", "Replace").
    void answerWith(const QString& answer) const { boxes->answer(answer); }

    MessageBox::Shown onlyBox() const
    {
        if (boxes->seen().size() != 1) {
            QStringList titles;
            for (const MessageBox::Shown& box : qAsConst(boxes->seen()))
                titles << box.title;
            qWarning("expected one box, saw %d: %s", int(boxes->seen().size()),
                     qPrintable(titles.join(QLatin1String(" | "))));
            return {};
        }
        return boxes->seen().first();
    }
    QString parameterFile(int cardIndex, const char* name) const
    {
        return card(cardIndex) + QStringLiteral("/02/") + QLatin1String(name);
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        quietOffscreenPlatform();
        DesktopOpen::setHandler([this](DesktopOpen::Kind kind, const QString& target) { urls.record(kind, target); });
        startDirectory = QDir::currentPath();
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
        qputenv("HOME", QFile::encodeName(home->path()));
#ifdef Q_OS_WIN
        // Windows takes the application's data folder from the user's profile, not from HOME: the record of prepared
        // cards starts afresh here instead.
        QFile::remove(CardRecord::filePath());
        QDir(CardRecord::filePath()).removeRecursively();
#endif
        QSettings().clear();
        exits.clear();
        urls.opened.clear();
        boxes = std::make_unique<HeldBoxes>();
    }

    void cleanup()
    {
        window.reset();
        boxes.reset();
        QDir::setCurrent(startDirectory);
    }

    void formChecks_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("pin");
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("reset");
        QTest::addColumn<QString>("title");

        const QString pinError = QStringLiteral("PIN Code error"), keyError = QStringLiteral("User key error");
        QTest::newRow("GSM, no PIN") << "GSM"
                                     << ""
                                     << "" << false << noCardTitle;
        QTest::newRow("GSM, 3 digits") << "GSM"
                                       << "123"
                                       << "" << false << pinError;
        QTest::newRow("GSM, 5 digits") << "GSM"
                                       << "12345"
                                       << "" << false << noCardTitle;
        QTest::newRow("GSM, bad key unchecked") << "GSM"
                                                << "1234"
                                                << "ab" << false << noCardTitle;
        QTest::newRow("SMS, 3 digits") << "SMS"
                                       << "123"
                                       << "Wd3kPz" << false << pinError;
        QTest::newRow("SMS, bad PIN and key") << "SMS"
                                              << "12"
                                              << "ab" << false << pinError;
        QTest::newRow("SMS, good") << "SMS"
                                   << "5273"
                                   << "Wd3kPz" << false << noCardTitle;
        QTest::newRow("SMS, 5-character key") << "SMS"
                                              << ""
                                              << "Wd3kP" << false << keyError;
        QTest::newRow("SMS, reset, empty key") << "SMS"
                                               << ""
                                               << "" << true << noCardTitle;
        QTest::newRow("LAN, bad PIN") << "LAN"
                                      << "1"
                                      << "x" << false << noCardTitle;
    }

    // The form is checked first, and only in the modes that use it; an empty drive list comes next.
    void formChecks()
    {
        QFETCH(QString, mode);
        QFETCH(QString, pin);
        QFETCH(QString, key);
        QFETCH(bool, reset);
        QFETCH(QString, title);
        open(0);
        chooseMode(mode);
        setText("PIN_Code", pin);
        setText("userKeyLineEdit", key);
        get<QCheckBox>("resetConfigCheckBox")->setChecked(reset);
        generate();
        const MessageBox::Shown box = onlyBox();
        QCOMPARE(box.title, title);
        QCOMPARE(box.icon, QMessageBox::Warning);
        QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Close));
        QCOMPARE(box.defaultButton, QMessageBox::NoButton);
        if (title == QLatin1String("PIN Code error"))
            QCOMPARE(box.text,
                     QStringLiteral("The PIN code seems to be erroneous.\nPlease enter a code with 4-6 digits!"));
        if (title == QLatin1String("User key error"))
            QVERIFY(box.text.startsWith(QStringLiteral("The user key seems to be erroneous.\n")));
        if (title == noCardTitle)
            QCOMPARE(box.text,
                     QStringLiteral("No SD card is available.\nPlease insert one and select it in the list."));
        QVERIFY(exits.isEmpty());
        QVERIFY(QSettings().allKeys().isEmpty());
    }

    void unreadableTexts_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("named"); // the label named in the warning, empty when the text passes
        QTest::addColumn<QString>("character");

        QTest::newRow("separator in APN") << "GSM"
                                          << "APN"
                                          << "web;x"
                                          << "Access Point Name (APN)"
                                          << ";";
        QTest::newRow("euro in user name")
            << "GSM"
            << "Username" << QStringLiteral("\u20acuro") << "Access Point User Name" << QStringLiteral("\u20ac");
        QTest::newRow("hidden field not checked") << "LAN"
                                                  << "APN"
                                                  << "web;x"
                                                  << ""
                                                  << "";
    }

    void unreadableTexts()
    {
        QFETCH(QString, mode);
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, named);
        QFETCH(QString, character);
        open(0);
        chooseMode(mode);
        setText("userKeyLineEdit", QStringLiteral("Wd3kPz"));
        get<QLineEdit>(qPrintable(field))->setText(text);
        generate();
        const MessageBox::Shown box = onlyBox();
        if (named.isEmpty()) {
            QCOMPARE(box.title, noCardTitle);
            return;
        }
        QCOMPARE(box.title, QStringLiteral("Unsupported character"));
        QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Close));
        QVERIFY2(box.text.contains(QLatin1Char('"') + named + QLatin1Char('"')), qPrintable(box.text));
        QVERIFY2(box.text.contains(QLatin1Char('"') + character + QLatin1Char('"')), qPrintable(box.text));
        QVERIFY(drives->labelCalls.isEmpty());
    }

    void noCardChosen()
    {
        // A remembered position beyond today's cards: nothing is chosen and nothing is touched.
        QSettings().setValue(QStringLiteral("driveLetter"), 3);
        open(2);
        QCOMPARE(get<QComboBox>("sdCardPath")->currentIndex(), -1);
        generate();
        QCOMPARE(onlyBox().title, noCardTitle);
        QVERIFY(drives->labelCalls.isEmpty());
        QVERIFY(!QFile::exists(card(0) + QStringLiteral("/02")));
        QVERIFY(exits.isEmpty());
    }

    void readOnlyCard()
    {
        auto platform = std::make_unique<FakeDrivePlatform>();
        QDir().mkpath(card(0));
        platform->addCard(card(0), QStringLiteral("LOCKED"), true);
        open(0, std::move(platform));
        generate();
        const MessageBox::Shown box = onlyBox();
        QCOMPARE(box.title, QStringLiteral("SD Card is Read Only"));
        QCOMPARE(box.text, QStringLiteral("The SD card is read only.\nPlease unlock the SD card."));
        // The label is offered before the card is refused.
        QCOMPARE(drives->labelCalls.size(), 1);
        QCOMPARE(drives->labelCalls.first().label, QStringLiteral("Orva Config"));
        QVERIFY(!QFile::exists(card(0) + QStringLiteral("/02")));
        QVERIFY(exits.isEmpty());
    }

    void realReadOnlyMount()
    {
        if (!privateMounts)
            QSKIP("needs root and a private mount namespace to mount a read-only file system");
        ScratchMount mounted;
        QVERIFY(mounted.create(cards->filePath(QStringLiteral("ro.img")), card(0), {QStringLiteral("ro")}));
        auto platform = std::make_unique<RealReadOnlyPlatform>();
        platform->addCard(card(0));
        open(0, std::move(platform));
        generate();
        QCOMPARE(onlyBox().title, QStringLiteral("SD Card is Read Only"));
        QVERIFY(exits.isEmpty());
    }

    void cardFolder_data()
    {
        QTest::addColumn<QString>("before"); // what stands at "02" before
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("reason"); // what is said after the text of a card not found
        QTest::newRow("folder exists") << "folder" << generatedTitle << QString();
        QTest::newRow("folder missing") << "nothing" << generatedTitle << QString();
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
        open(1);
        const QString folder = card(0) + QStringLiteral("/02");
        if (before == QLatin1String("folder"))
            QVERIFY(QDir().mkpath(folder) && writeFile(folder + QStringLiteral("/notes.txt"), "kept"));
        else if (before == QLatin1String("file"))
            QVERIFY(writeFile(folder, "not a folder"));
        else if (before == QLatin1String("no medium"))
            QVERIFY(QDir(card(0)).removeRecursively());
        generate();
        const MessageBox::Shown box = onlyBox();
        QCOMPARE(box.title, title);
        if (title == generatedTitle) {
            QCOMPARE(box.text, QStringLiteral("The file was generated on the SD Card.") + mayBeRemoved);
            QCOMPARE(box.icon, QMessageBox::Information);
            QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
            QVERIFY(QFile::exists(folder + QStringLiteral("/GP0_0000.VSK")));
            QCOMPARE(exits, QList<int>{0});
        } else {
            QCOMPARE(
                box.text,
                QStringLiteral("The SD card was not found in the selected drive.\nPlease select the correct drive.") +
                    reason);
            QVERIFY(exits.isEmpty());
        }
        if (before == QLatin1String("folder"))
            QCOMPARE(readFile(folder + QStringLiteral("/notes.txt")), QByteArray("kept"));
    }

    void parameterFilePerMode_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("reset");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QStringList>("records"); // records 5 to 11 as the file must hold them
        QTest::addColumn<QByteArray>("resetRecord");

        const QStringList none{QString(), QString(), QString(), QString(), QString(), QString(), QString()};
        QTest::newRow("Kerv 38400") << "Kerv (38400 bps)" << 4 << false << "GP0_0000.VSK" << none << QByteArray();
        QTest::newRow("Kerv 115200") << "Kerv (115200 bps)" << 64 << false << "GP0_0000.VSK" << none << QByteArray();
        QTest::newRow("GSM") << "GSM" << 8 << false << "GP0_0000.VSK"
                             << QStringList{QStringLiteral("internet.example.net"),
                                            QStringLiteral("orva"),
                                            QStringLiteral("p\u00e4ss"),
                                            QStringLiteral("5273"),
                                            QString(),
                                            QString(),
                                            QString()}
                             << QByteArray();
        QTest::newRow("LAN") << "LAN" << 16 << false << "GP0_0000.VSK" << none << QByteArray();
        const QStringList sms{QString(),
                              QString(),
                              QString(),
                              QStringLiteral("5273"),
                              QStringLiteral("+41 79 123 45 67"),
                              QStringLiteral("0041 79 765 43 21"),
                              QStringLiteral("Wd3kPz")};
        QTest::newRow("SMS") << "SMS" << 32 << false << "GP1_0000.VSK" << sms << QByteArray(1, '\0');
        QTest::newRow("SMS, reset") << "SMS" << 32 << true << "GP1_0000.VSK" << sms << QByteArray(1, '\1');
    }

    void parameterFilePerMode()
    {
        QFETCH(QString, mode);
        QFETCH(int, code);
        QFETCH(bool, reset);
        QFETCH(QString, fileName);
        QFETCH(QStringList, records);
        QFETCH(QByteArray, resetRecord);
        open(2);
        get<QComboBox>("sdCardPath")->setCurrentIndex(1);
        chooseMode(mode);
        setText("APN", QStringLiteral("internet.example.net"));
        setText("Username", QStringLiteral("orva"));
        setText("Password", QStringLiteral("p\u00e4ss"));
        setText("PIN_Code", QStringLiteral("5273"));
        setText("sim_card_phone_number", QStringLiteral("+41 79 123 45 67"));
        setText("owner_phone_number", QStringLiteral("0041 79 765 43 21"));
        setText("userKeyLineEdit", QStringLiteral("Wd3kPz"));
        if (reset)
            get<QCheckBox>("resetConfigCheckBox")->click();
        // Files from an earlier generation: the one of this mode's name is replaced, the other one stays.
        const QString otherName =
            fileName == QLatin1String("GP0_0000.VSK") ? QStringLiteral("GP1_0000.VSK") : QStringLiteral("GP0_0000.VSK");
        QVERIFY(QDir().mkpath(card(1) + QStringLiteral("/02")));
        QVERIFY(writeFile(card(1) + QStringLiteral("/02/") + fileName, "old file of this mode"));
        QVERIFY(writeFile(card(1) + QStringLiteral("/02/") + otherName, "the other mode's file"));

        generate();

        QCOMPARE(exits, QList<int>{0});
        QVERIFY(!boxes->seen().isEmpty());
        QCOMPARE(boxes->seen().first().title, generatedTitle);
        const QByteArray bytes = readFile(card(1) + QStringLiteral("/02/") + fileName);
        const DecodedParameterFile file = decodeParameterFile(bytes, fileName);
        for (const DecodedParameterFile::Check& check : file.checks)
            QVERIFY2(check.ok, qPrintable(check.name + QStringLiteral(": ") + check.detail));
        QCOMPARE(int(file.modeCode), code);
        QCOMPARE(file.textRecords.size(), 7);
        for (int i = 0; i < 7; ++i)
            QCOMPARE(file.textRecords[i], records[i].toLatin1());
        QCOMPARE(file.resetRecord, resetRecord);
        QCOMPARE(readFile(card(1) + QStringLiteral("/02/") + otherName), QByteArray("the other mode's file"));
        QVERIFY(!QFile::exists(card(0) + QStringLiteral("/02")));
        QCOMPARE(drives->labelCalls.size(), 1);
        QCOMPARE(drives->labelCalls.first().rootPath, card(1));
        QCOMPARE(drives->labelCalls.first().label, QStringLiteral("Orva Config"));
        // No temporary file is left beside it.
        QCOMPARE(QDir(card(1) + QStringLiteral("/02")).entryList({QStringLiteral("GP*")}, QDir::Files).size(), 2);

        // The store holds the form as it was at the moment of generating.
        const QSettings settings;
        QCOMPARE(settings.value(QStringLiteral("serialMode")).toInt(), code);
        QCOMPARE(settings.value(QStringLiteral("driveLetter")).toInt(), 1);
        QCOMPARE(settings.value(QStringLiteral("password")).toString(), QStringLiteral("p\u00e4ss"));
        QCOMPARE(settings.value(QStringLiteral("resetConfig")).toBool(), reset);
    }

    void secondGenerationReplacesTheFile()
    {
        open(1);
        generate();
        const QString path = parameterFile(0, "GP0_0000.VSK");
        const DecodedParameterFile first = decodeParameterFile(readFile(path), path);
        cleanup();
        boxes = std::make_unique<HeldBoxes>();
        open(1);
        generate();
        const DecodedParameterFile second = decodeParameterFile(readFile(path), path);
        QVERIFY(first.allChecksPass() && second.allChecksPass());
        QVERIFY(first.identifier != second.identifier);
        QCOMPARE(exits, (QList<int>{0, 0}));
    }

    void recordOfPreparedCards()
    {
        // Two cards prepared one after the other, in two runs of the program: one line each, below the header.
        QStringList identifiers;
        const char* const modes[] = {"Kerv (38400 bps)", "LAN"};
        for (int i = 0; i < 2; ++i) {
            if (i > 0) {
                cleanup();
                boxes = std::make_unique<HeldBoxes>();
            }
            open(2);
            get<QComboBox>("sdCardPath")->setCurrentIndex(i);
            chooseMode(QLatin1String(modes[i]));
            generate();
            const QString path = parameterFile(i, "GP0_0000.VSK");
            const DecodedParameterFile file = decodeParameterFile(readFile(path), path);
            QVERIFY(file.allChecksPass());
            identifiers << QString::fromLatin1(file.identifierBytes.toHex().toUpper());
        }
        QCOMPARE(exits, (QList<int>{0, 0}));

        const QString recordPath = CardRecord::filePath();
        const QList<QByteArray> lines = readFile(recordPath).split('\n');
        QCOMPARE(lines.size(), 4); // the header, two cards, and nothing after the last line break
        QCOMPARE(lines[0], QByteArray("Date and time,Mode,Card root,Volume name,File name,Identifier,State"));
        for (int i = 0; i < 2; ++i) {
            const QList<QByteArray> fields = lines[i + 1].split(',');
            QCOMPARE(fields.size(), 7);
            QVERIFY(
                QDateTime::fromString(QString::fromLatin1(fields[0]), QStringLiteral("yyyy-MM-dd HH:mm:ss")).isValid());
            QCOMPARE(fields.mid(1), (QList<QByteArray>{modes[i], card(i).toUtf8(), "CARD" + QByteArray::number(i),
                                                       "GP0_0000.VSK", identifiers[i].toLatin1(), "written"}));
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
        for (const CardOutcome::Result result : {CardOutcome::Result::NotWritten, CardOutcome::Result::CardNotFound,
                                                 CardOutcome::Result::ReadOnly, CardOutcome::Result::Unconfirmed}) {
            outcome.result = result;
            QVERIFY(!CardRecord::note(outcome, 8, QStringLiteral("CARD0")));
        }
        const QList<QByteArray> lines = readFile(CardRecord::filePath()).trimmed().split('\n');
        QCOMPARE(lines.size(), 2);
        const QByteArray line = ",GSM," + card(0).toUtf8() + ",CARD0,GP0_0000.VSK," +
                                outcome.identifier.toByteArray(QUuid::Id128).toUpper() + ",unconfirmed";
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
        // Something else than the record in its place: the card is prepared all the same, nothing waits on a FIFO, and
        // nothing is written through a link.
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
        open(1);
        generate();
        QCOMPARE(exits, QList<int>{0});
        QCOMPARE(onlyBox().title, generatedTitle);
        const QString file = parameterFile(0, "GP0_0000.VSK");
        QVERIFY(decodeParameterFile(readFile(file), file).allChecksPass());
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
                               entry.identifier.toByteArray(QUuid::Id128).toUpper() + ",written");
    }

    void relabelledCardIsFollowed()
    {
        // Relabelling mounts the card again elsewhere: the file goes to the new place, and the list says so.
        auto platform = std::make_unique<FakeDrivePlatform>();
        QDir().mkpath(card(0));
        QDir().mkpath(card(1));
        platform->addCard(card(0), QStringLiteral("OLD"));
        platform->remountAfterLabel.insert(card(0), card(1));
        open(0, std::move(platform));
        generate();
        QVERIFY(QFile::exists(parameterFile(1, "GP0_0000.VSK")));
        QVERIFY(!QFile::exists(card(0) + QStringLiteral("/02")));
        QCOMPARE(window->drives(), QStringList{card(1)});
        QCOMPARE(get<QComboBox>("sdCardPath")->itemText(0), QStringLiteral("Orva Config \u2014 ") + card(1));
        QCOMPARE(get<QComboBox>("sdCardPath")->currentIndex(), 0);
    }

    void ejectedWhenDone_data()
    {
        QTest::addColumn<bool>("eject");
        QTest::addColumn<QString>("refusal");
        QTest::addColumn<bool>("staysMounted");
        QTest::addColumn<QString>("told");
        QTest::newRow("ejected") << true << QString() << false << "\n\nThe SD card may now be removed.";
        QTest::newRow("busy") << true << "Target is busy" << false
                              << "\n\nThe SD card could not be ejected: Target is busy\nThe file is written: eject "
                                 "the card before you take it out.";
        QTest::newRow("said ejected, still mounted")
            << true << QString() << true << "\n\nThe SD card could not be ejected: it is still mounted";
        QTest::newRow("not asked to") << false << QString() << false << QString();
    }

    // The card is let go once its file is written, and the user told whether it may be taken out.
    void ejectedWhenDone()
    {
        QFETCH(bool, eject);
        QFETCH(QString, refusal);
        QFETCH(bool, staysMounted);
        QFETCH(QString, told);
        open(1);
        drives->ejectRefusal = refusal;
        drives->ejectLeavesItMounted = staysMounted;
        auto* ejectBox = get<QCheckBox>("ejectCardCheckBox");
        QVERIFY(ejectBox->isChecked());
        ejectBox->setChecked(eject);
        generate();
        const MessageBox::Shown box = onlyBox();
        QCOMPARE(box.title, generatedTitle);
        QVERIFY2(box.text.startsWith(QStringLiteral("The file was generated on the SD Card.") + told),
                 qPrintable(box.text));
        QVERIFY(QFile::exists(parameterFile(0, "GP0_0000.VSK")));
        QCOMPARE(drives->ejectCalls, eject ? QStringList{card(0)} : QStringList());
        QCOMPARE(exits, QList<int>{0});
        QCOMPARE(QSettings().value(QStringLiteral("ejectCardWhenDone")).toBool(), eject);
    }

    // "Prepare another card": the window stays; each card gets its own file, identifier and line in the record.
    void anotherCardInTheSameRun()
    {
        open(2);
        chooseMode(QStringLiteral("GSM"));
        setText("APN", QStringLiteral("internet.example.net"));
        get<QComboBox>("sdCardPath")->setCurrentIndex(0);
        answerWith(QStringLiteral("Prepare another card"));
        generate();
        QTRY_COMPARE(boxes->seen().size(), 1);
        QCOMPARE(boxes->seen().first().defaultButton, QMessageBox::Ok);
        QVERIFY(exits.isEmpty());
        // The first card was let go; the one still in is chosen, the form is kept.
        QCOMPARE(window->drives(), QStringList{card(1)});
        QCOMPARE(get<QComboBox>("sdCardPath")->currentIndex(), 0);
        QCOMPARE(get<QLineEdit>("APN")->text(), QStringLiteral("internet.example.net"));

        generate();
        QTRY_COMPARE(boxes->seen().size(), 2);
        QCOMPARE(exits, QList<int>{0});
        const QByteArray first = readFile(parameterFile(0, "GP0_0000.VSK"));
        const QByteArray second = readFile(parameterFile(1, "GP0_0000.VSK"));
        QVERIFY(!first.isEmpty() && !second.isEmpty());
        QVERIFY(decodeParameterFile(first, QStringLiteral("GP0_0000.VSK")).identifier !=
                decodeParameterFile(second, QStringLiteral("GP0_0000.VSK")).identifier);
        const QStringList lines =
            QString::fromUtf8(readFile(CardRecord::filePath())).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 3); // the heading and one line a card
        QVERIFY(lines.at(1).contains(card(0)) && lines.at(2).contains(card(1)));
        QCOMPARE(urls.opened.count(QUrl(QStringLiteral("https://portal.orva.example.net"))), 2);
    }

    // The line under the card list tells what the chosen card holds, read off the GUI thread.
    void cardLineTellsWhatTheCardHolds()
    {
        QDir().mkpath(card(1) + QStringLiteral("/02"));
        QVERIFY(writeFile(parameterFile(1, "GP0_0000.VSK"), QByteArray(60, 'x')));
        open(2);
        auto* line = get<QLabel>("cardContentsLabel");
        QTRY_COMPARE(line->text(), QStringLiteral("No configuration on this card."));
        get<QComboBox>("sdCardPath")->setCurrentIndex(1);
        QTRY_VERIFY2(line->text().startsWith(QStringLiteral("A damaged parameter file")), qPrintable(line->text()));

        // A GSM card, prepared here, then chosen again.
        get<QCheckBox>("ejectCardCheckBox")->setChecked(false);
        get<QComboBox>("sdCardPath")->setCurrentIndex(0);
        chooseMode(QStringLiteral("GSM"));
        setText("APN", QStringLiteral("internet.example.net"));
        answerWith(QStringLiteral("Prepare another card"));
        generate();
        QTRY_COMPARE(boxes->seen().size(), 1);
        get<QComboBox>("sdCardPath")->setCurrentIndex(0);
        QTRY_VERIFY2(line->text().startsWith(QStringLiteral("On the card: GSM internet.example.net, written ")),
                     qPrintable(line->text()));
    }

    void replacingAHandedOffIdentifierIsAsked_data()
    {
        QTest::addColumn<quint8>("heldMode");
        QTest::addColumn<QString>("answer"); // empty: the box's default
        QTest::addColumn<bool>("asked");
        QTest::addColumn<bool>("replaced");
        QTest::newRow("GSM card, default answer") << quint8(ModeCode::Gsm) << QString() << true << false;
        QTest::newRow("GSM card, Replace") << quint8(ModeCode::Gsm) << "Replace" << true << true;
        QTest::newRow("LAN card, default answer") << quint8(ModeCode::Lan) << QString() << true << false;
        QTest::newRow("Kerv card: no question") << quint8(ModeCode::KervSlow) << QString() << false << true;
    }

    // A file whose identifier the user registered on the portal is replaced only when the user says so.
    void replacingAHandedOffIdentifierIsAsked()
    {
        QFETCH(quint8, heldMode);
        QFETCH(QString, answer);
        QFETCH(bool, asked);
        QFETCH(bool, replaced);
        FormValues held;
        held.modeCode = heldMode;
        held.text(FormField::AccessPointName) = QStringLiteral("old.example.net");
        const QUuid heldIdentifier = createAcceptableIdentifier();
        const EncodedParameterFile encoded = encodeParameterFile(parameterFileInput(held, heldIdentifier));
        QDir().mkpath(card(0) + QStringLiteral("/02"));
        QVERIFY(writeFile(parameterFile(0, "GP0_0000.VSK"), encoded.header + encoded.body));

        open(1);
        get<QCheckBox>("ejectCardCheckBox")->setChecked(false);
        chooseMode(QStringLiteral("LAN"));
        boxes->answer(answer); // an empty answer takes the default button
        generate();
        QTRY_VERIFY(!boxes->seen().isEmpty());
        const MessageBox::Shown first = boxes->seen().first();
        QCOMPARE(first.title == QLatin1String("Replace the configuration?"), asked);
        if (asked) {
            QVERIFY2(first.text.contains(QString::fromLatin1(heldIdentifier.toRfc4122().toHex().toUpper())),
                     qPrintable(first.text));
            QCOMPARE(first.defaultButton, QMessageBox::Cancel);
        }
        const QByteArray now = readFile(parameterFile(0, "GP0_0000.VSK"));
        QCOMPARE(now == encoded.header + encoded.body, !replaced);
        QCOMPARE(exits, replaced ? QList<int>{0} : QList<int>());
    }

    void loadFromCardThenGenerate_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("fileName");
        QTest::newRow("Kerv 38400") << "Kerv (38400 bps)"
                                    << "GP0_0000.VSK";
        QTest::newRow("Kerv 115200") << "Kerv (115200 bps)"
                                     << "GP0_0000.VSK";
        QTest::newRow("GSM") << "GSM"
                             << "GP0_0000.VSK";
        QTest::newRow("LAN") << "LAN"
                             << "GP0_0000.VSK";
        QTest::newRow("SMS with reset") << "SMS"
                                        << "GP1_0000.VSK";
    }

    // "Load from card" fills the form from the card's file; generated again, the file equals the old one in every
    // record but the identifier and the date.
    void loadFromCardThenGenerate()
    {
        QFETCH(QString, mode);
        QFETCH(QString, fileName);
        open(1);
        get<QCheckBox>("ejectCardCheckBox")->setChecked(false);
        chooseMode(mode);
        setText("APN", QStringLiteral("internet.example.net"));
        setText("Username", QStringLiteral("orva"));
        setText("PIN_Code", QStringLiteral("5273"));
        setText("sim_card_phone_number", QStringLiteral("+41 79 123 45 67"));
        setText("userKeyLineEdit", QStringLiteral("Wd3kPz"));
        get<QCheckBox>("resetConfigCheckBox")->setChecked(mode == QLatin1String("SMS"));
        generate();
        QTRY_COMPARE(exits, QList<int>{0});
        const QString path = card(0) + QStringLiteral("/02/") + fileName;
        const DecodedParameterFile before = decodeParameterFile(readFile(path), fileName);

        // Another run of the window, its form at the defaults.
        window.reset();
        QSettings().clear();
        exits.clear();
        boxes->clear();
        open(1);
        get<QCheckBox>("ejectCardCheckBox")->setChecked(false);
        QTest::mouseClick(get("loadFromCardButton"), Qt::LeftButton);
        QVERIFY2(boxes->seen().isEmpty(), qPrintable(boxes->seen().value(0).text));
        QCOMPARE(get<QComboBox>("modeSerial")->currentText(), mode);
        answerWith(QStringLiteral("Replace"));
        generate();
        QTRY_COMPARE(exits, QList<int>{0});
        const DecodedParameterFile after = decodeParameterFile(readFile(path), fileName);
        QVERIFY(after.allChecksPass());
        QVERIFY(after.identifier != before.identifier);
        QCOMPARE(int(after.modeCode), int(before.modeCode));
        QCOMPARE(after.textRecords, before.textRecords);
        QCOMPARE(after.resetRecord, before.resetRecord);
        QCOMPARE(after.hostName, before.hostName);
    }

    void cardGoneBeforeTheWrite_data()
    {
        QTest::addColumn<bool>("goneBeforeGenerate");
        QTest::newRow("taken out while the window was open") << true;
        QTest::newRow("not mounted again after the label") << false;
    }

    void cardGoneBeforeTheWrite()
    {
        // The card's mount folder stays behind on the computer's own disk: nothing may be written into it.
        QFETCH(bool, goneBeforeGenerate);
        auto platform = std::make_unique<FakeDrivePlatform>();
        QDir().mkpath(card(0));
        platform->addCard(card(0), QStringLiteral("CARD"));
        if (!goneBeforeGenerate)
            platform->unmountOnLabel = true;
        open(0, std::move(platform));
        if (goneBeforeGenerate)
            drives->volumes.clear();
        generate();
        QCOMPARE(onlyBox().title, QStringLiteral("SD Card Not Found"));
        QCOMPARE(QDir(card(0)).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
        QCOMPARE(drives->labelCalls.size(), goneBeforeGenerate ? 0 : 1);
        QVERIFY(exits.isEmpty());
        QVERIFY(QSettings().allKeys().isEmpty());
    }

    void linksOnTheCardAreNotFollowed_data()
    {
        QTest::addColumn<QString>("link");
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("title");
        QTest::newRow("folder 02") << "02"
                                   << "Kerv (38400 bps)"
                                   << "SD Card Not Found";
        QTest::newRow("parameter file") << "02/GP0_0000.VSK"
                                        << "Kerv (38400 bps)" << generatedTitle;
        QTest::newRow("identifier file") << "02/ORVA Serial Number.txt"
                                         << "LAN" << generatedTitle;
    }

    void linksOnTheCardAreNotFollowed()
    {
        QFETCH(QString, link);
        QFETCH(QString, mode);
        QFETCH(QString, title);
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
        open(1);
        chooseMode(mode);
        generate();
        QCOMPARE(onlyBox().title, title);
        QCOMPARE(readFile(userFile), QByteArray("the user's own file\n"));
        QCOMPARE(QDir(outside).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden),
                 QStringList{QStringLiteral(".bashrc")});
        if (title == generatedTitle) {
            // The link was replaced by the file itself.
            QVERIFY(!QFileInfo(linkPath).isSymLink());
            QVERIFY(QFileInfo(linkPath).isFile());
        }
    }

    void phoneNumbers_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("title");
        const QString phoneError = QStringLiteral("Phone number error");
        QTest::newRow("SIM, unfinished") << "sim_card_phone_number"
                                         << "+41 79" << phoneError;
        QTest::newRow("owner, 00 form") << "owner_phone_number"
                                        << "0041 79 123 45 67" << noCardTitle;
        QTest::newRow("empty") << "owner_phone_number"
                               << "" << noCardTitle;
    }

    void phoneNumbers()
    {
        QFETCH(QString, field);
        QFETCH(QString, number);
        QFETCH(QString, title);
        open(0);
        chooseMode(QStringLiteral("SMS"));
        setText("userKeyLineEdit", QStringLiteral("Wd3kPz"));
        setText(field.toLatin1().constData(), number);
        generate();
        const MessageBox::Shown box = onlyBox();
        QCOMPARE(box.title, title);
        if (title != noCardTitle)
            QVERIFY2(box.text.contains(QLatin1String("Phone Number\"")), qPrintable(box.text));
    }

    void refusedFieldThatResetDisables()
    {
        // A stored value in a field that the reset option greys out: the user must be told how to reach it.
        open(1);
        chooseMode(QStringLiteral("SMS"));
        setText("userKeyLineEdit", QStringLiteral("ab;cde"));
        get<QCheckBox>("resetConfigCheckBox")->click();
        get("button_Save")->setFocus();
        generate();
        const MessageBox::Shown box = onlyBox();
        QCOMPARE(box.title, QStringLiteral("Unsupported character"));
        QVERIFY2(box.text.endsWith(QLatin1String("\nUncheck \"Reset Configuration\" to edit this field.")),
                 qPrintable(box.text));
        QVERIFY(!get("userKeyLineEdit")->hasFocus());
        QVERIFY(exits.isEmpty());
    }

    void nameTakenByFolder()
    {
        open(1);
        QVERIFY(QDir().mkpath(parameterFile(0, "GP0_0000.VSK")));
        QVERIFY(writeFile(parameterFile(0, "GP0_0000.VSK") + QStringLiteral("/inside"), "x"));
        generate();
        const MessageBox::Shown box = onlyBox();
        QCOMPARE(box.title, QStringLiteral("File not written"));
        QCOMPARE(box.icon, QMessageBox::Warning);
        QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Close));
        QVERIFY2(box.text.startsWith(QStringLiteral("The file GP0_0000.VSK could not be written on the SD card.\n")),
                 qPrintable(box.text));
        QVERIFY(box.text.size() > 60); // the system's reason follows
        QVERIFY(exits.isEmpty());
        QVERIFY(QSettings().allKeys().isEmpty());
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
        auto platform = std::make_unique<FakeDrivePlatform>();
        platform->addCard(card(0));
        open(0, std::move(platform));
        setText("APN", QStringLiteral("unused"));
        generate();
        const MessageBox::Shown box = onlyBox();
        QCOMPARE(box.title, QStringLiteral("File not written"));
        QVERIFY2(box.text.endsWith(QLatin1String("\nNo space left on device")), qPrintable(box.text));
        QCOMPARE(readFile(parameterFile(0, "GP0_0000.VSK")), old);
        // No new file is left on the card, and the one the killed run left is gone.
        QCOMPARE(
            QDir(card(0) + QStringLiteral("/02")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
            QStringList{QStringLiteral("GP0_0000.VSK")});
        QVERIFY(exits.isEmpty());
        QVERIFY(QSettings().allKeys().isEmpty());
        window.reset(); // let go of the current folder on the card before it is unmounted
        QDir::setCurrent(startDirectory);
    }

    void handOff_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("places"); // which of Desktop, Documents exist
        QTest::addColumn<QString>("where");  // where the identifier file must be: desktop, documents, card, none
        QTest::addColumn<QString>("phrase");

        QTest::newRow("GSM, Desktop") << "GSM"
                                      << "desktop documents"
                                      << "desktop"
                                      << "on the Desktop.";
        QTest::newRow("LAN, Desktop") << "LAN"
                                      << "desktop"
                                      << "desktop"
                                      << "on the Desktop.";
        QTest::newRow("LAN, Documents") << "LAN"
                                        << "documents"
                                        << "documents"
                                        << "in My Documents.";
        QTest::newRow("LAN, card folder") << "LAN"
                                          << ""
                                          << "card"
                                          << "in the folder 02 on the SD Card.";
        QTest::newRow("LAN, Desktop refuses the file") << "LAN"
                                                       << "desktop-blocked documents"
                                                       << "documents"
                                                       << "in My Documents.";
        QTest::newRow("LAN, nowhere") << "LAN"
                                      << "card-blocked"
                                      << "none"
                                      << "";
        QTest::newRow("Kerv 38400") << "Kerv (38400 bps)"
                                    << "desktop"
                                    << ""
                                    << "";
        QTest::newRow("Kerv 115200") << "Kerv (115200 bps)"
                                     << "desktop"
                                     << ""
                                     << "";
        QTest::newRow("SMS") << "SMS"
                             << "desktop"
                             << ""
                             << "";
    }

    void handOff()
    {
        QFETCH(QString, mode);
        QFETCH(QString, places);
        QFETCH(QString, where);
        QFETCH(QString, phrase);
#ifdef Q_OS_WIN
        if (!where.isEmpty())
            QSKIP("the Desktop and Documents are the Windows user's own folders and the editor is notepad.exe: the "
                  "installed program's check under Wine covers the hand-off");
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
        open(1);
        if (places.contains(QLatin1String("card-blocked")))
            QVERIFY(QDir().mkpath(card(0) + QStringLiteral("/02/") + fileName));
        chooseMode(mode);
        setText("userKeyLineEdit", QStringLiteral("Wd3kPz"));
        generate();

        QCOMPARE(exits, QList<int>{0});
        const MessageBox::Shown box = onlyBox();
        QCOMPARE(box.title, generatedTitle);
        QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        const QString parameterName =
            mode == QLatin1String("SMS") ? QStringLiteral("GP1_0000.VSK") : QStringLiteral("GP0_0000.VSK");
        const QString parameterPath = card(0) + QStringLiteral("/02/") + parameterName;
        const DecodedParameterFile parameters = decodeParameterFile(readFile(parameterPath), parameterName);
        QVERIFY(parameters.allChecksPass());
        const QByteArray digits = parameters.identifierBytes.toHex().toUpper();

        if (where.isEmpty()) {
            // No hand-off: no identifier file, no editor, no portal.
            QCOMPARE(box.text, QStringLiteral("The file was generated on the SD Card.") + mayBeRemoved);
            QVERIFY(!QFile::exists(desktop + QLatin1Char('/') + fileName));
            QVERIFY(!QFile::exists(card(0) + QStringLiteral("/02/") + fileName));
            QVERIFY(urls.opened.isEmpty());
            return;
        }
        QVERIFY(urls.opened.size() >= 1);
        QCOMPARE(urls.opened.last().scheme(), QStringLiteral("https"));
        QVERIFY(urls.opened.last().host().endsWith(QLatin1String(".example.net")));
        if (where == QLatin1String("none")) {
            // No place took the file: the identifier is in the box for the user to note.
            QVERIFY2(box.text.startsWith(handOffText + QString::fromLatin1(digits)), qPrintable(box.text));
            QCOMPARE(urls.opened.size(), 1);
            return;
        }
        QCOMPARE(box.text, handOffText + phrase + mayBeRemoved);
        const QString folder = where == QLatin1String("desktop")     ? desktop
                               : where == QLatin1String("documents") ? documents
                                                                     : card(0) + QStringLiteral("/02");
        const QString path = folder + QLatin1Char('/') + fileName;
        const QByteArray banner = QByteArray(38, '*') + " THIS IS IMPORTANT " + QByteArray(38, '*');
        const QByteArray expected = banner + "\r\n\r\n" +
                                    "PLEASE KEEP THIS IDENTIFIER FOR THE AUTHENTICATION OF YOUR INSTALLATION ON THE "
                                    "ORVA WEBSITE\r\n\r\nYOUR IDENTIFIER (GUID) : " +
                                    digits + "\r\n\r\n" + banner;
        QCOMPARE(readFile(path), expected);
        QCOMPARE(banner.size(), 95);
        QCOMPARE(urls.opened.size(), 2);
        QCOMPARE(urls.opened.first(), QUrl::fromLocalFile(path));
    }

    void handOffReplacesEarlierFile()
    {
#ifdef Q_OS_WIN
        QSKIP("the Desktop is the Windows user's own folder: the installed program's check under Wine covers it");
#endif
        QVERIFY(QDir().mkpath(home->filePath(QStringLiteral("Desktop"))));
        const QString path = home->filePath(QStringLiteral("Desktop/ORVA Serial Number.txt"));
        QVERIFY(writeFile(path, QByteArray(500, 'x')));
        open(1);
        chooseMode(QStringLiteral("GSM"));
        generate();
        const QByteArray content = readFile(path);
        QCOMPARE(content.size(), 95 * 2 + 4 + 91 + 4 + 25 + 32 + 4);
        QVERIFY(content.endsWith('*'));
    }
};

ORVA_WINDOW_TEST_MAIN(TestGenerate)

#include "tst_generate.moc"
