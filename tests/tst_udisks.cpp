// The card's label through UDisks2: against a fake service on a private bus, which records what it is asked
// and can refuse, stay silent or hang; and, as root, against the real udisksd on a loop device.
#include "drives/linux/UDisksLabeller.h"

#include <QByteArrayList>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <QElapsedTimer>
#include <QFile>
#include <QMutex>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <memory>
#include <vector>

#include <sys/sysmacros.h>
#include <unistd.h>

namespace {
using InterfaceMap = QMap<QString, QVariantMap>;
using ObjectMap = QMap<QDBusObjectPath, InterfaceMap>;

const QString TestDir = QStringLiteral(ORVA_UDISKS_TEST_DIR);
const QString BusConfig = TestDir + QStringLiteral("/private-bus.conf");
const QString ServiceName = QStringLiteral("org.freedesktop.UDisks2");
const QString RootObject = QStringLiteral("/org/freedesktop/UDisks2");
const QString ManagerObject = QStringLiteral("/org/freedesktop/UDisks2/Manager");
const QString CardObject = QStringLiteral("/org/freedesktop/UDisks2/block_devices/sdb1");
const QString OtherObject = QStringLiteral("/org/freedesktop/UDisks2/block_devices/sda1");
const QString ReaderObject = QStringLiteral("/org/freedesktop/UDisks2/drives/Card_Reader");
const QString DriveInterface = QStringLiteral("org.freedesktop.UDisks2.Drive");
const QString FilesystemInterface = QStringLiteral("org.freedesktop.UDisks2.Filesystem");
const QString BlockInterface = QStringLiteral("org.freedesktop.UDisks2.Block");
const QString Label = QStringLiteral("Orva Config");
const QString CardRoot = QStringLiteral("/media/user/CARD");

// Bound of each call in the tests against the fake; a hung fake sleeps far longer.
constexpr int TimeoutMs = 400;
constexpr int HangMs = 2500;
// Room for the pauses between mount attempts and a busy machine.
constexpr int SlackMs = 1000;

// How the fake answers a method.
enum class Answer
{
    Normally,
    NotAuthorized,
    Refused,
    UnknownMethod,
    Silent,
    Hang
};

struct Call
{
    QString method;
    QVariantList arguments;
};

QByteArray byteString(const QString& path)
{
    return QFile::encodeName(path) + '\0';
}

// The UDisks2 objects of one card, /dev/sdb1 (8:17), behaving like udisksd 2.9: a mounted file system whose
// type cannot be relabelled online is refused, FAT labels turn upper case, and mounting makes a mount point
// named after the label. A second block device, /dev/sda1, is there to be passed over.
class FakeUDisks : public QDBusVirtualObject
{
public:
    FakeUDisks(const QString& type, bool onlineLabel) : m_type(type), m_onlineLabel(onlineLabel) {}

    // The next `times` calls of method (all when negative) get this answer; "Get" stands for property reads.
    void answer(const QString& method, Answer answer, int times = -1)
    {
        QMutexLocker lock(&m_mutex);
        m_answers.insert(method, {answer, times});
    }

    QList<Call> calls() const
    {
        QMutexLocker lock(&m_mutex);
        return m_calls;
    }
    QStringList methods() const
    {
        QStringList result;
        const QList<Call> all = calls();
        for (const Call& call : all)
            result.append(call.method);
        return result;
    }
    QString label() const
    {
        QMutexLocker lock(&m_mutex);
        return m_label;
    }
    QStringList mountPoints() const
    {
        QMutexLocker lock(&m_mutex);
        return m_mountPoints;
    }
    // The card's reader: a USB reader can be powered off, a built-in slot cannot.
    void setCanPowerOff(bool can)
    {
        QMutexLocker lock(&m_mutex);
        m_canPowerOff = can;
    }
    bool poweredOff() const
    {
        QMutexLocker lock(&m_mutex);
        return m_poweredOff;
    }

    QString introspect(const QString&) const override { return QString(); }

    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override
    {
        Answer answer = Answer::Normally;
        {
            QMutexLocker lock(&m_mutex);
            if (message.interface() != QLatin1String("org.freedesktop.DBus.Properties"))
                m_calls.append({message.member(), message.arguments()});
            auto planned = m_answers.find(message.member());
            if (planned != m_answers.end() && planned->second != 0) {
                answer = planned->first;
                if (planned->second > 0)
                    --planned->second;
            }
        }
        switch (answer) {
        case Answer::Silent:
            return true;
        case Answer::Hang:
            QThread::msleep(HangMs); // then answers, too late
            break;
        case Answer::NotAuthorized:
            connection.send(
                message.createErrorReply(QStringLiteral("org.freedesktop.UDisks2.Error.NotAuthorizedCanObtain"),
                                         QStringLiteral("Not authorized to perform operation")));
            return true;
        case Answer::Refused:
            connection.send(message.createErrorReply(QStringLiteral("org.freedesktop.UDisks2.Error.DeviceBusy"),
                                                     QStringLiteral("Error unmounting /dev/sdb1: target is busy")));
            return true;
        case Answer::UnknownMethod:
            connection.send(message.createErrorReply(QDBusError::UnknownMethod, QStringLiteral("No such method")));
            return true;
        case Answer::Normally:
            break;
        }
        QMutexLocker lock(&m_mutex);
        connection.send(reply(message));
        return true;
    }

private:
    QDBusMessage error(const QDBusMessage& message, const char* name, const QString& text) const
    {
        return message.createErrorReply(QLatin1String(name), text);
    }

