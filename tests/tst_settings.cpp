// The form remembered between runs: what is saved, when, how it comes back, and who may read it.
#include "settings/FormStore.h"
#include "settings/Keychain.h"
#include "support/FakeDrivePlatform.h"
#include "support/MemoryKeychain.h"
#include "support/WindowTest.h"
#include "window/Configurator.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QScopeGuard>
#include <QSettings>
#include <QStandardPaths>
#include <QtTest>

#ifdef Q_OS_WIN
#include <cstring>
#include <qt_windows.h>
#else
#include <sys/stat.h>
#endif

namespace {
const QString quitOption = QStringLiteral("--quit-once");

void store(std::initializer_list<std::pair<const char*, QVariant>> values)
{
    QSettings settings;
    for (const auto& [key, value] : values)
        settings.setValue(QLatin1String(key), value);
}

#ifdef Q_OS_WIN
// The store as it is in the registry, read without QSettings: the values of the application's key in the current
// user's hive, numbers as their decimal text.
QMap<QString, QString> storedOnDisk()
{
    QMap<QString, QString> entries;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Vaskor Quendra SA\\ORVA Configurator", 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
        return entries;
    for (DWORD index = 0;; ++index) {
        wchar_t name[256] = {};
        DWORD nameSize = 255;
        wchar_t data[1024] = {}; // stays null-terminated: one character more than is read
        DWORD dataSize = sizeof data - sizeof(wchar_t);
        DWORD type = 0;
        if (RegEnumValueW(key, index, name, &nameSize, nullptr, &type, reinterpret_cast<BYTE*>(data), &dataSize) !=
            ERROR_SUCCESS)
            break;
        QString value;
        if (type == REG_DWORD) {
            qint32 number = 0;
            memcpy(&number, data, sizeof number);
            value = QString::number(number);
        } else if (type == REG_SZ) {
            value = QString::fromWCharArray(data);
        } else {
            value = QStringLiteral("(registry type %1)").arg(type);
        }
        entries.insert(QString::fromWCharArray(name, int(nameSize)), value);
    }
    RegCloseKey(key);
    return entries;
}
#else
// The store as it is on disk, read without QSettings and its per-process cache: "key=value" lines.
QMap<QString, QString> storedOnDisk()
{
    QFile file(QSettings().fileName());
    QMap<QString, QString> entries;
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return entries;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        const int equals = line.indexOf(QLatin1Char('='));
        if (equals <= 0)
            continue;
        QString value = line.mid(equals + 1);
        if (value.size() >= 2 && value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"')))
            value = value.mid(1, value.size() - 2);
        entries.insert(line.left(equals), value);
    }
    return entries;
}
#endif

void fillForm(Configurator& window)
{
    widget<QComboBox>(window, "modeSerial")->setCurrentIndex(4); // SMS: the access point fields are hidden
    widget<QLineEdit>(window, "APN")->setText(QStringLiteral("internet.example.net"));
    widget<QLineEdit>(window, "Username")->setText(QStringLiteral("orva"));
    widget<QLineEdit>(window, "Password")->setText(QStringLiteral("s3cret;pass"));
    widget<QLineEdit>(window, "PIN_Code")->setText(QStringLiteral("5273"));
    widget<QComboBox>(window, "sdCardPath")->setCurrentIndex(1);
    widget<QLineEdit>(window, "sim_card_phone_number")->setText(QStringLiteral("+41 79 123 45 67"));
    widget<QLineEdit>(window, "owner_phone_number")->setText(QStringLiteral("0041 79 765 43 21"));
    widget<QLineEdit>(window, "userKeyLineEdit")->setText(QStringLiteral("Wd3kPz"));
    widget<QCheckBox>(window, "resetConfigCheckBox")->click();
}

const QMap<QString, QString> filledForm{
    {QStringLiteral("serialMode"), QStringLiteral("32")},
    {QStringLiteral("accessPointName"), QStringLiteral("internet.example.net")},
    {QStringLiteral("username"), QStringLiteral("orva")},
    // The secrets in the keychain, a marker each in the store.
    {QStringLiteral("passwordInKeychain"), QStringLiteral("true")},
    {QStringLiteral("pinCodeInKeychain"), QStringLiteral("true")},
    {QStringLiteral("driveLetter"), QStringLiteral("1")},
    {QStringLiteral("simCardPhoneNumber"), QStringLiteral("+41 79 123 45 67")},
    {QStringLiteral("ownerPhoneNumber"), QStringLiteral("0041 79 765 43 21")},
    {QStringLiteral("userKey"), QStringLiteral("Wd3kPz")},
    {QStringLiteral("resetConfig"), QStringLiteral("true")},
    // The window's own preference, beside the form's ten keys.
    {QStringLiteral("ejectCardWhenDone"), QStringLiteral("true")},
};
} // namespace

