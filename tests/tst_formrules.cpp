// The form's rules without a window: which form "Generate" refuses and why, and how the form is stored and restored.
#include "form/FormCheck.h"
#include "form/PhoneNumber.h"
#include "settings/FormStore.h"
#include "settings/PresetFile.h"
#include "settings/Presets.h"
#include "settings/Secrets.h"
#include "support/MemoryKeychain.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <chrono>

Q_DECLARE_METATYPE(FormValues)
Q_DECLARE_METATYPE(FormField::Id)
Q_DECLARE_METATYPE(FormProblem::Kind)

namespace {
// A form in the given mode with one field set, the others empty; "SMS" gets a valid user key unless it is the field.
FormValues form(quint8 mode, FormField::Id field, const QString& text, bool reset = false)
{
    FormValues values;
    values.modeCode = mode;
    values.resetConfig = reset;
    if (mode == ModeCode::Sms)
        values.text(FormField::UserKey) = QStringLiteral("Wd3kPz");
    values.text(field) = text;
    return values;
}
} // namespace

class TestFormRules : public QObject
{
    Q_OBJECT

    QTemporaryDir folder;
    QString storePath() const { return folder.filePath(QStringLiteral("store/ORVA Configurator.conf")); }
    QString storeText() const
    {
        QFile file(storePath());
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

private slots:
    void check_data()
    {
        QTest::addColumn<FormValues>("values");
        QTest::addColumn<bool>("refused");
        QTest::addColumn<FormProblem::Kind>("kind");
        QTest::addColumn<FormField::Id>("field");

        using K = FormProblem::Kind;
        const auto ok = [](const char* name, const FormValues& values) {
            QTest::newRow(name) << values << false << K::PinCode << FormField::PinCode;
        };
        const auto refused = [](const char* name, const FormValues& values, K kind, FormField::Id field) {
            QTest::newRow(name) << values << true << kind << field;
        };
        using F = FormField::Id;
        ok("GSM, no PIN", form(ModeCode::Gsm, F::PinCode, {}));
        ok("GSM, 4 digits", form(ModeCode::Gsm, F::PinCode, QStringLiteral("5273")));
        ok("SMS, 6 digits", form(ModeCode::Sms, F::PinCode, QStringLiteral("760584")));
        refused("GSM, 3 digits", form(ModeCode::Gsm, F::PinCode, QStringLiteral("123")), K::PinCode, F::PinCode);
        refused("SMS, 7 digits", form(ModeCode::Sms, F::PinCode, QStringLiteral("1234567")), K::PinCode, F::PinCode);
        refused("GSM, letter", form(ModeCode::Gsm, F::PinCode, QStringLiteral("12a4")), K::PinCode, F::PinCode);
        ok("LAN, bad PIN not looked at", form(ModeCode::Lan, F::PinCode, QStringLiteral("1")));
        ok("Kerv, bad PIN not looked at", form(ModeCode::KervFast, F::PinCode, QStringLiteral("1")));
        refused("SMS, 5-character key", form(ModeCode::Sms, F::UserKey, QStringLiteral("Wd3kP")), K::UserKey,
                F::UserKey);
        refused("SMS, empty key", form(ModeCode::Sms, F::UserKey, {}), K::UserKey, F::UserKey);
        refused("SMS, stored key the field refuses", form(ModeCode::Sms, F::UserKey, QStringLiteral("a-b c!")),
                K::UserKey, F::UserKey);
        ok("SMS, reset, empty key", form(ModeCode::Sms, F::UserKey, {}, true));
        refused("SMS, reset, bad PIN", form(ModeCode::Sms, F::PinCode, QStringLiteral("1"), true), K::PinCode,
                F::PinCode);
        refused("SIM number unfinished", form(ModeCode::Sms, F::SimCardPhoneNumber, QStringLiteral("+41 79")),
                K::PhoneNumber, F::SimCardPhoneNumber);
        refused("SIM number without plus", form(ModeCode::Sms, F::SimCardPhoneNumber, QStringLiteral("41791234567890")),
                K::PhoneNumber, F::SimCardPhoneNumber);
        refused("owner number of one digit", form(ModeCode::Sms, F::OwnerPhoneNumber, QStringLiteral("0")),
                K::PhoneNumber, F::OwnerPhoneNumber);
        ok("owner number, 14 digits", form(ModeCode::Sms, F::OwnerPhoneNumber, QStringLiteral("41791234567890")));
        ok("SIM number, 00 form", form(ModeCode::Sms, F::SimCardPhoneNumber, QStringLiteral("0041 79 123 45 67")));
        ok("number hidden in GSM", form(ModeCode::Gsm, F::SimCardPhoneNumber, QStringLiteral("0")));
        refused("separator in APN", form(ModeCode::Gsm, F::AccessPointName, QStringLiteral("web;x")),
                K::UnreadableCharacter, F::AccessPointName);
        refused("euro in user name", form(ModeCode::Gsm, F::Username, QStringLiteral("\u20acuro")),
                K::UnreadableCharacter, F::Username);
        refused("line break in password", form(ModeCode::Gsm, F::Password, QStringLiteral("a\nb")),
                K::UnreadableCharacter, F::Password);
        refused("DEL in password", form(ModeCode::Gsm, F::Password, QStringLiteral("a\x7F")), K::UnreadableCharacter,
                F::Password);
        refused("separator in a greyed-out key", form(ModeCode::Sms, F::UserKey, QStringLiteral("ab;cde"), true),
                K::UnreadableCharacter, F::UserKey);
        refused("C1 control in APN", form(ModeCode::Gsm, F::AccessPointName, QStringLiteral("web\u0085x")),
                K::UnreadableCharacter, F::AccessPointName);
        ok("Latin-1 letters", form(ModeCode::Gsm, F::Password, QStringLiteral("\u00e9t\u00e9")));
        // The window's field holds no longer text: neither does any other front end write one.
        refused("8-character key with the reset option",
                form(ModeCode::Sms, F::UserKey, QStringLiteral("ABCDEFGH"), true), K::TooLong, F::UserKey);
        refused("APN longer than its field", form(ModeCode::Gsm, F::AccessPointName, QString(32768, QLatin1Char('a'))),
                K::TooLong, F::AccessPointName);
        ok("APN as long as its field", form(ModeCode::Gsm, F::AccessPointName, QString(32767, QLatin1Char('a'))));
        ok("hidden field not looked at", form(ModeCode::Lan, F::AccessPointName, QStringLiteral("web;x")));
    }

    void check()
    {
        QFETCH(FormValues, values);
        QFETCH(bool, refused);
        const std::optional<FormProblem> problem = checkForm(values);
        QCOMPARE(problem.has_value(), refused);
        if (!refused)
            return;
        QFETCH(FormProblem::Kind, kind);
        QFETCH(FormField::Id, field);
        QCOMPARE(problem->kind, kind);
        QCOMPARE(problem->field, field);
    }

    void phoneNumbersRespacedAsThePatternsAccept()
    {
        // Every way of spacing every count of digits behind every prefix: a number is put into an accepted form
        // exactly when its digits make one, the form is one the field's pattern takes, and the digits stay.
        QRandomGenerator random(20261207);
        const auto digitsOf = [](QString text) { return text.remove(QLatin1Char(' ')); };
        for (const FormField::Id field : {FormField::SimCardPhoneNumber, FormField::OwnerPhoneNumber}) {
            for (const char* prefix : {"", "+", "00", "0"}) {
                for (int count = 0; count <= 16; ++count) {
                    QString text = QString::fromLatin1(prefix);
                    for (int i = 0; i < count; ++i) {
                        if (random.bounded(3) == 0)
                            text += QLatin1Char(' ');
                        text += QChar(u'0' + char16_t(random.bounded(10)));
                    }
                    const std::optional<QString> accepted = PhoneNumber::accepted(field, text);
                    const QString digits = digitsOf(text);
                    const bool plus = digits.startsWith(QLatin1Char('+'));
                    const int afterPrefix = int(digits.size()) - (plus                                     ? 1
                                                                  : digits.startsWith(QLatin1String("00")) ? 2
                                                                                                           : 0);
                    const bool fits = (plus && (afterPrefix == 14 || afterPrefix == 11)) ||
                                      (digits.startsWith(QLatin1String("00")) && afterPrefix == 11) ||
                                      (field == FormField::OwnerPhoneNumber && !plus && digits.size() == 14);
                    QVERIFY2(accepted.has_value() == fits, qPrintable(text));
                    if (accepted) {
                        QVERIFY2(isCompleteText(field, *accepted), qPrintable(*accepted));
                        QCOMPARE(digitsOf(*accepted), digits);
                    }
                }
            }
        }
    }

    void load_data()
    {
        QTest::addColumn<QVariant>("serialMode");
        QTest::addColumn<int>("mode");
        QTest::newRow("missing") << QVariant() << int(ModeCode::KervSlow);
        QTest::newRow("Kerv 115200") << QVariant(64) << int(ModeCode::KervFast);
        QTest::newRow("unknown code") << QVariant(5) << int(ModeCode::KervSlow);
        QTest::newRow("code above a byte") << QVariant(8 + 256) << int(ModeCode::KervSlow);
        QTest::newRow("not a number") << QVariant(QStringLiteral("GSM")) << int(ModeCode::KervSlow);
    }

    void load()
    {
        QFETCH(QVariant, serialMode);
        QFETCH(int, mode);
        QSettings settings(storePath(), QSettings::IniFormat);
        settings.clear();
        if (serialMode.isValid())
            settings.setValue(QStringLiteral("serialMode"), serialMode);
        const FormValues values = FormStore::load(settings);
        QCOMPARE(int(values.modeCode), mode);
        QCOMPARE(values.driveIndex, 0);
        QVERIFY(!values.resetConfig);
        for (const QString& text : values.texts)
            QVERIFY(text.isEmpty());
    }

    void driveIndex_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("cards");
        QTest::addColumn<int>("chosen");
        QTest::newRow("second of two") << 1 << 2 << 1;
        QTest::newRow("second of one") << 1 << 1 << -1;
        QTest::newRow("none chosen before") << -1 << 2 << -1;
        QTest::newRow("no card") << 0 << 0 << -1;
    }

