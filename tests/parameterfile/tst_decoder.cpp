// Reading parameter files back: round trips, the verdict on damaged files, robustness, and the vskinfo program.
#include "form/FormFields.h"
#include "form/FormValues.h"
#include "generation/CardContents.h"
#include "generation/GenerateTexts.h"
#include "parameterfile/Identifier.h"
#include "parameterfile/ParameterFile.h"
#include "parameterfile/ParameterFileDecoder.h"
#include "parameterfile/ParameterFileForm.h"
#include "parameterfile/ParameterFileReport.h"
#include "support/HandMadeFiles.h"
#include "support/MockClock.h"

#include "orva_version.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ORVA_UNDER_ADDRESS_SANITIZER
#endif
#endif
#if defined(ORVA_UNDER_ADDRESS_SANITIZER) || defined(__SANITIZE_ADDRESS__)
constexpr bool underAddressSanitizer = true;
#else
constexpr bool underAddressSanitizer = false;
#endif

const QUuid fixedIdentifier(QStringLiteral("{12345678-9abc-def1-2345-6789abcdef12}"));
const QDateTime fixedTime(QDate(2026, 12, 6), QTime(5, 15, 53));
const QString gp0 = QStringLiteral("GP0_0000.VSK");

ParameterFileInput gsmInput()
{
    ParameterFileInput input;
    input.modeCode = 8;
    input.identifier = fixedIdentifier;
    input.fileName = gp0;
    input.texts[FormField::AccessPointName] = QStringLiteral("internet.example");
    input.texts[FormField::Username] = QStringLiteral("user");
    input.texts[FormField::Password] = QStringLiteral("pass");
    input.texts[FormField::PinCode] = QStringLiteral("1234");
    return input;
}

// Encoded while the clock shows that local time.
EncodedParameterFile encodedAt(const ParameterFileInput& input, const QDateTime& localTime)
{
    const QDate date = localTime.date();
    const QTime time = localTime.time();
    const MockClock clock(date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second());
    return encodeParameterFile(input);
}

QByteArray fileBytes(const ParameterFileInput& input)
{
    const EncodedParameterFile file = encodedAt(input, fixedTime);
    return file.header + file.body;
}

QByteArray withU16(QByteArray bytes, int offset, quint16 value)
{
    bytes[offset] = char(value >> 8);
    bytes[offset + 1] = char(value);
    return bytes;
}

QByteArray withU32(QByteArray bytes, int offset, quint32 value)
{
    bytes = withU16(bytes, offset, quint16(value >> 16));
    return withU16(bytes, offset + 2, quint16(value));
}

// The header's length and check values brought in line with a body changed on purpose.
QByteArray resealed(QByteArray bytes)
{
    const QByteArray body = bytes.mid(48);
    bytes = withU32(bytes, 10, quint32(bytes.size()));
    bytes = withU32(bytes, 22, countZeroBits(body));
    return withU16(bytes, 38, quint16(bodyChecksum(body)));
}

QByteArray flipBit(QByteArray bytes, int offset, int bit)
{
    bytes[offset] = char(bytes.at(offset) ^ (1 << bit));
    return bytes;
}

