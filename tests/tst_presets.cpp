// Named presets through the window: saved from the form, picked to fill it as a parameter file does, renamed,
// deleted, exported to a file and imported from one into a fresh store; a damaged or hostile file is refused, saying
// why, and the store is left as it was.
#include "base/TimeLimits.h"
#include "settings/PresetFile.h"
#include "support/HeldBoxes.h"
#include "support/MemoryKeychain.h"
#include "support/QuietOffscreen.h"
#include "support/TestFiles.h"
#include "support/WindowTest.h"
#include "window/PresetControls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

class TestPresets : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> folder;
    std::unique_ptr<Configurator> window;
    std::unique_ptr<HeldBoxes> boxes;

    QLineEdit* field(FormField::Id id) const { return widget<QLineEdit>(*window, FormField::describe(id).objectName); }
    // The presets as the button's menu lists them.
    QStringList listed() const
    {
        emit window->presets().menu()->aboutToShow();
        QStringList names;
        const QList<QAction*> actions = window->presets().menu()->actions();
        for (const QAction* action : actions) {
            if (action->isCheckable())
                names << action->text();
        }
        return names;
    }
    void choose(const QString& name) const
    {
        emit window->presets().menu()->aboutToShow();
        const QList<QAction*> actions = window->presets().menu()->actions();
        for (QAction* action : actions) {
            if (action->data() == name)
                action->trigger();
        }
    }
    void fillGsm(const QString& apn, const QString& pin)
    {
        widget<QComboBox>(*window, "modeSerial")->setCurrentIndex(2);
        field(FormField::AccessPointName)->setText(apn);
        field(FormField::Username)->setText(QStringLiteral("orva"));
        field(FormField::Password)->setText(QStringLiteral("s3cret"));
        field(FormField::PinCode)->setText(pin);
    }
    QString lastBox() const { return boxes->seen().isEmpty() ? QString() : boxes->seen().constLast().text; }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        quietOffscreenPlatform();
    }

    void init()
    {
        QSettings().clear();
        QSettings().sync();
        folder = std::make_unique<QTemporaryDir>();
        boxes = std::make_unique<HeldBoxes>();
        window = makeWindow(1);
    }

    void cleanup()
    {
        window.reset();
        boxes.reset();
        QSettings().clear();
    }

    void savedPickedExportedImported()
    {
        fillGsm(QStringLiteral("site-a.example"), QStringLiteral("1234"));
        field(FormField::SimCardPhoneNumber)->setText(QStringLiteral("+41 79 123 45 67")); // hidden in GSM
        QVERIFY(window->presets().saveAs(QStringLiteral("  Site A ")));
        QCOMPARE(listed(), QStringList{QStringLiteral("Site A")});

        // Another form, then the preset picked from the list: the mode and its fields come back; what the mode hides
        // stays as the form held it, as after "Load from card".
        widget<QComboBox>(*window, "modeSerial")->setCurrentIndex(4);
        field(FormField::SimCardPhoneNumber)->setText(QStringLiteral("0041 79 765 43 21"));
        field(FormField::AccessPointName)->setText(QStringLiteral("other.example"));
        field(FormField::PinCode)->clear();
        choose(QStringLiteral("Site A"));
        QCOMPARE(window->currentModeCode(), quint8(ModeCode::Gsm));
        QCOMPARE(field(FormField::AccessPointName)->text(), QStringLiteral("site-a.example"));
        QCOMPARE(field(FormField::Password)->text(), QStringLiteral("s3cret"));
        QCOMPARE(field(FormField::PinCode)->text(), QStringLiteral("1234"));
        QCOMPARE(field(FormField::SimCardPhoneNumber)->text(), QStringLiteral("0041 79 765 43 21"));
        QCOMPARE(window->presets().chosen(), QStringLiteral("Site A"));

        // Exported for its owner only, with no identifier in it; the store then emptied, as on another machine.
        const QString file = folder->filePath(QStringLiteral("site-a.orvapreset"));
        QVERIFY(window->presets().exportTo(QStringLiteral("site a"), file));
#ifdef Q_OS_UNIX
        struct stat status
        {};
        QCOMPARE(::stat(QFile::encodeName(file).constData(), &status), 0);
        QCOMPARE(status.st_mode & 0777, 0600u);
#endif
        QVERIFY(!readFile(file).contains("identifier"));
        window.reset();
        QSettings().clear();
        QSettings().sync();
        window = makeWindow(1);
        QVERIFY(listed().isEmpty());

        QVERIFY(window->presets().importFrom(file));
        QCOMPARE(listed(), QStringList{QStringLiteral("Site A")});
        QCOMPARE(window->currentModeCode(), quint8(ModeCode::Gsm));
        QCOMPARE(field(FormField::AccessPointName)->text(), QStringLiteral("site-a.example"));
        QCOMPARE(field(FormField::PinCode)->text(), QStringLiteral("1234"));
        // The preset holds only what its mode shows.
        QSettings settings;
        QCOMPARE(settings.value(QStringLiteral("presets/1/simCardPhoneNumber")), QVariant());
        QVERIFY(boxes->seen().isEmpty());
    }

    // A preset picked over a filled form says so as a load does, and "Undo load" puts the form back as it was, byte
    // for byte: every field (those that the preset's mode hides too), the mode and the reset option.
    void pickedPresetCanBeUndone()
    {
        fillGsm(QStringLiteral("site-a.example"), QStringLiteral("1234"));
        QVERIFY(window->presets().saveAs(QStringLiteral("Site A")));
        // Texts that no validator would let through as typed, in every field; the reset option on.
        auto* modes = widget<QComboBox>(*window, "modeSerial");
        modes->setCurrentIndex(modes->findData(int(ModeCode::Sms)));
        for (const FormField::Description& description : FormField::fields)
            field(description.id)->setText(QStringLiteral(" %1\t\u00e9 ").arg(description.id));
        widget<QCheckBox>(*window, "resetConfigCheckBox")->click();
        const QList<QByteArray> before = formState(*window);

        choose(QStringLiteral("Site A"));
        QCOMPARE(window->currentModeCode(), quint8(ModeCode::Gsm));
        auto* note = widget<QLabel>(*window, "loadNote");
        QVERIFY(!note->isHidden());
        QCOMPARE(note->text(),
                 QStringLiteral("Loaded: GSM, changed: Orva Mode, Access Point Name (APN), Access Point User "
                                "Name, Access Point Password, PIN Code, Reset Configuration (from preset "
                                "\"Site A\")."));
        QVERIFY(formState(*window) != before);

        widget<QPushButton>(*window, "undoLoadButton")->click();
        QCOMPARE(formState(*window), before);
        QVERIFY(note->isHidden());
        QVERIFY(boxes->seen().isEmpty());
    }

    void renamedReplacedDeleted()
    {
        fillGsm(QStringLiteral("a.example"), QStringLiteral("1111"));
        QVERIFY(window->presets().saveAs(QStringLiteral("Site A")));
        fillGsm(QStringLiteral("b.example"), QStringLiteral("2222"));
        QVERIFY(window->presets().saveAs(QStringLiteral("Site B")));

        // A name in use is neither taken by a rename nor replaced without asking.
        QVERIFY(!window->presets().rename(QStringLiteral("Site B"), QStringLiteral("SITE A")));
        QVERIFY(lastBox().contains(QStringLiteral("There is a preset called \"Site A\" already.")));
        boxes->answer(QStringLiteral("Cancel"));
        QVERIFY(!window->presets().saveAs(QStringLiteral("site a")));
        QVERIFY(window->presets().rename(QStringLiteral("Site B"), QStringLiteral("Customer B")));
        QCOMPARE(listed(), (QStringList{QStringLiteral("Site A"), QStringLiteral("Customer B")}));
        QVERIFY(window->presets().pick(QStringLiteral("Site A")));
        QCOMPARE(field(FormField::AccessPointName)->text(), QStringLiteral("a.example"));

        QVERIFY(window->presets().remove(QStringLiteral("Site A")));
        QCOMPARE(listed(), QStringList{QStringLiteral("Customer B")});
        QVERIFY(!window->presets().pick(QStringLiteral("Site A")));
        QVERIFY(lastBox().contains(QStringLiteral("There is no preset called \"Site A\".")));
    }

    // A keychain slow to take a preset's secrets leaves the window painting, busy, until it answers; then the save
    // goes on and the secret is where it belongs.
    void savedWhileTheKeychainIsSlow()
    {
        fillGsm(QStringLiteral("a.example"), QStringLiteral("1111"));
        QVERIFY(window->presets().saveAs(QStringLiteral("Site A"))); // the form's own question is answered by then
        fillGsm(QStringLiteral("b.example"), QStringLiteral("2222"));
        MemoryKeychain& keychain = MemoryKeychain::inPlace();
        keychain.setMode(MemoryKeychain::Mode::Silent);
        const auto answering = qScopeGuard([&] { keychain.setMode(MemoryKeychain::Mode::Answering); });
        bool busyMeanwhile = false;
        QTimer::singleShot(50, window.get(), [&] {
            busyMeanwhile = !widget<QWidget>(*window, "centralWidget")->isEnabled();
            keychain.setMode(MemoryKeychain::Mode::Answering);
        });
        QElapsedTimer timer;
        timer.start();
        QVERIFY(window->presets().saveAs(QStringLiteral("Site B")));
        QVERIFY(busyMeanwhile);
        QVERIFY(timer.elapsed() < std::chrono::milliseconds(TimeLimits::keychain).count());
        QCOMPARE(keychain.entries().value(QStringLiteral("presets/Site B/pinCode")), QStringLiteral("2222"));
        QVERIFY(widget<QWidget>(*window, "centralWidget")->isEnabled());
    }

    // A file that is not a preset this program could have written, or that holds what the form cannot hold, is
    // refused with its reason; nothing reaches the store or the form.
    void refusedFiles_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("told");
        const auto row = [](const char* name, const QByteArray& content, const char* told) {
            QTest::newRow(name) << content << QString::fromUtf8(told);
        };
        const QByteArray head = "{\"format\": \"ORVA Configurator preset\", \"version\": 1, \"name\": \"X\", ";
        row("not JSON", "[presets]\nname=X\n", "It is not a preset of ORVA Configurator.");
        row("a parameter file", QByteArray(48, '\0') + "1234;8;", "It is not a preset of ORVA");
        row("no format mark", "{\"serialMode\": 8}", "It is not a preset of ORVA");
        row("newer", "{\"format\": \"ORVA Configurator preset\", \"version\": 2}",
            "written by a newer ORVA Configurator");
        row("unknown mode", head + "\"serialMode\": 5}", "Its mode is none of the module's.");
        row("an identifier", head + "\"serialMode\": 8, \"identifier\": \"0123\"}",
            "It holds \"identifier\", which a preset of its mode does not hold.");
        row("a field the mode hides", head + "\"serialMode\": 8, \"userKey\": \"Wd3kPz\"}", "It holds \"userKey\"");
        row("a number for a text", head + "\"serialMode\": 8, \"pinCode\": 1234}",
            "Its value of \"pinCode\" is not of the kind");
        row("too long", head + "\"serialMode\": 8, \"accessPointName\": \"" + QByteArray(32768, 'a') + "\"}",
            "holds 32768 characters, more than the 32767 it takes.");
        row("a record separator", head + "\"serialMode\": 32, \"userKey\": \"Wd;kPz\"}",
            "contains the character \";\"");
        row("an escape in a text", head + "\"serialMode\": 8, \"username\": \"a\\u001b[2Jb\"}",
            "contains the character \"\\x1B\"");
        row("a control in the name",
            "{\"format\": \"ORVA Configurator preset\", \"version\": 1, \"name\": \"A\\u202eB\", \"serialMode\": 4}",
            "holds a control character");
        row("too large",
            head + "\"serialMode\": 8, \"accessPointName\": \"" + QByteArray(PresetFile::largestSize, 'a') + "\"}",
            "It is far too large for a preset.");
    }

    void refusedFiles()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, told);
        const QString file = folder->filePath(QStringLiteral("hostile.orvapreset"));
        QVERIFY(writeFile(file, content));
        field(FormField::AccessPointName)->setText(QStringLiteral("kept.example"));
        QVERIFY(!window->presets().importFrom(file));
        QCOMPARE(boxes->seen().size(), 1);
        QCOMPARE(boxes->seen().constFirst().title, QStringLiteral("Preset not imported"));
        QVERIFY2(lastBox().contains(told), qPrintable(lastBox()));
        QVERIFY(listed().isEmpty());
        QVERIFY(!QSettings().childGroups().contains(QStringLiteral("presets")));
        QCOMPARE(field(FormField::AccessPointName)->text(), QStringLiteral("kept.example"));
    }

    // A list of presets whose size says 2147483647 froze the window at "Presets" while its memory grew: the menu says
    // so at once, saving refuses it, and the window goes on.
    void damagedListIsTold()
    {
        QSettings().setValue(QStringLiteral("presets/size"), 2147483647);
        QElapsedTimer timer;
        timer.start();
        QVERIFY(listed().isEmpty());
        const QString told = QStringLiteral("The presets cannot be read: presets/size=2147483647 in ");
        const QAction* first = window->presets().menu()->actions().constFirst();
        QVERIFY(first->text().startsWith(told) && !first->isEnabled());
        fillGsm(QStringLiteral("site-b.example"), QStringLiteral("1234"));
        QVERIFY(!window->presets().saveAs(QStringLiteral("Site B")));
        QVERIFY2(lastBox().startsWith(told), qPrintable(lastBox()));
        QVERIFY2(timer.elapsed() < 5000, qPrintable(QString::number(timer.elapsed())));
        QCOMPARE(field(FormField::AccessPointName)->text(), QStringLiteral("site-b.example"));
    }

    // A FIFO is never opened: the window would wait for a writer without end.
    void fifoRefused()
    {
#ifdef Q_OS_UNIX
        const QString fifo = folder->filePath(QStringLiteral("fifo.orvapreset"));
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QVERIFY(!window->presets().importFrom(fifo));
        QVERIFY(lastBox().contains(QStringLiteral("It does not exist or is not a file.")));
#else
        QSKIP("Windows has no FIFOs in its folders");
#endif
    }
};

ORVA_WINDOW_TEST_MAIN(TestPresets)
#include "tst_presets.moc"
