// "Generate" when the outside world stops answering: a system bus that takes the connection but never answers (a
// stopped dbus-daemon, a socket nobody reads), and, as root, a FAT card served through FUSE as a block device whose
// server is stopped. The window must give its answer in bounded time and stay usable, and the process must still end.
//
// A process connects to the system bus once, and a connection that hangs holds Qt's bus thread for good: each bus
// case runs "Generate" in a child process of this test (started with --generate-on), which also shows that the
// program ends although a thread still waits for the bus.
#include "app/WindowSetup.h"
#include "base/DetachedTask.h"
#include "drives/linux/DrivePlatformLinux.h"
#include "drives/linux/MountTableLinux.h"
#include "generation/CardWriter.h"
#include "support/FakeDrivePlatform.h"
#include "support/HeldBoxes.h"
#include "support/MockClock.h"
#include "support/RunTool.h"
#include "window/Configurator.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QScopeGuard>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <thread>

#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {
const QString BusConfig = QStringLiteral(ORVA_UDISKS_TEST_DIR "/private-bus.conf");
const QString ChildOption = QStringLiteral("--generate-on");
const QString NotResponding = QStringLiteral("SD Card does not respond");

// A folder presented as a card, labelled the way the program labels cards: through UDisks2 on the system bus, the
// card being /dev/sdb1 in a made-up mount table.
class BusLabelledCard : public FakeDrivePlatform
{
public:
    BusLabelledCard(const QString& card, const QString& mountTable) : mountTable(mountTable) { addCard(card); }
    QString setVolumeLabel(const QString& rootPath, const QString& label) override
    {
        return DrivePlatformLinux(QStringLiteral("/sys"), mountTable).setVolumeLabel(rootPath, label);
    }

private:
    QString mountTable;
};

// A folder presented as a card that takes its time over every answer about its mount, by the test's clock. An answer
// that comes too late is held back until the test lets it go, so that it cannot come in time by chance.
class SlowCard : public FakeDrivePlatform
{
public:
    SlowCard(const QString& card, std::shared_ptr<MockClock> clock, int answerMs, bool heldBack)
        : clock(std::move(clock)), answerMs(answerMs), heldBack(heldBack)
    {
        addCard(card);
    }
    QVector<MountedVolume> mountedVolumes() const override
    {
        clock->advance(std::chrono::milliseconds(answerMs));
        std::unique_lock<std::mutex> lock(mutex);
        // Let go by the test, or after a while in any case: a test that failed must not leave the thread for good.
        letGo.wait_for(lock, std::chrono::seconds(10), [this] { return !heldBack; });
        return volumes;
    }
    void release()
    {
        const std::lock_guard<std::mutex> lock(mutex);
        heldBack = false;
        letGo.notify_all();
    }

private:
    std::shared_ptr<MockClock> clock;
    int answerMs;
    mutable std::mutex mutex;
    mutable std::condition_variable letGo;
    bool heldBack;
};

// The child: "Generate" on the card, then the program's own way out. Prints "box MILLISECONDS TITLE".
int generateOn(const QString& card, const QString& mountTable)
{
    QStandardPaths::setTestModeEnabled(true);
    QSettings().clear();
    Configurator window(std::make_unique<BusLabelledCard>(card, mountTable));
    window.show();
    QElapsedTimer clock;
    const HeldBoxes boxes;
    const auto printBoxes = [&clock, &boxes] {
        for (const MessageBox::Shown& box : boxes.seen())
            std::printf("box %lld %s\n", clock.elapsed(), qPrintable(box.title));
        std::fflush(stdout);
    };
    // The box is the last thing Generate does before the program ends.
    window.setExitFunction([&printBoxes](int status) {
        printBoxes();
        DetachedWork::endProcess(status);
    });
    clock.start();
    window.findChild<QPushButton*>(QStringLiteral("button_Save"))->click();
    // A success ends the process from inside the click; a refusal gets here, and the window is closed as a user would.
    printBoxes();
    QTimer::singleShot(0, &window, &QWidget::close);
    return QApplication::exec();
}

// The tools that set a card up answer within this, or the machine is in no state for the test.
constexpr int toolTimeoutMs = 30000;

QString errnoText()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