QStringList failedNames(const DecodedParameterFile& file)
{
    QStringList names;
    for (const DecodedParameterFile::Check& check : file.failedChecks())
        names << check.name;
    return names;
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

struct Run
{
    int exitCode = -1;
    QString out;
    QString err;
};

// A vskinfo that does not end within the timeout is killed and reported with exit code -1.
Run runVskinfo(const QStringList& arguments, const QString& standardOutputFile = QString(), int timeout = 30000)
{
    QProcess process;
    if (!standardOutputFile.isEmpty())
        process.setStandardOutputFile(standardOutputFile);
    process.start(QStringLiteral(VSKINFO_PATH), arguments);
    Run run;
    if (!process.waitForFinished(timeout) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    run.err = QString::fromLocal8Bit(process.readAllStandardError());
#ifdef Q_OS_WIN
    // The C run-time of a Windows program ends its text lines with CR LF.
    run.out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    run.err.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
#endif
    return run;
}
#ifdef Q_OS_UNIX
struct MeasuredRun
{
    int exitCode = -1; // -1 when killed at the deadline
    double seconds = 0;
    long peakKiB = 0;
};

// Runs vskinfo with its output into outputPath and measures it: wall time, and peak memory from wait4().
MeasuredRun runMeasured(const QString& path, const QString& outputPath)
{
    const QByteArray program = QByteArrayLiteral(VSKINFO_PATH);
    const QByteArray argument = QFile::encodeName(path);
    const QByteArray output = QFile::encodeName(outputPath);
    char* const argv[] = {const_cast<char*>(program.constData()), const_cast<char*>(argument.constData()), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, output.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    MeasuredRun run;
    QElapsedTimer timer;
    timer.start();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, program.constData(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return run;
    int status = 0;
    struct rusage usage = {};
    while (wait4(pid, &status, WNOHANG, &usage) == 0) {
        if (timer.hasExpired(60000)) {
            kill(pid, SIGKILL);
            wait4(pid, &status, 0, &usage);
            return run;
        }
        QThread::msleep(10);
    }
    run.seconds = double(timer.nsecsElapsed()) / 1e9;
    run.peakKiB = usage.ru_maxrss;
    if (WIFEXITED(status))
        run.exitCode = WEXITSTATUS(status);
    return run;
}
#endif
} // namespace

class TestDecoder : public QObject
{
    Q_OBJECT

private slots:
    void cardContents();
    void roundTrip_data();
    void roundTrip();
    void damagedFiles_data();
    void damagedFiles();
    void extraSeparatorsNotGuessed();
    void separatorVerdicts_data();
    void separatorVerdicts();
    void timestampUnpacking_data();
    void timestampUnpacking();
    void anyInputIsSafe();
    void description();
    void headerInBothReports();
    void vskinfoExitCodes();
    void vskinfoSeveralFiles();
    void vskinfoRefusesWhatIsNotAFile_data();
    void vskinfoRefusesWhatIsNotAFile();
    void vskinfoOutputToFullDevice();
    void vskinfoFileOfSeparators();
    void vskinfoCardRootAsJson();
    void vskinfoCommandLine();
    void anotherServer();
    void oneSizeLimit();
    void textsUnlikeTheTool_data();
    void textsUnlikeTheTool();
};

// What a card holds, as the window's card line and the question before a replacement read it.
void TestDecoder::cardContents()
{
    QTemporaryDir card;
    QVERIFY(card.isValid());
    const auto write = [&](quint8 mode, const QString& apnOrSim, const QDateTime& when) {
        FormValues values;
        values.modeCode = mode;
        values.text(FormField::AccessPointName) = apnOrSim;
        values.text(FormField::SimCardPhoneNumber) = apnOrSim;
        const QUuid identifier = createAcceptableIdentifier();
        const EncodedParameterFile encoded = encodedAt(parameterFileInput(values, identifier), when);
        QDir(card.path()).mkpath(QStringLiteral("02"));
        QFile file(card.filePath(QStringLiteral("02/") + parameterFileName(mode)));
        if (!file.open(QIODevice::WriteOnly) || file.write(encoded.header + encoded.body) < 0)
            return QUuid();
        return identifier;
    };
    const QDateTime morning(QDate(2026, 12, 7), QTime(9, 5)), noon(QDate(2026, 12, 7), QTime(12, 0));

    QCOMPARE(readCardContents(card.path()).state, CardContents::State::Nothing);

    const QUuid gsm = write(ModeCode::Gsm, QStringLiteral("internet.example.net"), morning);
    CardContents contents = readCardContents(card.path());
    QCOMPARE(contents.state, CardContents::State::Configured);
    QCOMPARE(int(contents.modeCode), int(ModeCode::Gsm));
    QCOMPARE(contents.mainValue, QStringLiteral("internet.example.net"));
    QCOMPARE(contents.written, morning);
    QCOMPARE(contents.identifier, gsm);
    QVERIFY(contents.carriesHandedOffIdentifier());

    // An SMS file written later beside it is what the card was last prepared with.
    write(ModeCode::Sms, QStringLiteral("+41 79 123 45 67"), noon);
    contents = readCardContents(card.path());
    QCOMPARE(int(contents.modeCode), int(ModeCode::Sms));
    QCOMPARE(contents.mainValue, QStringLiteral("+41 79 123 45 67"));
    QVERIFY(!contents.carriesHandedOffIdentifier());
    QCOMPARE(readParameterFileAt(card.filePath(QStringLiteral("02/GP0_0000.VSK"))).identifier, gsm);
    // The card line and vskwrite --list tell both, GP0 first: a date in a header proves nothing.
    const QVector<CardContents> both = readCardFiles(card.path());
    QCOMPARE(both.size(), 2);
    QCOMPARE(both.at(0).identifier, gsm);
    QCOMPARE(int(both.at(1).modeCode), int(ModeCode::Sms));

    // A damaged file is told as such and still names its mode.
    QFile gp1(card.filePath(QStringLiteral("02/GP1_0000.VSK")));
    QVERIFY(gp1.open(QIODevice::ReadWrite));
    QVERIFY(gp1.seek(60) && gp1.write("X") == 1);
    gp1.close();
    contents = readParameterFileAt(gp1.fileName());
    QCOMPARE(contents.state, CardContents::State::Damaged);
    QVERIFY(!contents.reason.isEmpty());

#ifdef Q_OS_UNIX
    // A FIFO where the file should be is never opened: it would block.
    QVERIFY(QFile::remove(gp1.fileName()));
    QCOMPARE(::mkfifo(QFile::encodeName(gp1.fileName()).constData(), 0600), 0);
    QCOMPARE(readParameterFileAt(gp1.fileName()).state, CardContents::State::Damaged);

    // A folder 02 that is a link leads off the card: the files it leads to are not the card's, nor said to be on it.
    QTemporaryDir elsewhere;
    QVERIFY(QDir().rename(card.filePath(QStringLiteral("02")), elsewhere.filePath(QStringLiteral("02"))));
    QVERIFY(QFile::link(elsewhere.filePath(QStringLiteral("02")), card.filePath(QStringLiteral("02"))));
    const QVector<CardContents> linked = readCardFiles(card.path());
    QCOMPARE(linked.size(), 1);
    QCOMPARE(linked.at(0).state, CardContents::State::OffCard);
    QCOMPARE(GenerateTexts::cardFiles(linked),
             QStringLiteral("The folder 02 leads off the card (it is a link): what it holds is not the card's."));
    const Run run = runVskinfo({card.path()});
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.out.isEmpty() && run.err.contains(QStringLiteral("leads off the card (it is a link)")),
             qPrintable(run.err));
#endif
}

void TestDecoder::roundTrip_data()
{
    QTest::addColumn<quint8>("modeCode");
    QTest::addColumn<QStringList>("texts"); // records 5..11, a null string for a hidden field
    QTest::addColumn<int>("reset");         // -1 hidden, 0 or 1

    const QString hidden;
    const QStringList noTexts{hidden, hidden, hidden, hidden, hidden, hidden, hidden};
    QTest::newRow("Kerv 38400") << quint8(4) << noTexts << -1;
    QTest::newRow("Kerv 115200") << quint8(64) << noTexts << -1;
    QTest::newRow("GSM") << quint8(8)
                         << QStringList{QStringLiteral("apn.example"),
                                        QStringLiteral("Ren\u00E9"),
                                        QStringLiteral("p w"),
                                        QStringLiteral("0000"),
                                        hidden,
                                        hidden,
                                        hidden}
                         << -1;
    QTest::newRow("GSM, empty fields") << quint8(8)
                                       << QStringList{QString(QLatin1String("")),
                                                      QString(QLatin1String("")),
                                                      QString(QLatin1String("")),
                                                      QStringLiteral("1234"),
                                                      hidden,
                                                      hidden,
                                                      hidden}
                                       << -1;
    QTest::newRow("LAN") << quint8(16) << noTexts << -1;
    QTest::newRow("SMS, reset") << quint8(32)
                                << QStringList{hidden,
                                               hidden,
                                               hidden,
                                               QStringLiteral("9876"),
                                               QStringLiteral("+41790000001"),
                                               QStringLiteral("+41790000002"),
                                               QStringLiteral("A1B2C3")}
                                << 1;
    QTest::newRow("SMS, no reset")
        << quint8(32)
        << QStringList{hidden, hidden, hidden, QStringLiteral("9876"), QString(), QString(), QStringLiteral("A1B2C3")}
        << 0;
}

void TestDecoder::roundTrip()
{
    QFETCH(quint8, modeCode);
    QFETCH(QStringList, texts);
    QFETCH(int, reset);

    ParameterFileInput input;
    input.modeCode = modeCode;
    input.identifier = QUuid(QStringLiteral("{a1b2c3d4-e5f6-4789-9abc-def123456789}"));
    input.fileName = parameterFileName(modeCode);
    std::array<std::optional<QString>, FormField::count>& fields = input.texts;
    for (int i = 0; i < 7; ++i) {
        if (!texts.at(i).isNull())
            fields[size_t(i)] = texts.at(i);
    }
    if (reset >= 0)
        input.resetConfig = reset == 1;

    const QByteArray bytes = fileBytes(input);
    const DecodedParameterFile file = decodeParameterFile(bytes, input.fileName);
    QVERIFY2(file.allChecksPass(), qPrintable(failedNames(file).join(QLatin1String(", "))));
    QVERIFY(!file.truncated);
    QVERIFY(file.recordsKnown);
    QCOMPARE(file.size, bytes.size());
    QCOMPARE(file.header.fileLength, quint32(bytes.size()));
    QCOMPARE(file.header.headerLength, 48u);
    QCOMPARE(file.header.magic2, 0x0100050Au);
    QCOMPARE(unpackTimestamp(file.header.timestamp).toDateTime(), fixedTime);
    QCOMPARE(file.identifier, input.identifier);
    QCOMPARE(file.modeCode, modeCode);
    QCOMPARE(file.hostName, QByteArray("config.orva.example.net"));
    QCOMPARE(file.fixedNumber, QByteArray("83"));
    QCOMPARE(file.textRecords.size(), 7);
    for (int i = 0; i < 7; ++i)
        QCOMPARE(file.textRecords.at(i), texts.at(i).toLatin1());
    QCOMPARE(file.resetRecord, reset < 0 ? QByteArray() : QByteArray(1, char(reset)));
    QCOMPARE(file.separatorCount, 12);
}

void TestDecoder::damagedFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QStringList>("failing");

    const QByteArray valid = fileBytes(gsmInput());
    const int apn = valid.indexOf("internet.example");
    const auto names = [](std::initializer_list<const char*> list) {
        QStringList result;
        for (const char* name : list)
            result << QString::fromLatin1(name);
        return result;
    };

    QTest::newRow("valid") << valid << gp0 << QStringList();
    QTest::newRow("valid, under a folder") << valid << QStringLiteral("/media/card/02/GP0_0000.VSK") << QStringList();
    QTest::newRow("bit flipped in a text")
        << flipBit(valid, apn + 3, 1) << gp0 << names({"zero-bit count", "checksum"});
    // One bit set and one cleared: the zero-bit count stays, the checksum does not.
    QTest::newRow("two bits swapped") << flipBit(flipBit(valid, apn, 1), apn + 1, 2) << gp0 << names({"checksum"});
    QTest::newRow("bit flipped in the header checksum") << flipBit(valid, 39, 0) << gp0 << names({"checksum"});
    QTest::newRow("header length") << withU16(valid, 0, 47) << gp0 << names({"header length"});
    QTest::newRow("reserved1") << withU16(valid, 2, 1) << gp0 << names({"reserved1"});
    QTest::newRow("magic1") << withU16(valid, 4, 9) << gp0 << names({"magic1"});
    QTest::newRow("reserved2") << withU32(valid, 6, 0x100) << gp0 << names({"reserved2"});
    QTest::newRow("file length field") << withU32(valid, 10, quint32(valid.size() + 1)) << gp0
                                       << names({"file length"});
    QTest::newRow("magic2") << withU32(valid, 14, 0x0100050B) << gp0 << names({"magic2"});
    QTest::newRow("magic3") << withU16(valid, 26, 136) << gp0 << names({"magic3"});
    QTest::newRow("magic4") << withU16(valid, 36, 0x0615) << gp0 << names({"magic4"});
    QTest::newRow("reserved3") << flipBit(valid, 47, 7) << gp0 << names({"reserved3"});
    QTest::newRow("month 13") << withU32(valid, 18, packTimestamp(fixedTime) | (13u << 22)) << gp0
                              << names({"timestamp"});
    QTest::newRow("top bit of the timestamp")
        << withU32(valid, 18, packTimestamp(fixedTime) | 0x80000000u) << gp0 << names({"timestamp"});
    QTest::newRow("byte appended") << QByteArray(valid + 'x') << gp0
                                   << names({"file length", "zero-bit count", "checksum", "separators"});
    QTest::newRow("body cut short") << valid.left(valid.size() - 5) << gp0
                                    << names({"file length", "zero-bit count", "checksum", "separators"});
    QTest::newRow("header alone") << valid.left(48) << gp0
                                  << names({"file length", "zero-bit count", "checksum", "identifier", "separators",
                                            "mode code"});
    QTest::newRow("header too short") << valid.left(47) << gp0 << names({"header"});
    QTest::newRow("empty file") << QByteArray() << gp0 << names({"header"});
    QTest::newRow("decoded as the SMS file")
        << valid << QStringLiteral("GP1_0000.VSK") << names({"name tag", "file name"});
    QTest::newRow("renamed") << valid << QStringLiteral("copy.VSK") << names({"name tag", "file name"});

    ParameterFileInput input = gsmInput();
    input.identifier = QUuid(QStringLiteral("{12005678-9abc-def1-2345-6789abcdef12}"));
    QTest::newRow("identifier with 0x00") << fileBytes(input) << gp0 << names({"identifier"});
    input.identifier = QUuid(QStringLiteral("{12345678-9a3b-def1-2345-6789abcdef12}"));
    // Records are counted after the 16 identifier bytes, so a 0x3B among them shifts nothing.
    QTest::newRow("identifier with 0x3B") << fileBytes(input) << gp0 << names({"identifier"});

    // Bytes A0 0B: no 0x00 byte, but "00" in the digits where the two meet, which the tool never draws.
    input.identifier = QUuid(QStringLiteral("{1234a00b-9abc-def1-2345-6789abcdef12}"));
    QTest::newRow("identifier with 00 between two bytes") << fileBytes(input) << gp0 << names({"identifier"});

    QTest::newRow("no host name") << withHostName(valid, {}) << gp0 << names({"host name"});
    QTest::newRow("host name with a control character")
        << withHostName(valid, "config.orva\x1B.example.net") << gp0 << names({"host name"});
    QTest::newRow("label of 64 characters")
        << withHostName(valid, QByteArray(64, 'h') + ".example.net") << gp0 << names({"host name"});

    input = gsmInput();
    input.modeCode = 7;
    QTest::newRow("unknown mode") << fileBytes(input) << gp0 << names({"mode code"});
    input = gsmInput();
    input.texts[FormField::SimCardPhoneNumber] = QStringLiteral("+41790000001");
    QTest::newRow("GSM with a SIM number") << fileBytes(input) << gp0 << names({"records for mode"});
    input = gsmInput();
    input.modeCode = 32;
    input.fileName = parameterFileName(32);
    input.texts[FormField::AccessPointName].reset();
    input.texts[FormField::Username].reset();
    input.texts[FormField::Password].reset();
    QTest::newRow("SMS without reset byte")
        << fileBytes(input) << QStringLiteral("GP1_0000.VSK") << names({"records for mode"});
    input.resetConfig = true;
    QByteArray resetTwo = fileBytes(input);
    resetTwo[resetTwo.size() - 2] = 2;
    QTest::newRow("SMS reset byte 2") << resealed(resetTwo) << QStringLiteral("GP1_0000.VSK")
                                      << names({"records for mode"});

    QByteArray fixedNumber = valid;
    fixedNumber[valid.indexOf(";83;") + 2] = '4';
    QTest::newRow("fixed number 84") << resealed(fixedNumber) << gp0 << names({"fixed number"});
}

void TestDecoder::damagedFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, fileName);
    QFETCH(QStringList, failing);

    const DecodedParameterFile file = decodeParameterFile(bytes, fileName);
    QCOMPARE(failedNames(file), failing);
    QCOMPARE(file.allChecksPass(), failing.isEmpty());
    QCOMPARE(file.truncated, bytes.size() < 48);
    for (const DecodedParameterFile::Check& check : file.checks)
        QVERIFY2(!check.detail.isEmpty(), qPrintable(check.name));
}