    QDBusMessage reply(const QDBusMessage& message)
    {
        const QString member = message.member();
        const QVariantList arguments = message.arguments();
        if (message.path() == ManagerObject && member == QLatin1String("ResolveDevice")) {
            QList<QDBusObjectPath> found;
            if (qdbus_cast<QVariantMap>(arguments.value(0)).value(QStringLiteral("path")) == QLatin1String("/dev/sdb1"))
                found.append(QDBusObjectPath(CardObject));
            return message.createReply(QVariant::fromValue(found));
        }
        if (message.path() == RootObject && member == QLatin1String("GetManagedObjects"))
            return message.createReply(QVariant::fromValue(managedObjects()));
        if (message.path() == ReaderObject && member == QLatin1String("Get") && arguments.value(0) == DriveInterface &&
            arguments.value(1) == QLatin1String("CanPowerOff"))
            return message.createReply(QVariant::fromValue(QDBusVariant(m_canPowerOff)));
        if (message.path() == ReaderObject && member == QLatin1String("PowerOff") && m_canPowerOff) {
            m_poweredOff = true;
            return message.createReply();
        }
        if (message.path() != CardObject)
            return message.createErrorReply(QDBusError::UnknownObject, message.path());
        if (member == QLatin1String("Get"))
            return property(message, arguments.value(0).toString(), arguments.value(1).toString());
        if (message.interface() != FilesystemInterface)
            return message.createErrorReply(QDBusError::UnknownMethod, member);
        if (member == QLatin1String("Unmount")) {
            if (m_mountPoints.isEmpty())
                return error(message, "org.freedesktop.UDisks2.Error.NotMounted", QStringLiteral("not mounted"));
            m_mountPoints.clear();
            return message.createReply();
        }
        if (member == QLatin1String("SetLabel")) {
            if (!m_mountPoints.isEmpty() && !m_onlineLabel)
                return error(message, "org.freedesktop.UDisks2.Error.NotSupported",
                             QStringLiteral("Cannot change label on mounted device of type filesystem:") % m_type %
                                 QStringLiteral(".\n"));
            const QString label = arguments.value(0).toString();
            m_label = m_type == QLatin1String("vfat") ? label.toUpper() : label;
            return message.createReply();
        }
        if (member == QLatin1String("Mount")) {
            if (!m_mountPoints.isEmpty())
                return error(message, "org.freedesktop.UDisks2.Error.AlreadyMounted",
                             QStringLiteral("Device /dev/sdb1 is already mounted at `") % m_mountPoints.first() +
                                 QStringLiteral("'."));
            m_mountPoints = QStringList{QStringLiteral("/media/user/") + m_label};
            return message.createReply(m_mountPoints.first());
        }
        return message.createErrorReply(QDBusError::UnknownMethod, member);
    }

    QDBusMessage property(const QDBusMessage& message, const QString& interface, const QString& name) const
    {
        QVariant value;
        if (interface == BlockInterface && name == QLatin1String("IdType"))
            value = m_type;
        else if (interface == BlockInterface && name == QLatin1String("Drive"))
            value = QVariant::fromValue(QDBusObjectPath(ReaderObject));
        else if (interface == FilesystemInterface && name == QLatin1String("MountPoints"))
            value = QVariant::fromValue(mountPointBytes());
        else
            return message.createErrorReply(QDBusError::InvalidArgs, name);
        return message.createReply(QVariant::fromValue(QDBusVariant(value)));
    }

    QByteArrayList mountPointBytes() const
    {
        QByteArrayList points;
        for (const QString& point : m_mountPoints)
            points.append(byteString(point));
        return points;
    }

    ObjectMap managedObjects() const
    {
        ObjectMap objects;
        objects.insert(QDBusObjectPath(ManagerObject), {{QStringLiteral("org.freedesktop.UDisks2.Manager"), {}}});
        const auto block = [](const char* device, quint64 number, const QString& type) {
            return QVariantMap{{QStringLiteral("Device"), byteString(QLatin1String(device))},
                               {QStringLiteral("PreferredDevice"), byteString(QLatin1String(device))},
                               {QStringLiteral("DeviceNumber"), number},
                               {QStringLiteral("IdType"), type}};
        };
        objects.insert(
            QDBusObjectPath(OtherObject),
            {{BlockInterface, block("/dev/sda1", makedev(8, 1), QStringLiteral("ext4"))},
             {FilesystemInterface, {{QStringLiteral("MountPoints"), QVariant::fromValue(QByteArrayList())}}}});
        objects.insert(
            QDBusObjectPath(CardObject),
            {{BlockInterface, block("/dev/sdb1", makedev(8, 17), m_type)},
             {FilesystemInterface, {{QStringLiteral("MountPoints"), QVariant::fromValue(mountPointBytes())}}}});
        return objects;
    }