// A socket that takes connections (the kernel queues them) and never reads from them.
class SilentSocket
{
public:
    explicit SilentSocket(const QString& path) : fd(::socket(AF_UNIX, SOCK_STREAM, 0))
    {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray name = QFile::encodeName(path);
        if (fd < 0 || name.size() >= int(sizeof address.sun_path))
            return;
        std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
        listening =
            ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 && ::listen(fd, 16) == 0;
    }
    ~SilentSocket()
    {
        if (fd >= 0)
            ::close(fd);
    }
    bool listening = false;

private:
    int fd;
};

bool isMountPoint(const QString& path)
{
    const QVector<MountEntry> entries = MountTableLinux::read(QStringLiteral("/proc/self/mountinfo"));
    return std::any_of(entries.cbegin(), entries.cend(),
                       [&](const MountEntry& entry) { return entry.mountPoint == path; });
}

// A card whose file system can be stopped: an 8 MiB FAT image on a loop device that says it is removable, as a card
// reader's disk does (in this process's mount namespace), served read-write through FUSE by fusefat, which runs in the
// foreground as a child and dies with this process should the test be killed. Undone when it goes, however the test
// ends.
class FuseCard
{
public:
    // Mounts the card at folder; what went wrong, else nothing. An empty loop says that no loop device was to be had.
    QString start(const QString& folder)
    {
        const QString image = folder + QStringLiteral(".img");
        QString output;
        if (!runTool(QStringLiteral("truncate"), {QStringLiteral("-s"), QStringLiteral("8M"), image}, &output,
                     toolTimeoutMs) ||
            !runTool(QStringLiteral("mkfs.vfat"), {image}, &output, toolTimeoutMs))
            return output;
        if (!runTool(QStringLiteral("losetup"), {QStringLiteral("--find"), QStringLiteral("--show"), image}, &output,
                     toolTimeoutMs))
            return QStringLiteral("no loop device to be had: ") + output;
        loop = output.trimmed();
        // Loop disks report fixed media.
        const QString one = folder + QStringLiteral(".removable");
        QFile removable(one);
        if (!removable.open(QIODevice::WriteOnly) || removable.write("1\n") != 2)
            return removable.errorString();
        removable.close();
        attribute = QFile::encodeName(QStringLiteral("/sys/block/%1/removable").arg(QFileInfo(loop).fileName()));
        if (::mount(QFile::encodeName(one).constData(), attribute.constData(), nullptr, MS_BIND, nullptr) != 0) {
            attribute.clear();
            return errnoText();
        }
        mountPoint = folder;
        QDir().mkpath(mountPoint);
        server.setProcessChannelMode(QProcess::MergedChannels);
        server.start(QStringLiteral("setpriv"), {QStringLiteral("--pdeathsig"), QStringLiteral("KILL"),
                                                 QStringLiteral("fusefat"), QStringLiteral("-f"), QStringLiteral("-o"),
                                                 QStringLiteral("rw+,blkdev,fsname=") + loop, loop, mountPoint});
        if (!server.waitForStarted())
            return server.errorString();
        QElapsedTimer waited;
        waited.start();
        while (!isMountPoint(mountPoint)) {
            if (waited.elapsed() > 10000)
                return QStringLiteral("fusefat did not mount the card: ") + QString::fromLocal8Bit(server.readAll());
            QThread::msleep(20);
        }
        return QString();
    }
    ~FuseCard()
    {
        if (server.state() != QProcess::NotRunning) {
            ::kill(pid(), SIGCONT);
            if (::umount2(QFile::encodeName(mountPoint).constData(), 0) != 0)
                ::umount2(QFile::encodeName(mountPoint).constData(), MNT_DETACH);
            if (!server.waitForFinished(5000)) {
                server.kill();
                server.waitForFinished(5000);
            }
        }
        if (!attribute.isEmpty())
            ::umount2(attribute.constData(), MNT_DETACH);
        if (!loop.isEmpty())
            runTool(QStringLiteral("losetup"), {QStringLiteral("--detach"), loop}, nullptr, toolTimeoutMs);
    }

    pid_t pid() const { return pid_t(server.processId()); }
    // Every thread of the server is stopped.
    bool stopped() const
    {
        const QStringList threads =
            QDir(QStringLiteral("/proc/%1/task").arg(pid())).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        for (const QString& thread : threads) {
            QFile stat(QStringLiteral("/proc/%1/task/%2/stat").arg(pid()).arg(thread));
            if (!stat.open(QIODevice::ReadOnly))
                return false;
            const QByteArray line = stat.readAll();
            const int state = line.lastIndexOf(") ") + 2;
            if (state < 2 || state >= line.size() || line.at(state) != 'T')
                return false;
        }
        return !threads.isEmpty();
    }