void TestDecoder::extraSeparatorsNotGuessed()
{
    ParameterFileInput input = gsmInput();
    input.texts[FormField::Password] = QStringLiteral("a;b;c");
    const DecodedParameterFile file = decodeParameterFile(fileBytes(input), gp0);

    QCOMPARE(file.separatorCount, 14);
    QVERIFY(!file.recordsKnown);
    QVERIFY(file.textRecords.isEmpty());
    QVERIFY(file.hostName.isEmpty());
    // What can be read at fixed places still is.
    QCOMPARE(file.identifier, fixedIdentifier);
    QCOMPARE(file.modeCode, quint8(8));
    QCOMPARE(file.rawRecords.size(), 13);
    QCOMPARE(file.rawRecords.at(5), QByteArray("a"));

    const DecodedParameterFile::Check* separators = file.check(QStringLiteral("separators"));
    QVERIFY(separators);
    QVERIFY(!separators->ok);
    QVERIFY2(separators->detail.contains(QLatin1String("14 separators")), qPrintable(separators->detail));
    QVERIFY(separators->detail.contains(QLatin1String("\";\"")));
    // The check values cover the body as written: they still hold.
    QVERIFY(file.check(QStringLiteral("checksum"))->ok);
}

void TestDecoder::separatorVerdicts_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("detail");

    const QByteArray valid = fileBytes(gsmInput());
    QTest::newRow("valid") << valid << QStringLiteral("12, the last one ending the body");
    QTest::newRow("byte after the last") << QByteArray(valid + 'x')
                                         << QStringLiteral("12 separators, but bytes follow the last one");
    QByteArray moved = valid;
    moved[48 + 18] = 'a';
    moved.append(';');
    QTest::newRow("separator moved from the mode byte to the end")
        << moved << QStringLiteral("12 separators, but the mode byte does not stand between the first two");
    QTest::newRow("cut short") << valid.left(valid.size() - 3) << QStringLiteral("9 separators where 12 are expected");
    QTest::newRow("no body") << valid.left(48) << QStringLiteral("no records after the identifier");
}