    mutable QMutex m_mutex;
    const QString m_type;
    const bool m_onlineLabel;
    QString m_label = QStringLiteral("CARD");
    QStringList m_mountPoints = {CardRoot};
    bool m_canPowerOff = true;
    bool m_poweredOff = false;
    QMap<QString, QPair<Answer, int>> m_answers;
    QList<Call> m_calls;
};

// The fake on a connection of its own, answering from a thread of its own while the labeller blocks the test's
// thread in its calls.
class FakeService
{
public:
    FakeService(const QString& address, const QString& type, bool onlineLabel, bool ownName = true)
        : udisks(new FakeUDisks(type, onlineLabel)), m_name(QStringLiteral("fake-udisks-%1").arg(++s_count))
    {
        // Registered while still in this thread: the connection gives the object helpers of its own.
        QDBusConnection connection = QDBusConnection::connectToBus(address, m_name);
        m_ready = connection.isConnected() &&
                  connection.registerVirtualObject(RootObject, udisks, QDBusConnection::SubPath) &&
                  (!ownName || connection.registerService(ServiceName));
        udisks->moveToThread(&m_thread);
        m_thread.start();
    }
    ~FakeService()
    {
        QDBusConnection::disconnectFromBus(m_name);
        m_thread.quit();
        m_thread.wait(); // a hung fake first wakes up
        delete udisks;
    }
    bool ready() const { return m_ready; }

    FakeUDisks* const udisks;

private:
    static int s_count;
    QThread m_thread;
    const QString m_name;
    bool m_ready = false;
};
int FakeService::s_count = 0;

// A connection of the test's own, to the labeller's side of the private bus.
class Client
{
public:
    explicit Client(const QString& address) : m_name(QStringLiteral("client-%1").arg(++s_count))
    {
        bus = std::make_unique<QDBusConnection>(QDBusConnection::connectToBus(address, m_name));
    }
    ~Client()
    {
        bus.reset();
        QDBusConnection::disconnectFromBus(m_name);
    }
    std::unique_ptr<QDBusConnection> bus;

private:
    static int s_count;
    const QString m_name;
};
int Client::s_count = 0;

QByteArray mountLine(const char* number, const char* point, const char* type, const char* source)
{
    return QByteArray("36 25 ") + number + " / " + point + " rw,nosuid,nodev,relatime shared:1 - " + type + ' ' +
           source + " rw\n";
}

// The machine's usual mounts around the card's.
QByteArray mountTable(const QByteArray& cardLines)
{
    return QByteArray("22 27 0:21 / /proc rw,relatime - proc proc rw\n"
                      "27 1 254:0 / / rw,relatime - ext4 /dev/vda rw\n"
                      "31 27 8:1 / /home rw,relatime - ext4 /dev/sda1 rw\n") +
           cardLines + "40 27 0:45 / /run/user/1000 rw,nosuid,nodev - tmpfs tmpfs rw\n";
}

// Runs the real udisksd for one test through tests/udisks/udisks-sandbox.sh and stops it again, whatever happens
// in between: the script ends everything it started once its standard input closes.
class RealUDisks
{
public:
    ~RealUDisks()
    {
        m_script.closeWriteChannel();
        if (!m_script.waitForFinished(20000)) {
            m_script.terminate();
            if (!m_script.waitForFinished(5000))
                m_script.kill();
            m_script.waitForFinished();
        }
    }

    bool start()
    {
        if (!m_dir.isValid())
            return fail(QStringLiteral("no temporary directory"));
        m_script.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_script.start(QStringLiteral("sh"), {TestDir + QStringLiteral("/udisks-sandbox.sh"), m_dir.path(), BusConfig});
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 30000) {
            if (!m_script.canReadLine() && !m_script.waitForReadyRead(1000)) {
                if (m_script.state() == QProcess::NotRunning)
                    return fail(QStringLiteral("the sandbox script ended"));
                continue;
            }
            const QString line = QString::fromUtf8(m_script.readLine()).trimmed();
            const QString value = line.section(QLatin1Char(' '), 1);
            if (line.startsWith(QLatin1String("loop ")))
                loop = value;
            else if (line.startsWith(QLatin1String("bus ")))
                address = value;
            else if (line == QLatin1String("ready"))
                return true;
            else if (line.startsWith(QLatin1String("error ")))
                return fail(value);
        }
        return fail(QStringLiteral("the sandbox did not get ready in 30 s"));
    }