    void driveIndex()
    {
        QFETCH(int, stored);
        QFETCH(int, cards);
        QFETCH(int, chosen);
        QCOMPARE(FormStore::driveIndexFor(stored, cards), chosen);
    }

    void roundTripAndPermissions()
    {
        QVERIFY(QDir(QFileInfo(storePath()).path()).removeRecursively());
        FormValues values;
        values.modeCode = ModeCode::Sms;
        for (const FormField::Description& field : FormField::fields) {
            const QString text = QString::fromLatin1(field.settingsKey) + QStringLiteral(" \u00e9;");
            values.text(field.id) = field.maxLength > 0 ? text.right(field.maxLength) : text;
        }
        values.resetConfig = true;
        values.driveIndex = -1;
        {
            QSettings settings(storePath(), QSettings::IniFormat);
            QVERIFY(FormStore::save(settings, values));
        }
        // The store holds a password and a PIN: only its owner may read it, or the folder made for it.
        QCOMPARE(QFileInfo(storePath()).permissions() & 0x0077, QFileDevice::Permissions());
        QCOMPARE(QFileInfo(QFileInfo(storePath()).path()).permissions() & 0x0077, QFileDevice::Permissions());
        const QSettings settings(storePath(), QSettings::IniFormat);
        FormValues loaded = FormStore::load(settings);
        // The secrets in the keychain, a marker each in the store.
        QCOMPARE(Secrets::marked(settings), FormField::inKeychain);
        QVERIFY(!storeText().contains(QStringLiteral("password \\xe9")));
        QVERIFY(!storeText().contains(QStringLiteral("pinCode \\xe9")));
        const Secrets::Got got = Secrets::read(Secrets::rememberedForm, Secrets::marked(settings));
        QCOMPARE(got.got, FormField::inKeychain);
        for (const FormField::Id secret : {FormField::Password, FormField::PinCode})
            loaded.text(secret) = got.values.text(secret);
        QCOMPARE(loaded.modeCode, values.modeCode);
        QCOMPARE(loaded.texts, values.texts);
        QCOMPARE(loaded.resetConfig, true);
        QCOMPARE(loaded.driveIndex, -1);
    }