void TestDecoder::separatorVerdicts()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, detail);

    const DecodedParameterFile file = decodeParameterFile(bytes, gp0);
    const DecodedParameterFile::Check* separators = file.check(QStringLiteral("separators"));
    QVERIFY(separators);
    QCOMPARE(separators->detail, detail);
    QCOMPARE(separators->ok, file.recordsKnown);
}

void TestDecoder::timestampUnpacking_data()
{
    QTest::addColumn<quint32>("packed");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");

    QTest::newRow("worked example") << 0x6B0C53F5u << QStringLiteral("2026-12-06 05:15:53") << true;
    QTest::newRow("2000") << 0x00420000u << QStringLiteral("2000-01-01 00:00:00") << true;
    QTest::newRow("2031") << 0x7F3F7EFBu << QStringLiteral("2031-12-31 23:59:59") << true;
    QTest::newRow("zero") << 0u << QStringLiteral("2000-00-00 00:00:00") << false;
    QTest::newRow("30 February") << packTimestamp(QDate(2024, 2, 1), QTime(1, 2, 3)) + (29u << 17)
                                 << QStringLiteral("2024-02-30 01:02:03") << false;
    QTest::newRow("hour 24") << 0x00420000u + (24u << 12) << QStringLiteral("2000-01-01 24:00:00") << false;
    QTest::newRow("all ones") << 0xFFFFFFFFu << QStringLiteral("2031-15-31 31:63:63") << false;
}

void TestDecoder::timestampUnpacking()
{
    QFETCH(quint32, packed);
    QFETCH(QString, text);
    QFETCH(bool, valid);

    const UnpackedTimestamp time = unpackTimestamp(packed);
    QCOMPARE(time.toString(), text);
    QCOMPARE(time.isValid(), valid);
    if (valid)
        QCOMPARE(packTimestamp(time.toDateTime()), packed);
}