    QString log(const QString& name) const
    {
        QFile file(m_dir.filePath(name));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

    QString error;
    QString loop;
    QString address;

private:
    bool fail(const QString& reason)
    {
        error = reason % QStringLiteral("\nudisksd: ") % log(QStringLiteral("udisksd.log")) %
                QStringLiteral("\nudevd: ") % log(QStringLiteral("udevd.log"));
        return false;
    }

    QTemporaryDir m_dir;
    QProcess m_script;
};

QDBusMessage udisksCall(const QDBusConnection& bus, const QString& path, const QString& interface,
                        const QString& method, const QVariantList& arguments)
{
    QDBusMessage message = QDBusMessage::createMethodCall(ServiceName, path, interface, method);
    message.setArguments(arguments);
    return bus.call(message, QDBus::Block, 10000);
}

QStringList realMountPoints(const QDBusConnection& bus, const QString& object)
{
    const QDBusMessage reply = udisksCall(bus, object, QStringLiteral("org.freedesktop.DBus.Properties"),
                                          QStringLiteral("Get"), {FilesystemInterface, QStringLiteral("MountPoints")});
    QStringList points;
    const auto raw = qdbus_cast<QByteArrayList>(reply.arguments().value(0).value<QDBusVariant>().variant());
    for (const QByteArray& point : raw)
        points.append(QFile::decodeName(point.constData()));
    return points;
}
} // namespace

Q_DECLARE_METATYPE(Answer)

class TestUDisks : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void labelsTheCard_data();
    void labelsTheCard();
    void findsTheDevice_data();
    void findsTheDevice();
    void refusalsLeaveTheCardReachable_data();
    void refusalsLeaveTheCardReachable();
    void hungServiceCostsBoundedTime_data();
    void hungServiceCostsBoundedTime();
    void missingServiceCostsNoTime_data();
    void missingServiceCostsNoTime();
    void deadlineBoundsTheWholeLabel();
    void cardsLabelledAtOnceOverOneConnection_data();
    void cardsLabelledAtOnceOverOneConnection();
    void ejectsTheCard_data();
    void ejectsTheCard();

    void realDaemon_data();
    void realDaemon();

private:
    // The labeller for one test, on the client connection and the test's mount table.
    UDisksLabeller labeller(const Client& client) const;
    void writeMountTable(const QByteArray& contents);

    QProcess m_bus;
    QString m_address;
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestUDisks::initTestCase()
{
    qDBusRegisterMetaType<QByteArrayList>();
    qDBusRegisterMetaType<InterfaceMap>();
    qDBusRegisterMetaType<ObjectMap>();
    if (QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty())
        QSKIP("dbus-daemon is not installed (Debian package dbus-daemon)");
    m_bus.start(QStringLiteral("dbus-daemon"),
                {QStringLiteral("--config-file=") + BusConfig, QStringLiteral("--print-address=1"),
                 QStringLiteral("--nofork"), QStringLiteral("--nopidfile")});
    QVERIFY(m_bus.waitForReadyRead(10000));
    m_address = QString::fromUtf8(m_bus.readLine()).trimmed();
    QVERIFY(m_address.startsWith(QLatin1String("unix:")));
}

void TestUDisks::cleanupTestCase()
{
    m_bus.terminate();
    m_bus.waitForFinished(5000);
}

void TestUDisks::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    writeMountTable(mountTable(mountLine("8:17", "/media/user/CARD", "vfat", "/dev/sdb1")));
}

void TestUDisks::writeMountTable(const QByteArray& contents)
{
    QFile table(m_dir->filePath(QStringLiteral("mountinfo")));
    QVERIFY(table.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(table.write(contents), contents.size());
}

UDisksLabeller TestUDisks::labeller(const Client& client) const
{
    UDisksLabeller labeller(*client.bus, m_dir->filePath(QStringLiteral("mountinfo")));
    labeller.setTimeout(TimeoutMs);
    return labeller;
}

void TestUDisks::labelsTheCard_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<bool>("onlineLabel");
    QTest::addColumn<QStringList>("expectedCalls");
    QTest::addColumn<QString>("expectedRoot");
    QTest::addColumn<QString>("expectedLabel");

    const QStringList offline = {QStringLiteral("ResolveDevice"), QStringLiteral("Unmount"), QStringLiteral("SetLabel"),
                                 QStringLiteral("Mount")};
    const QStringList online = {QStringLiteral("ResolveDevice"), QStringLiteral("SetLabel")};
    QTest::newRow("FAT: unmounted, labelled, mounted again under the new label")
        << "vfat" << false << offline << "/media/user/ORVA CONFIG"
        << "ORVA CONFIG";
    QTest::newRow("exFAT: unmounted, labelled, mounted again")
        << "exfat" << false << offline << "/media/user/Orva Config" << Label;
    QTest::newRow("NTFS: unmounted, labelled, mounted again")
        << "ntfs" << false << offline << "/media/user/Orva Config" << Label;
    QTest::newRow("type unknown to the service, FAT in the mount table")
        << "" << false << offline << "/media/user/Orva Config" << Label;
    QTest::newRow("ext4: labelled in place") << "ext4" << true << online << CardRoot << Label;
    QTest::newRow("type refused while mounted: then unmounted, labelled, mounted again")
        << "xfs" << false << QStringList(online + offline.mid(1)) << "/media/user/Orva Config" << Label;
    QTest::newRow("unknown type that takes the label while mounted")
        << "hfsplus" << true << online << CardRoot << Label;
}