    // A store of an earlier release (the secrets in clear) is read as before; its secrets stay in clear while no
    // keychain takes them, move at the next save once one does, and a secret the keychain did not give is left as
    // stored.
    void secretsMoveIntoTheKeychain()
    {
        MemoryKeychain& keychain = MemoryKeychain::inPlace();
        keychain.clear();
        QSettings settings(storePath(), QSettings::IniFormat);
        settings.clear();
        settings.setValue(QStringLiteral("pinCode"), QStringLiteral("5273"));
        settings.setValue(QStringLiteral("password"), QStringLiteral("s3cret"));
        FormValues values = FormStore::load(settings);
        QCOMPARE(values.text(FormField::PinCode), QStringLiteral("5273"));

        keychain.setMode(MemoryKeychain::Mode::Refusing);
        QVERIFY(FormStore::save(settings, values));
        QVERIFY(Secrets::unavailable());
        QCOMPARE(Secrets::marked(settings), FormField::Set(0));
        QCOMPARE(FormStore::load(QSettings(storePath(), QSettings::IniFormat)).texts, values.texts);

        keychain.setMode(MemoryKeychain::Mode::Answering);
        QVERIFY(FormStore::save(settings, values));
        QVERIFY(!Secrets::unavailable());
        QVERIFY(!storeText().contains(QStringLiteral("5273")) && !storeText().contains(QStringLiteral("s3cret")));
        QCOMPARE(keychain.entries().value(QStringLiteral("pinCode")), QStringLiteral("5273"));

        // Saved before the keychain answered: the stored secrets stay as they were, never emptied.
        values.text(FormField::PinCode).clear();
        values.text(FormField::Password) = QStringLiteral("typed");
        QVERIFY(FormStore::save(settings, values, FormField::bit(FormField::PinCode)));
        QCOMPARE(keychain.entries().value(QStringLiteral("pinCode")), QStringLiteral("5273"));
        QCOMPARE(keychain.entries().value(QStringLiteral("password")), QStringLiteral("typed"));
        QCOMPARE(Secrets::marked(settings), FormField::inKeychain);

        // A keychain that stopped answering costs one wait within the limit, then the secrets stay in the store.
        keychain.setMode(MemoryKeychain::Mode::Silent);
        QElapsedTimer timer;
        timer.start();
        values.text(FormField::PinCode) = QStringLiteral("760584");
        QVERIFY(FormStore::save(settings, values));
        QVERIFY(FormStore::save(settings, values));
        QVERIFY(timer.elapsed() < 2 * std::chrono::milliseconds(TimeLimits::keychain).count());
        keychain.setMode(MemoryKeychain::Mode::Answering);
        QTRY_COMPARE(DetachedWork::outstanding(), 0);
        QCOMPARE(Secrets::marked(settings), FormField::Set(0));
        QVERIFY(storeText().contains(QStringLiteral("760584")));
        Keychain::setInstance(&keychain); // asked again from here on
    }