void TestDecoder::anyInputIsSafe()
{
    // Every prefix and many random mutations of a valid file decode and describe without harm (the fuzz target
    // searches much further under the sanitizers).
    ParameterFileInput input = gsmInput();
    input.modeCode = 32;
    input.texts[FormField::SimCardPhoneNumber] = QStringLiteral("+41790000001");
    input.resetConfig = true;
    const QByteArray valid = fileBytes(input);
    for (int size = 0; size <= valid.size(); ++size) {
        const DecodedParameterFile file = decodeParameterFile(valid.left(size), gp0);
        QCOMPARE(file.truncated, size < 48);
        QVERIFY(!describeParameterFile(file).isEmpty());
    }
    QRandomGenerator random(20261206);
    for (int round = 0; round < 3000; ++round) {
        QByteArray bytes = valid;
        const int changes = 1 + int(random.bounded(6));
        for (int i = 0; i < changes; ++i)
            bytes[int(random.bounded(bytes.size()))] = char(random.bounded(256));
        if (random.bounded(4) == 0)
            bytes.truncate(int(random.bounded(bytes.size() + 1)));
        const DecodedParameterFile file = decodeParameterFile(bytes, QString());
        QVERIFY(!file.allChecksPass()); // the empty file name never fits the tag
        QVERIFY(!describeParameterFile(file).isEmpty());
    }
}

void TestDecoder::description()
{
    ParameterFileInput input = gsmInput();
    input.texts[FormField::Password] = QStringLiteral("p\"w\\\u00E9");
    const QStringList lines = describeParameterFile(decodeParameterFile(fileBytes(input), gp0));
    const QString text = lines.join(QLatin1Char('\n'));
    QVERIFY2(lines.contains(QLatin1String("  timestamp     0x6B0C53F5 (2026-12-06 05:15:53)")), qPrintable(text));
    QVERIFY2(lines.contains(QLatin1String("   1 identifier         123456789ABCDEF123456789ABCDEF12")),
             qPrintable(text));
    QVERIFY(lines.contains(QLatin1String("   2 mode code          8 (GSM)")));
    QVERIFY(lines.contains(QLatin1String("   3 host name          \"config.orva.example.net\"")));
    QVERIFY(lines.contains(
        QString(QLatin1String("   7 password           \"p\\\"w\\\\") + QChar(0xE9) + QLatin1Char('"'))));
    QVERIFY(lines.contains(QLatin1String("   9 SIM phone number   (empty)")));
    QVERIFY(lines.contains(QLatin1String("  12 reset flag         (absent)")));
    QCOMPARE(lines.last(), QStringLiteral("Verdict: all 20 checks pass"));
}

void TestDecoder::headerInBothReports()
{
    // The header's part of both reports and the order of the checks come from one table of the fields: a field shown
    // the wrong way, under another name or checked out of turn would change what vskinfo prints.
    const DecodedParameterFile file = decodeParameterFile(fileBytes(gsmInput()), gp0);
    const QStringList lines = describeParameterFile(file);
    const QStringList expected{
        QStringLiteral("Header (48 bytes), body 82 bytes"),
        QStringLiteral("  headerLength  0x0030 (48)"),
        QStringLiteral("  reserved1     0x0000"),
        QStringLiteral("  magic1        0x0008 (8)"),
        QStringLiteral("  reserved2     0x00000000"),
        QStringLiteral("  fileLength    0x00000082 (130)"),
        QStringLiteral("  magic2        0x0100050A"),
        QStringLiteral("  timestamp     0x6B0C53F5 (2026-12-06 05:15:53)"),
        QStringLiteral("  zeroBitCount  0x00000138 (312)"),
        QStringLiteral("  magic3        0x0087 (135)"),
        QStringLiteral("  nameTag       47 00 50 00 30 00 5F 00 (\"GP0_\")"),
        QStringLiteral("  magic4        0x0516 (1302)"),
        QStringLiteral("  checksum      0x82DA"),
        QStringLiteral("  reserved3     00 00 00 00 00 00 00 00"),
    };
    QCOMPARE(lines.mid(0, expected.size()), expected);

    QCOMPARE(
        jsonLine(describeParameterFileAsJson(file).value(QStringLiteral("header")).toObject()),
        QByteArray("{\"checksum\":33498,\"fileLength\":130,\"headerLength\":48,\"magic1\":8,\"magic2\":16778506,"
                   "\"magic3\":135,\"magic4\":1302,\"nameTag\":\"47 00 50 00 30 00 5F 00\",\"nameTagText\":\"GP0_\","
                   "\"reserved1\":0,\"reserved2\":0,\"reserved3\":\"00 00 00 00 00 00 00 00\","
                   "\"time\":\"2026-12-06 05:15:53\",\"timestamp\":1795970037,\"zeroBitCount\":312}"));

    QStringList names;
    for (const DecodedParameterFile::Check& check : file.checks)
        names << check.name;
    QCOMPARE(names, QString::fromLatin1("header length,file length,reserved1,magic1,reserved2,magic2,magic3,magic4,"
                                        "reserved3,timestamp,zero-bit count,checksum,name tag,identifier,separators,"
                                        "mode code,file name,host name,fixed number,records for mode")
                        .split(QLatin1Char(',')));
}

void TestDecoder::vskinfoExitCodes()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString valid = dir.filePath(gp0);
    QVERIFY(writeFile(valid, fileBytes(gsmInput())));
    QDir(dir.path()).mkdir(QStringLiteral("bad"));
    const QString corrupt = dir.filePath(QStringLiteral("bad/GP0_0000.VSK"));
    QVERIFY(writeFile(corrupt, flipBit(fileBytes(gsmInput()), 60, 3)));
    const QString shortFile = dir.filePath(QStringLiteral("short.VSK"));
    QVERIFY(writeFile(shortFile, QByteArray(20, '\x01')));
    const QString missing = dir.filePath(QStringLiteral("missing.VSK"));

    Run run = runVskinfo({valid});
    QCOMPARE(run.exitCode, 0);
    QVERIFY(run.err.isEmpty());
    QVERIFY2(run.out.contains(QLatin1String("timestamp     0x6B0C53F5 (2026-12-06 05:15:53)")), qPrintable(run.out));
    QVERIFY(run.out.contains(QLatin1String("identifier         123456789ABCDEF123456789ABCDEF12")));
    QVERIFY(run.out.contains(QLatin1String("mode code          8 (GSM)")));
    QVERIFY(run.out.contains(QLatin1String("access point name  \"internet.example\"")));
    QVERIFY(run.out.contains(QLatin1String("Verdict: all")));
    QVERIFY(!run.out.contains(QLatin1String("FAIL")));

    run = runVskinfo({corrupt});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.out.contains(QLatin1String("FAIL  checksum")), qPrintable(run.out));
    QVERIFY(run.out.contains(QLatin1String("FAIL  zero-bit count")));
    QVERIFY(!run.out.contains(QLatin1String("FAIL  identifier")));
    QVERIFY(run.out.contains(QLatin1String("Verdict: 2 of 20 checks fail")));

    run = runVskinfo({shortFile});
    QCOMPARE(run.exitCode, 2);
    QVERIFY(run.out.isEmpty());
    QCOMPARE(run.err.trimmed(),
             QStringLiteral("vskinfo: %1: 20 bytes, shorter than the 48-byte header").arg(shortFile));

    run = runVskinfo({missing});
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.startsWith(QStringLiteral("vskinfo: %1: cannot be read").arg(missing)), qPrintable(run.err));
    QCOMPARE(run.err.count(QLatin1Char('\n')), 1);

    run = runVskinfo({dir.path()});
    QCOMPARE(run.exitCode, 2);
    run = runVskinfo({});
    QCOMPARE(run.exitCode, 2);
    QVERIFY(run.err.startsWith(QLatin1String("usage: vskinfo")));
}