    QString loop;
    QString mountPoint;

private:
    QProcess server;
    QByteArray attribute;
};
} // namespace

class TestHang : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void slowCardIsWaitedFor_data();
    void slowCardIsWaitedFor();
    void hungSystemBus_data();
    void hungSystemBus();
    void stoppedFuseCard();
};

void TestHang::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    // This process never reaches a real bus: labelling a card here fails at once.
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=/nonexistent/orva-test-bus");
}

void TestHang::slowCardIsWaitedFor_data()
{
    QTest::addColumn<int>("answerMs");
    QTest::addColumn<bool>("answers");
    // Three answers about the mount: 600 ms in all, none of them longer than the 500 ms of silence allowed.
    QTest::newRow("slow card, waited for") << 200 << true;
    QTest::newRow("silent card, given up") << 1500 << false;
}

void TestHang::slowCardIsWaitedFor()
{
    QFETCH(int, answerMs);
    QFETCH(bool, answers);
    constexpr int SilenceMs = 500;
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    // The card takes its time by the test's clock: the wait is measured by it, and nothing here sleeps.
    const auto clock = std::make_shared<MockClock>();
    const auto card = std::make_shared<SlowCard>(dir.path(), clock, answerMs, !answers);
    const auto letGo = qScopeGuard([&card] { card->release(); });

    const Clock::Steady::time_point start = clock->steadyTime();
    const std::optional<CardOutcome> outcome =
        writeParameterFileWatched(FormValues(), card->volumes.first(), card, {}, std::chrono::milliseconds(SilenceMs));
    const qint64 elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(clock->steadyTime() - start).count();
    if (answers) {
        QVERIFY(outcome);
        QCOMPARE(int(outcome->result), int(CardOutcome::Result::Written));
        QVERIFY2(elapsed > SilenceMs, qPrintable(QString::number(elapsed)));
        return;
    }
    // Given up while the card still held its answer back.
    QVERIFY(!outcome);
    QVERIFY2(elapsed >= SilenceMs, qPrintable(QString::number(elapsed)));
    QCOMPARE(DetachedWork::outstanding(), 1);
    // The write stops as soon as the card answers again, before the label: the card is left as it was.
    card->release();
    QTRY_COMPARE_WITH_TIMEOUT(DetachedWork::outstanding(), 0, 5000);
    QVERIFY(card->labelCalls.isEmpty());
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
}

void TestHang::hungSystemBus_data()
{
    QTest::addColumn<bool>("stoppedDaemon");
    QTest::newRow("dbus-daemon stopped with SIGSTOP") << true;
    QTest::newRow("socket that never answers") << false;
}

void TestHang::hungSystemBus()
{
    QFETCH(bool, stoppedDaemon);
    // A bus address holds no space: the folder is named without one.
    QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/orva-hang-XXXXXX"));
    QVERIFY(dir.isValid());
    const QString card = dir.filePath(QStringLiteral("card"));
    QVERIFY(QDir().mkpath(card));
    const QString mountTable = dir.filePath(QStringLiteral("mountinfo"));
    QFile table(mountTable);
    QVERIFY(table.open(QIODevice::WriteOnly));
    table.write(QStringLiteral("36 25 8:17 / %1 rw,relatime - vfat /dev/sdb1 rw\n").arg(card).toUtf8());
    table.close();

    QString address;
    QProcess daemon;
    std::unique_ptr<SilentSocket> silent;
    auto endDaemon = qScopeGuard([&] {
        if (daemon.state() != QProcess::NotRunning) {
            ::kill(pid_t(daemon.processId()), SIGCONT);
            daemon.terminate();
            daemon.waitForFinished(5000);
        }
    });
    if (stoppedDaemon) {
        if (QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty())
            QSKIP("dbus-daemon is not installed (Debian package dbus-daemon)");
        daemon.start(QStringLiteral("dbus-daemon"),
                     {QStringLiteral("--config-file=") + BusConfig, QStringLiteral("--print-address=1"),
                      QStringLiteral("--nofork"), QStringLiteral("--nopidfile")});
        QVERIFY(daemon.waitForReadyRead(10000));
        address = QString::fromUtf8(daemon.readLine()).trimmed();
        QVERIFY(::kill(pid_t(daemon.processId()), SIGSTOP) == 0);
    } else {
        // Listens, so connecting succeeds; nothing ever reads from the connection.
        silent = std::make_unique<SilentSocket>(dir.filePath(QStringLiteral("silent-bus")));
        QVERIFY2(silent->listening, qPrintable(errnoText()));
        address = QStringLiteral("unix:path=") + dir.filePath(QStringLiteral("silent-bus"));
    }

    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), address);
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer clock;
    clock.start();
    child.start(QCoreApplication::applicationFilePath(), {ChildOption, card, mountTable});
    const bool ended = child.waitForFinished(40000);
    const qint64 lifetime = clock.elapsed();
    if (!ended) {
        child.kill();
        child.waitForFinished(5000);
    }
    const QStringList said = QString::fromUtf8(child.readAllStandardOutput()).trimmed().split(QLatin1Char(' '));
    qInfo("the box after %s ms, the process ended after %lld ms", qPrintable(said.value(1)), lifetime);
    QVERIFY2(ended, "the program did not end");
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QCOMPARE(child.exitCode(), 0);
    QCOMPARE(said.size() > 2 ? QStringList(said.mid(2)).join(QLatin1Char(' ')) : QString(),
             QStringLiteral("File generated"));
    QVERIFY2(said.value(1).toLongLong() < 20000, qPrintable(said.value(1)));
    // The label was skipped; the card took the file all the same.
    QVERIFY(QFileInfo(card + QStringLiteral("/02/GP0_0000.VSK")).isFile());
}

