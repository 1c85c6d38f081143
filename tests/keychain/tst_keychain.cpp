// The secrets in a real keychain: GNOME Keyring's daemon on a session bus of the test's own, unlocked with a password
// on its standard input. Saved, read back by a new window and by vskwrite (a new process), absent from the store's
// file, an earlier release's store moved; and a bus without a Secret Service, and a daemon that stopped (SIGSTOP):
// the window starts at once, keeps the secrets in the store and says so.
#include "parameterfile/ParameterFileDecoder.h"
#include "settings/FormStore.h"
#include "settings/Keychain.h"
#include "settings/Secrets.h"
#include "support/RunTool.h"
#include "support/TestFiles.h"
#include "support/WindowTest.h"

#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

namespace {
const QString pin = QStringLiteral("760584");
const QString password = QStringLiteral("s3cret p\u00e4ss");

FormValues gsmForm()
{
    FormValues values;
    values.modeCode = ModeCode::Gsm;
    values.text(FormField::AccessPointName) = QStringLiteral("internet.example.net");
    values.text(FormField::Password) = password;
    values.text(FormField::PinCode) = pin;
    return values;
}

bool saysNoKeychain(const Configurator& window)
{
    const auto* note = widget<QLabel>(window, "loadNote");
    return note->isVisibleTo(&window) && note->text().contains(QStringLiteral("No keychain answers"));
}

QByteArray storeFile()
{
    QFile file(QSettings().fileName());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
} // namespace

class TestKeychain : public QObject
{
    Q_OBJECT

    QTemporaryDir place;
    QProcess daemon;

    QString path(const QString& name) const { return place.filePath(name); }