void TestDecoder::vskinfoSeveralFiles()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString gsm = dir.filePath(gp0);
    QVERIFY(writeFile(gsm, fileBytes(gsmInput())));
    QDir(dir.path()).mkdir(QStringLiteral("02"));
    ParameterFileInput input = gsmInput();
    input.texts[FormField::AccessPointName] = QStringLiteral("with;separator");
    const QString shifted = dir.filePath(QStringLiteral("02/GP0_0000.VSK"));
    QVERIFY(writeFile(shifted, fileBytes(input)));

    // The worst status wins; every file is shown.
    Run run = runVskinfo({gsm, shifted});
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.out.count(QLatin1String("Verdict:")), 2);
    QVERIFY2(run.out.contains(QLatin1String("FAIL  separators       13 separators")), qPrintable(run.out));
    QVERIFY(run.out.contains(QLatin1String("\"with\"")));

    run = runVskinfo({gsm, dir.filePath(QStringLiteral("missing.VSK")), shifted});
    QCOMPARE(run.exitCode, 2);
    QCOMPARE(run.out.count(QLatin1String("Verdict:")), 2);
}

void TestDecoder::vskinfoRefusesWhatIsNotAFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("message");

    QTest::newRow("FIFO without a writer") << QStringLiteral("fifo") << QStringLiteral("is a FIFO, not a regular file");
    QTest::newRow("/dev/zero") << QStringLiteral("device") << QStringLiteral("is a character device");
    QTest::newRow("socket") << QStringLiteral("socket") << QStringLiteral("is a socket");
    QTest::newRow("folder that is no card")
        << QStringLiteral("folder") << QStringLiteral("holds neither 02/GP0_0000.VSK nor 02/GP1_0000.VSK");
}

void TestDecoder::vskinfoRefusesWhatIsNotAFile()
{
#ifdef Q_OS_UNIX
    QFETCH(QString, kind);
    QFETCH(QString, message);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QString path = dir.filePath(kind);
    int listener = -1;
    if (kind == QLatin1String("fifo")) {
        QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else if (kind == QLatin1String("device")) {
        path = QStringLiteral("/dev/zero");
    } else if (kind == QLatin1String("socket")) {
        listener = socket(AF_UNIX, SOCK_STREAM, 0);
        QVERIFY(listener >= 0);
        sockaddr_un address = {};
        address.sun_family = AF_UNIX;
        const QByteArray name = QFile::encodeName(path);
        QVERIFY(size_t(name.size()) < sizeof(address.sun_path));
        std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
        QCOMPARE(bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof(address)), 0);
        QCOMPARE(listen(listener, 1), 0);
    } else {
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("folder/02")));
    }

    // Blocking in open() or reading without end would show as a timeout.
    QElapsedTimer timer;
    timer.start();
    const Run run = runVskinfo({path}, QString(), 10000);
    if (listener >= 0)
        close(listener);
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(timer.elapsed() < 5000, qPrintable(QString::number(timer.elapsed())));
    QVERIFY(run.out.isEmpty());
    QVERIFY2(run.err.startsWith(QStringLiteral("vskinfo: %1: ").arg(path)), qPrintable(run.err));
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    QCOMPARE(run.err.count(QLatin1Char('\n')), 1);
#else
    QSKIP("FIFOs, sockets and /dev/zero are POSIX");
#endif
}

void TestDecoder::vskinfoOutputToFullDevice()
{
    if (!QFileInfo(QStringLiteral("/dev/full")).exists())
        QSKIP("no /dev/full on this system");
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString valid = dir.filePath(gp0);
    QVERIFY(writeFile(valid, fileBytes(gsmInput())));

    // Every check passes, but the report is lost: that must not look like success.
    for (const QStringList& arguments :
         {QStringList{valid}, QStringList{QStringLiteral("--json"), valid}, QStringList{QStringLiteral("--help")}}) {
        const Run run = runVskinfo(arguments, QStringLiteral("/dev/full"));
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.err.contains(QLatin1String("cannot write the output")), qPrintable(run.err));
    }
}

void TestDecoder::vskinfoFileOfSeparators()
{
#ifdef Q_OS_UNIX
    // The largest file vskinfo reads, of nothing but ';': every byte a separator.
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(gp0);
    const int size = int(ParameterFile::largestSize);
    QVERIFY(writeFile(path, QByteArray(size, ';')));
    const QString output = dir.filePath(QStringLiteral("report.txt"));

    const MeasuredRun run = runMeasured(path, output);
    qInfo("%d bytes of ';': %.2f s, peak memory %ld MiB", size, run.seconds, run.peakKiB / 1024);
    QCOMPARE(run.exitCode, 1);
    // AddressSanitizer's shadow memory and quarantine are no part of the program's own use.
    if (!underAddressSanitizer)
        QVERIFY2(run.peakKiB < 64 * 1024, "more than the program and a few times the file's size");
    QVERIFY(run.seconds < 10);
    // The report lists a few pieces and counts the rest: the separators after the identifier, all but the first and
    // the last cutting the pieces.
    QFile report(output);
    QVERIFY(report.open(QIODevice::ReadOnly));
    QVERIFY2(report.size() < 16 * 1024, qPrintable(QString::number(report.size())));
    const QByteArray text = report.readAll();
    const int separators = size - 48 - 16;
    const QByteArray counted = QByteArray::number(separators) + " separators where 12 are expected";
    const QByteArray listed = "  ... and " + QByteArray::number(separators - 1 - 64) + " more pieces";
    QVERIFY2(text.contains(counted), text.constData());
    QVERIFY2(text.contains(listed), text.constData());
#else
    QSKIP("measured through wait4()");
#endif
}