void TestUDisks::labelsTheCard()
{
    QFETCH(QString, type);
    QFETCH(bool, onlineLabel);
    QFETCH(QStringList, expectedCalls);
    QFETCH(QString, expectedRoot);
    QFETCH(QString, expectedLabel);

    FakeService service(m_address, type, onlineLabel);
    QVERIFY(service.ready());
    Client client(m_address);

    QCOMPARE(labeller(client).relabel(CardRoot, Label), expectedRoot);
    QCOMPARE(service.udisks->methods(), expectedCalls);
    QCOMPARE(service.udisks->label(), expectedLabel);
    QCOMPARE(service.udisks->mountPoints(), QStringList{expectedRoot});

    const QList<Call> calls = service.udisks->calls();
    QCOMPARE(qdbus_cast<QVariantMap>(calls.first().arguments.value(0)).value(QStringLiteral("path")).toString(),
             QStringLiteral("/dev/sdb1"));
    for (const Call& call : calls) {
        const QVariantMap options = qdbus_cast<QVariantMap>(call.arguments.constLast());
        QVERIFY2(options.value(QStringLiteral("auth.no_user_interaction")).toBool(), qPrintable(call.method));
        if (call.method == QLatin1String("SetLabel"))
            QCOMPARE(call.arguments.value(0).toString(), Label);
    }
}

void TestUDisks::findsTheDevice_data()
{
    QTest::addColumn<QByteArray>("cardLines");
    QTest::addColumn<QString>("rootPath");
    QTest::addColumn<bool>("resolveDevice");
    QTest::addColumn<QStringList>("expectedCalls");

    const QString resolve = QStringLiteral("ResolveDevice");
    const QString scan = QStringLiteral("GetManagedObjects");
    const QString setLabel = QStringLiteral("SetLabel");
    QTest::newRow("blank escaped in the table, trailing slash in the root path")
        << mountLine("8:17", "/media/user/MY\\040CARD", "ext4", "/dev/sdb1") << "/media/user/MY CARD/" << true
        << QStringList{resolve, setLabel};
    QTest::newRow("of two mounts on one point the upper one")
        << mountLine("8:33", "/media/user/CARD", "ext4", "/dev/sdc1") +
               mountLine("8:17", "/media/user/CARD", "ext4", "/dev/sdb1")
        << CardRoot << true << QStringList{resolve, setLabel};
    QTest::newRow("root path not mounted")
        << mountLine("8:17", "/media/user/CARD", "ext4", "/dev/sdb1") << "/media/user/CAR" << true << QStringList();
    QTest::newRow("no mount table") << QByteArray() << CardRoot << true << QStringList();
    QTest::newRow("service without ResolveDevice: by device number")
        << mountLine("8:17", "/media/user/CARD", "ext4", "/dev/disk/by-uuid/1234-ABCD") << CardRoot << false
        << QStringList{resolve, scan, setLabel};
    QTest::newRow("service without ResolveDevice: by device node")
        << mountLine("0:45", "/media/user/CARD", "ext4", "/dev/sdb1") << CardRoot << false
        << QStringList{resolve, scan, setLabel};
    QTest::newRow("service without ResolveDevice: unknown device")
        << mountLine("8:99", "/media/user/CARD", "ext4", "/dev/sdz9") << CardRoot << false
        << QStringList{resolve, scan};
    QTest::newRow("mount source that is no device node")
        << mountLine("0:50", "/media/user/CARD", "fuse.sshfs", "user@example.org:/") << CardRoot << true
        << QStringList{scan};
}

void TestUDisks::findsTheDevice()
{
    QFETCH(QByteArray, cardLines);
    QFETCH(QString, rootPath);
    QFETCH(bool, resolveDevice);
    QFETCH(QStringList, expectedCalls);

    if (cardLines.isEmpty())
        QVERIFY(QFile::remove(m_dir->filePath(QStringLiteral("mountinfo"))));
    else
        writeMountTable(mountTable(cardLines));
    FakeService service(m_address, QStringLiteral("ext4"), true);
    QVERIFY(service.ready());
    if (!resolveDevice)
        service.udisks->answer(QStringLiteral("ResolveDevice"), Answer::UnknownMethod);
    Client client(m_address);

    QCOMPARE(labeller(client).relabel(rootPath, Label), rootPath);
    QCOMPARE(service.udisks->methods(), expectedCalls);
    QCOMPARE(service.udisks->label(),
             expectedCalls.contains(QLatin1String("SetLabel")) ? Label : QStringLiteral("CARD"));
}

