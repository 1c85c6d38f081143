// How the form reacts: fields per mode, the reset option, the defaults and the user key.
#include "parameterfile/Identifier.h"
#include "support/FakeDrivePlatform.h"
#include "support/HeldBoxes.h"
#include "support/MemoryKeychain.h"
#include "support/WindowTest.h"
#include "window/Configurator.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QToolButton>
#include <QToolTip>
#include <QtTest>

namespace {
// The eight groups of mode-dependent widgets, label first.
const QList<QStringList>& groups()
{
    static const QList<QStringList> all{
        {QStringLiteral("label_APN"), QStringLiteral("APN")},
        {QStringLiteral("label_UserName"), QStringLiteral("Username")},
        {QStringLiteral("label_Pswd"), QStringLiteral("Password")},
        {QStringLiteral("label_PIN"), QStringLiteral("PIN_Code")},
        {QStringLiteral("label_SIM_phone"), QStringLiteral("sim_card_phone_number")},
        {QStringLiteral("label_owner_phone"), QStringLiteral("owner_phone_number")},
        {QStringLiteral("userKeyLabel"), QStringLiteral("userKeyLineEdit"), QStringLiteral("keyGenerationButton")},
        {QStringLiteral("resetConfigLabel"), QStringLiteral("resetConfigCheckBox")},
    };
    return all;
}

const QStringList resetDependents{
    QStringLiteral("label_PIN"),          QStringLiteral("label_SIM_phone"), QStringLiteral("label_owner_phone"),
    QStringLiteral("userKeyLabel"),       QStringLiteral("PIN_Code"),        QStringLiteral("sim_card_phone_number"),
    QStringLiteral("owner_phone_number"), QStringLiteral("userKeyLineEdit"), QStringLiteral("keyGenerationButton")};

const QStringList textFields{QStringLiteral("APN"),
                             QStringLiteral("Username"),
                             QStringLiteral("Password"),
                             QStringLiteral("PIN_Code"),
                             QStringLiteral("sim_card_phone_number"),
                             QStringLiteral("owner_phone_number"),
                             QStringLiteral("userKeyLineEdit")};

struct Form
{
    FakeDrivePlatform* drives = nullptr;
    std::unique_ptr<Configurator> window;

    explicit Form(int cards = 2) : window(makeWindow(cards, &drives)) { window->show(); }
    template <typename T = QWidget> T* get(const QString& name) const { return widget<T>(*window, name); }
    QComboBox* modes() const { return get<QComboBox>(QStringLiteral("modeSerial")); }
    void chooseMode(const QString& text) const { modes()->setCurrentIndex(modes()->findText(text)); }
    void clickResetOption() const { get<QCheckBox>(QStringLiteral("resetConfigCheckBox"))->click(); }
};
} // namespace