void TestDecoder::vskinfoCardRootAsJson()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("02")));
    QVERIFY(writeFile(dir.filePath(QStringLiteral("02/GP0_0000.VSK")), fileBytes(gsmInput())));

    Run run = runVskinfo({dir.path()});
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.out.startsWith(QDir(dir.path()).filePath(QStringLiteral("02/GP0_0000.VSK: "))), qPrintable(run.out));
    QCOMPARE(run.out.count(QLatin1String("Verdict: all 20 checks pass")), 1);

    // Both files, the SMS one damaged: both are shown and the damage decides the status.
    ParameterFileInput sms = gsmInput();
    sms.modeCode = 32;
    sms.fileName = parameterFileName(32);
    sms.texts[FormField::AccessPointName].reset();
    sms.texts[FormField::Username].reset();
    sms.texts[FormField::Password].reset();
    sms.texts[FormField::UserKey] = QStringLiteral("A1B2C3");
    sms.resetConfig = false;
    const QByteArray smsBytes = fileBytes(sms);
    QVERIFY(
        writeFile(dir.filePath(QStringLiteral("02/GP1_0000.VSK")), flipBit(smsBytes, smsBytes.indexOf("A1B2C3"), 0)));

    run = runVskinfo({QStringLiteral("--json"), dir.path()});
    QCOMPARE(run.exitCode, 1);
    const QStringList lines = run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 2);
    QJsonParseError error;
    const QJsonObject gsm = QJsonDocument::fromJson(lines.at(0).toUtf8(), &error).object();
    QVERIFY2(error.error == QJsonParseError::NoError, qPrintable(error.errorString()));
    QCOMPARE(gsm.value(QLatin1String("path")).toString(), dir.filePath(QStringLiteral("02/GP0_0000.VSK")));
    QCOMPARE(gsm.value(QLatin1String("pass")).toBool(), true);
    QCOMPARE(gsm.value(QLatin1String("checks")).toArray().size(), 20);
    const QJsonObject header = gsm.value(QLatin1String("header")).toObject();
    QCOMPARE(header.value(QLatin1String("timestamp")).toDouble(), double(0x6B0C53F5));
    QCOMPARE(header.value(QLatin1String("time")).toString(), QStringLiteral("2026-12-06 05:15:53"));
    const QJsonObject records = gsm.value(QLatin1String("records")).toObject();
    QCOMPARE(records.value(QLatin1String("identifier")).toString(), QStringLiteral("123456789ABCDEF123456789ABCDEF12"));
    QCOMPARE(records.value(QLatin1String("modeCode")).toInt(), 8);
    QCOMPARE(records.value(QLatin1String("accessPointName")).toString(), QStringLiteral("internet.example"));
    QCOMPARE(records.value(QLatin1String("simCardPhoneNumber")).toString(), QString());
    QVERIFY(records.value(QLatin1String("resetConfig")).isNull());

    const QJsonObject damaged = QJsonDocument::fromJson(lines.at(1).toUtf8(), &error).object();
    QVERIFY2(error.error == QJsonParseError::NoError, qPrintable(error.errorString()));
    QCOMPARE(damaged.value(QLatin1String("pass")).toBool(), false);
    QCOMPARE(damaged.value(QLatin1String("records")).toObject().value(QLatin1String("modeCode")).toInt(), 32);
    QCOMPARE(damaged.value(QLatin1String("records")).toObject().value(QLatin1String("resetConfig")), QJsonValue(false));
    QStringList failed;
    for (const QJsonValue check : damaged.value(QLatin1String("checks")).toArray()) {
        if (!check.toObject().value(QLatin1String("ok")).toBool())
            failed << check.toObject().value(QLatin1String("name")).toString();
    }
    QCOMPARE(failed, (QStringList{QStringLiteral("zero-bit count"), QStringLiteral("checksum")}));

    // A path without a parameter file still gets its line, naming the problem.
    run = runVskinfo({QStringLiteral("--json"), dir.filePath(QStringLiteral("missing.VSK"))});
    QCOMPARE(run.exitCode, 2);
    const QJsonObject missing = QJsonDocument::fromJson(run.out.toUtf8(), &error).object();
    QVERIFY2(error.error == QJsonParseError::NoError, qPrintable(run.out));
    QVERIFY(missing.value(QLatin1String("error")).toString().startsWith(QLatin1String("cannot be read")));

#ifdef Q_OS_UNIX
    // A record holding a NUL keeps its whole value, and a file whose name is not UTF-8 is found and read.
    QByteArray bytes = fileBytes(gsmInput());
    bytes.replace(QByteArray(";user;"), QByteArray(";u\0er;", 6));
    const QByteArray name = QFile::encodeName(dir.path()) + "/x\377.VSK";
    const int descriptor = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL, 0600);
    QVERIFY(descriptor >= 0);
    QCOMPARE(::write(descriptor, bytes.constData(), size_t(bytes.size())), ssize_t(bytes.size()));
    ::close(descriptor);
    QProcess shell;
    shell.start(QStringLiteral("sh"),
                {QStringLiteral("-c"), QStringLiteral("exec \"$0\" --json \"$1\"/x\"$(printf '\\377')\".VSK"),
                 QStringLiteral(VSKINFO_PATH), dir.path()});
    QVERIFY(shell.waitForFinished(30000));
    const QByteArray line = shell.readAllStandardOutput();
    const QJsonObject unusual = QJsonDocument::fromJson(line, &error).object();
    QVERIFY2(error.error == QJsonParseError::NoError, line.constData());
    QCOMPARE(unusual.value(QLatin1String("records")).toObject().value(QLatin1String("username")).toString(),
             QString::fromLatin1("u\0er", 4));
    QCOMPARE(unusual.value(QLatin1String("path")).toString(), dir.path() + QStringLiteral("/x\\xFF.VSK"));
#endif
}

void TestDecoder::vskinfoCommandLine()
{
    Run run = runVskinfo({QStringLiteral("--version")});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, QStringLiteral("vskinfo " ORVA_VERSION "\n"));
    run = runVskinfo({QStringLiteral("--help")});
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.out.contains(QLatin1String("--json")), qPrintable(run.out));
    run = runVskinfo({QStringLiteral("--no-such-option"), QStringLiteral("GP0_0000.VSK")});
    QCOMPARE(run.exitCode, 2);
    QVERIFY(run.out.isEmpty());
    QVERIFY2(run.err.contains(QLatin1String("no-such-option")), qPrintable(run.err));
}

