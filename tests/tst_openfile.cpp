// The window opened with a parameter file (OrvaConfigurator FILE, a double-click on a card's file): the form takes
// the file's mode, fields and reset option, "Generate" writes the same records under a new identifier, and what
// cannot be loaded is told, naming the file.
#include "desktop/DesktopOpen.h"
#include "form/FormValues.h"
#include "parameterfile/Identifier.h"
#include "parameterfile/ParameterFile.h"
#include "parameterfile/ParameterFileDecoder.h"
#include "support/HandMadeFiles.h"
#include "support/HeldBoxes.h"
#include "support/QuietOffscreen.h"
#include "support/TestFiles.h"
#include "support/WindowTest.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {
const QString keptText = QStringLiteral("kept");

// A file of that mode with a valid text in every field, the PIN given.
QByteArray parameterFile(quint8 mode, bool reset, const QString& pin)
{
    FormValues values;
    values.modeCode = mode;
    values.text(FormField::AccessPointName) = QStringLiteral("internet.example.net");
    values.text(FormField::Username) = QStringLiteral("orva user");
    values.text(FormField::Password) = QStringLiteral("s\xE9same"); // Latin-1 beyond ASCII
    values.text(FormField::PinCode) = pin;
    values.text(FormField::SimCardPhoneNumber) = QStringLiteral("+41 79 123 45 67");
    values.text(FormField::OwnerPhoneNumber) = QStringLiteral("0041 79 765 43 21");
    values.text(FormField::UserKey) = QStringLiteral("Wd3kPz");
    values.resetConfig = reset;
    const EncodedParameterFile file = encodeParameterFile(parameterFileInput(values, createAcceptableIdentifier()));
    return file.header + file.body;
}
} // namespace