void TestUDisks::refusalsLeaveTheCardReachable_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("method");
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<int>("times");
    QTest::addColumn<QStringList>("expectedCalls");
    QTest::addColumn<QString>("expectedRoot");
    QTest::addColumn<QString>("expectedLabel");
    QTest::addColumn<bool>("leftMounted");
    QTest::addColumn<int>("timeouts");

    const QString unchanged = QStringLiteral("CARD");
    const QString labelled = QStringLiteral("ORVA CONFIG");

    const QString resolve = QStringLiteral("ResolveDevice");
    const QString unmount = QStringLiteral("Unmount");
    const QString setLabel = QStringLiteral("SetLabel");
    const QString mount = QStringLiteral("Mount");
    QTest::newRow("FAT, unmount not authorised: stays mounted")
        << "vfat" << unmount << Answer::NotAuthorized << -1 << QStringList{resolve, unmount} << CardRoot << unchanged
        << true << 0;
    QTest::newRow("FAT, card busy: stays mounted")
        << "vfat" << unmount << Answer::Refused << -1 << QStringList{resolve, unmount} << CardRoot << unchanged << true
        << 0;
    QTest::newRow("FAT, label not authorised: mounted again where it was")
        << "vfat" << setLabel << Answer::NotAuthorized << -1 << QStringList{resolve, unmount, setLabel, mount}
        << CardRoot << unchanged << true << 0;
    QTest::newRow("ext4, label not authorised") << "ext4" << setLabel << Answer::NotAuthorized << -1
                                                << QStringList{resolve, setLabel} << CardRoot << unchanged << true << 0;
    QTest::newRow("FAT, mount refused once: mounted at the second attempt")
        << "vfat" << mount << Answer::Refused << 1 << QStringList{resolve, unmount, setLabel, mount, mount}
        << "/media/user/ORVA CONFIG" << labelled << true << 0;
    QTest::newRow("FAT, mount always refused: gives up after three attempts")
        << "vfat" << mount << Answer::Refused << -1 << QStringList{resolve, unmount, setLabel, mount, mount, mount}
        << CardRoot << labelled << false << 0;
    QTest::newRow("FAT, unmount never answered: still mounted where it was")
        << "vfat" << unmount << Answer::Silent << -1 << QStringList{resolve, unmount, mount} << CardRoot << unchanged
        << true << 1;
    QTest::newRow("FAT, mount never answered: three attempts")
        << "vfat" << mount << Answer::Silent << -1 << QStringList{resolve, unmount, setLabel, mount, mount, mount}
        << CardRoot << labelled << false << 3;
    QTest::newRow("ext4, label never answered") << "ext4" << setLabel << Answer::Silent << -1
                                                << QStringList{resolve, setLabel} << CardRoot << unchanged << true << 1;
}

void TestUDisks::refusalsLeaveTheCardReachable()
{
    QFETCH(QString, type);
    QFETCH(QString, method);
    QFETCH(Answer, answer);
    QFETCH(int, times);
    QFETCH(QStringList, expectedCalls);
    QFETCH(QString, expectedRoot);
    QFETCH(QString, expectedLabel);
    QFETCH(bool, leftMounted);
    QFETCH(int, timeouts);

    FakeService service(m_address, type, type == QLatin1String("ext4"));
    QVERIFY(service.ready());
    service.udisks->answer(method, answer, times);
    Client client(m_address);

    QElapsedTimer clock;
    clock.start();
    const QString root = labeller(client).relabel(CardRoot, Label);
    const qint64 elapsed = clock.elapsed();
    QCOMPARE(root, expectedRoot);
    QCOMPARE(service.udisks->methods(), expectedCalls);
    QVERIFY2(elapsed < timeouts * TimeoutMs + SlackMs, qPrintable(QString::number(elapsed)));
    QCOMPARE(service.udisks->label(), expectedLabel);
    QCOMPARE(service.udisks->mountPoints(), leftMounted ? QStringList{expectedRoot} : QStringList());
}

void TestUDisks::hungServiceCostsBoundedTime_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("method");
    QTest::addColumn<int>("timeouts");

    QTest::newRow("hangs on ResolveDevice") << "vfat"
                                            << "ResolveDevice" << 1;
    QTest::newRow("hangs on the file system type") << "vfat"
                                                   << "Get" << 1;
    QTest::newRow("FAT, hangs on Unmount: mount and mount points time out too") << "vfat"
                                                                                << "Unmount" << 3;
    QTest::newRow("FAT, hangs on SetLabel: mount and mount points time out too") << "vfat"
                                                                                 << "SetLabel" << 3;
    QTest::newRow("FAT, hangs on Mount: mount points time out too") << "vfat"
                                                                    << "Mount" << 2;
    QTest::newRow("ext4, hangs on SetLabel") << "ext4"
                                             << "SetLabel" << 1;
}

void TestUDisks::hungServiceCostsBoundedTime()
{
    QFETCH(QString, type);
    QFETCH(QString, method);
    QFETCH(int, timeouts);

    FakeService service(m_address, type, type == QLatin1String("ext4"));
    QVERIFY(service.ready());
    service.udisks->answer(method, Answer::Hang);
    Client client(m_address);

    QElapsedTimer clock;
    clock.start();
    QCOMPARE(labeller(client).relabel(CardRoot, Label), CardRoot);
    const qint64 elapsed = clock.elapsed();
    QVERIFY2(elapsed >= TimeoutMs - 50, qPrintable(QString::number(elapsed)));
    QVERIFY2(elapsed < timeouts * TimeoutMs + SlackMs, qPrintable(QString::number(elapsed)));
}

void TestUDisks::missingServiceCostsNoTime_data()
{
    QTest::addColumn<bool>("onBus");

    QTest::newRow("nobody owns the service's name on the bus") << true;
    QTest::newRow("no bus") << false;
}