QTEST_GUILESS_MAIN(TestDecoder)
#include "tst_decoder.moc"

// A file for another server is told as such everywhere, neither good nor damaged; its identifier may be registered.
void TestDecoder::anotherServer()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("02")));
    const QString path = dir.filePath(QStringLiteral("02/GP0_0000.VSK"));
    const QByteArray bytes = withHostName(fileBytes(gsmInput()), "orva-config.example.org");
    QVERIFY(writeFile(path, bytes));

    const DecodedParameterFile file = decodeParameterFile(bytes, path);
    QVERIFY(!file.allChecksPass());
    QVERIFY(file.damagedChecks().isEmpty());
    QVERIFY(file.namesAnotherServer());
    const CardContents contents = readCardContents(dir.path());
    QCOMPARE(contents.state, CardContents::State::Foreign);
    QCOMPARE(contents.server, QStringLiteral("orva-config.example.org"));
    QVERIFY(contents.carriesHandedOffIdentifier());

    const Run run = runVskinfo({path});
    QCOMPARE(run.exitCode, 1);
    const QStringList lines = run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QVERIFY2(lines.value(1).startsWith(QLatin1String("On the card: GSM internet.example, written 2026-12-06 05:15, for "
                                                     "another server (orva-config.example.org).")),
             qPrintable(run.out));
    QVERIFY2(run.out.contains(QLatin1String("  OTHER host name        \"orva-config.example.org\", another server")),
             qPrintable(run.out));
    QVERIFY(!run.out.contains(QLatin1String("FAIL")));
    QCOMPARE(lines.last(), QStringLiteral("Verdict: written for another server; the other 19 checks pass"));
}

// The largest parameter file the form's fields allow is one size, the same for the card line, the loader and vskinfo:
// at that size a file is read and judged by its checks, one byte more and all three refuse it unread.
void TestDecoder::oneSizeLimit()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("02")));
    const QString path = dir.filePath(QStringLiteral("02/GP0_0000.VSK"));
    ParameterFileInput input = gsmInput();
    for (const FormField::Id field :
         {FormField::AccessPointName, FormField::Username, FormField::Password, FormField::PinCode})
        input.texts[field] = QString(FormField::describe(field).maxLength, QLatin1Char('4'));
    // The longest host name a file may name: another server's.
    const QByteArray label(63, 'h');
    const QByteArray host = label + '.' + label + '.' + label + '.' + QByteArray(61, 'h');
    QCOMPARE(host.size(), ParameterFile::longestHostName);
    const QByteArray largest = withHostName(fileBytes(input), host);
    QCOMPARE(largest.size(), ParameterFile::largestSize);

    for (const QByteArray& bytes : {largest, withBody(largest, largest.mid(48) + ';')}) {
        QVERIFY(writeFile(path, bytes));
        const bool tooLarge = bytes.size() > ParameterFile::largestSize;
        const CardContents contents = readCardContents(dir.path());
        QCOMPARE(contents.state, tooLarge ? CardContents::State::Damaged : CardContents::State::Foreign);
        QCOMPARE(contents.reason == QLatin1String("far too large for a parameter file"), tooLarge);
        QCOMPARE(formFromParameterFile(path, FormValues()).outcome,
                 tooLarge ? ParameterFileForm::Outcome::TooLarge : ParameterFileForm::Outcome::Loaded);
        const Run run = runVskinfo({path});
        QCOMPARE(run.exitCode, tooLarge ? 2 : 1);
        QCOMPARE(run.err.contains(QLatin1String("not a parameter file")), tooLarge);
        QCOMPARE(run.out.contains(QLatin1String("Verdict: written for another server")), !tooLarge);
    }
}

void TestDecoder::textsUnlikeTheTool_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("text");
    QTest::newRow("PIN 12") << int(FormField::PinCode) << QStringLiteral("12");
    QTest::newRow("PIN abcd") << int(FormField::PinCode) << QStringLiteral("abcd");
    QTest::newRow("PIN of 7 digits") << int(FormField::PinCode) << QStringLiteral("1234567");
    QTest::newRow("key of 5") << int(FormField::UserKey) << QStringLiteral("Wd3kP");
    QTest::newRow("key of 8") << int(FormField::UserKey) << QStringLiteral("Wd3kPzAB");
    QTest::newRow("SIM number of 18") << int(FormField::SimCardPhoneNumber) << QStringLiteral("+41 79 123 45 6789");
    QTest::newRow("owner number of 30") << int(FormField::OwnerPhoneNumber) << QString(30, QLatin1Char('4'));
    QTest::newRow("APN of 32768") << int(FormField::AccessPointName) << QString(32768, QLatin1Char('a'));
}

// A whole file that no writer of this tool's rules makes (the form's rules, in GSM or else SMS without the reset
// option) is told apart from damage, naming the field, in both accounts and by the exit status.
void TestDecoder::textsUnlikeTheTool()
{
    QFETCH(int, field);
    QFETCH(QString, text);
    FormValues values;
    values.modeCode = ModeCode::showsField(ModeCode::Gsm, FormField::Id(field)) ? ModeCode::Gsm : ModeCode::Sms;
    values.text(FormField::UserKey) = QStringLiteral("Wd3kPz");
    values.text(FormField::Id(field)) = text;
    const ParameterFileInput input = parameterFileInput(values, fixedIdentifier);
    QTemporaryDir dir;
    const QString path = dir.filePath(input.fileName);
    QVERIFY(writeFile(path, fileBytes(input)));

    const Run run = runVskinfo({path});
    const FormField::Description& description = FormField::describe(FormField::Id(field));
    const QString name = QLatin1String(description.recordName);
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.out.contains(QLatin1String("\n  UNLIKE ") + name.leftJustified(17)), qPrintable(run.out.right(300)));
    QVERIFY(
        run.out.endsWith(QStringLiteral("\nVerdict: not as the tool writes it (%1); all 20 checks pass\n").arg(name)));
    const QJsonObject json = describeParameterFileAsJson(decodeParameterFile(fileBytes(input), path));
    QVERIFY(!json.value(QLatin1String("pass")).toBool());
    QCOMPARE(json.value(QLatin1String("unlikeTheTool"))[0][QLatin1String("field")].toString(),
             QLatin1String(description.settingsKey));
}
