// vskwrite from outside, as a script runs it: each mode into a folder taken as a card, the files read back with the
// decoder; each refusal with its exit status; the remembered form; and, as root, a real removable loop card.
#include "form/FormFields.h"
#include "form/FormValues.h"
#include "parameterfile/Identifier.h"
#include "parameterfile/ParameterFile.h"
#include "parameterfile/ParameterFileDecoder.h"
#include "parameterfile/ParameterFileForm.h"
#include "settings/Presets.h"
#include "support/MemoryKeychain.h"
#include "support/RunTool.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <optional>

#ifdef Q_OS_LINUX
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {
struct Run
{
    int status = -1;
    QByteArray out;
    QByteArray err;
};

// The seven text records as a mode writes them: the fields it does not show are empty.
QList<QByteArray> records(const QByteArray& apn, const QByteArray& user, const QByteArray& password,
                          const QByteArray& pin, const QByteArray& sim, const QByteArray& owner, const QByteArray& key)
{
    return {apn, user, password, pin, sim, owner, key};
}
// Where the output holds a character that a terminal would act upon rather than show: a C0 control but those
// allowed, DEL, a C1 control, a bidirectional control, or a byte that is not UTF-8 (a C1 control in Latin-1). The
// character's position, or -1.
int rawControlAt(const QByteArray& output, const QString& allowed = QStringLiteral("\n"))
{
    const QString text = QString::fromUtf8(output);
    if (text.toUtf8() != output)
        return int(text.indexOf(QChar::ReplacementCharacter));
    for (int i = 0; i < text.size(); ++i) {
        const ushort code = text.at(i).unicode();
        if ((code < 0x20 && !allowed.contains(text.at(i))) || (code >= 0x7F && code <= 0x9F) ||
            (code >= 0x202A && code <= 0x202E) || (code >= 0x2066 && code <= 0x2069))
            return i;
    }
    return -1;
}

#ifdef Q_OS_LINUX
// As root: an ext4 image on a loop device that says it is removable, mounted at a folder, in a private mount namespace
// that vskwrite, a child, shares. Undone when it goes.
class RemovableLoopCard
{
public:
    struct Problem
    {
        bool skip = false; // this machine cannot make one
        QString text;
    };

    std::optional<Problem> mount(const QTemporaryDir& scratch, const QString& mountPoint)
    {
        if (::geteuid() != 0)
            return Problem{true, QStringLiteral("needs root: a loop device and a private mount namespace")};
        for (const char* tool : {"losetup", "mkfs.ext4", "mount", "umount"}) {
            if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
                return Problem{true, QLatin1String(tool) + QLatin1String(" is not installed")};
        }
        // Everything mounted here goes away with the namespace.
        if (::unshare(CLONE_NEWNS) != 0 || ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
            return Problem{true, QStringLiteral("cannot make a private mount namespace")};
        const QString image = scratch.filePath(QStringLiteral("card.img"));
        QFile file(image);
        if (!file.open(QIODevice::WriteOnly) || !file.resize(8 * 1024 * 1024))
            return Problem{false, QStringLiteral("cannot make the image")};
        file.close();
        QString output;
        if (!runTool(QStringLiteral("mkfs.ext4"), {QStringLiteral("-q"), QStringLiteral("-F"), image}, &output) ||
            !runTool(QStringLiteral("losetup"), {QStringLiteral("--find"), QStringLiteral("--show"), image}, &loop))
            return Problem{false, output + loop};
        loop = loop.trimmed();
        this->mountPoint = mountPoint;
        removable = QStringLiteral("/sys/block/") + QFileInfo(loop).fileName() + QStringLiteral("/removable");
        const QString one = scratch.filePath(QStringLiteral("one"));
        if (!QDir().mkpath(mountPoint) || !writeFile(one, "1\n"))
            return Problem{false, QStringLiteral("cannot make the mount point")};
        // Loop disks report fixed media; in this namespace this one says otherwise.
        if (!runTool(QStringLiteral("mount"), {QStringLiteral("--bind"), one, removable}, &output) ||
            !runTool(QStringLiteral("mount"), {loop, mountPoint}, &output))
            return Problem{false, output};
        return std::nullopt;
    }

    ~RemovableLoopCard()
    {
        if (loop.isEmpty())
            return;
        runTool(QStringLiteral("umount"), {mountPoint});
        runTool(QStringLiteral("umount"), {removable});
        runTool(QStringLiteral("losetup"), {QStringLiteral("--detach"), loop});
    }

private:
    QString loop;
    QString mountPoint;
    QString removable;
};
#endif
} // namespace

class TestVskwrite : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> home;
    std::unique_ptr<QTemporaryDir> folder;

    QString card() const { return folder->filePath(QStringLiteral("card")); }

    QProcessEnvironment environment() const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), home->path());
        for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "LANGUAGE", "LC_ALL", "LC_MESSAGES"})
            environment.remove(QLatin1String(name));
        environment.insert(QStringLiteral("LANG"), QStringLiteral("C"));
        // No disk service answers: the label is left out, quickly.
        environment.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), QStringLiteral("unix:path=/nonexistent"));
        return environment;
    }

    // Runs vskwrite; with asNobody, as the unprivileged user nobody (which needs root and setpriv).
    Run vskwrite(const QStringList& arguments, const QString& standardOutputFile = QString(),
                 bool asNobody = false) const
    {
        if (!asNobody)
            return run(QStringLiteral(VSKWRITE_PATH), arguments, standardOutputFile);
        return run(QStringLiteral("setpriv"),
                   QStringList{QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                               QStringLiteral("--clear-groups"), QStringLiteral(VSKWRITE_PATH)} +
                       arguments,
                   standardOutputFile);
    }

    Run run(const QString& program, const QStringList& arguments, const QString& standardOutputFile = QString()) const
    {
        QProcess process;
        if (!standardOutputFile.isEmpty())
            process.setStandardOutputFile(standardOutputFile);
        process.setProcessEnvironment(environment());
        process.start(program, arguments);
        return finished(process);
    }

    static Run finished(QProcess& process)
    {
        Run run;
        if (!process.waitForFinished(60000)) {
            process.kill();
            process.waitForFinished();
            return run;
        }
        run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        run.out = process.readAllStandardOutput();
        run.err = process.readAllStandardError();
        return run;
    }

    QString recordPath() const
    {
        return home->filePath(QStringLiteral(".local/share/Vaskor Quendra SA/ORVA Configurator/prepared-cards.csv"));
    }

    // The card's file decoded, every check passed, its identifier the one printed.
    DecodedParameterFile writtenFile(const QString& root, const QString& fileName, const Run& run) const
    {
        const QString path = root + QStringLiteral("/02/") + fileName;
        const DecodedParameterFile file = decodeParameterFile(readFile(path), path);
        for (const DecodedParameterFile::Check& check : file.checks) {
            if (!check.ok)
                qWarning("%s: %s", qPrintable(check.name), qPrintable(check.detail));
        }
        if (run.out != file.identifierBytes.toHex().toUpper() + '\n')
            qWarning("printed %s, the file holds %s", run.out.constData(), file.identifierBytes.toHex().constData());
        return file;
    }