class TestSettings : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init()
    {
        QSettings settings;
        settings.clear();
        settings.sync();
    }

    void firstStart()
    {
        auto window = makeWindow(2);
        QCOMPARE(widget<QComboBox>(*window, "modeSerial")->currentText(), QStringLiteral("Kerv (38400 bps)"));
        QCOMPARE(widget<QComboBox>(*window, "sdCardPath")->currentIndex(), 0);
        for (const char* name : {"APN", "Username", "Password", "PIN_Code", "sim_card_phone_number",
                                 "owner_phone_number", "userKeyLineEdit"})
            QVERIFY(widget<QLineEdit>(*window, name)->text().isEmpty());
        QVERIFY(!widget<QCheckBox>(*window, "resetConfigCheckBox")->isChecked());
        QVERIFY(widget(*window, "PIN_Code")->isEnabled());
        QVERIFY(!widget(*window, "loadNote")->isVisibleTo(window.get())); // no mode remembered is no fault
    }

    void firstStartWithoutCards()
    {
        auto window = makeWindow(0);
        QCOMPARE(widget<QComboBox>(*window, "sdCardPath")->currentIndex(), -1);
    }

    void restoredMode_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("code");
        QTest::newRow("64") << QVariant(64) << "Kerv (115200 bps)" << 64;
        QTest::newRow("8") << QVariant(8) << "GSM" << 8;
        QTest::newRow("32") << QVariant(32) << "SMS" << 32;
        QTest::newRow("5 matches no mode") << QVariant(5) << "Kerv (38400 bps)" << 4;
        QTest::newRow("not a number") << QVariant(QStringLiteral("abc")) << "Kerv (38400 bps)" << 4;
    }

    void restoredMode()
    {
        QFETCH(QVariant, stored);
        QFETCH(QString, shown);
        QFETCH(int, code);
        store({{"serialMode", stored}});
        auto window = makeWindow(1);
        QCOMPARE(widget<QComboBox>(*window, "modeSerial")->currentText(), shown);
        QCOMPARE(int(window->currentModeCode()), code);
        // A mode the module does not know is told under the fields, with the stored value.
        const QLabel* note = widget<QLabel>(*window, "loadNote");
        QCOMPARE(note->isVisibleTo(window.get()), stored.toInt() != code);
        QCOMPARE(note->text().contains(QStringLiteral("mode %1 is none").arg(stored.toString())),
                 stored.toInt() != code);
        QCOMPARE(widget(*window, "PIN_Code")->isVisible() || !window->isVisible(), true);
    }

    void restoredModeShowsItsFields()
    {
        store({{"serialMode", 8}});
        auto window = makeWindow(1);
        window->show();
        QVERIFY(widget(*window, "APN")->isVisible());
        QVERIFY(!widget(*window, "userKeyLineEdit")->isVisible());
    }

    void restoredDrive_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("cards");
        QTest::addColumn<int>("current");
        QTest::newRow("second of two") << 1 << 2 << 1;
        QTest::newRow("second of one") << 1 << 1 << -1;
        QTest::newRow("none stored, cards present") << -1 << 2 << -1;
        QTest::newRow("first") << 0 << 2 << 0;
    }

    void restoredDrive()
    {
        QFETCH(int, stored);
        QFETCH(int, cards);
        QFETCH(int, current);
        store({{"driveLetter", stored}});
        auto window = makeWindow(cards);
        QCOMPARE(widget<QComboBox>(*window, "sdCardPath")->currentIndex(), current);
    }

    void noDriveIsSavedAsMinusOne()
    {
        makeWindow(0).reset();
        QCOMPARE(storedOnDisk().value(QStringLiteral("driveLetter")), QStringLiteral("-1"));
        auto window = makeWindow(2);
        QCOMPARE(widget<QComboBox>(*window, "sdCardPath")->currentIndex(), -1);
    }

    void restoredResetOption()
    {
        store({{"resetConfig", true}, {"serialMode", 32}});
        auto window = makeWindow(1);
        QVERIFY(widget<QCheckBox>(*window, "resetConfigCheckBox")->isChecked());
        for (const char* name : {"label_PIN", "PIN_Code", "sim_card_phone_number", "owner_phone_number",
                                 "userKeyLineEdit", "keyGenerationButton", "userKeyLabel"})
            QVERIFY2(!widget(*window, name)->isEnabled(), name);
    }

    void restoredTextsAreNotValidated()
    {
        store({{"userKey", QStringLiteral("abcde")},
               {"pinCode", QStringLiteral("12")},
               {"simCardPhoneNumber", QStringLiteral("+41 79 123 45 67 89 00")}});
        auto window = makeWindow(1);
        QCOMPARE(widget<QLineEdit>(*window, "userKeyLineEdit")->text(), QStringLiteral("abcde"));
        QCOMPARE(widget<QLineEdit>(*window, "PIN_Code")->text(), QStringLiteral("12"));
        // Only the field's maximum length cuts a stored text.
        QCOMPARE(widget<QLineEdit>(*window, "sim_card_phone_number")->text(), QStringLiteral("+41 79 123 45 67 "));
    }

    void quitSavesEveryFieldAsShown()
    {
        auto window = makeWindow(2);
        window->show();
        fillForm(*window);
        widget<QPushButton>(*window, "button_Cancel")->click();
        QVERIFY(!window->isVisible());
        // Saved by the button itself, before the window is destroyed; hidden fields included.
        QCOMPARE(storedOnDisk(), filledForm);
        QCOMPARE(MemoryKeychain::inPlace().entries().value(QStringLiteral("password")), QStringLiteral("s3cret;pass"));
        QCOMPARE(MemoryKeychain::inPlace().entries().value(QStringLiteral("pinCode")), QStringLiteral("5273"));
        window.reset();
        QCOMPARE(storedOnDisk(), filledForm);
    }

    void titleBarCloseSavesOnDestruction()
    {
        auto window = makeWindow(2);
        window->show();
        fillForm(*window);
        window->close();
        QVERIFY(storedOnDisk().isEmpty());
        window.reset();
        QCOMPARE(storedOnDisk(), filledForm);
    }

    void roundTrip()
    {
        {
            auto window = makeWindow(2);
            fillForm(*window);
        }
        auto window = makeWindow(2);
        QCOMPARE(int(window->currentModeCode()), 32);
        QCOMPARE(widget<QLineEdit>(*window, "APN")->text(), QStringLiteral("internet.example.net"));
        // The secrets as the keychain answers, after the other fields.
        QTRY_COMPARE(widget<QLineEdit>(*window, "Password")->text(), QStringLiteral("s3cret;pass"));
        QCOMPARE(widget<QLineEdit>(*window, "owner_phone_number")->text(), QStringLiteral("0041 79 765 43 21"));
        QCOMPARE(widget<QComboBox>(*window, "sdCardPath")->currentIndex(), 1);
        QVERIFY(widget<QCheckBox>(*window, "resetConfigCheckBox")->isChecked());
        // Types as stored: the mode and the drive as numbers, the reset option as a boolean.
        const QSettings settings;
        QCOMPARE(settings.value(QStringLiteral("serialMode")).toInt(), 32);
        QCOMPARE(settings.value(QStringLiteral("resetConfig")).toBool(), true);
    }

    // The system's own keychain: on Windows (under Wine, Wine's own) the Credential Manager; the Secret Service on
    // Linux is tst_keychain's.
    void keychainRoundTrip()
    {
#ifndef Q_OS_WIN
        QSKIP("the Credential Manager is Windows's; tst_keychain asks the Secret Service");
#else
        Keychain::setInstance(nullptr);
        const auto testKeychain = qScopeGuard([] { Keychain::setInstance(&MemoryKeychain::inPlace()); });
        {
            auto window = makeWindow(2);
            fillForm(*window);
        }
        QCOMPARE(storedOnDisk(), filledForm);
        auto window = makeWindow(2);
        QTRY_COMPARE(widget<QLineEdit>(*window, "PIN_Code")->text(), QStringLiteral("5273"));
        QCOMPARE(widget<QLineEdit>(*window, "Password")->text(), QStringLiteral("s3cret;pass"));
        QVERIFY(!widget(*window, "loadNote")->isVisibleTo(window.get()));
#endif
    }

    void storeIsPrivateToItsOwner()
    {
        const QString fileName = QSettings().fileName();
#ifdef Q_OS_WIN
        // The current user's hive of the registry, which Windows keeps to that user.
        QCOMPARE(fileName, QStringLiteral("\\HKEY_CURRENT_USER\\Software\\Vaskor Quendra SA\\ORVA Configurator"));
        makeWindow(1).reset();
        QCOMPARE(storedOnDisk().value(QStringLiteral("serialMode")), QStringLiteral("4"));
        return;
#endif
        QFile::remove(fileName);
        makeWindow(1).reset();
        QVERIFY(QFile::exists(fileName));
        const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                                QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                                QFileDevice::WriteOther | QFileDevice::ExeOther;
        QCOMPARE(QFileInfo(fileName).permissions() & others, QFileDevice::Permissions());
        QVERIFY(QFileInfo(fileName).permissions() & QFileDevice::ReadOwner);
        // A store left readable by an earlier version is closed at the next save.
        QFile::setPermissions(fileName, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther |
                                            QFileDevice::ReadGroup);
        makeWindow(1).reset();
        QVERIFY(!(QFileInfo(fileName).permissions() & (QFileDevice::ReadOther | QFileDevice::ReadGroup)));
    }

    void storeThatIsNoFileIsLeftAlone_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("FIFO") << "fifo";
        QTest::newRow("link") << "link";
        QTest::newRow("dangling link") << "dangling link";
    }

    void storeThatIsNoFileIsLeftAlone()
    {
#ifdef Q_OS_WIN
        QSKIP("the Windows store is the registry");
#else
        // A FIFO where the store's file belongs would keep the window from ever opening, a link would have the form
        // written elsewhere: the window opens with the defaults and writes nothing there.
        QFETCH(QString, kind);
        store({{"serialMode", 8}});
        const QString fileName = QSettings().fileName();
        const QString target = fileName + QStringLiteral(".target");
        QVERIFY(QFile::remove(fileName));
        // Gone again before the next QSettings of this process looks at the file.
        const auto remove = qScopeGuard([&] {
            QFile::remove(fileName);
            QFile::remove(target);
        });
        if (kind == QLatin1String("fifo")) {
            QCOMPARE(::mkfifo(QFile::encodeName(fileName).constData(), 0600), 0);
        } else {
            QVERIFY(QFile::link(target, fileName));
            if (kind == QLatin1String("link")) {
                QFile targetFile(target);
                QVERIFY(targetFile.open(QIODevice::WriteOnly) && targetFile.write("serialMode=8\n") == 13);
            }
        }
        QVERIFY(FormStore::unusableStore());

        QElapsedTimer clock;
        clock.start();
        auto window = makeWindow(2);
        QVERIFY(clock.elapsed() < 5000);
        QCOMPARE(window->currentModeCode(), quint8(4));
        fillForm(*window);
        widget<QPushButton>(*window, "button_Cancel")->click();
        window.reset();
        QCOMPARE(QFileInfo(fileName).isSymLink(), kind != QLatin1String("fifo"));
        QCOMPARE(QFileInfo(fileName).isFile(), kind == QLatin1String("link"));
        if (kind == QLatin1String("link")) {
            QFile targetFile(target);
            QVERIFY(targetFile.open(QIODevice::ReadOnly));
            QCOMPARE(targetFile.readAll(), QByteArray("serialMode=8\n"));
        }
#endif
    }

    void storeLockThatIsNoFile_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("FIFO") << "fifo";
        QTest::newRow("folder") << "folder";
        QTest::newRow("link to /dev/zero") << "zero";
    }

    // QSettings waits for its lock without a time limit: whatever stands at the lock's place, "Quit" (in a child
    // process, which a hang cannot take with it) ends at once, and the store is left as it was.
    void storeLockThatIsNoFile()
    {
#ifdef Q_OS_WIN
        QSKIP("the Windows store is the registry");
#else
        QFETCH(QString, kind);
        store({{"serialMode", 8}});
        const QString lock = QSettings().fileName() + QStringLiteral(".lock");
        const auto remove = qScopeGuard([&] {
            if (!QFile::remove(lock))
                QDir().rmdir(lock);
        });
        if (kind == QLatin1String("fifo"))
            QCOMPARE(::mkfifo(QFile::encodeName(lock).constData(), 0600), 0);
        else if (kind == QLatin1String("folder"))
            QVERIFY(QDir().mkdir(lock));
        else
            QVERIFY(QFile::link(QStringLiteral("/dev/zero"), lock));

        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {quitOption});
        const bool ended = child.waitForFinished(10000);
        if (!ended) {
            child.kill();
            child.waitForFinished();
        }
        QVERIFY2(ended, "Quit did not end");
        QCOMPARE(child.exitCode(), 0);
        const QByteArray said = child.readAllStandardError();
        const QByteArray told = "the form cannot be remembered: " + QFile::encodeName(lock);
        QVERIFY2(said.contains(told), said.constData());
        QCOMPARE(storedOnDisk().value(QStringLiteral("serialMode")), QStringLiteral("8"));
#endif
    }
};

// The child of storeLockThatIsNoFile: the window over the test's store, closed by "Quit".
int quitOnce()
{
    QStandardPaths::setTestModeEnabled(true);
    auto window = makeWindow(1);
    window->show();
    widget<QPushButton>(*window, "button_Cancel")->click();
    window.reset();
    return 0;
}

int main(int argc, char* argv[])
{
    WindowSetup::apply();
    QApplication application(argc, argv);
    if (QCoreApplication::arguments().value(1) == quitOption)
        return quitOnce();
    TestSettings test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_settings.moc"