    void startDaemon()
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_DATA_HOME"), path(QStringLiteral("data")));
        daemon.setProcessEnvironment(environment);
        daemon.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        daemon.start(QStringLiteral("gnome-keyring-daemon"),
                     {QStringLiteral("--foreground"), QStringLiteral("--unlock"),
                      QStringLiteral("--components=secrets"),
                      QStringLiteral("--control-directory=") + path(QStringLiteral("control"))});
        QVERIFY(daemon.waitForStarted());
        daemon.write("keyring password\n");
        daemon.closeWriteChannel();
        // Ready once it owns the Secret Service's name on the bus.
        QTRY_VERIFY_WITH_TIMEOUT(runTool(QStringLiteral("dbus-send"),
                                         {QStringLiteral("--session"), QStringLiteral("--print-reply"),
                                          QStringLiteral("--dest=org.freedesktop.DBus"), QStringLiteral("/"),
                                          QStringLiteral("org.freedesktop.DBus.GetNameOwner"),
                                          QStringLiteral("string:org.freedesktop.secrets")},
                                         nullptr, 2000),
                                 10000);
    }

private slots:
    void initTestCase()
    {
        for (const char* program : {"dbus-daemon", "dbus-send", "gnome-keyring-daemon"}) {
            if (QStandardPaths::findExecutable(QLatin1String(program)).isEmpty())
                skipWholeTest(
                    QStringLiteral("%1 is not installed (Debian: dbus, gnome-keyring)").arg(QLatin1String(program)));
        }
        QVERIFY(place.isValid());
        // A store of the test's own, also for the programs it starts.
        qputenv("XDG_CONFIG_HOME", path(QStringLiteral("config")).toLocal8Bit());
        QCoreApplication::setOrganizationName(QStringLiteral("Vaskor Quendra SA"));
        QCoreApplication::setApplicationName(QStringLiteral("ORVA Configurator"));
        Keychain::setInstance(nullptr);

        // Run by session-bus.sh on a bus of its own, which starts no service on demand.
        if (qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS").contains(QStringLiteral("no-session-bus")))
            skipWholeTest(QStringLiteral("no session bus of the test's own (run it through keychain/session-bus.sh)"));
    }

    void cleanupTestCase()
    {
        if (daemon.state() == QProcess::NotRunning)
            return;
        ::kill(pid_t(daemon.processId()), SIGCONT);
        daemon.kill();
        daemon.waitForFinished();
    }

    // A bare session: the secrets stay in the store as before, at once, and the program says why.
    void withoutSecretService()
    {
        QElapsedTimer timer;
        timer.start();
        QSettings settings;
        QVERIFY(FormStore::save(settings, gsmForm()));
        QVERIFY(timer.elapsed() < std::chrono::milliseconds(TimeLimits::keychain).count());
        QVERIFY(Secrets::unavailable());
        QVERIFY(storeFile().contains(pin.toLatin1()));

        timer.restart();
        auto window = makeWindow(1);
        QCOMPARE(widget<QLineEdit>(*window, "PIN_Code")->text(), pin); // in the store, as before
        QTRY_VERIFY(saysNoKeychain(*window));
        QVERIFY(timer.elapsed() < std::chrono::milliseconds(TimeLimits::keychain).count());
        window.reset();
        QVERIFY(storeFile().contains(pin.toLatin1()));
    }

    // The store of an earlier release (the same as the one just kept without a keychain) moves into the keychain at
    // the next save; the program and vskwrite read the secrets back from there.
    void roundTripThroughTheKeychain()
    {
        startDaemon();
        QVERIFY(storeFile().contains(pin.toLatin1()));
        {
            QSettings settings;
            QVERIFY(FormStore::save(settings, FormStore::load(settings)));
        }
        QVERIFY2(!Secrets::unavailable(), qPrintable(Secrets::unavailable().value_or(QString())));
        QVERIFY(!storeFile().contains(pin.toLatin1()));
        QVERIFY(!storeFile().contains("s3cret"));
        QVERIFY(storeFile().contains("pinCodeInKeychain=true"));
        {
            auto window = makeWindow(1);
            QTRY_COMPARE(widget<QLineEdit>(*window, "Password")->text(), password);
            QCOMPARE(widget<QLineEdit>(*window, "PIN_Code")->text(), pin);
            QVERIFY(!saysNoKeychain(*window));
        }
        QVERIFY(!storeFile().contains(pin.toLatin1()));

        // A new process: vskwrite writes the remembered PIN and password onto a card.
        QTemporaryDir card;
        QString output;
        QVERIFY2(runTool(QStringLiteral(VSKWRITE_PATH),
                         {QStringLiteral("--from-settings"), QStringLiteral("--any-folder"),
                          QStringLiteral("--no-open"), card.path()},
                         &output, 30000),
                 qPrintable(output));
        const DecodedParameterFile file =
            decodeParameterFile(readFile(card.filePath(QStringLiteral("02/GP0_0000.VSK"))), QString());
        QCOMPARE(file.textRecords.value(FormField::PinCode), pin.toLatin1());
        QCOMPARE(file.textRecords.value(FormField::Password), password.toLatin1());
    }

    // A daemon that stopped: the window starts at once with the other fields, says so once the limit passed, and a
    // save leaves the secret it did not get as stored; vskwrite names the secret it could not get and refuses the card.
    void stoppedDaemon()
    {
        QCOMPARE(::kill(pid_t(daemon.processId()), SIGSTOP), 0);
        QElapsedTimer timer;
        timer.start();
        {
            auto window = makeWindow(1);
            QVERIFY(timer.elapsed() < 2000);
            QCOMPARE(widget<QLineEdit>(*window, "APN")->text(), QStringLiteral("internet.example.net"));
            QVERIFY(widget<QLineEdit>(*window, "PIN_Code")->isReadOnly());
            QTRY_VERIFY_WITH_TIMEOUT(saysNoKeychain(*window),
                                     2 * std::chrono::milliseconds(TimeLimits::keychain).count());
            // A PIN typed now is kept in the store; the password, not got, stays in the keychain as it was.
            QTest::keyClicks(widget<QLineEdit>(*window, "PIN_Code"), QStringLiteral("1234"));
        }
        QVERIFY(storeFile().contains("pinCode=1234"));
        QVERIFY(!storeFile().contains("pinCodeInKeychain"));
        QVERIFY(storeFile().contains("passwordInKeychain=true"));

        QTemporaryDir card;
        QString output;
        QVERIFY(!runTool(QStringLiteral(VSKWRITE_PATH),
                         {QStringLiteral("--from-settings"), QStringLiteral("--any-folder"),
                          QStringLiteral("--no-open"), card.path()},
                         &output, 30000));
        QVERIFY2(output.contains(QStringLiteral("the password cannot be got from the keychain")), qPrintable(output));
        QVERIFY(!QFileInfo::exists(card.filePath(QStringLiteral("02/GP0_0000.VSK"))));
    }
};

ORVA_WINDOW_TEST_MAIN(TestKeychain)

#include "tst_keychain.moc"