private slots:
    void init()
    {
        home = std::make_unique<QTemporaryDir>();
        folder = std::make_unique<QTemporaryDir>();
        QVERIFY(home->isValid() && folder->isValid());
        QVERIFY(QDir().mkpath(card()));
        QVERIFY(QDir().mkpath(home->filePath(QStringLiteral("Desktop"))));
    }

    void eachMode_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QList<QByteArray>>("texts");
        QTest::addColumn<QByteArray>("reset");
        const QList<QByteArray> none = records({}, {}, {}, {}, {}, {}, {});
        QTest::newRow("kerv38400") << QStringList{QStringLiteral("--mode"), QStringLiteral("kerv38400")} << 4
                                   << QStringLiteral("GP0_0000.VSK") << none << QByteArray();
        QTest::newRow("kerv115200") << QStringList{QStringLiteral("--mode"), QStringLiteral("kerv115200")} << 64
                                    << QStringLiteral("GP0_0000.VSK") << none << QByteArray();
        QTest::newRow("gsm") << QStringList{QStringLiteral("--mode"),     QStringLiteral("gsm"),
                                            QStringLiteral("--apn"),      QStringLiteral("internet.example"),
                                            QStringLiteral("--user"),     QStringLiteral("orva"),
                                            QStringLiteral("--password"), QStringLiteral("s3cret word"),
                                            QStringLiteral("--pin"),      QStringLiteral("5273")}
                             << 8 << QStringLiteral("GP0_0000.VSK")
                             << records("internet.example", "orva", "s3cret word", "5273", {}, {}, {}) << QByteArray();
        QTest::newRow("lan") << QStringList{QStringLiteral("--mode"), QStringLiteral("lan")} << 16
                             << QStringLiteral("GP0_0000.VSK") << none << QByteArray();
        QTest::newRow("sms") << QStringList{QStringLiteral("--mode"),  QStringLiteral("sms"),
                                            QStringLiteral("--pin"),   QStringLiteral("1234"),
                                            QStringLiteral("--sim"),   QStringLiteral("+41791234567"),
                                            QStringLiteral("--owner"), QStringLiteral("+41791234567890"),
                                            QStringLiteral("--key"),   QStringLiteral("Wd3kPz")}
                             << 32 << QStringLiteral("GP1_0000.VSK")
                             << records({}, {}, {}, "1234", "+41 79 123 45 67", "+41791234567890", "Wd3kPz")
                             << QByteArray(1, char(0));
        QTest::newRow("sms reset") << QStringList{QStringLiteral("--mode"), QStringLiteral("sms"),
                                                  QStringLiteral("--reset")}
                                   << 32 << QStringLiteral("GP1_0000.VSK") << none << QByteArray(1, char(1));
    }

    void eachMode()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, code);
        QFETCH(QString, fileName);
        QFETCH(QList<QByteArray>, texts);
        QFETCH(QByteArray, reset);

        const Run run =
            vskwrite(arguments + QStringList{QStringLiteral("--any-folder"), QStringLiteral("--no-open"), card()});
        QVERIFY2(run.status == 0, run.err.constData());
        QVERIFY(QRegularExpression(QStringLiteral("^[0-9A-F]{32}\\n$")).match(QString::fromLatin1(run.out)).hasMatch());
        const DecodedParameterFile file = writtenFile(card(), fileName, run);
        QVERIFY(file.allChecksPass());
        QCOMPARE(run.out, file.identifierBytes.toHex().toUpper() + '\n');
        QCOMPARE(int(file.modeCode), code);
        QCOMPARE(file.textRecords, texts);
        QCOMPARE(file.resetRecord, reset);
        // The window's message, on standard error.
        QVERIFY2(run.err.startsWith("vskwrite: File generated: The file was generated on the SD Card"),
                 run.err.constData());

        // The identifier goes to the identifier file in the modes that hand it off, and always to the record.
        const QByteArray identifierFile = readFile(home->filePath(QStringLiteral("Desktop/ORVA Serial Number.txt")));
        QCOMPARE(identifierFile.contains(run.out.trimmed()), code == 8 || code == 16);
        const QList<QByteArray> lines = readFile(recordPath()).trimmed().split('\n');
        QCOMPARE(lines.size(), 2);
        const QByteArray line =
            ',' + card().toUtf8() + ",," + fileName.toLatin1() + ',' + run.out.trimmed() + ",written";
        QVERIFY(lines[1].contains(line));
    }

    // A card whose file carries a handed-off identifier is replaced only with --replace.
    void replacingAHandedOffIdentifier()
    {
        const QStringList common{QStringLiteral("--any-folder"), QStringLiteral("--no-open"), card()};
        const Run lan = vskwrite(QStringList{QStringLiteral("--mode=lan")} + common);
        QVERIFY2(lan.status == 0, lan.err.constData());
        const QByteArray held = readFile(card() + QStringLiteral("/02/GP0_0000.VSK"));

        const Run refused = vskwrite(QStringList{QStringLiteral("--mode=kerv38400")} + common);
        QCOMPARE(refused.status, 1);
        QVERIFY2(refused.err.contains("Replace the configuration?") && refused.err.contains("--replace") &&
                     refused.err.contains(lan.out.trimmed()),
                 refused.err.constData());
        QVERIFY(refused.out.isEmpty());
        QCOMPARE(readFile(card() + QStringLiteral("/02/GP0_0000.VSK")), held);

        const Run replaced =
            vskwrite(QStringList{QStringLiteral("--mode=kerv38400"), QStringLiteral("--replace")} + common);
        QVERIFY2(replaced.status == 0, replaced.err.constData());
        QCOMPARE(int(writtenFile(card(), QStringLiteral("GP0_0000.VSK"), replaced).modeCode), 4);
    }

    // Two vskwrite started together on one card, round after round: the card is theirs one at a time, so that at most
    // one reports success (the other finds the card in use, or the first one's identifier there), and the card holds
    // the identifier that the successful one printed.
    void twoWritersAtOnce()
    {
        int inUse = 0;
        for (int round = 0; round < 30; ++round) {
            const QString root = folder->filePath(QStringLiteral("race%1").arg(round));
            QVERIFY(QDir().mkpath(root));
            QProcess writers[2];
            for (QProcess& writer : writers) {
                writer.setProcessEnvironment(environment());
                writer.start(
                    QStringLiteral(VSKWRITE_PATH),
                    {QStringLiteral("--mode=lan"), QStringLiteral("--any-folder"), QStringLiteral("--no-open"), root});
            }
            const Run runs[2] = {finished(writers[0]), finished(writers[1])};
            const Run* success = nullptr;
            for (const Run& run : runs) {
                if (run.status == 0) {
                    QVERIFY2(!success, qPrintable(QStringLiteral("round %1: two successes").arg(round)));
                    success = &run;
                    continue;
                }
                QCOMPARE(run.status, 1);
                QVERIFY(run.out.isEmpty());
                inUse += run.err.contains("vskwrite: SD Card in use: ") ? 1 : 0;
                QVERIFY2(run.err.contains("vskwrite: SD Card in use: ") ||
                             run.err.contains("vskwrite: Replace the configuration?: "),
                         run.err.constData());
            }
            QVERIFY2(success, QByteArray(runs[0].err + runs[1].err).constData());
            QVERIFY(writtenFile(root, QStringLiteral("GP0_0000.VSK"), *success).allChecksPass());
            QCOMPARE(success->out,
                     writtenFile(root, QStringLiteral("GP0_0000.VSK"), *success).identifierBytes.toHex().toUpper() +
                         '\n');
        }
        // How often the two met at the card (the rest ran one after the other).
        qInfo("the card was in use for the second writer in %d of 30 rounds", inUse);
        // Every identifier printed is in the record; none that no card carries.
        QCOMPARE(readFile(recordPath()).trimmed().split('\n').size(), 1 + 30);
    }

    // A file that cannot be shown to hold no registered identifier counts as holding one: refused without --replace
    // and left byte for byte, replaced with it.
    void unknownFileIsKept_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("why");
        QTest::newRow("unreadable") << "unreadable"
                                    << "cannot be read: Permission denied";
        QTest::newRow("cut inside its header") << "cut"
                                               << "is cut inside its header";
    }

    void unknownFileIsKept()
    {
        QFETCH(QString, kind);
        QFETCH(QString, why);
        const bool unreadable = kind == QLatin1String("unreadable");
#ifdef Q_OS_LINUX
        // Root reads every file: the reader must be an ordinary user.
        if (unreadable && (::geteuid() != 0 || QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty()))
            QSKIP("needs root and setpriv to run vskwrite as the user nobody");
#else
        if (unreadable)
            QSKIP("file permissions are Linux's here");
#endif
        const QStringList common{QStringLiteral("--any-folder"), QStringLiteral("--no-open"), card()};
        const Run gsm = vskwrite(QStringList{QStringLiteral("--mode=gsm"), QStringLiteral("--apn=a.example")} + common);
        QVERIFY2(gsm.status == 0, gsm.err.constData());
        const QString path = card() + QStringLiteral("/02/GP0_0000.VSK");
        if (!unreadable)
            QVERIFY(writeFile(path, readFile(path).left(30)));
        const QByteArray held = readFile(path);
#ifdef Q_OS_LINUX
        if (unreadable) {
            // The card and the home belong to nobody, who may write the folder "02" but not read the file.
            for (const QString& owned : QStringList{card(), card() + QStringLiteral("/02"), path, home->path()})
                QCOMPARE(::chown(QFile::encodeName(owned).constData(), 65534, 65534), 0);
            QCOMPARE(::chmod(QFile::encodeName(folder->path()).constData(), 0755), 0);
            QCOMPARE(::chmod(QFile::encodeName(path).constData(), 0), 0);
        }
#endif
        const Run kept = vskwrite(QStringList{QStringLiteral("--mode=lan")} + common, QString(), unreadable);
        QCOMPARE(kept.status, 1);
        const QByteArray said =
            QByteArray("vskwrite: Replace the configuration?: The file GP0_0000.VSK on the SD card ")
                .append(why.toLatin1());
        QVERIFY2(kept.err.contains(said) && kept.err.contains("--replace"), kept.err.constData());
        QVERIFY(kept.out.isEmpty());
        QCOMPARE(readFile(path), held);

        const Run replaced = vskwrite(QStringList{QStringLiteral("--mode=lan"), QStringLiteral("--replace")} + common,
                                      QString(), unreadable);
        QVERIFY2(replaced.status == 0, replaced.err.constData());
        QCOMPARE(int(writtenFile(card(), QStringLiteral("GP0_0000.VSK"), replaced).modeCode), 16);
    }

    void refusals_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        const QString gsm = QStringLiteral("--mode=gsm");
        const QString sms = QStringLiteral("--mode=sms");
        const QString anyFolder = QStringLiteral("--any-folder");
        // Refused forms, in Generate's order and with its messages: exit status 1.
        QTest::newRow("PIN of three digits") << QStringList{gsm, QStringLiteral("--pin=123"), anyFolder} << 1
                                             << QStringLiteral("vskwrite: PIN Code error: The PIN code seems to be "
                                                               "erroneous. Please enter a code with 4-6 digits!");
        QTest::newRow("PIN before key") << QStringList{sms, QStringLiteral("--pin=12a4"), anyFolder} << 1
                                        << QStringLiteral("vskwrite: PIN Code error:");
        QTest::newRow("no user key") << QStringList{sms, anyFolder} << 1 << QStringLiteral("vskwrite: User key error:");
        QTest::newRow("unfinished number")
            << QStringList{sms, QStringLiteral("--key=Wd3kPz"), QStringLiteral("--sim=+41 79"), anyFolder} << 1
            << QStringLiteral("vskwrite: Phone number error: The phone number given with --sim is not in a form that "
                              "the module reads.");
        QTest::newRow("separator") << QStringList{gsm, QStringLiteral("--apn=a;b"), anyFolder} << 1
                                   << QStringLiteral("vskwrite: Unsupported character: The value of --apn contains");
        // A control character is shown as such, never raw.
        QTest::newRow("delete character") << QStringList{gsm, QStringLiteral("--user=a\x7f"), anyFolder} << 1
                                          << QStringLiteral("--user contains the character \"\\x7f\"");
        // Longer than the window's field takes: a usage error, as the window refuses the keystroke.
        QTest::newRow("APN of 70,000 characters")
            << QStringList{gsm, QStringLiteral("--apn=") + QString(70000, QLatin1Char('a')), anyFolder} << 2
            << QStringLiteral("vskwrite: --apn takes at most 32767 characters, not 70000");
        QTest::newRow("key of 8 with the reset option")
            << QStringList{sms, QStringLiteral("--reset"), QStringLiteral("--key=ABCDEFGH"), anyFolder} << 2
            << QStringLiteral("vskwrite: --key takes at most 6 characters, not 8");
        // A folder that is not the root of a mounted removable card.
        QTest::newRow("not a card") << QStringList{gsm} << 1
                                    << QStringLiteral("is not the root of a mounted removable card");
        // Bad usage: exit status 2, nothing written.
        QTest::newRow("no mode") << QStringList{anyFolder} << 2 << QStringLiteral("--mode or --from-settings");
        QTest::newRow("unknown mode") << QStringList{QStringLiteral("--mode=fax"), anyFolder} << 2
                                      << QStringLiteral("unknown mode \"fax\"");
        QTest::newRow("field of another mode")
            << QStringList{QStringLiteral("--mode=lan"), QStringLiteral("--pin=1234"), anyFolder} << 2
            << QStringLiteral("--pin is not used in mode lan");
        QTest::newRow("unknown option") << QStringList{gsm, QStringLiteral("--colour")} << 2
                                        << QStringLiteral("Unknown option 'colour'");
        QTest::newRow("two roots") << QStringList{gsm, anyFolder, QStringLiteral("/tmp")} << 2
                                   << QStringLiteral("one card root only");
        QTest::newRow("list and each card") << QStringList{QStringLiteral("--each-card"), QStringLiteral("--list")} << 2
                                            << QStringLiteral("--list does not go with --each-card");
    }

    void refusals()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, message);
        const Run run = vskwrite(arguments << card());
        QCOMPARE(run.status, status);
        QVERIFY2(QString::fromLocal8Bit(run.err).contains(message), run.err.constData());
        QVERIFY(run.out.isEmpty());
        QVERIFY(!QFileInfo::exists(card() + QStringLiteral("/02")));
        QVERIFY(!QFileInfo::exists(recordPath()));
    }

    void emptyCardRootIsBadUsage()
    {
        // An empty name taken for a folder put the folder "02" at the root of the computer's own disk.
        const Run run = vskwrite({QStringLiteral("--mode=lan"), QStringLiteral("--any-folder"), QString()});
        QCOMPARE(run.status, 2);
        QVERIFY2(run.err.contains("vskwrite: the card's root folder is empty"), run.err.constData());
        QVERIFY(run.out.isEmpty());
    }

    void scriptsAndTheirOutput()
    {
        // The mode in any letter case; --help-all, which the help offers, works.
        Run run = vskwrite({QStringLiteral("--help-all")});
        QCOMPARE(run.status, 0);
        QVERIFY(run.out.contains("--any-folder"));
        run = vskwrite(
            {QStringLiteral("--mode=Kerv38400"), QStringLiteral("--any-folder"), QStringLiteral("--no-open"), card()},
            QStringLiteral("/dev/full"));
        // The card took the file, but the identifier printed for the script is lost: that is no success.
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains("vskwrite: the standard output could not be written: No space left on device"),
                 run.err.constData());
        QVERIFY(QFileInfo::exists(card() + QStringLiteral("/02/GP0_0000.VSK")));

        // The root of the computer's own disk is no card image's folder.
        const QString onTheDisk = QDir::rootPath() + QStringLiteral("02");
        const bool there = QFileInfo::exists(onTheDisk);
        run = vskwrite({QStringLiteral("--mode=lan"), QStringLiteral("--any-folder"), QStringLiteral("--no-open"),
                        QDir::rootPath()});
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains("is the root of the file system that holds the system"), run.err.constData());
        QCOMPARE(QFileInfo::exists(onTheDisk), there);
    }

    void ownFilesThatAreNotFiles_data()
    {
        QTest::addColumn<QString>("file"); // record or store
        QTest::addColumn<QString>("kind"); // fifo, link or dangling link
        for (const char* file : {"record", "store"}) {
            for (const char* kind : {"fifo", "link", "dangling link"})
                QTest::newRow(qPrintable(QStringLiteral("%1, %2").arg(QLatin1String(file), QLatin1String(kind))))
                    << QString::fromLatin1(file) << QString::fromLatin1(kind);
        }
    }

    void ownFilesThatAreNotFiles()
    {
#ifndef Q_OS_LINUX
        QSKIP("FIFOs and the store's file are Linux's");
#else
        // Nothing that stands where the record or the remembered form belongs is opened, followed or written: the card
        // is prepared as it would be without them.
        QFETCH(QString, file);
        QFETCH(QString, kind);
        const QString path = file == QLatin1String("record")
                                 ? recordPath()
                                 : home->filePath(QStringLiteral(".config/Vaskor Quendra SA/ORVA Configurator.conf"));
        QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
        const QString target = folder->filePath(QStringLiteral("target"));
        if (kind == QLatin1String("fifo")) {
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        } else {
            if (kind == QLatin1String("link"))
                QVERIFY(QFile(target).open(QIODevice::WriteOnly) && QFile(target).size() == 0);
            QVERIFY(QFile::link(target, path));
        }
        QElapsedTimer clock;
        clock.start();
        const Run run = vskwrite({QStringLiteral("--from-settings"), QStringLiteral("--mode=lan"),
                                  QStringLiteral("--any-folder"), QStringLiteral("--no-open"), card()});
        QVERIFY2(clock.elapsed() < 10000, "waited on a FIFO");
        QVERIFY2(run.status == 0, run.err.constData());
        QVERIFY(writtenFile(card(), QStringLiteral("GP0_0000.VSK"), run).allChecksPass());
        const QByteArray said = file == QLatin1String("record") ? "the card was not added to the record"
                                                                : "the remembered form cannot be read";
        QVERIFY2(run.err.contains(said) && run.err.contains("not a regular file"), run.err.constData());
        QCOMPARE(QFileInfo(path).isSymLink(), kind != QLatin1String("fifo"));
        QCOMPARE(QFileInfo::exists(target), kind == QLatin1String("link"));
        if (kind == QLatin1String("link"))
            QCOMPARE(QFileInfo(target).size(), 0);
#endif
    }

    void fromSettings()
    {
        {
            QSettings settings(home->filePath(QStringLiteral(".config/Vaskor Quendra SA/ORVA Configurator.conf")),
                               QSettings::IniFormat);
            settings.setValue(QStringLiteral("serialMode"), 8);
            settings.setValue(QStringLiteral("accessPointName"), QStringLiteral("remembered.example"));
            settings.setValue(QStringLiteral("username"), QStringLiteral("kept"));
            settings.setValue(QStringLiteral("pinCode"), QStringLiteral("9876"));
        }
        Run run = vskwrite(
            {QStringLiteral("--from-settings"), QStringLiteral("--any-folder"), QStringLiteral("--no-open"), card()});
        QVERIFY2(run.status == 0, run.err.constData());
        DecodedParameterFile file = writtenFile(card(), QStringLiteral("GP0_0000.VSK"), run);
        QCOMPARE(int(file.modeCode), 8);
        QCOMPARE(file.textRecords, records("remembered.example", "kept", {}, "9876", {}, {}, {}));

        // An option given beside it replaces the remembered value; the others stay. (The GSM file just written is
        // replaced on purpose.)
        run = vskwrite({QStringLiteral("--from-settings"), QStringLiteral("--apn=given.example"),
                        QStringLiteral("--replace"), QStringLiteral("--any-folder"), QStringLiteral("--no-open"),
                        card()});
        QVERIFY2(run.status == 0, run.err.constData());
        file = writtenFile(card(), QStringLiteral("GP0_0000.VSK"), run);
        QCOMPARE(file.textRecords, records("given.example", "kept", {}, "9876", {}, {}, {}));

        // A remembered value that is refused is named by its key, not by the option that would replace it; one
        // longer than its field takes is refused, never cut.
        {
            QSettings settings(home->filePath(QStringLiteral(".config/Vaskor Quendra SA/ORVA Configurator.conf")),
                               QSettings::IniFormat);
            settings.setValue(QStringLiteral("serialMode"), 32);
            settings.setValue(QStringLiteral("pinCode"), QString());
            settings.setValue(QStringLiteral("simCardPhoneNumber"), QStringLiteral("+41 79"));
            settings.setValue(QStringLiteral("userKey"), QStringLiteral("Wd3kPzAndMore"));
        }
        const QStringList sms{QStringLiteral("--from-settings"), QStringLiteral("--reset"),
                              QStringLiteral("--any-folder"), QStringLiteral("--no-open"), card()};
        run = vskwrite(sms);
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains("The phone number remembered as simCardPhoneNumber is not in a form that the module "
                                  "reads. Please give it with --sim as"),
                 run.err.constData());
        run = vskwrite(QStringList{QStringLiteral("--sim=+41791234567")} + sms);
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains("The value remembered as userKey has 13 characters, more than the 6 that the field "
                                  "takes."),
                 run.err.constData());
        QVERIFY(!QFileInfo::exists(card() + QStringLiteral("/02/GP1_0000.VSK")));
        run = vskwrite(QStringList{QStringLiteral("--sim=+41791234567"), QStringLiteral("--key=Wd3kPz")} + sms);
        QVERIFY2(run.status == 0, run.err.constData());
        QCOMPARE(writtenFile(card(), QStringLiteral("GP1_0000.VSK"), run).textRecords.at(FormField::SimCardPhoneNumber),
                 QByteArray("+41 79 123 45 67"));
    }

    // A preset that the window keeps, found by its name whatever its letter case; options beside it replace its
    // values; a refused value is named with its preset; a name of no preset is bad usage.
    void fromPreset()
    {
        {
            // vskwrite, run here without a session bus, reaches no keychain: the presets keep their secrets in the
            // store, as where no keychain answers.
            MemoryKeychain::inPlace().setMode(MemoryKeychain::Mode::Refusing);
            const auto answering =
                qScopeGuard([] { MemoryKeychain::inPlace().setMode(MemoryKeychain::Mode::Answering); });
            QSettings settings(home->filePath(QStringLiteral(".config/Vaskor Quendra SA/ORVA Configurator.conf")),
                               QSettings::IniFormat);
            FormValues gsm;
            gsm.modeCode = ModeCode::Gsm;
            gsm.text(FormField::AccessPointName) = QStringLiteral("site-a.example");
            gsm.text(FormField::Username) = QStringLiteral("orva");
            gsm.text(FormField::PinCode) = QStringLiteral("1234");
            QVERIFY(!Presets::save(settings, QStringLiteral("Site A"), gsm));
            FormValues sms;
            sms.modeCode = ModeCode::Sms;
            sms.text(FormField::PinCode) = QStringLiteral("12");
            sms.text(FormField::UserKey) = QStringLiteral("Wd3kPz");
            QVERIFY(!Presets::save(settings, QStringLiteral("Short PIN"), sms));
        }
        const QStringList where{QStringLiteral("--any-folder"), QStringLiteral("--no-open"), card()};
        Run run = vskwrite(QStringList{QStringLiteral("--preset"), QStringLiteral("site a")} + where);
        QVERIFY2(run.status == 0, run.err.constData());
        DecodedParameterFile file = writtenFile(card(), QStringLiteral("GP0_0000.VSK"), run);
        QCOMPARE(int(file.modeCode), int(ModeCode::Gsm));
        QCOMPARE(file.textRecords, records("site-a.example", "orva", {}, "1234", {}, {}, {}));

        run = vskwrite(
            QStringList{QStringLiteral("--preset=Site A"), QStringLiteral("--pin=9876"), QStringLiteral("--replace")} +
            where);
        QVERIFY2(run.status == 0, run.err.constData());
        file = writtenFile(card(), QStringLiteral("GP0_0000.VSK"), run);
        QCOMPARE(file.textRecords, records("site-a.example", "orva", {}, "9876", {}, {}, {}));

        run = vskwrite(QStringList{QStringLiteral("--preset"), QStringLiteral("Short PIN")} + where);
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains("The value is the one remembered as pinCode in the preset \"Short PIN\"; --pin "
                                  "replaces it."),
                 run.err.constData());
        QVERIFY(!QFileInfo::exists(card() + QStringLiteral("/02/GP1_0000.VSK")));

        run = vskwrite(QStringList{QStringLiteral("--preset"), QStringLiteral("Nowhere")} + where);
        QCOMPARE(run.status, 2);
        QVERIFY2(run.err.contains("There is no preset called \"Nowhere\"."), run.err.constData());
        run = vskwrite(QStringList{QStringLiteral("--preset=Site A"), QStringLiteral("--from-settings")} + where);
        QCOMPARE(run.status, 2);
    }

    // What vskwrite writes with every field at the length it takes, the window loads exactly, without a word.
    void filesAtTheFieldsLengthLoadExactly()
    {
        const QString longest(FormField::lineEditLength, QLatin1Char('w'));
        const QStringList common{QStringLiteral("--replace"), QStringLiteral("--any-folder"),
                                 QStringLiteral("--no-open"), card()};
        const QStringList gsm{QStringLiteral("--mode=gsm"), QStringLiteral("--apn=") + longest,
                              QStringLiteral("--user=") + longest, QStringLiteral("--password=") + longest,
                              QStringLiteral("--pin=760584")};
        const QStringList sms{QStringLiteral("--mode=sms"), QStringLiteral("--pin=760584"),
                              QStringLiteral("--sim=0041 79 123 45 67"), QStringLiteral("--owner=0041 79 765 43 21"),
                              QStringLiteral("--key=Wd3kPz")};
        for (const QStringList& form : {gsm, sms}) {
            const Run run = vskwrite(form + common);
            QVERIFY2(run.status == 0, run.err.constData());
            const QString fileName = form == gsm ? QStringLiteral("GP0_0000.VSK") : QStringLiteral("GP1_0000.VSK");
            const QString path = card() + QStringLiteral("/02/") + fileName;
            const DecodedParameterFile file = writtenFile(card(), fileName, run);
            QVERIFY(file.allChecksPass());
            const ParameterFileForm loaded = formFromParameterFile(path, FormValues());
            QCOMPARE(int(loaded.outcome), int(ParameterFileForm::Outcome::Loaded));
            QVERIFY(!loaded.differsFromFile());
            for (const FormField::Description& field : FormField::fields) {
                if (loaded.values.shows(field.id))
                    QCOMPARE(loaded.values.text(field.id), QString::fromLatin1(file.textRecords.at(field.id)));
            }
        }
    }

    void storedListIsRefused()
    {
        // An unquoted comma makes Qt read a list, which became an empty access point name on a card said written.
        const QString store = home->filePath(QStringLiteral(".config/Vaskor Quendra SA/ORVA Configurator.conf"));
        QVERIFY(QDir().mkpath(QFileInfo(store).absolutePath()));
        QVERIFY(writeFile(store, "[General]\nserialMode=8\naccessPointName=a,b\n"));
        const Run run = vskwrite(
            {QStringLiteral("--from-settings"), QStringLiteral("--any-folder"), QStringLiteral("--no-open"), card()});
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains("vskwrite: the remembered form cannot be used: accessPointName in "),
                 run.err.constData());
        QVERIFY(run.out.isEmpty());
        QVERIFY(!QFileInfo::exists(card() + QStringLiteral("/02")));
    }

    // A stored mode that the module does not know was written as a Kerv card without the access point, status 0; a
    // preset list whose size says 2147483647 had vskwrite read without end. Both are refused at once, naming the key
    // and its value.
    void damagedStoreIsRefused()
    {
        const QString store = home->filePath(QStringLiteral(".config/Vaskor Quendra SA/ORVA Configurator.conf"));
        QVERIFY(QDir().mkpath(QFileInfo(store).absolutePath()));
        const QStringList where{QStringLiteral("--any-folder"), QStringLiteral("--no-open"), card()};
        const QVector<QPair<QByteArray, QByteArray>> refused{
            {"serialMode=128\n", "the remembered form cannot be used: serialMode=128 in "},
            {"[presets]\n1\\name=Site\n1\\serialMode=99\nsize=1\n", "cannot be read: presets/1/serialMode=99 in "},
            {"[presets]\n1\\name=Site\n1\\serialMode=8\nsize=2147483647\n", "cannot be read: presets/size=2147483647"}};
        QElapsedTimer timer;
        timer.start();
        for (const auto& [stored, told] : refused) {
            QVERIFY(writeFile(store, stored));
            const QString from =
                stored.startsWith('[') ? QStringLiteral("--preset=Site") : QStringLiteral("--from-settings");
            const Run run = vskwrite(QStringList{from} + where);
            QCOMPARE(run.status, 1);
            QVERIFY2(run.err.contains(told), run.err.constData());
        }
        QVERIFY2(timer.elapsed() < 10000, qPrintable(QString::number(timer.elapsed())));
        QVERIFY(!QFileInfo::exists(card() + QStringLiteral("/02")));
    }

    void removableLoopCard()
    {
#ifndef Q_OS_LINUX
        QSKIP("loop devices are Linux's");
#else
        const QString mountPoint = folder->filePath(QStringLiteral("mounted card"));
        RemovableLoopCard loopCard;
        if (const std::optional<RemovableLoopCard::Problem> problem = loopCard.mount(*folder, mountPoint)) {
            if (problem->skip)
                QSKIP(qPrintable(problem->text));
            QFAIL(qPrintable(problem->text));
        }

        const Run run = vskwrite(
            {QStringLiteral("--mode=sms"), QStringLiteral("--key=Wd3kPz"), QStringLiteral("--no-open"), mountPoint});
        QVERIFY2(run.status == 0, run.err.constData());
        const DecodedParameterFile written = writtenFile(mountPoint, QStringLiteral("GP1_0000.VSK"), run);
        QVERIFY(written.allChecksPass());
        QCOMPARE(int(written.modeCode), 32);
        QCOMPARE(run.out, written.identifierBytes.toHex().toUpper() + '\n');

        // The root of a mounted image is a folder that may stand in for a card.
        const Run imageRoot = vskwrite(
            {QStringLiteral("--mode=lan"), QStringLiteral("--any-folder"), QStringLiteral("--no-open"), mountPoint});
        QVERIFY2(imageRoot.status == 0, imageRoot.err.constData());

        // A folder on the card is not the card's root.
        const Run inside =
            vskwrite({QStringLiteral("--mode=lan"), QStringLiteral("--no-open"), mountPoint + QStringLiteral("/02")});
        QCOMPARE(inside.status, 1);
        QVERIFY(!QFileInfo::exists(mountPoint + QStringLiteral("/02/02")));

        // The card in the list, with what it holds now: both files, GP0 (LAN) before GP1 (SMS), whatever their dates.
        const Run listed = vskwrite({QStringLiteral("--list")});
        QCOMPARE(listed.status, 0);
        const QList<QByteArray> lines = listed.out.split('\n');
        const auto line = std::find_if(lines.begin(), lines.end(), [&](const QByteArray& l) {
            return l.startsWith(QByteArray(mountPoint.toUtf8() + '\t'));
        });
        QVERIFY2(line != lines.end(), listed.out.constData());
        QVERIFY2(line->contains("\t8388608\t") &&
                     QRegularExpression(QStringLiteral("\twritable\tOn the card: LAN, written [^\t]+ On the card: SMS, "
                                                       "written [^\t]+$"))
                         .match(QString::fromUtf8(*line))
                         .hasMatch(),
                 line->constData());
        const Run json = vskwrite({QStringLiteral("--list"), QStringLiteral("--json")});
        QVERIFY2(json.out.contains("\"files\":[{") && json.out.contains("\"mode\":\"lan\"") &&
                     json.out.contains("\"mode\":\"sms\"") && json.out.contains(imageRoot.out.trimmed()),
                 json.out.constData());
#endif
    }

    // A card's and its file's texts hold what anybody put there: escape sequences, line breaks, a character that
    // reverses the text after it. vskinfo and vskwrite --list show them escaped, each card on its one line.
    void cardTextsShownEscaped()
    {
        const QString hostile = QStringLiteral("card \x1B[31m\n\u202Eevil");
        const QString apn = QStringLiteral("internet.\x1B[2J\x9B"
                                           "31m\x7F.example");
        const auto prepare = [&](const QString& root) {
            FormValues values;
            values.modeCode = ModeCode::Gsm;
            values.text(FormField::AccessPointName) = apn;
            const QUuid identifier = createAcceptableIdentifier();
            const EncodedParameterFile gsm = encodeParameterFile(parameterFileInput(values, identifier));
            values.modeCode = ModeCode::Sms;
            const EncodedParameterFile sms = encodeParameterFile(parameterFileInput(values, identifier));
            return QDir(root).mkpath(QStringLiteral("02")) &&
                   writeFile(root + QStringLiteral("/02/GP0_0000.VSK"), gsm.header + gsm.body) &&
                   writeFile(root + QStringLiteral("/02/GP1_0000.VSK"), sms.header + sms.body);
        };
        const QByteArray shownApn = QByteArrayLiteral("internet.\\x1B[2J\\x9B31m\\x7F.example");

        const QString root = folder->filePath(hostile);
        QVERIFY(prepare(root));
        const Run info = run(QStringLiteral(VSKINFO_PATH), {root});
        // Whole files, yet none that this tool writes: a control character in the access point name, no user key.
        QVERIFY2(info.status == 1, info.err.constData());
        QVERIFY2(info.out.contains("Verdict: not as the tool writes it (access point name); all 20 checks pass\n"),
                 info.out.constData());
        QVERIFY2(rawControlAt(info.out) < 0, info.out.constData());
        QCOMPARE(info.out.count(QByteArray("\nOn the card: GSM " + shownApn + ", written ")), 1);
        QCOMPARE(info.out.count("\nOn the card: SMS, written "), 1);
        // For scripts the values stay as they are, written as JSON escapes.
        const Run json = run(QStringLiteral(VSKINFO_PATH), {QStringLiteral("--json"), root});
        QVERIFY2(rawControlAt(json.out) < 0, json.out.constData());
        const QJsonObject gsm = QJsonDocument::fromJson(json.out.split('\n').value(0)).object();
        QCOMPARE(gsm.value(QStringLiteral("records")).toObject().value(QStringLiteral("accessPointName")).toString(),
                 apn);

#ifdef Q_OS_LINUX
        const QString mountPoint = folder->filePath(hostile + QStringLiteral(" mounted"));
        RemovableLoopCard loopCard;
        if (const std::optional<RemovableLoopCard::Problem> problem = loopCard.mount(*folder, mountPoint)) {
            if (problem->skip)
                QSKIP(qPrintable(QStringLiteral("vskwrite --list: ") + problem->text));
            QFAIL(qPrintable(problem->text));
        }
        QVERIFY(prepare(mountPoint));
        const Run listed = vskwrite({QStringLiteral("--list")});
        QCOMPARE(listed.status, 0);
        QVERIFY2(rawControlAt(listed.out, QStringLiteral("\n\t")) < 0, listed.out.constData());
        const QByteArray escapedRoot =
            folder->filePath(QStringLiteral("card \\x1B[31m\\x0A\\u202Eevil mounted")).toUtf8() + '\t';
        const QList<QByteArray> lines = listed.out.split('\n');
        const auto line =
            std::find_if(lines.begin(), lines.end(), [&](const QByteArray& l) { return l.startsWith(escapedRoot); });
        QVERIFY2(line != lines.end(), listed.out.constData());
        QCOMPARE(line->count('\t'), 5);
        QVERIFY2(line->contains(QByteArray("\tOn the card: GSM " + shownApn)) && line->contains(" On the card: SMS, "),
                 line->constData());

        const Run listedJson = vskwrite({QStringLiteral("--list"), QStringLiteral("--json")});
        QVERIFY2(rawControlAt(listedJson.out) < 0, listedJson.out.constData());
        bool found = false;
        for (const QByteArray& l : listedJson.out.split('\n')) {
            const QJsonObject card = QJsonDocument::fromJson(l).object();
            if (card.value(QStringLiteral("root")).toString() != mountPoint)
                continue;
            found = true;
            QCOMPARE(card.value(QStringLiteral("files")).toArray().size(), 2);
        }
        QVERIFY2(found, listedJson.out.constData());
#endif
    }
};

QTEST_GUILESS_MAIN(TestVskwrite)

#include "tst_vskwrite.moc"
