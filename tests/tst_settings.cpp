// The form remembered between runs: what is saved, when, how it comes back, and who may read it.
#include "app/ApplicationIdentity.h"
#include "support/FakeDrivePlatform.h"
#include "window/Configurator.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QtTest>

namespace {
std::unique_ptr<Configurator> makeWindow(int cards)
{
    auto platform = std::make_unique<FakeDrivePlatform>();
    for (int i = 0; i < cards; ++i)
        platform->addCard(QStringLiteral("/media/card%1").arg(i), QStringLiteral("CARD%1").arg(i));
    return std::make_unique<Configurator>(std::move(platform));
}

template <typename T = QWidget> T* get(Configurator& window, const char* name)
{
    auto* widget = window.findChild<T*>(QLatin1String(name));
    if (!widget)
        qFatal("no widget %s", name);
    return widget;
}

void store(std::initializer_list<std::pair<const char*, QVariant>> values)
{
    QSettings settings;
    for (const auto& [key, value] : values)
        settings.setValue(QLatin1String(key), value);
}

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

void fillForm(Configurator& window)
{
    get<QComboBox>(window, "modeSerial")->setCurrentIndex(4); // SMS: the access point fields are hidden
    get<QLineEdit>(window, "APN")->setText(QStringLiteral("internet.example.net"));
    get<QLineEdit>(window, "Username")->setText(QStringLiteral("orva"));
    get<QLineEdit>(window, "Password")->setText(QStringLiteral("s3cret;pass"));
    get<QLineEdit>(window, "PIN_Code")->setText(QStringLiteral("5273"));
    get<QComboBox>(window, "sdCardPath")->setCurrentIndex(1);
    get<QLineEdit>(window, "sim_card_phone_number")->setText(QStringLiteral("+41 79 123 45 67"));
    get<QLineEdit>(window, "owner_phone_number")->setText(QStringLiteral("0041 79 765 43 21"));
    get<QLineEdit>(window, "userKeyLineEdit")->setText(QStringLiteral("Wd3kPz"));
    get<QCheckBox>(window, "resetConfigCheckBox")->click();
}

const QMap<QString, QString> filledForm{
    {QStringLiteral("serialMode"), QStringLiteral("32")},
    {QStringLiteral("accessPointName"), QStringLiteral("internet.example.net")},
    {QStringLiteral("username"), QStringLiteral("orva")},
    {QStringLiteral("password"), QStringLiteral("s3cret;pass")},
    {QStringLiteral("pinCode"), QStringLiteral("5273")},
    {QStringLiteral("driveLetter"), QStringLiteral("1")},
    {QStringLiteral("simCardPhoneNumber"), QStringLiteral("+41 79 123 45 67")},
    {QStringLiteral("ownerPhoneNumber"), QStringLiteral("0041 79 765 43 21")},
    {QStringLiteral("userKey"), QStringLiteral("Wd3kPz")},
    {QStringLiteral("resetConfig"), QStringLiteral("true")},
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
        QCOMPARE(get<QComboBox>(*window, "modeSerial")->currentText(), QStringLiteral("Kerv (38400 bps)"));
        QCOMPARE(get<QComboBox>(*window, "sdCardPath")->currentIndex(), 0);
        for (const char* name : {"APN", "Username", "Password", "PIN_Code", "sim_card_phone_number",
                                 "owner_phone_number", "userKeyLineEdit"})
            QVERIFY(get<QLineEdit>(*window, name)->text().isEmpty());
        QVERIFY(!get<QCheckBox>(*window, "resetConfigCheckBox")->isChecked());
        QVERIFY(get(*window, "PIN_Code")->isEnabled());
    }

    void firstStartWithoutCards()
    {
        auto window = makeWindow(0);
        QCOMPARE(get<QComboBox>(*window, "sdCardPath")->currentIndex(), -1);
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
        QCOMPARE(get<QComboBox>(*window, "modeSerial")->currentText(), shown);
        QCOMPARE(int(window->currentModeCode()), code);
        QCOMPARE(get(*window, "PIN_Code")->isVisible() || !window->isVisible(), true);
    }

    void restoredModeShowsItsFields()
    {
        store({{"serialMode", 8}});
        auto window = makeWindow(1);
        window->show();
        QVERIFY(get(*window, "APN")->isVisible());
        QVERIFY(!get(*window, "userKeyLineEdit")->isVisible());
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
        QCOMPARE(get<QComboBox>(*window, "sdCardPath")->currentIndex(), current);
    }

    void noDriveIsSavedAsMinusOne()
    {
        makeWindow(0).reset();
        QCOMPARE(storedOnDisk().value(QStringLiteral("driveLetter")), QStringLiteral("-1"));
        auto window = makeWindow(2);
        QCOMPARE(get<QComboBox>(*window, "sdCardPath")->currentIndex(), -1);
    }

    void restoredResetOption()
    {
        store({{"resetConfig", true}, {"serialMode", 32}});
        auto window = makeWindow(1);
        QVERIFY(get<QCheckBox>(*window, "resetConfigCheckBox")->isChecked());
        for (const char* name : {"label_PIN", "PIN_Code", "sim_card_phone_number", "owner_phone_number",
                                 "userKeyLineEdit", "keyGenerationButton", "userKeyLabel"})
            QVERIFY2(!get(*window, name)->isEnabled(), name);
    }

    void restoredTextsAreNotValidated()
    {
        store({{"userKey", QStringLiteral("abcde")},
               {"pinCode", QStringLiteral("12")},
               {"simCardPhoneNumber", QStringLiteral("+41 79 123 45 67 89 00")}});
        auto window = makeWindow(1);
        QCOMPARE(get<QLineEdit>(*window, "userKeyLineEdit")->text(), QStringLiteral("abcde"));
        QCOMPARE(get<QLineEdit>(*window, "PIN_Code")->text(), QStringLiteral("12"));
        // Only the field's maximum length cuts a stored text.
        QCOMPARE(get<QLineEdit>(*window, "sim_card_phone_number")->text(), QStringLiteral("+41 79 123 45 67 "));
    }

    void quitSavesEveryFieldAsShown()
    {
        auto window = makeWindow(2);
        window->show();
        fillForm(*window);
        get<QPushButton>(*window, "button_Cancel")->click();
        QVERIFY(!window->isVisible());
        // Saved by the button itself, before the window is destroyed; hidden fields included.
        QCOMPARE(storedOnDisk(), filledForm);
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
        QCOMPARE(get<QLineEdit>(*window, "APN")->text(), QStringLiteral("internet.example.net"));
        QCOMPARE(get<QLineEdit>(*window, "Password")->text(), QStringLiteral("s3cret;pass"));
        QCOMPARE(get<QLineEdit>(*window, "owner_phone_number")->text(), QStringLiteral("0041 79 765 43 21"));
        QCOMPARE(get<QComboBox>(*window, "sdCardPath")->currentIndex(), 1);
        QVERIFY(get<QCheckBox>(*window, "resetConfigCheckBox")->isChecked());
        // Types as stored: the mode and the drive as numbers, the reset option as a boolean.
        const QSettings settings;
        QCOMPARE(settings.value(QStringLiteral("serialMode")).toInt(), 32);
        QCOMPARE(settings.value(QStringLiteral("resetConfig")).toBool(), true);
    }

    void storeIsPrivateToItsOwner()
    {
        const QString fileName = QSettings().fileName();
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
};

int main(int argc, char* argv[])
{
    ApplicationIdentity::apply();
    QApplication application(argc, argv);
    TestSettings test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_settings.moc"