    // A preset's secrets are filed under its name: they follow a rename, go with the preset, and those of an earlier
    // release's presets move into the keychain when the list is next written.
    void presetSecretsFollowTheirPreset()
    {
        MemoryKeychain& keychain = MemoryKeychain::inPlace();
        keychain.clear();
        QSettings settings(storePath(), QSettings::IniFormat);
        settings.clear();
        settings.beginWriteArray(Presets::group, 1);
        settings.setArrayIndex(0);
        settings.setValue(QStringLiteral("name"), QStringLiteral("Old"));
        settings.setValue(QStringLiteral("serialMode"), 8);
        settings.setValue(QStringLiteral("pinCode"), QStringLiteral("1111"));
        settings.endArray();
        QCOMPARE(Presets::find(settings, QStringLiteral("Old")).preset->values.text(FormField::PinCode),
                 QStringLiteral("1111"));

        QVERIFY(!Presets::save(settings, QStringLiteral("Site A"),
                               form(ModeCode::Gsm, FormField::PinCode, QStringLiteral("5273"))));
        QVERIFY(!storeText().contains(QStringLiteral("1111")) && !storeText().contains(QStringLiteral("5273")));
        QCOMPARE(keychain.entries().value(QStringLiteral("presets/Old/pinCode")), QStringLiteral("1111"));

        QVERIFY(!Presets::rename(settings, QStringLiteral("site a"), QStringLiteral("Site B")));
        QVERIFY(!keychain.entries().contains(QStringLiteral("presets/Site A/pinCode")));
        const Preset siteB = *Presets::find(settings, QStringLiteral("Site B")).preset;
        QCOMPARE(siteB.values.text(FormField::PinCode), QStringLiteral("5273"));
        // Exported for installers with its secrets, unless without them is chosen.
        QVERIFY(PresetFile::encode(siteB).contains("\"pinCode\": \"5273\""));
        QVERIFY(!PresetFile::encode(siteB, false).contains("pinCode"));

        QVERIFY(!Presets::remove(settings, QStringLiteral("Site B")));
        QVERIFY(!Presets::remove(settings, QStringLiteral("Old")));
        QVERIFY2(keychain.entries().isEmpty(), qPrintable(keychain.entries().keys().join(QLatin1Char(','))));

        // A preset whose secret the keychain does not give is not used with an empty one.
        QVERIFY(!Presets::save(settings, QStringLiteral("Site C"),
                               form(ModeCode::Gsm, FormField::PinCode, QStringLiteral("5273"))));
        keychain.clear();
        const Presets::Found found = Presets::find(settings, QStringLiteral("Site C"));
        QCOMPARE(found.notGot, FormField::inKeychain);
        QVERIFY(Presets::problemText(*Presets::secretNotGot(found)).contains(QStringLiteral("Access Point Password")));
    }

    void readOnlyStoreStaysReadOnly()
    {
        {
            QSettings settings(storePath(), QSettings::IniFormat);
            QVERIFY(FormStore::save(settings, FormValues()));
        }
        QVERIFY(QFile::setPermissions(storePath(), QFileDevice::ReadOwner));
        QSettings settings(storePath(), QSettings::IniFormat);
        const bool saved = FormStore::save(settings, FormValues());
        QVERIFY(!saved);
        const QFileDevice::Permissions writable =
            QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
        QCOMPARE(QFileInfo(storePath()).permissions() & writable, QFileDevice::Permissions());
        QVERIFY(QFile::setPermissions(storePath(), QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    }
};

QTEST_GUILESS_MAIN(TestFormRules)

#include "tst_formrules.moc"