class TestForm : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() { QSettings().clear(); }

    void visibilityPerMode_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("shown"); // one letter per group: APN, user, password, PIN, SIM, owner, key, reset

        QTest::newRow("Kerv 38400") << "Kerv (38400 bps)" << 4 << "--------";
        QTest::newRow("Kerv 115200") << "Kerv (115200 bps)" << 64 << "--------";
        QTest::newRow("GSM") << "GSM" << 8 << "xxxx----";
        QTest::newRow("LAN") << "LAN" << 16 << "--------";
        QTest::newRow("SMS") << "SMS" << 32 << "---xxxxx";
    }

    void visibilityPerMode()
    {
        QFETCH(QString, mode);
        QFETCH(int, code);
        QFETCH(QString, shown);
        Form form;
        // Pass through another mode first so that every mode is reached by a change of the list.
        form.chooseMode(mode == QLatin1String("SMS") ? QStringLiteral("GSM") : QStringLiteral("SMS"));
        form.chooseMode(mode);
        QCOMPARE(int(form.window->currentModeCode()), code);
        for (int group = 0; group < groups().size(); ++group) {
            for (const QString& name : groups()[group])
                QVERIFY2(form.get(name)->isVisible() == (shown[group] == QLatin1Char('x')), qPrintable(name));
        }
        // The drive row, the mode row and the buttons never hide.
        for (const char* name : {"sdCardPath", "refreshButton", "modeSerial", "button_Save", "button_Cancel",
                                 "button_DefaultSettings", "label_SDCard", "label_Mode"})
            QVERIFY(form.get(QLatin1String(name))->isVisible());
    }

    void freshStartShowsDefaultMode()
    {
        Form form;
        QCOMPARE(form.modes()->currentText(), QStringLiteral("Kerv (38400 bps)"));
        QCOMPARE(int(form.window->currentModeCode()), 4);
        for (const QStringList& group : groups()) {
            for (const QString& name : group)
                QVERIFY2(!form.get(name)->isVisible(), qPrintable(name));
        }
    }

    void typedTextSurvivesHiding()
    {
        Form form;
        form.chooseMode(QStringLiteral("GSM"));
        QTest::keyClicks(form.get(QStringLiteral("APN")), QStringLiteral("internet.example.net"));
        form.chooseMode(QStringLiteral("LAN"));
        QVERIFY(!form.get(QStringLiteral("APN"))->isVisible());
        form.chooseMode(QStringLiteral("GSM"));
        QCOMPARE(form.get<QLineEdit>(QStringLiteral("APN"))->text(), QStringLiteral("internet.example.net"));
    }

    void itemWithoutCodeHidesEverything()
    {
        Form form;
        form.chooseMode(QStringLiteral("SMS"));
        form.modes()->addItem(QStringLiteral("Unknown"));
        form.modes()->setCurrentIndex(form.modes()->count() - 1);
        QCOMPARE(int(form.window->currentModeCode()), 0);
        for (const QStringList& group : groups())
            QVERIFY(!form.get(group.first())->isVisible());
    }

    void hiddenRowsCloseUp()
    {
        Form form;
        const auto pinTop = [&](const QString& mode) {
            form.chooseMode(mode);
            QApplication::processEvents();
            return form.get(QStringLiteral("PIN_Code"))->geometry().top();
        };
        // In "SMS" the three access point rows above the PIN are hidden and take no room.
        const int rowHeight = form.get(QStringLiteral("APN"))->sizeHint().height();
        QVERIFY(pinTop(QStringLiteral("GSM")) - pinTop(QStringLiteral("SMS")) >= 3 * rowHeight);
    }

    void resetOptionDisablesItsFields()
    {
        Form form;
        form.chooseMode(QStringLiteral("SMS"));
        for (const QString& name : textFields)
            form.get<QLineEdit>(name)->setText(QStringLiteral("12345"));
        form.clickResetOption();
        for (const QString& name : resetDependents)
            QVERIFY2(!form.get(name)->isEnabled(), qPrintable(name));
        for (const char* name : {"APN", "Username", "Password", "resetConfigLabel", "resetConfigCheckBox"})
            QVERIFY(form.get(QLatin1String(name))->isEnabled());
        form.clickResetOption();
        for (const QString& name : resetDependents)
            QVERIFY2(form.get(name)->isEnabled(), qPrintable(name));
        for (const QString& name : textFields)
            QCOMPARE(form.get<QLineEdit>(name)->text(), QStringLiteral("12345"));
    }

    void resetOptionOutlivesModeChange()
    {
        Form form;
        form.chooseMode(QStringLiteral("SMS"));
        form.clickResetOption();
        form.chooseMode(QStringLiteral("GSM"));
        QVERIFY(!form.get(QStringLiteral("resetConfigCheckBox"))->isVisible());
        QVERIFY(form.get(QStringLiteral("PIN_Code"))->isVisible());
        QVERIFY(!form.get(QStringLiteral("PIN_Code"))->isEnabled());
        form.chooseMode(QStringLiteral("SMS"));
        form.clickResetOption();
        form.chooseMode(QStringLiteral("GSM"));
        QVERIFY(form.get(QStringLiteral("PIN_Code"))->isEnabled());
    }

    void defaultSettings()
    {
        Form form;
        form.chooseMode(QStringLiteral("SMS"));
        form.get<QComboBox>(QStringLiteral("sdCardPath"))->setCurrentIndex(1);
        for (const QString& name : textFields)
            form.get<QLineEdit>(name)->setText(QStringLiteral("123456"));
        form.clickResetOption();

        QTest::mouseClick(form.get(QStringLiteral("button_DefaultSettings")), Qt::LeftButton);

        QCOMPARE(form.modes()->currentText(), QStringLiteral("Kerv (38400 bps)"));
        QCOMPARE(int(form.window->currentModeCode()), 4);
        QCOMPARE(form.get<QComboBox>(QStringLiteral("sdCardPath"))->currentIndex(), 0);
        for (const QString& name : textFields)
            QVERIFY2(form.get<QLineEdit>(name)->text().isEmpty(), qPrintable(name));
        QVERIFY(!form.get<QCheckBox>(QStringLiteral("resetConfigCheckBox"))->isChecked());
        for (const QString& name : resetDependents)
            QVERIFY2(form.get(name)->isEnabled(), qPrintable(name));
        for (const QStringList& group : groups())
            QVERIFY(!form.get(group.first())->isVisible());
        // The defaults reach the store only with the next save.
        QVERIFY(QSettings().allKeys().isEmpty());
    }

    void defaultSettingsWithoutDrives()
    {
        Form form(0);
        QTest::mouseClick(form.get(QStringLiteral("button_DefaultSettings")), Qt::LeftButton);
        QCOMPARE(form.get<QComboBox>(QStringLiteral("sdCardPath"))->currentIndex(), -1);
    }

    void userKey()
    {
        Form form;
        form.chooseMode(QStringLiteral("SMS"));
        auto* key = form.get<QLineEdit>(QStringLiteral("userKeyLineEdit"));
        const QRegularExpression sixHexDigits(QStringLiteral("^[0-9A-F]{6}$"));
        QSet<QString> seen;
        for (int i = 0; i < 50; ++i) {
            QTest::mouseClick(form.get(QStringLiteral("keyGenerationButton")), Qt::LeftButton);
            const QString text = key->text();
            QVERIFY2(sixHexDigits.match(text).hasMatch(), qPrintable(text));
            QVERIFY(!text.contains(QLatin1String("00")) && !text.contains(QLatin1String("3B")));
            int position = 0;
            QCOMPARE(key->validator()->validate(const_cast<QString&>(text), position), QValidator::Acceptable);
            seen.insert(text);
        }
        QVERIFY(seen.size() > 45); // each press replaces the key with a new one
    }

    void phoneNumberEntry_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<bool>("pasted");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("text"); // what the field holds once the user moved on
        QTest::addColumn<bool>("refused"); // some of the input was refused, in sight

        const QString sim = QStringLiteral("sim_card_phone_number"), owner = QStringLiteral("owner_phone_number");
        const QString swiss = QStringLiteral("+41 79 123 45 67");
        // Accepted as typed.
        QTest::newRow("spaced, typed") << sim << false << swiss << swiss << false;
        QTest::newRow("14 digits, typed") << sim << false << "+41791234567890"
                                          << "+41791234567890" << false;
        QTest::newRow("owner, 14 bare digits") << owner << false << "41791234567890"
                                               << "41791234567890" << false;
        // Same digits, other spacing: put into the accepted form.
        QTest::newRow("no spaces, typed") << sim << false << "+41791234567" << swiss << false;
        QTest::newRow("no spaces, pasted") << sim << true << "+41791234567" << swiss << false;
        QTest::newRow("spaces cut short, pasted") << sim << true << "+41 79 1234567" << swiss << false;
        QTest::newRow("other groups, pasted") << sim << true << "+41 79 123 4567" << swiss << false;
        QTest::newRow("00 without spaces, typed") << sim << false << "0041791234567"
                                                  << "0041 79 123 45 67" << false;
        QTest::newRow("owner, 00 without spaces") << owner << false << "0041791234567"
                                                  << "0041 79 123 45 67" << false;
        QTest::newRow("14 digits over 17 characters, pasted")
            << sim << true << "+41 79 123 45 67 890" << QString() << true;
        // Digits that make no accepted form are kept as typed: "Generate" refuses them.
        QTest::newRow("German mobile, typed") << sim << false << "+49 151 234 56 78"
                                              << "+49 151 234 56 78" << false;
        QTest::newRow("owner, national") << owner << false << "079 123 45 67"
                                         << "079 123 45 67" << false;
        // Refused in sight: what can never become a number the module reads.
        QTest::newRow("national into the SIM field") << sim << false << "079"
                                                     << "0" << true;
        QTest::newRow("an 18th character") << sim << false << swiss + QStringLiteral(" 8") << swiss << true;
        QTest::newRow("a 15th digit") << sim << false << "+417912345678901"
                                      << "+41791234567890" << true;
        QTest::newRow("13 digits, pasted") << sim << true << "+41 79 123 45 67 89" << QString() << true;
        QTest::newRow("letters") << owner << false << "+41 7a"
                                 << "+41 7" << true;
    }

    void phoneNumberEntry()
    {
        QFETCH(QString, field);
        QFETCH(bool, pasted);
        QFETCH(QString, input);
        QFETCH(QString, text);
        QFETCH(bool, refused);
        Form form;
        QVERIFY(QTest::qWaitForWindowActive(form.window.get()));
        form.chooseMode(QStringLiteral("SMS"));
        auto* edit = form.get<QLineEdit>(field);
        QSignalSpy rejected(edit, &QLineEdit::inputRejected);
        edit->setFocus();
        QTRY_VERIFY(edit->hasFocus());
        if (pasted) {
            QApplication::clipboard()->setText(input);
            edit->paste();
        } else {
            QTest::keyClicks(edit, input);
        }
        QCOMPARE(!rejected.isEmpty(), refused);
        if (refused) {
            // The field says at once what it takes.
            QTRY_VERIFY(QToolTip::isVisible());
            QVERIFY2(QToolTip::text().startsWith(QStringLiteral("Accepted: +41 79 123 45 67")),
                     qPrintable(QToolTip::text()));
        }
        // The user moves on to the next field.
        form.modes()->setFocus();
        QTRY_VERIFY(!edit->hasFocus());
        QCOMPARE(edit->text(), text);
        const auto digits = [](QString number) { return number.remove(QRegularExpression(QStringLiteral("[^0-9]"))); };
        if (!refused)
            QCOMPARE(digits(edit->text()), digits(input));
    }

    void phoneNumbersAreRememberedInTheirAcceptedForm()
    {
        Form form;
        form.chooseMode(QStringLiteral("SMS"));
        // As restored from an earlier version's store: never through the field's validator.
        form.get<QLineEdit>(QStringLiteral("sim_card_phone_number"))->setText(QStringLiteral("+41791234567"));
        form.get<QLineEdit>(QStringLiteral("owner_phone_number"))->setText(QStringLiteral("+49 151 234 56 78"));
        form.get<QPushButton>(QStringLiteral("button_Cancel"))->click();
        const QSettings settings;
        QCOMPARE(settings.value(QStringLiteral("simCardPhoneNumber")).toString(), QStringLiteral("+41 79 123 45 67"));
        QCOMPARE(settings.value(QStringLiteral("ownerPhoneNumber")).toString(), QStringLiteral("+49 151 234 56 78"));
    }

    void numberOfNoAcceptedFormIsRefusedAtGenerate()
    {
        Form form(1);
        form.window->setExitFunction([](int) { QFAIL("the program ended"); });
        form.chooseMode(QStringLiteral("SMS"));
        form.get<QLineEdit>(QStringLiteral("userKeyLineEdit"))->setText(QStringLiteral("Wd3kPz"));
        form.get<QLineEdit>(QStringLiteral("sim_card_phone_number"))->setText(QStringLiteral("+49 151 234 56 78"));
        HeldBoxes boxes;
        form.get<QPushButton>(QStringLiteral("button_Save"))->click();
        QCOMPARE(boxes.seen().size(), 1);
        QCOMPARE(boxes.seen().first().title, QStringLiteral("Phone number error"));
        QVERIFY2(boxes.seen().first().text.contains(
                     QStringLiteral("+41 79 123 45 67, 0041 79 123 45 67, or + and 14 digits")),
                 qPrintable(boxes.seen().first().text));
    }

    // Every field that "Generate" would refuse is marked once it is left, all at once, in words as well as a frame.
    void problemsAreMarkedAsTheFieldsAreLeft()
    {
        Form form(1);
        QVERIFY(QTest::qWaitForWindowActive(form.window.get()));
        form.chooseMode(QStringLiteral("SMS"));
        const QStringList fields{QStringLiteral("owner_phone_number"), QStringLiteral("PIN_Code"),
                                 QStringLiteral("userKeyLineEdit")};
        const QStringList typed{QStringLiteral("079 765 43 21"), QStringLiteral("123"), QStringLiteral("Wd3k")};
        for (int i = 0; i < fields.size(); ++i) {
            auto* edit = form.get<QLineEdit>(fields[i]);
            edit->setFocus();
            QTest::keyClicks(edit, typed[i]);
            QCOMPARE(edit->text(), typed[i]);
            QVERIFY(edit->accessibleDescription().isEmpty()); // not while typing
        }
        form.get(QStringLiteral("keyGenerationButton"))->setFocus();
        for (const QString& name : fields) {
            auto* edit = form.get<QLineEdit>(name);
            QVERIFY2(edit->accessibleDescription().startsWith(QStringLiteral("Not accepted: ")), qPrintable(name));
            QCOMPARE(edit->toolTip(), edit->accessibleDescription());
            QVERIFY(!edit->styleSheet().isEmpty());
            QCOMPARE(edit->actions().last()->isVisible(), true); // the warning icon
        }
        // A field without a problem shows no icon.
        const auto shownIcons = [&](const QString& name) {
            int shown = 0;
            const QList<QToolButton*> icons = form.get(name)->findChildren<QToolButton*>();
            for (const QToolButton* icon : icons)
                shown += icon->isVisibleTo(form.get(name)) && icon->defaultAction() == form.get(name)->actions().last();
            return shown;
        };
        QCOMPARE(shownIcons(QStringLiteral("PIN_Code")), 1);
        QCOMPARE(shownIcons(QStringLiteral("sim_card_phone_number")), 0);
        QVERIFY(form.get<QLineEdit>(fields[0])->toolTip().contains(QStringLiteral("needs the country code")));
        QVERIFY(form.get<QLineEdit>(fields[0])->toolTip().contains(QStringLiteral("or 14 digits with or without +")));
        // "Generate" still tells the first one as ever; the mark leaves a field once it is mended.
        HeldBoxes boxes;
        form.get<QPushButton>(QStringLiteral("button_Save"))->click();
        QCOMPARE(boxes.seen().size(), 1);
        QCOMPARE(boxes.seen().first().title, QStringLiteral("PIN Code error"));
        form.get<QLineEdit>(QStringLiteral("PIN_Code"))->setText(QStringLiteral("1234"));
        QVERIFY(form.get<QLineEdit>(QStringLiteral("PIN_Code"))->accessibleDescription().isEmpty());
        QVERIFY(form.get<QLineEdit>(QStringLiteral("PIN_Code"))->styleSheet().isEmpty());
        QVERIFY(!form.get<QLineEdit>(QStringLiteral("userKeyLineEdit"))->accessibleDescription().isEmpty());
    }

    // Changing the mode moves neither the field column nor the rows below the fields.
    void fieldsAndBottomRowsStayWhereTheyAre()
    {
        Form form(1);
        QVERIFY(QTest::qWaitForWindowExposed(form.window.get()));
        QCOMPARE(form.window->size(), QSize(410, 381));
        auto* eject = form.get(QStringLiteral("ejectCardCheckBox"));
        auto* mode = form.get(QStringLiteral("modeSerial"));
        const auto place = [&] {
            QApplication::processEvents();
            return QPoint(mode->x(), eject->y());
        };
        const QPoint first = place();
        for (int index = 1; index < form.modes()->count(); ++index) {
            form.modes()->setCurrentIndex(index);
            QCOMPARE(place(), first);
            for (const QString& name : textFields) {
                if (form.get(name)->isVisible())
                    QCOMPARE(form.get(name)->x(), first.x());
            }
        }
        QCOMPARE(eject->x(), first.x());
        QVERIFY(form.get(QStringLiteral("button_Save"))->y() > eject->y());
        // The first field of each mode starts under the mode.
        form.chooseMode(QStringLiteral("GSM"));
        const int apnTop = place().isNull() ? 0 : form.get(QStringLiteral("APN"))->y();
        QVERIFY2(apnTop > mode->y(), "the fields start under the mode, not above the card list");
        form.chooseMode(QStringLiteral("SMS"));
        QCOMPARE(place(), first);
        QVERIFY(form.get(QStringLiteral("PIN_Code"))->y() > mode->y());
    }

    // A font so large that a label is wider than the form (as Wine's stand-in font is): the labels wrap within one
    // column, which keeps its width in every mode, and no label is cut or reaches under its field.
    void largeFontWrapsLabelsInOneColumn()
    {
        Form form(1);
        auto* apn = form.get<QLabel>(QStringLiteral("label_APN"));
        QFont large = form.window->font();
        for (int size = large.pixelSize() > 0 ? large.pixelSize() : 10;
             QFontMetrics(large).boundingRect(apn->text()).width() <= form.window->width(); ++size)
            large.setPixelSize(size);
        form.window->setFont(large);
        form.window->resize(form.window->width(), 900); // room in height for the wrapped labels
        auto* mode = form.get(QStringLiteral("modeSerial"));
        int fieldsStart = -1;
        for (int index = 0; index < form.modes()->count(); ++index) {
            form.modes()->setCurrentIndex(index);
            QApplication::processEvents();
            if (fieldsStart < 0)
                fieldsStart = mode->x();
            QCOMPARE(mode->x(), fieldsStart);
            const QList<QLabel*> labels = form.window->findChildren<QLabel*>();
            for (const QLabel* label : labels) {
                if (!label->buddy() || !label->isVisible())
                    continue;
                const QByteArray name = label->objectName().toLatin1();
                QVERIFY2(label->x() + label->width() <= fieldsStart, name.constData());
                if (label->wordWrap())
                    QVERIFY2(label->height() >= label->heightForWidth(label->width()), name.constData());
                else
                    QVERIFY2(label->width() >= label->sizeHint().width(), name.constData());
            }
        }
        QVERIFY(apn->wordWrap());
    }

    // The PIN and the password show as dots until their button is pressed; what is stored stays the text.
    void secretsAreMaskedUntilShown()
    {
        Form form(1);
        form.chooseMode(QStringLiteral("GSM"));
        for (const auto& [field, button] : {std::pair<const char*, const char*>{"PIN_Code", "showPinButton"},
                                            std::pair<const char*, const char*>{"Password", "showPasswordButton"}}) {
            auto* edit = form.get<QLineEdit>(QLatin1String(field));
            auto* show = form.get<QAbstractButton>(QLatin1String(button));
            edit->setText(QStringLiteral("4711"));
            QCOMPARE(edit->echoMode(), QLineEdit::Password);
            QVERIFY(show->isVisible() && (show->focusPolicy() & Qt::TabFocus));
            QVERIFY(!show->accessibleName().isEmpty());
            QVERIFY(!show->shortcut().isEmpty());
            QTest::keyClick(show, Qt::Key_Space);
            QCOMPARE(edit->echoMode(), QLineEdit::Normal);
            QTest::keyClick(show, Qt::Key_Space);
            QCOMPARE(edit->echoMode(), QLineEdit::Password);
        }
        form.chooseMode(QStringLiteral("LAN"));
        QVERIFY(!form.get(QStringLiteral("showPinButton"))->isVisible());
        form.get<QPushButton>(QStringLiteral("button_Cancel"))->click();
        // Kept in the keychain (the tests' own), a marker each in the store.
        QCOMPARE(MemoryKeychain::inPlace().entries().value(QStringLiteral("pinCode")), QStringLiteral("4711"));
        QCOMPARE(MemoryKeychain::inPlace().entries().value(QStringLiteral("password")), QStringLiteral("4711"));
        QVERIFY(QSettings().value(QStringLiteral("pinCodeInKeychain")).toBool());
    }

    void userKeyDerivation_data()
    {
        QTest::addColumn<QString>("uuid");
        QTest::addColumn<QString>("key");
        QTest::newRow("lower case digits") << "{a1b2c3d4-e5f6-4789-9abc-def012345678}"
                                           << "A1B2C3";
        QTest::newRow("first group short of six") << "{12345678-9abc-4def-8123-456789abcdef}"
                                                  << "123456";
    }

    void userKeyDerivation()
    {
        QFETCH(QString, uuid);
        QFETCH(QString, key);
        QCOMPARE(userKeyFromIdentifier(QUuid(uuid)), key);
    }
};

ORVA_WINDOW_TEST_MAIN(TestForm)

#include "tst_form.moc"
