// vskwrite from outside, as a script runs it: each mode into a folder taken as a card, the files read back with the
// decoder; each refusal with its exit status; the remembered form; and, as root, a real removable loop card.
#include "generation/FormFields.h"
#include "generation/ParameterFileDecoder.h"
#include "generation/ParameterFileForm.h"
#include "support/RunTool.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>

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
} // namespace

class TestVskwrite : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> home;
    std::unique_ptr<QTemporaryDir> folder;

    QString card() const { return folder->filePath(QStringLiteral("card")); }

    Run vskwrite(const QStringList& arguments, const QString& standardOutputFile = QString()) const
    {
        QProcess process;
        if (!standardOutputFile.isEmpty())
            process.setStandardOutputFile(standardOutputFile);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), home->path());
        for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "LANGUAGE", "LC_ALL", "LC_MESSAGES"})
            environment.remove(QLatin1String(name));
        environment.insert(QStringLiteral("LANG"), QStringLiteral("C"));
        // No disk service answers: the label is left out, quickly.
        environment.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), QStringLiteral("unix:path=/nonexistent"));
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(VSKWRITE_PATH), arguments);
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

    void removableLoopCard()
    {
#ifndef Q_OS_LINUX
        QSKIP("loop devices are Linux's");
#else
        if (::geteuid() != 0)
            QSKIP("needs root: a loop device and a private mount namespace");
        for (const char* tool : {"losetup", "mkfs.ext4", "mount", "umount"}) {
            if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
                QSKIP(qPrintable(QLatin1String(tool) + QLatin1String(" is not installed")));
        }
        // Everything mounted here goes away with the namespace, and vskwrite, a child, sees the same mounts.
        if (::unshare(CLONE_NEWNS) != 0 || ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
            QSKIP("cannot make a private mount namespace");

        const QString image = folder->filePath(QStringLiteral("card.img"));
        QFile file(image);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(8 * 1024 * 1024));
        file.close();
        QString output;
        QVERIFY2(runTool(QStringLiteral("mkfs.ext4"), {QStringLiteral("-q"), QStringLiteral("-F"), image}, &output),
                 qPrintable(output));
        QString loop;
        QVERIFY2(runTool(QStringLiteral("losetup"), {QStringLiteral("--find"), QStringLiteral("--show"), image}, &loop),
                 qPrintable(loop));
        const QString mountPoint = folder->filePath(QStringLiteral("mounted card"));
        const QString removable =
            QStringLiteral("/sys/block/") + QFileInfo(loop).fileName() + QStringLiteral("/removable");
        const QString one = folder->filePath(QStringLiteral("one"));
        QVERIFY(QDir().mkpath(mountPoint));
        QFile oneFile(one);
        QVERIFY(oneFile.open(QIODevice::WriteOnly) && oneFile.write("1\n") == 2);
        oneFile.close();
        const auto undo = qScopeGuard([&] {
            runTool(QStringLiteral("umount"), {mountPoint});
            runTool(QStringLiteral("umount"), {removable});
            runTool(QStringLiteral("losetup"), {QStringLiteral("--detach"), loop});
        });
        // Loop disks report fixed media; in this namespace this one says otherwise.
        QVERIFY2(runTool(QStringLiteral("mount"), {QStringLiteral("--bind"), one, removable}, &output),
                 qPrintable(output));
        QVERIFY2(runTool(QStringLiteral("mount"), {loop, mountPoint}, &output), qPrintable(output));

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

        // The card in the list, with what it holds now: the LAN file written last.
        const Run listed = vskwrite({QStringLiteral("--list")});
        QCOMPARE(listed.status, 0);
        const QList<QByteArray> lines = listed.out.split('\n');
        const auto line = std::find_if(lines.begin(), lines.end(), [&](const QByteArray& l) {
            return l.startsWith(QByteArray(mountPoint.toUtf8() + '\t'));
        });
        QVERIFY2(line != lines.end(), listed.out.constData());
        QVERIFY2(line->contains("\t8388608\t") && line->contains("\twritable\tOn the card: LAN, written "),
                 line->constData());
        const Run json = vskwrite({QStringLiteral("--list"), QStringLiteral("--json")});
        QVERIFY2(json.out.contains("\"mode\":\"lan\"") && json.out.contains(imageRoot.out.trimmed()),
                 json.out.constData());
#endif
    }
};

QTEST_GUILESS_MAIN(TestVskwrite)

#include "tst_vskwrite.moc"