class TestOpenFile : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> folder;
    std::unique_ptr<Configurator> window;
    std::unique_ptr<HeldBoxes> boxes;
    QList<int> exits;

    QString card() const { return folder->filePath(QStringLiteral("card")); }
    template <typename T = QWidget> T* get(const char* name) const { return widget<T>(*window, name); }
    QLineEdit* field(FormField::Id id) const { return get<QLineEdit>(FormField::describe(id).objectName); }

    void open()
    {
        auto platform = std::make_unique<FakeDrivePlatform>();
        QDir().mkpath(card());
        platform->addCard(card(), QStringLiteral("CARD"));
        window = std::make_unique<Configurator>(std::move(platform));
        window->setExitFunction([this](int status) { exits.append(status); });
        window->show();
        for (const FormField::Description& description : FormField::fields)
            field(description.id)->setText(keptText);
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        quietOffscreenPlatform();
        // Nothing is handed to the desktop's editor or browser.
        DesktopOpen::setHandler([](DesktopOpen::Kind, const QString&) {});
    }

    void init()
    {
        folder = std::make_unique<QTemporaryDir>();
        QVERIFY(folder->isValid());
        qputenv("HOME", QFile::encodeName(folder->filePath(QStringLiteral("home"))));
        QSettings().clear();
        exits.clear();
        boxes = std::make_unique<HeldBoxes>();
    }

    void cleanup()
    {
        window.reset();
        boxes.reset();
    }

    void loadThenGenerate_data()
    {
        QTest::addColumn<quint8>("mode");
        QTest::addColumn<bool>("reset");
        for (const ModeCode::Entry& entry : ModeCode::entries)
            QTest::newRow(entry.text) << entry.code << false;
        QTest::newRow("SMS, reset") << ModeCode::Sms << true;
    }

    // The form takes the file's mode, the fields it writes and the reset option; the fields the mode hides keep
    // what they held. "Generate" then writes every record as the file had it, under a new identifier.
    void loadThenGenerate()
    {
        QFETCH(quint8, mode);
        QFETCH(bool, reset);
        const QString source = folder->filePath(QStringLiteral("from the module.VSK"));
        QVERIFY(writeFile(source, parameterFile(mode, reset, QStringLiteral("5273"))));
        open();
        window->loadParameterFile(source);
        QCOMPARE(boxes->seen().size(), 0);
        QCOMPARE(window->currentModeCode(), mode);
        const DecodedParameterFile original = decodeParameterFile(readFile(source), parameterFileName(mode));
        for (const FormField::Description& description : FormField::fields) {
            const QString expected = ModeCode::showsField(mode, description.id)
                                         ? QString::fromLatin1(original.textRecords.at(description.id))
                                         : keptText;
            QCOMPARE(field(description.id)->text(), expected);
        }
        QCOMPARE(get<QCheckBox>("resetConfigCheckBox")->isChecked(), reset);

        QTest::mouseClick(get("button_Save"), Qt::LeftButton);
        QTRY_COMPARE(exits, QList<int>{0});
        const QString written = card() + QStringLiteral("/02/") + parameterFileName(mode);
        const DecodedParameterFile copy = decodeParameterFile(readFile(written), written);
        QVERIFY(copy.allChecksPass());
        QCOMPARE(copy.rawRecords, original.rawRecords);
        QVERIFY(copy.identifierBytes != original.identifierBytes);
    }

    // "Load from card" says what it did, and Ctrl+Z puts back the form as it was, byte for byte.
    void loadFromCardCanBeUndone()
    {
        QDir().mkpath(card() + QStringLiteral("/02"));
        QVERIFY(writeFile(card() + QStringLiteral("/02/GP1_0000.VSK"),
                          parameterFile(ModeCode::Sms, false, QStringLiteral("5273"))));
        open();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        auto* modes = get<QComboBox>("modeSerial");
        modes->setCurrentIndex(modes->findData(int(ModeCode::Gsm)));
        // Texts that no validator would let through as typed: a short PIN, a tab, a number in other spacing.
        field(FormField::PinCode)->setText(QStringLiteral("12"));
        field(FormField::AccessPointName)->setText(QStringLiteral(" apn\t\u00e9 "));
        field(FormField::OwnerPhoneNumber)->setText(QStringLiteral("+41 791 23 45 67"));
        get<QCheckBox>("resetConfigCheckBox")->click();
        get<QCheckBox>("ejectCardCheckBox")->setChecked(false);
        const QList<QByteArray> before = formState(*window);

        QTest::mouseClick(get("loadFromCardButton"), Qt::LeftButton);
        QTRY_COMPARE(window->currentModeCode(), ModeCode::Sms);
        auto* note = get<QLabel>("loadNote");
        QVERIFY(note->isVisible());
        QCOMPARE(note->text(),
                 QStringLiteral("Loaded: SMS, changed: Orva Mode, PIN Code, SIM Card Phone Number, Owner Phone Number, "
                                "User Key <key>, Reset Configuration (from the card CARD \u2014 %1).")
                     .arg(card()));
        QVERIFY(formState(*window) != before);

        field(FormField::PinCode)->setFocus();
        QTest::keyClick(field(FormField::PinCode), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(formState(*window), before);
        QVERIFY(!note->isVisible() && !get("undoLoadButton")->isVisible());
    }

    // What is loaded gets the checks of what is typed: a PIN of two digits is refused at "Generate".
    void loadedValuesAreChecked()
    {
        const QString source = folder->filePath(QStringLiteral("GP0_0000.VSK"));
        QVERIFY(writeFile(source, parameterFile(ModeCode::Gsm, false, QStringLiteral("12"))));
        open();
        window->loadParameterFile(source);
        QCOMPARE(field(FormField::PinCode)->text(), QStringLiteral("12"));
        QTest::mouseClick(get("button_Save"), Qt::LeftButton);
        QTRY_COMPARE(boxes->seen().size(), 1);
        QCOMPARE(boxes->seen().first().title, QStringLiteral("PIN Code error"));
        QVERIFY(!QFile::exists(card() + QStringLiteral("/02/GP0_0000.VSK")));
        QVERIFY(exits.isEmpty());
    }

    // A NUL inside a record cut the field there without a word (the bytes taken as a C string): the field holds the
    // whole record and is marked as a typed control character is.
    void nulInARecordIsTold()
    {
        QByteArray bytes = parameterFile(ModeCode::Gsm, false, QStringLiteral("5273"));
        bytes[bytes.indexOf("orva user") + 4] = '\0';
        const QString source = folder->filePath(QStringLiteral("GP0_0000.VSK"));
        QVERIFY(writeFile(source, withBody(bytes, bytes.mid(48))));
        open();
        window->loadParameterFile(source);
        QCOMPARE(field(FormField::Username)->text(), QString::fromLatin1("orva\0user", 9));
        QCOMPARE(field(FormField::Username)->accessibleDescription(),
                 QStringLiteral("Not accepted: the module cannot read the character \"\\x00\"."));
    }

    // What the form would write otherwise than the file holds it is told field by field as the file is loaded, before
    // "Generate"; every field holds what the file holds, a phone number's spacing included, or as much as it takes.
    void differencesAreTold()
    {
        FormValues values;
        values.modeCode = ModeCode::Sms;
        values.resetConfig = true;
        values.text(FormField::SimCardPhoneNumber) = QStringLiteral("0041791234567");
        values.text(FormField::OwnerPhoneNumber) = QStringLiteral("+41 79 765 43 21");
        values.text(FormField::UserKey) = QStringLiteral("ABCDEFGH"); // as an earlier vskwrite --reset wrote it
        const EncodedParameterFile file = encodeParameterFile(parameterFileInput(values, createAcceptableIdentifier()));
        const QString source = folder->filePath(QStringLiteral("GP1_0000.VSK"));
        QVERIFY(writeFile(source, withHostName(file.header + file.body, "config.orva.example.org")));
        open();
        window->loadParameterFile(source);
        QCOMPARE(boxes->seen().size(), 1);
        QCOMPARE(boxes->seen().first().title, QStringLiteral("Form filled with changes"));
        QCOMPARE(
            boxes->seen().first().text,
            QStringLiteral("The form was filled from %1, but it would not write everything as the file holds it:"
                           "\n\nSIM Card Phone Number: the file holds \"0041791234567\", the form writes \"0041 79 "
                           "123 45 67\".\n\nUser Key <key>: the file holds 8 characters, the field takes 6. The "
                           "form holds the first 6 and writes \"ABCDEF\".\n\nThe file is written for another "
                           "server, \"config.orva.example.org\", perhaps by another release. The form writes this "
                           "tool's server, \"config.orva.example.net\".\n\nPlease check the form before you press "
                           "\"Generate\".")
                .arg(QDir::toNativeSeparators(source)));
        QCOMPARE(field(FormField::SimCardPhoneNumber)->text(), QStringLiteral("0041791234567"));
        QCOMPARE(field(FormField::OwnerPhoneNumber)->text(), QStringLiteral("+41 79 765 43 21"));
        QCOMPARE(field(FormField::UserKey)->text(), QStringLiteral("ABCDEF"));

        QTest::mouseClick(get("button_Save"), Qt::LeftButton);
        QTRY_COMPARE(exits, QList<int>{0});
        const QString written = card() + QStringLiteral("/02/GP1_0000.VSK");
        const DecodedParameterFile copy = decodeParameterFile(readFile(written), written);
        QVERIFY(copy.allChecksPass());
        QCOMPARE(copy.textRecords.at(FormField::SimCardPhoneNumber), QByteArray("0041 79 123 45 67"));
        QCOMPARE(copy.textRecords.at(FormField::UserKey), QByteArray("ABCDEF"));
    }

    // A damaged file is named in a warning with the reason; the form stays as it was.
    void damagedFileIsNamed()
    {
        QByteArray bytes = parameterFile(ModeCode::Gsm, false, QStringLiteral("5273"));
        bytes[bytes.indexOf("orva user")] = 'O';
        const QString source = folder->filePath(QStringLiteral("GP0_0000.VSK"));
        QVERIFY(writeFile(source, bytes));
        open();
        window->loadParameterFile(source);
        QTRY_COMPARE(boxes->seen().size(), 1);
        const MessageBox::Shown box = boxes->seen().first();
        QCOMPARE(box.title, QStringLiteral("Parameter file not loaded"));
        QCOMPARE(box.icon, QMessageBox::Warning);
        QCOMPARE(box.text,
                 QStringLiteral("The form could not be filled from %1.\nIt is not a parameter file that the "
                                "module can read (zero-bit count: %2).")
                     .arg(QDir::toNativeSeparators(source),
                          decodeParameterFile(bytes, source).check(QStringLiteral("zero-bit count"))->detail));
        QCOMPARE(window->currentModeCode(), ModeCode::Default);
        QCOMPARE(field(FormField::AccessPointName)->text(), keptText);
        QVERIFY(window->isVisible());
    }
};

ORVA_WINDOW_TEST_MAIN(TestOpenFile)
#include "tst_openfile.moc"