void TestHang::stoppedFuseCard()
{
    if (::geteuid() != 0)
        QSKIP("needs root: loop devices, FUSE mounts and a private mount namespace");
    for (const char* tool : {"fusefat", "mkfs.vfat", "losetup", "setpriv"}) {
        if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
            QSKIP(qPrintable(QLatin1String(tool) + QLatin1String(" is not installed")));
    }
    if (!QFileInfo::exists(QStringLiteral("/dev/fuse")) || !QFileInfo::exists(QStringLiteral("/dev/loop-control")))
        QSKIP("no FUSE or no loop devices here");
    // Everything mounted from here on stays in this process's own mount namespace and goes away with it.
    if (::unshare(CLONE_NEWNS) != 0 || ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        QSKIP(qPrintable(QStringLiteral("cannot make a private mount namespace: ") + errnoText()));

    QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/orva-hang-XXXXXX"));
    QVERIFY(dir.isValid());
    // The second card is there for vskwrite --list, which must not wait a silence limit for each silent card.
    FuseCard cards[2];
    for (FuseCard& fuseCard : cards) {
        const QString problem = fuseCard.start(dir.filePath(QStringLiteral("card%1").arg(&fuseCard - cards)));
        if (fuseCard.loop.isEmpty())
            QSKIP(qPrintable(problem));
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
    }
    const QString card = cards[0].mountPoint;
    const QString second = cards[1].mountPoint;
    const QString loop = cards[0].loop;
    // The card holds a file from an earlier run, which every front end that gives up must leave as it is.
    const QString earlierFile = card + QStringLiteral("/02/GP0_0000.VSK");
    QVERIFY(QDir(card).mkdir(QStringLiteral("02")));
    {
        QFile earlier(earlierFile);
        QVERIFY(earlier.open(QIODevice::WriteOnly) && earlier.write("earlier") == 7);
    }

    for (FuseCard& fuseCard : cards)
        QVERIFY(::kill(fuseCard.pid(), SIGSTOP) == 0);
    // The stop takes hold when each of the server's threads is next scheduled: on a busy machine one of them may
    // still answer a request first. Every thread is seen stopped before the card is looked into.
    for (const FuseCard& fuseCard : cards)
        QTRY_VERIFY_WITH_TIMEOUT(fuseCard.stopped(), 5000);
    // A look into the stopped card must hang, or the timings below would prove nothing.
    std::atomic<bool> probeReturned{false};
    std::thread probe([&] {
        struct stat entry;
        ::lstat(QFile::encodeName(card + QStringLiteral("/probe")).constData(), &entry);
        probeReturned = true;
    });
    auto joinProbe = qScopeGuard([&] {
        ::kill(cards[0].pid(), SIGCONT);
        probe.join();
    });
    QThread::msleep(300);
    QVERIFY2(!probeReturned, "the stopped FUSE card answered");

    // The card's name comes from the label udev publishes for its device, never from its file system.
    const QString byLabel = dir.filePath(QStringLiteral("by-label"));
    QVERIFY(QDir().mkpath(byLabel) && QFile::link(loop, byLabel + QStringLiteral("/ORVA\\x20FUSE")));

    QSettings().clear();
    QElapsedTimer clock;
    clock.start();
    Configurator window(
        std::make_unique<DrivePlatformLinux>(QStringLiteral("/sys"), QStringLiteral("/proc/self/mountinfo"), byLabel));
    window.show();
    const qint64 opening = clock.elapsed();
    QList<int> exits;
    window.setExitFunction([&exits](int status) { exits.append(status); });
    const int index = window.drives().indexOf(card);
    QVERIFY2(index >= 0, qPrintable(window.drives().join(QLatin1Char(' '))));
    QVERIFY2(opening < 1000, qPrintable(QString::number(opening)));
    // Named (its device told beside the name) without asking the stopped file system.
    const QString entry = window.findChild<QComboBox*>(QStringLiteral("sdCardPath"))->itemText(index);
    QVERIFY2(entry.startsWith(QStringLiteral("ORVA FUSE")) && entry.endsWith(QStringLiteral(" \u2014 ") + card),
             qPrintable(entry));
    window.findChild<QComboBox*>(QStringLiteral("sdCardPath"))->setCurrentIndex(index);

    HeldBoxes boxes;
    bool busyWhileWaiting = false;
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, [&] {
        busyWhileWaiting =
            busyWhileWaiting ||
            (QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor &&
             !window.findChild<QPushButton*>(QStringLiteral("button_Save"))->isEnabled());
    });
    look.start(100);
    clock.restart();
    window.findChild<QPushButton*>(QStringLiteral("button_Save"))->click();
    const qint64 answer = clock.elapsed();
    look.stop();
    qInfo("with the card's FUSE server stopped: the window opened in %lld ms, Generate gave up after %lld ms", opening,
          answer);
    QCOMPARE(boxes.seen().size(), 1);
    QCOMPARE(boxes.seen().first().title, NotResponding);
    QCOMPARE(boxes.seen().first().icon, QMessageBox::Warning);
    QCOMPARE(boxes.seen().first().buttons, QMessageBox::StandardButtons(QMessageBox::Close));
    QVERIFY2(answer >= 9000 && answer < 20000, qPrintable(QString::number(answer)));
    QVERIFY(busyWhileWaiting);
    QVERIFY(exits.isEmpty());
    QVERIFY(QSettings().allKeys().isEmpty());
    QVERIFY(!probeReturned);
    // The line under the card list says that the card could not be read, at the latest one silence limit after its
    // last reading started (the one after "Generate" gave up may have just begun).
    QTRY_COMPARE_WITH_TIMEOUT(window.findChild<QLabel*>(QStringLiteral("cardContentsLabel"))->text(),
                              QStringLiteral("The card does not respond: what it holds could not be read."),
                              int(TimeLimits::cardSilence.count()) + 3000);

    // The command-line tools give up after the same time, say so and end although a thread of theirs still waits.
    const QStringList tools[] = {
        {QStringLiteral(VSKWRITE_PATH), QStringLiteral("--mode=lan"), QStringLiteral("--no-open"), card},
        {QStringLiteral(VSKINFO_PATH), card},
    };
    const int toolStatus[] = {1, 2};
    const QString toolMessage[] = {QStringLiteral("vskwrite: SD Card does not respond: The SD card does not respond."),
                                   QStringLiteral("vskinfo: %1: does not respond within 10 seconds").arg(card)};
    // Each ends while the window below waits with its own event loop, which hands the end over already: its time is
    // taken as it is told, and a process that has ended is not waited for again.
    std::vector<std::unique_ptr<QProcess>> running;
    std::vector<qint64> endedAt(std::size(tools) + 1, -1);
    const auto started = [&clock, &endedAt](QProcess& process, std::size_t index, const QStringList& command) {
        QObject::connect(&process, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished),
                         [&clock, &endedAt, index] { endedAt[index] = clock.elapsed(); });
        process.start(command.first(), command.mid(1));
    };
    const auto waitedFor = [](QProcess& process) {
        return process.state() == QProcess::NotRunning || process.waitForFinished(30000);
    };
    clock.restart();
    for (const QStringList& tool : tools) {
        running.push_back(std::make_unique<QProcess>());
        started(*running.back(), running.size() - 1, tool);
    }
    QProcess list;
    started(list, std::size(tools), {QStringLiteral(VSKWRITE_PATH), QStringLiteral("--list")});

    // Meanwhile the window is given the card's file, as a double-click on it does: it tells within the silence limit
    // that the file does not respond, and it keeps handling its events while it waits.
    int ticks = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&ticks] { ++ticks; });
    tick.start(100);
    QElapsedTimer loading;
    loading.start();
    window.loadParameterFile(earlierFile);
    const qint64 loadAnswer = loading.elapsed();
    tick.stop();
    QCOMPARE(boxes.seen().size(), 2);
    QCOMPARE(boxes.seen().last().title, QStringLiteral("Parameter file not loaded"));
    QVERIFY2(loadAnswer >= 9000 && loadAnswer < 20000, qPrintable(QString::number(loadAnswer)));
    QVERIFY2(ticks > 50, qPrintable(QString::number(ticks)));
    for (std::size_t i = 0; i < running.size(); ++i) {
        QProcess& process = *running[i];
        const bool ended = waitedFor(process);
        const qint64 lifetime = endedAt[i];
        if (!ended)
            process.kill();
        const QString said = QString::fromLocal8Bit(process.readAllStandardError());
        qInfo("%s ended after %lld ms: %s", qPrintable(QFileInfo(tools[i].first()).fileName()), lifetime,
              qPrintable(said.trimmed()));
        QVERIFY2(ended, qPrintable(tools[i].first()));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), toolStatus[i]);
        QVERIFY2(said.startsWith(toolMessage[i]), qPrintable(said));
        QVERIFY2(lifetime >= 9000 && lifetime < 20000, qPrintable(QString::number(lifetime)));
        QVERIFY(process.readAllStandardOutput().isEmpty());
    }
    // Both places of the silent card in one silence limit.
    QVERIFY(waitedFor(list));
    const qint64 listed = endedAt.back();
    const QStringList lines = QString::fromUtf8(list.readAllStandardOutput()).split(QLatin1Char('\n'));
    qInfo("vskwrite --list ended after %lld ms", listed);
    QCOMPARE(list.exitCode(), 0);
    for (const QString& root : {card, second}) {
        QVERIFY2(lines.filter(root + QLatin1Char('\t'))
                     .value(0)
                     .endsWith(QStringLiteral("The card does not respond: what it holds could not be read.")),
                 qPrintable(lines.join(QLatin1Char('\n'))));
    }
    QVERIFY2(listed < 20000, qPrintable(QString::number(listed)));

    // The window is the user's again: no busy cursor, buttons that answer, a refresh that does not hang, and Quit.
    QVERIFY(!QApplication::overrideCursor());
    QVERIFY(window.findChild<QPushButton*>(QStringLiteral("button_Save"))->isEnabled());
    clock.restart();
    window.findChild<QPushButton*>(QStringLiteral("refreshButton"))->click();
    QVERIFY(clock.elapsed() < 1000);
    QVERIFY(window.drives().contains(card));
    // Given up and still held by the card: Generate's look at the card, the card line's and the file's load.
    QCOMPARE(DetachedWork::outstanding(), 3);
    window.findChild<QPushButton*>(QStringLiteral("button_Cancel"))->click();
    QVERIFY(!window.isVisible());

    // Once the card answers again, the abandoned write stops at its next step: the card keeps its earlier file, and
    // nothing else is left on it.
    for (FuseCard& fuseCard : cards)
        QVERIFY(::kill(fuseCard.pid(), SIGCONT) == 0);
    QTRY_COMPARE_WITH_TIMEOUT(DetachedWork::outstanding(), 0, 10000);
    QTRY_VERIFY_WITH_TIMEOUT(probeReturned, 5000);
    QCOMPARE(QDir(card).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList{QStringLiteral("02")});
    QCOMPARE(QDir(card + QStringLiteral("/02")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList{QStringLiteral("GP0_0000.VSK")});
    QFile earlier(earlierFile);
    QVERIFY(earlier.open(QIODevice::ReadOnly));
    QCOMPARE(earlier.readAll(), QByteArray("earlier"));
    earlier.close();
    QVERIFY2(::umount2(QFile::encodeName(card).constData(), 0) == 0, qPrintable(errnoText()));
}

int main(int argc, char* argv[])
{
    WindowSetup::apply();
    QApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() == 4 && arguments.at(1) == ChildOption)
        return generateOn(arguments.at(2), arguments.at(3));
    TestHang test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_hang.moc"
