// The configuration window as it is built: widgets, texts, the mode list, validators, tab order and identity.
#include "app/WindowSetup.h"
#include "orva_version.h"
#include "support/FakeDrivePlatform.h"
#include "support/HeldBoxes.h"
#include "support/WindowTest.h"
#include "window/BundleSymbol.h"
#include "window/Configurator.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMetaMethod>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QStyle>
#include <QToolButton>
#include <QValidator>
#include <QtTest>

namespace {
QStringList strings(std::initializer_list<const char*> texts)
{
    QStringList list;
    for (const char* text : texts)
        list << QString::fromLatin1(text);
    return list;
}

} // namespace

class TestWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() { QSettings().clear(); }

    void identity()
    {
        QCOMPARE(QCoreApplication::organizationName(), QStringLiteral("Vaskor Quendra SA"));
        QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("ORVA Configurator"));
        QCOMPARE(QCoreApplication::applicationVersion(), QStringLiteral("V" ORVA_VERSION));
        QVERIFY(QCoreApplication::organizationDomain().endsWith(QLatin1String(".example.net")));
        QCOMPARE(QApplication::style()->objectName(), QStringLiteral("fusion"));
        // The store is filed under the organisation and the application name.
        const QString store = QSettings().fileName();
        QVERIFY2(store.contains(QLatin1String("Vaskor Quendra SA")), qPrintable(store));
        QVERIFY2(store.contains(QLatin1String("ORVA Configurator")), qPrintable(store));
    }

    void titleAndSize()
    {
        auto window = makeWindow(0);
        QCOMPARE(window->windowTitle(), QStringLiteral("ORVA Configurator V" ORVA_VERSION));
        QCOMPARE(window->objectName(), QStringLiteral("Configurator"));
        QCOMPARE(window->size(), QSize(410, 381));
        QCOMPARE(window->minimumSize(), QSize(330, 260));
        QCOMPARE(window->sizePolicy().horizontalPolicy(), QSizePolicy::Expanding);
        QCOMPARE(window->sizePolicy().verticalPolicy(), QSizePolicy::Expanding);
        window->resize(100, 100);
        QCOMPARE(window->size(), QSize(330, 260));
    }

    void formFollowsWindowSize()
    {
        auto window = makeWindow(0);
        auto* central = widget<QWidget>(*window, "centralWidget");
        QCOMPARE(window->centralWidget(), central);
        QCOMPARE(central->layout(), widget<QLayout>(*window, "mainLayout"));
        QCOMPARE(central->layout()->contentsMargins(), QMargins(0, 0, 0, 0));
        // Every form widget ends up on the central widget; the layout widget stays behind, empty.
        auto* layoutWidget = widget<QWidget>(*window, "verticalLayoutWidget");
        QCOMPARE(layoutWidget->parentWidget(), central);
        QCOMPARE(layoutWidget->layout(), nullptr);
        for (const char* name : {"sdCardPath", "modeSerial", "APN", "PIN_Code", "button_Save", "label_SDCard"})
            QCOMPARE(widget<QWidget>(*window, name)->parentWidget(), central);

        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        window->resize(700, 500);
        QTRY_VERIFY(widget<QPushButton>(*window, "button_Save")->geometry().right() > 600);
    }

    void widgets_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("className");
        QTest::addColumn<QString>("text");

        QTest::newRow("label_SDCard") << "label_SDCard"
                                      << "QLabel"
                                      << "SD Card Drive";
        QTest::newRow("label_Mode") << "label_Mode"
                                    << "QLabel"
                                    << "Orva Mode";
        QTest::newRow("label_APN") << "label_APN"
                                   << "QLabel"
                                   << "Access Point Name (APN)";
        QTest::newRow("label_UserName") << "label_UserName"
                                        << "QLabel"
                                        << "Access Point User Name";
        QTest::newRow("label_Pswd") << "label_Pswd"
                                    << "QLabel"
                                    << "Access Point Password";
        QTest::newRow("label_PIN") << "label_PIN"
                                   << "QLabel"
                                   << "PIN Code";
        QTest::newRow("label_SIM_phone") << "label_SIM_phone"
                                         << "QLabel"
                                         << "SIM Card Phone Number";
        QTest::newRow("label_owner_phone") << "label_owner_phone"
                                           << "QLabel"
                                           << "Owner Phone Number";
        QTest::newRow("userKeyLabel") << "userKeyLabel"
                                      << "QLabel"
                                      << "User Key <key>";
        QTest::newRow("resetConfigLabel") << "resetConfigLabel"
                                          << "QLabel"
                                          << "Reset Configuration";
        QTest::newRow("button_DefaultSettings") << "button_DefaultSettings"
                                                << "QPushButton"
                                                << "Default settings";
        QTest::newRow("button_Cancel") << "button_Cancel"
                                       << "QPushButton"
                                       << "Quit";
        QTest::newRow("button_Save") << "button_Save"
                                     << "QPushButton"
                                     << "Generate";
        QTest::newRow("refreshButton") << "refreshButton"
                                       << "QPushButton"
                                       << "";
        QTest::newRow("keyGenerationButton") << "keyGenerationButton"
                                             << "QPushButton"
                                             << "";
        QTest::newRow("resetConfigCheckBox") << "resetConfigCheckBox"
                                             << "QCheckBox"
                                             << "";
        QTest::newRow("sdCardPath") << "sdCardPath"
                                    << "QComboBox"
                                    << "";
        QTest::newRow("modeSerial") << "modeSerial"
                                    << "QComboBox"
                                    << "Kerv (38400 bps)";
    }

    void widgets()
    {
        QFETCH(QString, name);
        QFETCH(QString, className);
        QFETCH(QString, text);
        auto window = makeWindow(0);
        auto* widget = window->findChild<QWidget*>(name);
        QVERIFY(widget);
        QCOMPARE(QString::fromLatin1(widget->metaObject()->className()), className);
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            QCOMPARE(shownText(label->text()), text);
            // A label too wide for the label column wraps, and is then as wide as the column (tst_form).
            QCOMPARE(label->minimumSize(), QSize(label->wordWrap() ? label->maximumWidth() : 121, 0));
            QVERIFY(label->minimumWidth() >= 121);
        } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            QCOMPARE(shownText(button->text()), text);
        } else if (auto* box = qobject_cast<QComboBox*>(widget)) {
            QCOMPARE(box->currentText(), text);
        }
    }

    void userKeyLabelIsPlainText()
    {
        auto window = makeWindow(0);
        QCOMPARE(widget<QLabel>(*window, "userKeyLabel")->textFormat(), Qt::PlainText);
        QVERIFY(!widget<QCheckBox>(*window, "resetConfigCheckBox")->isChecked());
    }

    void lineEdits_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("placeholder");
        QTest::addColumn<int>("maxLength");

        QTest::newRow("APN") << "APN"
                             << "Ask your provider" << 32767;
        QTest::newRow("Username") << "Username"
                                  << "Username" << 32767;
        QTest::newRow("Password") << "Password"
                                  << "Password" << 32767;
        QTest::newRow("PIN_Code") << "PIN_Code"
                                  << "4 or 6 digits e.g. 5273 or 760584" << 32767;
        // The phone fields' validators bound them to 17 characters, so that a longer paste is refused whole, never cut.
        QTest::newRow("sim") << "sim_card_phone_number"
                             << "e.g. +41 79 123 45 67" << 32767;
        QTest::newRow("owner") << "owner_phone_number"
                               << "e.g. +41 79 123 45 67" << 32767;
        QTest::newRow("userKey") << "userKeyLineEdit"
                                 << "6 positions access code e.g. Wd3kPz" << 6;
    }

    void lineEdits()
    {
        QFETCH(QString, name);
        QFETCH(QString, placeholder);
        QFETCH(int, maxLength);
        auto window = makeWindow(0);
        auto* edit = window->findChild<QLineEdit*>(name);
        QVERIFY(edit);
        QCOMPARE(edit->placeholderText(), placeholder);
        QCOMPARE(edit->maxLength(), maxLength);
        QVERIFY(edit->isClearButtonEnabled());
        // The secrets are masked until the user shows them.
        const bool secret = name == QLatin1String("Password") || name == QLatin1String("PIN_Code");
        QCOMPARE(edit->echoMode(), secret ? QLineEdit::Password : QLineEdit::Normal);
        QVERIFY(edit->text().isEmpty());
    }

    void typingBeyondMaximumLengthIsRefused()
    {
        auto window = makeWindow(0);
        auto* owner = widget<QLineEdit>(*window, "owner_phone_number");
        QTest::keyClicks(owner, QStringLiteral("0041 79 123 45 677"));
        QCOMPARE(owner->text(), QStringLiteral("0041 79 123 45 67"));
        auto* key = widget<QLineEdit>(*window, "userKeyLineEdit");
        QTest::keyClicks(key, QStringLiteral("Wd3kPzX"));
        QCOMPARE(key->text(), QStringLiteral("Wd3kPz"));
    }

    void modeList()
    {
        auto window = makeWindow(0);
        auto* modes = widget<QComboBox>(*window, "modeSerial");
        QCOMPARE(modes->sizeAdjustPolicy(), QComboBox::AdjustToContents);
        const QList<QPair<QString, int>> expected{{QStringLiteral("Kerv (38400 bps)"), 4},
                                                  {QStringLiteral("Kerv (115200 bps)"), 64},
                                                  {QStringLiteral("GSM"), 8},
                                                  {QStringLiteral("LAN"), 16},
                                                  {QStringLiteral("SMS"), 32}};
        QCOMPARE(modes->count(), expected.size());
        for (int i = 0; i < expected.size(); ++i) {
            QCOMPARE(modes->itemText(i), expected[i].first);
            const QVariant data = modes->itemData(i, Qt::UserRole);
            QCOMPARE(data.userType(), int(QMetaType::Int));
            QCOMPARE(data.toInt(), expected[i].second);
            QVERIFY(modes->itemIcon(i).isNull());
        }
        QCOMPARE(modes->currentIndex(), 0);
        QCOMPARE(int(window->currentModeCode()), 4);
    }

    void validators_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("input");
        QTest::addColumn<int>("state");

        const int ok = QValidator::Acceptable, partial = QValidator::Intermediate, refused = QValidator::Invalid;
        QTest::newRow("pin 3 digits") << "PIN_Code"
                                      << "123" << partial;
        QTest::newRow("pin 4 digits") << "PIN_Code"
                                      << "5273" << ok;
        QTest::newRow("pin 5 digits") << "PIN_Code"
                                      << "52731" << ok;
        QTest::newRow("pin 6 digits") << "PIN_Code"
                                      << "760584" << ok;
        QTest::newRow("pin 7 digits") << "PIN_Code"
                                      << "7605841" << refused;
        QTest::newRow("pin letter") << "PIN_Code"
                                    << "12a4" << refused;
        QTest::newRow("pin empty") << "PIN_Code"
                                   << "" << partial;

        QTest::newRow("sim spaced plus") << "sim_card_phone_number"
                                         << "+41 79 123 45 67" << ok;
        QTest::newRow("sim spaced 00") << "sim_card_phone_number"
                                       << "0041 79 123 45 67" << ok;
        QTest::newRow("sim 14 digits plus") << "sim_card_phone_number"
                                            << "+41791234567890" << ok;
        QTest::newRow("sim 14 digits bare") << "sim_card_phone_number"
                                            << "41791234567890" << refused;
        QTest::newRow("sim typing") << "sim_card_phone_number"
                                    << "+41 79" << partial;
        QTest::newRow("sim letter") << "sim_card_phone_number"
                                    << "+41 7x" << refused;
        // The same digits with other spacing: taken, and put into the accepted form when the editing ends.
        QTest::newRow("sim other grouping") << "sim_card_phone_number"
                                            << "+41 791 23 45 67" << partial;

        QTest::newRow("owner spaced plus") << "owner_phone_number"
                                           << "+41 79 123 45 67" << ok;
        QTest::newRow("owner spaced 00") << "owner_phone_number"
                                         << "0041 79 123 45 67" << ok;
        QTest::newRow("owner 14 digits plus") << "owner_phone_number"
                                              << "+41791234567890" << ok;
        QTest::newRow("owner 14 digits bare") << "owner_phone_number"
                                              << "41791234567890" << ok;
        QTest::newRow("owner 15 digits") << "owner_phone_number"
                                         << "417912345678901" << refused;

        QTest::newRow("key") << "userKeyLineEdit"
                             << "Wd3kPz" << ok;
        QTest::newRow("key short") << "userKeyLineEdit"
                                   << "Wd3kP" << partial;
        QTest::newRow("key hyphen") << "userKeyLineEdit"
                                    << "ab-cde" << refused;
        QTest::newRow("key non-ASCII letter") << "userKeyLineEdit" << QStringLiteral("abcd\u00e9f") << refused;
    }

    void validators()
    {
        QFETCH(QString, field);
        QFETCH(QString, input);
        QFETCH(int, state);
        auto window = makeWindow(0);
        auto* edit = window->findChild<QLineEdit*>(field);
        QVERIFY(edit && edit->validator());
        int position = 0;
        QCOMPARE(int(edit->validator()->validate(input, position)), state);
    }

    void validatorPatterns()
    {
        auto window = makeWindow(0);
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
        const auto pattern = [&](const char* name) {
            auto* validator =
                qobject_cast<const QRegularExpressionValidator*>(widget<QLineEdit>(*window, name)->validator());
            return validator ? validator->regularExpression() : QRegularExpression();
        };
#else
        const auto pattern = [&](const char* name) {
            auto* validator = qobject_cast<const QRegExpValidator*>(widget<QLineEdit>(*window, name)->validator());
            return validator ? validator->regExp() : QRegExp();
        };
        QCOMPARE(pattern("PIN_Code").caseSensitivity(), Qt::CaseSensitive);
        QCOMPARE(pattern("PIN_Code").patternSyntax(), QRegExp::RegExp);
#endif
        QCOMPARE(pattern("PIN_Code").pattern(), QStringLiteral("[0-9]{4,6}"));
        QCOMPARE(pattern("sim_card_phone_number").pattern().size(), 61);
        QCOMPARE(pattern("owner_phone_number").pattern().size(), 62);
        QCOMPARE(pattern("userKeyLineEdit").pattern(), QStringLiteral("[A-Za-z0-9]{6,6}"));
    }

    void tabOrder()
    {
        auto window = makeWindow(0);
        const QStringList expected =
            strings({"sdCardPath", "refreshButton", "modeSerial", "APN", "Username", "Password", "showPasswordButton",
                     "PIN_Code", "showPinButton", "sim_card_phone_number", "owner_phone_number", "userKeyLineEdit",
                     "keyGenerationButton", "resetConfigCheckBox", "button_Save", "button_Cancel",
                     "button_DefaultSettings", "ejectCardCheckBox"});
        QWidget* current = widget<QWidget>(*window, "sdCardPath");
        for (int i = 1; i < expected.size(); ++i) {
            current = current->nextInFocusChain();
            // Labels and the line edits' own sub-widgets take no tab focus.
            while (!(current->focusPolicy() & Qt::TabFocus) || current->objectName().isEmpty())
                current = current->nextInFocusChain();
            QCOMPARE(current->objectName(), expected[i]);
        }
    }

    void iconButtons()
    {
        auto window = makeWindow(0);
        auto* refresh = widget<QPushButton>(*window, "refreshButton");
        auto* key = widget<QPushButton>(*window, "keyGenerationButton");
        for (QPushButton* button : {refresh, key}) {
            QVERIFY(button->text().isEmpty());
            QCOMPARE(button->maximumSize(), QSize(21, 21));
            QVERIFY(!button->icon().isNull());
            QVERIFY(!button->toolTip().isEmpty());
            QCOMPARE(button->accessibleName(), button->toolTip());
        }
        QCOMPARE(refresh->toolTip(), QStringLiteral("Refresh the list of SD cards"));
        QCOMPARE(key->toolTip(), QStringLiteral("Generate a random user key"));
        const QImage refreshImage = refresh->icon().pixmap(64).toImage();
        QVERIFY(!refreshImage.isNull());
        QCOMPARE(key->icon().pixmap(64).toImage(), refreshImage);
        QCOMPARE(refresh->icon().availableSizes().value(0), QSize(256, 256));
    }

    // The buttons' symbol is decoded from small copies of the bundle's picture where it can be: every size and look is
    // the picture's as an icon of the picture draws it (a copy not made again after the picture changed shows here).
    void refreshSymbolDrawsThePicture()
    {
        const QIcon picture(QPixmap(QStringLiteral(":/logo/resources/refresh.png")));
        const QIcon symbol = BundleSymbolEngine::refreshSymbol();
        for (int side : {16, 20, 24, 32, 64}) {
            for (QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled}) {
                const QImage shown = symbol.pixmap(side, mode).toImage();
                QCOMPARE(shown.size(), QSize(side, side));
                QCOMPARE(shown, picture.pixmap(side, mode).toImage());
            }
        }
    }

    // Until the first paint the presets button shows the style's built-in picture, read from Qt's bundle by the PNG
    // reader alone: a failed read would leave the button blank.
    void presetSymbolBeforeTheFirstPaint()
    {
        const QString builtIn = QStringLiteral(":/qt-project.org/styles/commonstyle/images/viewdetailed-%1.png");
        QVERIFY(QFile::exists(builtIn.arg(16)));
        auto window = makeWindow(0);
        const QIcon shown = widget<QToolButton>(*window, "presetButton")->icon();
        for (int side : {16, 32})
            QCOMPARE(shown.pixmap(side).toImage(), QIcon(builtIn.arg(side)).pixmap(side).toImage());
    }

    void enterPressesTheFocusedButton_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("key");
        for (const char* name :
             {"refreshButton", "keyGenerationButton", "button_DefaultSettings", "button_Cancel", "button_Save"}) {
            QTest::newRow(QByteArray(QByteArray(name) + " Return").constData())
                << QString::fromLatin1(name) << int(Qt::Key_Return);
            QTest::newRow(QByteArray(QByteArray(name) + " Enter").constData())
                << QString::fromLatin1(name) << int(Qt::Key_Enter);
        }
    }

    void enterPressesTheFocusedButton()
    {
        QFETCH(QString, button);
        QFETCH(int, key);
        auto window = makeWindow(0);
        window->setExitFunction([](int) {});
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        auto* pushButton = widget<QPushButton>(*window, button);
        pushButton->setFocus();
        QSignalSpy clicked(pushButton, &QAbstractButton::clicked);
        HeldBoxes boxes; // "Generate" without a card says so
        QTest::keyClick(pushButton, Qt::Key(key));
        QTRY_COMPARE(clicked.count(), 1);
    }

    void altAndALetterReachTheControls()
    {
        auto window = makeWindow(0);
        window->setExitFunction([](int) {});
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        auto* modes = widget<QComboBox>(*window, "modeSerial");
        modes->setCurrentIndex(modes->findText(QStringLiteral("SMS")));

        QTest::keyClick(window.get(), Qt::Key_O, Qt::AltModifier);
        QTRY_VERIFY(widget<QLineEdit>(*window, "owner_phone_number")->hasFocus());
        QTest::keyClick(window.get(), Qt::Key_R, Qt::AltModifier);
        QTRY_VERIFY(widget<QCheckBox>(*window, "resetConfigCheckBox")->isChecked());
        QVERIFY(!widget<QLineEdit>(*window, "owner_phone_number")->isEnabled());

        HeldBoxes boxes;
        QTest::keyClick(window.get(), Qt::Key_G, Qt::AltModifier);
        QTRY_COMPARE(boxes.seen().size(), 1);
        QCOMPARE(boxes.seen().first().title, QStringLiteral("SD Card not available"));
    }

    void clickingALabelReachesItsControl_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::newRow("GSM") << "GSM";
        QTest::newRow("SMS") << "SMS";
    }

    void clickingALabelReachesItsControl()
    {
        QFETCH(QString, mode);
        auto window = makeWindow(1);
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        auto* modes = widget<QComboBox>(*window, "modeSerial");
        modes->setCurrentIndex(modes->findText(mode));
        int clicked = 0;
        const QList<QLabel*> labels = window->findChildren<QLabel*>();
        for (QLabel* label : labels) {
            if (!label->isVisible() || !label->buddy())
                continue;
            QWidget* control = label->buddy();
            if (auto* box = qobject_cast<QCheckBox*>(control)) {
                // The reset option's label toggles it, and the form follows.
                QTest::mouseClick(label, Qt::LeftButton);
                QVERIFY(box->isChecked());
                QVERIFY(!widget<QLineEdit>(*window, "PIN_Code")->isEnabled());
                QTest::mouseClick(label, Qt::LeftButton);
                QVERIFY(!box->isChecked());
                QVERIFY(widget<QLineEdit>(*window, "PIN_Code")->isEnabled());
            } else {
                QTest::mouseClick(label, Qt::LeftButton);
                QTRY_VERIFY2(control->hasFocus(), qPrintable(label->objectName()));
            }
            ++clicked;
        }
        QCOMPARE(clicked, mode == QLatin1String("GSM") ? 6 : 7);
    }

    void everyControlHasASpokenName_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<int>("controls");
        // The card row with its "Load from card", the mode with its presets button, the three buttons, the eject
        // option and the series option beside it; then what the mode shows.
        QTest::newRow("Kerv (38400 bps)") << "Kerv (38400 bps)" << 10;
        QTest::newRow("Kerv (115200 bps)") << "Kerv (115200 bps)" << 10;
        QTest::newRow("GSM") << "GSM" << 16; // with the buttons that show the password and the PIN
        QTest::newRow("LAN") << "LAN" << 10;
        QTest::newRow("SMS") << "SMS" << 17;
    }

    void everyControlHasASpokenName()
    {
        QFETCH(QString, mode);
        QFETCH(int, controls);
        auto window = makeWindow(1);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        auto* modes = widget<QComboBox>(*window, "modeSerial");
        modes->setCurrentIndex(modes->findText(mode));

        QHash<QWidget*, QString> labelled;
        const QList<QLabel*> labels = window->findChildren<QLabel*>();
        for (QLabel* label : labels) {
            if (label->buddy())
                labelled.insert(label->buddy(), shownText(label->text()));
        }
        int named = 0;
        const QList<QWidget*> widgets = window->findChildren<QWidget*>();
        for (QWidget* control : widgets) {
            if (!control->isVisible() || !(control->focusPolicy() & Qt::TabFocus))
                continue;
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
            QVERIFY(accessible);
            const QString name = accessible->text(QAccessible::Name);
            QVERIFY2(!name.isEmpty(), qPrintable(control->objectName()));
            // A labelled control is called what its label says.
            // A labelled control is called what its label says: by its name or, where the platform's screen readers
            // take the name from the label (a combo box on Linux names its current entry), through that relation.
            if (labelled.contains(control)) {
                QStringList labels{name};
                const auto relations = accessible->relations(QAccessible::Label);
                for (const auto& relation : relations)
                    labels << relation.first->text(QAccessible::Name);
                QVERIFY2(labels.contains(labelled.value(control)), qPrintable(labels.join(QLatin1Char('|'))));
            }
            ++named;
        }
        QCOMPARE(named, controls);
    }

    void quitClosesWindow()
    {
        auto window = makeWindow(0);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        widget<QPushButton>(*window, "button_Cancel")->click();
        QVERIFY(!window->isVisible());
    }

    void slotsInOrder()
    {
        const QMetaObject& meta = Configurator::staticMetaObject;
        QCOMPARE(QString::fromLatin1(meta.className()), QStringLiteral("Configurator"));
        QStringList own;
        for (int i = meta.methodOffset(); i < meta.methodCount(); ++i) {
            const QMetaMethod method = meta.method(i);
            QCOMPARE(method.methodType(), QMetaMethod::Slot);
            QCOMPARE(method.access(), QMetaMethod::Private);
            QCOMPARE(method.returnType(), int(QMetaType::Void));
            own << QString::fromLatin1(method.methodSignature());
        }
        QCOMPARE(own, strings({"buttonSaveClicked()", "buttonDefaultSettingsClicked()", "saveSettings()",
                               "restoreSettings()", "modeSerialChanged()", "on_refreshButton_clicked()",
                               "on_resetConfigCheckBox_clicked(bool)", "on_keyGenerationButton_clicked()"}));
        QCOMPARE(meta.method(meta.indexOfSlot("on_resetConfigCheckBox_clicked(bool)")).parameterNames(),
                 QList<QByteArray>{"checked"});
        QCOMPARE(meta.propertyOffset(), meta.propertyCount());
    }
};

ORVA_WINDOW_TEST_MAIN(TestWindow)

#include "tst_window.moc"