void TestUDisks::missingServiceCostsNoTime()
{
    QFETCH(bool, onBus);

    // The fake's objects are there but the name is not taken: nothing may reach them.
    FakeService service(m_address, QStringLiteral("vfat"), false, false);
    QVERIFY(service.ready());
    Client client(onBus ? m_address : QStringLiteral("unix:path=") + m_dir->filePath(QStringLiteral("no-bus")));
    QCOMPARE(client.bus->isConnected(), onBus);

    QElapsedTimer clock;
    clock.start();
    QCOMPARE(labeller(client).relabel(CardRoot, Label), CardRoot);
    QVERIFY2(clock.elapsed() < TimeoutMs, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(service.udisks->calls().isEmpty());
}

void TestUDisks::ejectsTheCard_data()
{
    QTest::addColumn<bool>("canPowerOff");
    QTest::addColumn<QString>("method");
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<QStringList>("expectedCalls");
    QTest::addColumn<bool>("ejected");
    QTest::addColumn<bool>("poweredOff");
    QTest::addColumn<QString>("reason");

    const QString resolve = QStringLiteral("ResolveDevice"), unmount = QStringLiteral("Unmount"),
                  powerOff = QStringLiteral("PowerOff");
    QTest::newRow("USB reader: unmounted and powered off")
        << true << QString() << Answer::Normally << QStringList{resolve, unmount, powerOff} << true << true
        << QString();
    QTest::newRow("built-in slot: unmounted")
        << false << QString() << Answer::Normally << QStringList{resolve, unmount} << true << false << QString();
    QTest::newRow("card busy: stays mounted") << true << unmount << Answer::Refused << QStringList{resolve, unmount}
                                              << false << false << "Error unmounting /dev/sdb1: target is busy";
    QTest::newRow("power off not authorised: unmounted all the same")
        << true << powerOff << Answer::NotAuthorized << QStringList{resolve, unmount, powerOff} << true << false
        << "Not authorized to perform operation";
}

void TestUDisks::ejectsTheCard()
{
    QFETCH(bool, canPowerOff);
    QFETCH(QString, method);
    QFETCH(Answer, answer);
    QFETCH(QStringList, expectedCalls);
    QFETCH(bool, ejected);
    QFETCH(bool, poweredOff);
    QFETCH(QString, reason);

    FakeService service(m_address, QStringLiteral("vfat"), false);
    QVERIFY(service.ready());
    service.udisks->setCanPowerOff(canPowerOff);
    if (!method.isEmpty())
        service.udisks->answer(method, answer);
    Client client(m_address);

    const EjectOutcome outcome = labeller(client).eject(CardRoot);
    QCOMPARE(service.udisks->methods(), expectedCalls);
    QCOMPARE(outcome.result == EjectOutcome::Result::Ejected, ejected);
    QCOMPARE(outcome.poweredOff, poweredOff);
    QCOMPARE(service.udisks->poweredOff(), poweredOff);
    QCOMPARE(outcome.reason, reason);
    QCOMPARE(service.udisks->mountPoints(), ejected ? QStringList() : QStringList{CardRoot});
}

void TestUDisks::deadlineBoundsTheWholeLabel()
{
    // Unmounting and each of the three attempts to mount again time out: about 2.2 s without a deadline.
    FakeService service(m_address, QStringLiteral("vfat"), false);
    QVERIFY(service.ready());
    service.udisks->answer(QStringLiteral("Unmount"), Answer::Hang);
    service.udisks->answer(QStringLiteral("Mount"), Answer::Hang);
    Client client(m_address);
    UDisksLabeller bounded = labeller(client);
    constexpr int DeadlineMs = 2 * TimeoutMs + 200;

    QElapsedTimer clock;
    clock.start();
    bounded.setDeadline(QDeadlineTimer(DeadlineMs));
    QCOMPARE(bounded.relabel(CardRoot, Label), CardRoot);
    const qint64 elapsed = clock.elapsed();
    QVERIFY2(elapsed >= DeadlineMs - 50 && elapsed < DeadlineMs + 300, qPrintable(QString::number(elapsed)));
    // Once the time is up nothing more is asked: a late connection cannot touch the card afterwards.
    const int calls = service.udisks->calls().size();
    bounded.setDeadline(QDeadlineTimer(0));
    QCOMPARE(bounded.relabel(CardRoot, Label), CardRoot);
    QCOMPARE(service.udisks->calls().size(), calls);
}

void TestUDisks::cardsLabelledAtOnceOverOneConnection_data()
{
    QTest::addColumn<bool>("onBus");
    QTest::addColumn<int>("labels");

    QTest::newRow("the service answers") << true << 200;
    // Every answer is an error then, which the connection would keep as its last error: without a guard two
    // threads free the same message, in nearly every run of this many labels.
    QTest::newRow("nobody owns the service's name on the bus") << false << 2000;
}

void TestUDisks::cardsLabelledAtOnceOverOneConnection()
{
    QFETCH(bool, onBus);
    QFETCH(int, labels);

    // A box of cards: each card is labelled from a thread of its own, all over the one system bus connection.
    FakeService service(m_address, QStringLiteral("ext4"), true, onBus);
    QVERIFY(service.ready());
    Client client(m_address);
    constexpr int Threads = 4;

    QAtomicInt wrongRoots;
    std::vector<std::unique_ptr<QThread>> threads;
    for (int t = 0; t < Threads; ++t) {
        threads.emplace_back(QThread::create([&] {
            const UDisksLabeller own = labeller(client);
            for (int i = 0; i < labels; ++i) {
                if (own.relabel(CardRoot, Label) != CardRoot)
                    wrongRoots.ref();
            }
        }));
        threads.back()->start();
    }
    for (const auto& thread : threads)
        QVERIFY(thread->wait(60000));
    QCOMPARE(wrongRoots.loadAcquire(), 0);
    QCOMPARE(service.udisks->methods().count(QStringLiteral("SetLabel")), onBus ? Threads * labels : 0);
}

void TestUDisks::realDaemon_data()
{
    QTest::addColumn<QStringList>("offlineTypes");
    QTest::addColumn<bool>("remounts");

    QTest::newRow("ext4 labelled in place") << UDisksLabeller::defaultOfflineTypes() << false;
    // The way every FAT card goes (the kernel here has no FAT driver): unmount, label, mount again.
    QTest::newRow("ext4 unmounted, labelled, mounted again") << QStringList{QStringLiteral("ext4")} << true;
}

void TestUDisks::realDaemon()
{
    QFETCH(QStringList, offlineTypes);
    QFETCH(bool, remounts);

    if (geteuid() != 0)
        QSKIP("needs root: attaches a loop device and runs udevd and udisksd in a mount namespace");
    if (!QFile::exists(QStringLiteral("/usr/libexec/udisks2/udisksd")))
        QSKIP("udisksd is not installed (Debian package udisks2)");
    if (!QFile::exists(QStringLiteral("/lib/systemd/systemd-udevd")))
        QSKIP("systemd-udevd is not installed (Debian package udev)");
    for (const char* tool : {"udevadm", "unshare", "losetup", "mkfs.ext4", "blkid"}) {
        if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty() &&
            QStandardPaths::findExecutable(QLatin1String(tool), {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")})
                .isEmpty())
            QSKIP(qPrintable(QLatin1String(tool) + QLatin1String(" is not installed")));
    }

    RealUDisks daemon;
    QVERIFY2(daemon.start(), qPrintable(daemon.error));
    Client client(daemon.address);
    QVERIFY(client.bus->isConnected());
    const QDBusConnection& bus = *client.bus;

    // udisksd takes a moment to claim its name and list the devices.
    QString object;
    QTRY_VERIFY_WITH_TIMEOUT(
        [&] {
            const QDBusMessage reply = udisksCall(bus, ManagerObject, QStringLiteral("org.freedesktop.UDisks2.Manager"),
                                                  QStringLiteral("ResolveDevice"),
                                                  {QVariantMap{{QStringLiteral("path"), daemon.loop}}, QVariantMap()});
            const auto objects = qdbus_cast<QList<QDBusObjectPath>>(reply.arguments().value(0));
            object = objects.isEmpty() ? QString() : objects.first().path();
            return !object.isEmpty();
        }(),
        15000);
    const QDBusMessage mounted = udisksCall(bus, object, FilesystemInterface, QStringLiteral("Mount"),
                                            {QVariantMap{{QStringLiteral("auth.no_user_interaction"), true}}});
    QVERIFY2(mounted.type() == QDBusMessage::ReplyMessage, qPrintable(mounted.errorMessage()));
    const QString oldRoot = mounted.arguments().value(0).toString();
    QCOMPARE(oldRoot, QStringLiteral("/media/root/ORVA-OLD"));

    // udisksd mounts in its own namespace: its mount table is the one that knows the card.
    const uint pid = bus.interface()->servicePid(ServiceName);
    QVERIFY(pid > 0);
    UDisksLabeller labeller(bus, QStringLiteral("/proc/%1/mountinfo").arg(pid));
    labeller.setOfflineTypes(offlineTypes);
    QElapsedTimer clock;
    clock.start();
    const QString root = labeller.relabel(oldRoot, Label);
    qInfo("relabelled in %lld ms", clock.elapsed());

    QCOMPARE(root, remounts ? QStringLiteral("/media/root/Orva Config") : oldRoot);
    QCOMPARE(realMountPoints(bus, object), QStringList{root});
    QProcess blkid;
    blkid.start(QStringLiteral("blkid"),
                {QStringLiteral("-c"), QStringLiteral("/dev/null"), QStringLiteral("-s"), QStringLiteral("LABEL"),
                 QStringLiteral("-o"), QStringLiteral("value"), daemon.loop});
    QVERIFY(blkid.waitForFinished(10000));
    QCOMPARE(QString::fromUtf8(blkid.readAllStandardOutput()).trimmed(), Label);

    // Let go once written: the real service unmounts it (a loop device has no drive to power off).
    const EjectOutcome letGo = labeller.eject(root);
    QVERIFY2(letGo.result == EjectOutcome::Result::Ejected, qPrintable(letGo.reason));
    QCOMPARE(realMountPoints(bus, object), QStringList());
}

QTEST_GUILESS_MAIN(TestUDisks)
#include "tst_udisks.moc"
