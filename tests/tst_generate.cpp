// "Generate" in the window, inside the process: cards are folders presented through the drive platform, every box is
// answered by the test, and the end of the process is replaced. What the window adds to the generate procedure is
// tested here (its boxes, the form's fields, eject, another card); the card writes themselves are tested without
// widgets in tst_generateprocedure.
#include "desktop/DesktopOpen.h"
#include "form/FormValues.h"
#include "generation/CardRecord.h"
#include "parameterfile/Identifier.h"
#include "parameterfile/ParameterFile.h"
#include "parameterfile/ParameterFileDecoder.h"
#include "support/FakeDrivePlatform.h"
#include "support/HeldBoxes.h"
#include "support/MemoryKeychain.h"
#include "support/QuietOffscreen.h"
#include "support/TestFiles.h"
#include "support/WindowTest.h"
#include "window/Configurator.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {
const QString noCardTitle = QStringLiteral("SD Card not available");
const QString generatedTitle = QStringLiteral("File generated");

// Answers the URLs the program hands to the desktop instead of starting an editor or a browser.
// What the window hands to the desktop, as addresses: a text file as a file address.
struct UrlRecorder
{
    QList<QUrl> opened;
    void record(DesktopOpen::Kind kind, const QString& target)
    {
        opened.append(kind == DesktopOpen::Kind::TextFile ? QUrl::fromLocalFile(target) : QUrl(target));
    }
};

} // namespace

class TestGenerate : public QObject
{
    Q_OBJECT

    std::unique_ptr<FreshDesk> desk;
    HeldBoxes* boxes = nullptr;
    FakeDrivePlatform* drives = nullptr;
    std::unique_ptr<Configurator> window;
    QList<int> exits;
    UrlRecorder urls;
    QString startDirectory;

    QString card(int i) const { return desk->card(i); }

    // Builds the window over the given platform, or over the given number of folder cards.
    void open(int cardCount, std::unique_ptr<FakeDrivePlatform> platform = nullptr)
    {
        if (!platform) {
            platform = std::make_unique<FakeDrivePlatform>();
            for (int i = 0; i < cardCount; ++i) {
                QDir().mkpath(card(i));
                platform->addCard(card(i), QStringLiteral("CARD%1").arg(i));
            }
        }
        drives = platform.get();
        window = std::make_unique<Configurator>(std::move(platform));
        window->setExitFunction([this](int status) { exits.append(status); });
        window->show();
    }
    template <typename T = QWidget> T* get(const char* name) const { return widget<T>(*window, name); }
    void chooseMode(const QString& text) const
    {
        get<QComboBox>("modeSerial")->setCurrentIndex(get<QComboBox>("modeSerial")->findText(text));
    }
    void setText(const char* field, const QString& text) const { get<QLineEdit>(field)->setText(text); }
    void generate() const { QTest::mouseClick(get("button_Save"), Qt::LeftButton); }
    // The next box is answered with the button of that text ("Prepare another card", "Replace").
    void answerWith(const QString& answer) const { boxes->answer(answer); }

    MessageBox::Shown onlyBox() const
    {
        if (boxes->seen().size() != 1) {
            QStringList titles;
            for (const MessageBox::Shown& box : qAsConst(boxes->seen()))
                titles << box.title;
            qWarning("expected one box, saw %d: %s", int(boxes->seen().size()),
                     qPrintable(titles.join(QLatin1String(" | "))));
            return {};
        }
        return boxes->seen().first();
    }
    QString parameterFile(int cardIndex, const char* name) const
    {
        return card(cardIndex) + QStringLiteral("/02/") + QLatin1String(name);
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        quietOffscreenPlatform();
        DesktopOpen::setHandler([this](DesktopOpen::Kind kind, const QString& target) { urls.record(kind, target); });
        startDirectory = QDir::currentPath();
    }

    void init()
    {
        desk = std::make_unique<FreshDesk>();
        QVERIFY(desk->isValid());
        boxes = &desk->boxes;
        exits.clear();
        urls.opened.clear();
    }

    void cleanup()
    {
        window.reset();
        desk.reset();
        QDir::setCurrent(startDirectory);
    }

    void formChecks_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("pin");
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("reset");
        QTest::addColumn<QString>("title");

        const QString pinError = QStringLiteral("PIN Code error"), keyError = QStringLiteral("User key error");
        QTest::newRow("GSM, no PIN") << "GSM"
                                     << ""
                                     << "" << false << noCardTitle;
        QTest::newRow("GSM, 3 digits") << "GSM"
                                       << "123"
                                       << "" << false << pinError;
        QTest::newRow("GSM, 5 digits") << "GSM"
                                       << "12345"
                                       << "" << false << noCardTitle;
        QTest::newRow("GSM, bad key unchecked") << "GSM"
                                                << "1234"
                                                << "ab" << false << noCardTitle;
        QTest::newRow("SMS, 3 digits") << "SMS"
                                       << "123"
                                       << "Wd3kPz" << false << pinError;
        QTest::newRow("SMS, bad PIN and key") << "SMS"
                                              << "12"
                                              << "ab" << false << pinError;
        QTest::newRow("SMS, good") << "SMS"
                                   << "5273"
                                   << "Wd3kPz" << false << noCardTitle;
        QTest::newRow("SMS, 5-character key") << "SMS"
                                              << ""
                                              << "Wd3kP" << false << keyError;
        QTest::newRow("SMS, reset, empty key") << "SMS"
                                               << ""
                                               << "" << true << noCardTitle;
        QTest::newRow("LAN, bad PIN") << "LAN"
                                      << "1"
                                      << "x" << false << noCardTitle;
    }

    // The form is checked first, and only in the modes that use it; an empty drive list comes next.
    void formChecks()
    {
        QFETCH(QString, mode);
        QFETCH(QString, pin);
        QFETCH(QString, key);
        QFETCH(bool, reset);
        QFETCH(QString, title);
        open(0);
        chooseMode(mode);
        setText("PIN_Code", pin);
        setText("userKeyLineEdit", key);
        get<QCheckBox>("resetConfigCheckBox")->setChecked(reset);
        generate();
        const MessageBox::Shown box = onlyBox();
        QCOMPARE(box.title, title);
        QCOMPARE(box.icon, QMessageBox::Warning);
        QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Close));
        QCOMPARE(box.defaultButton, QMessageBox::NoButton);
        if (title == QLatin1String("PIN Code error"))
            QCOMPARE(box.text,
                     QStringLiteral("The PIN code seems to be erroneous.\nPlease enter a code with 4-6 digits!"));
        if (title == QLatin1String("User key error"))
            QVERIFY(box.text.startsWith(QStringLiteral("The user key seems to be erroneous.\n")));
        if (title == noCardTitle)
            QCOMPARE(box.text,
                     QStringLiteral("No SD card is available.\nPlease insert one and select it in the list."));
        QVERIFY(exits.isEmpty());
        QVERIFY(QSettings().allKeys().isEmpty());
    }

    void unreadableTexts_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("named"); // the label named in the warning, empty when the text passes
        QTest::addColumn<QString>("character");

        QTest::newRow("separator in APN") << "GSM"
                                          << "APN"
                                          << "web;x"
                                          << "Access Point Name (APN)"
                                          << ";";
        QTest::newRow("euro in user name")
            << "GSM"
            << "Username" << QStringLiteral("\u20acuro") << "Access Point User Name" << QStringLiteral("\u20ac");
        QTest::newRow("hidden field not checked") << "LAN"
                                                  << "APN"
                                                  << "web;x"
                                                  << ""
                                                  << "";
    }

    void unreadableTexts()
    {
        QFETCH(QString, mode);
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, named);
        QFETCH(QString, character);
        open(0);
        chooseMode(mode);
        setText("userKeyLineEdit", QStringLiteral("Wd3kPz"));
        get<QLineEdit>(qPrintable(field))->setText(text);
        generate();
        const MessageBox::Shown box = onlyBox();
        if (named.isEmpty()) {
            QCOMPARE(box.title, noCardTitle);
            return;
        }
        QCOMPARE(box.title, QStringLiteral("Unsupported character"));
        QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Close));
        QVERIFY2(box.text.contains(QLatin1Char('"') + named + QLatin1Char('"')), qPrintable(box.text));
        QVERIFY2(box.text.contains(QLatin1Char('"') + character + QLatin1Char('"')), qPrintable(box.text));
        QVERIFY(drives->labelCalls.isEmpty());
    }

    void noCardChosen()
    {
        // A remembered position beyond today's cards: nothing is chosen and nothing is touched.
        QSettings().setValue(QStringLiteral("driveLetter"), 3);
        open(2);
        QCOMPARE(get<QComboBox>("sdCardPath")->currentIndex(), -1);
        generate();
        QCOMPARE(onlyBox().title, noCardTitle);
        QVERIFY(drives->labelCalls.isEmpty());
        QVERIFY(!QFile::exists(card(0) + QStringLiteral("/02")));
        QVERIFY(exits.isEmpty());
    }

    void readOnlyCard()
    {
        auto platform = std::make_unique<FakeDrivePlatform>();
        QDir().mkpath(card(0));
        platform->addCard(card(0), QStringLiteral("LOCKED"), true);
        open(0, std::move(platform));
        generate();
        const MessageBox::Shown box = onlyBox();
        QCOMPARE(box.title, QStringLiteral("SD Card is Read Only"));
        QCOMPARE(box.text, QStringLiteral("The SD card is read only.\nPlease unlock the SD card."));
        // A card that is refused keeps its label.
        QVERIFY(drives->labelCalls.isEmpty());
        QVERIFY(!QFile::exists(card(0) + QStringLiteral("/02")));
        // A card that refused the file leaves the window open and the remembered form as it was.
        QVERIFY(exits.isEmpty());
        QVERIFY(QSettings().allKeys().isEmpty());
    }

    void parameterFilePerMode_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("reset");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QStringList>("records"); // records 5 to 11 as the file must hold them
        QTest::addColumn<QByteArray>("resetRecord");

        const QStringList none{QString(), QString(), QString(), QString(), QString(), QString(), QString()};
        QTest::newRow("Kerv 38400") << "Kerv (38400 bps)" << 4 << false << "GP0_0000.VSK" << none << QByteArray();
        QTest::newRow("Kerv 115200") << "Kerv (115200 bps)" << 64 << false << "GP0_0000.VSK" << none << QByteArray();
        QTest::newRow("GSM") << "GSM" << 8 << false << "GP0_0000.VSK"
                             << QStringList{QStringLiteral("internet.example.net"),
                                            QStringLiteral("orva"),
                                            QStringLiteral("p\u00e4ss"),
                                            QStringLiteral("5273"),
                                            QString(),
                                            QString(),
                                            QString()}
                             << QByteArray();
        QTest::newRow("LAN") << "LAN" << 16 << false << "GP0_0000.VSK" << none << QByteArray();
        const QStringList sms{QString(),
                              QString(),
                              QString(),
                              QStringLiteral("5273"),
                              QStringLiteral("+41 79 123 45 67"),
                              QStringLiteral("0041 79 765 43 21"),
                              QStringLiteral("Wd3kPz")};
        QTest::newRow("SMS") << "SMS" << 32 << false << "GP1_0000.VSK" << sms << QByteArray(1, '\0');
        QTest::newRow("SMS, reset") << "SMS" << 32 << true << "GP1_0000.VSK" << sms << QByteArray(1, '\1');
    }

    void parameterFilePerMode()
    {
        QFETCH(QString, mode);
        QFETCH(int, code);
        QFETCH(bool, reset);
        QFETCH(QString, fileName);
        QFETCH(QStringList, records);
        QFETCH(QByteArray, resetRecord);
        open(2);
        get<QComboBox>("sdCardPath")->setCurrentIndex(1);
        chooseMode(mode);
        setText("APN", QStringLiteral("internet.example.net"));
        setText("Username", QStringLiteral("orva"));
        setText("Password", QStringLiteral("p\u00e4ss"));
        setText("PIN_Code", QStringLiteral("5273"));
        setText("sim_card_phone_number", QStringLiteral("+41 79 123 45 67"));
        setText("owner_phone_number", QStringLiteral("0041 79 765 43 21"));
        setText("userKeyLineEdit", QStringLiteral("Wd3kPz"));
        if (reset)
            get<QCheckBox>("resetConfigCheckBox")->click();
        // Files from an earlier generation: the one of this mode's name is replaced, the other one stays.
        const QString otherName =
            fileName == QLatin1String("GP0_0000.VSK") ? QStringLiteral("GP1_0000.VSK") : QStringLiteral("GP0_0000.VSK");
        QVERIFY(QDir().mkpath(card(1) + QStringLiteral("/02")));
        QVERIFY(writeFile(card(1) + QStringLiteral("/02/") + fileName, "old file of this mode"));
        QVERIFY(writeFile(card(1) + QStringLiteral("/02/") + otherName, "the other mode's file"));

        // A file too short for its header may be what is left of a registered one: the window asks, and says why.
        answerWith(QStringLiteral("Replace"));
        generate();

        QCOMPARE(exits, QList<int>{0});
        QCOMPARE(boxes->seen().size(), 2);
        QCOMPARE(boxes->seen().first().title, QStringLiteral("Replace the configuration?"));
        QVERIFY2(boxes->seen().first().text.startsWith(QStringLiteral("The file ") + fileName +
                                                       QStringLiteral(" on the SD card is cut inside its header")),
                 qPrintable(boxes->seen().first().text));
        QCOMPARE(boxes->seen().at(1).title, generatedTitle);
        const QByteArray bytes = readFile(card(1) + QStringLiteral("/02/") + fileName);
        const DecodedParameterFile file = decodeParameterFile(bytes, fileName);
        for (const DecodedParameterFile::Check& check : file.checks)
            QVERIFY2(check.ok, qPrintable(check.name + QStringLiteral(": ") + check.detail));
        QCOMPARE(int(file.modeCode), code);
        QCOMPARE(file.textRecords.size(), 7);
        for (int i = 0; i < 7; ++i)
            QCOMPARE(file.textRecords[i], records[i].toLatin1());
        QCOMPARE(file.resetRecord, resetRecord);
        QCOMPARE(readFile(card(1) + QStringLiteral("/02/") + otherName), QByteArray("the other mode's file"));
        QVERIFY(!QFile::exists(card(0) + QStringLiteral("/02")));
        QCOMPARE(drives->labelCalls.size(), 1);
        QCOMPARE(drives->labelCalls.first().rootPath, card(1));
        QCOMPARE(drives->labelCalls.first().label, QStringLiteral("Orva Config"));
        // No temporary file is left beside it.
        QCOMPARE(QDir(card(1) + QStringLiteral("/02")).entryList({QStringLiteral("GP*")}, QDir::Files).size(), 2);

        // The store holds the form as it was at the moment of generating.
        const QSettings settings;
        QCOMPARE(settings.value(QStringLiteral("serialMode")).toInt(), code);
        QCOMPARE(settings.value(QStringLiteral("driveLetter")).toInt(), 1);
        QCOMPARE(MemoryKeychain::inPlace().entries().value(QStringLiteral("password")), QStringLiteral("p\u00e4ss"));
        QCOMPARE(settings.value(QStringLiteral("resetConfig")).toBool(), reset);
    }

    void relabelledCardIsFollowed()
    {
        // Relabelling mounts the card again elsewhere: the file goes to the new place, and the list says so.
        auto platform = std::make_unique<FakeDrivePlatform>();
        QDir().mkpath(card(0));
        QDir().mkpath(card(1));
        platform->addCard(card(0), QStringLiteral("OLD"));
        platform->remountAfterLabel.insert(card(0), card(1));
        open(0, std::move(platform));
        generate();
        QVERIFY(QFile::exists(parameterFile(1, "GP0_0000.VSK")));
        QVERIFY(!QFile::exists(card(0) + QStringLiteral("/02")));
        QCOMPARE(window->drives(), QStringList{card(1)});
        QCOMPARE(get<QComboBox>("sdCardPath")->itemText(0), QStringLiteral("Orva Config \u2014 ") + card(1));
        QCOMPARE(get<QComboBox>("sdCardPath")->currentIndex(), 0);
    }

    void ejectedWhenDone_data()
    {
        QTest::addColumn<bool>("eject");
        QTest::addColumn<QString>("refusal");
        QTest::addColumn<bool>("staysMounted");
        QTest::addColumn<QString>("told");
        QTest::newRow("ejected") << true << QString() << false << "\n\nThe SD card may now be removed.";
        QTest::newRow("busy") << true << "Target is busy" << false
                              << "\n\nThe SD card could not be ejected: Target is busy\nThe file is written: eject "
                                 "the card before you take it out.";
        QTest::newRow("said ejected, still mounted")
            << true << QString() << true << "\n\nThe SD card could not be ejected: it is still mounted";
        QTest::newRow("not asked to") << false << QString() << false << QString();
    }

    // The card is let go once its file is written, and the user told whether it may be taken out.
    void ejectedWhenDone()
    {
        QFETCH(bool, eject);
        QFETCH(QString, refusal);
        QFETCH(bool, staysMounted);
        QFETCH(QString, told);
        open(1);
        drives->ejectRefusal = refusal;
        drives->ejectLeavesItMounted = staysMounted;
        auto* ejectBox = get<QCheckBox>("ejectCardCheckBox");
        QVERIFY(ejectBox->isChecked());
        ejectBox->setChecked(eject);
        generate();
        const MessageBox::Shown box = onlyBox();
        QCOMPARE(box.title, generatedTitle);
        QVERIFY2(box.text.startsWith(QStringLiteral("The file was generated on the SD Card.") + told),
                 qPrintable(box.text));
        QVERIFY(QFile::exists(parameterFile(0, "GP0_0000.VSK")));
        QCOMPARE(drives->ejectCalls, eject ? QStringList{card(0)} : QStringList());
        QCOMPARE(exits, QList<int>{0});
        QCOMPARE(QSettings().value(QStringLiteral("ejectCardWhenDone")).toBool(), eject);
    }

    // "Prepare another card": the window stays; each card gets its own file, identifier and line in the record.
    void anotherCardInTheSameRun()
    {
        open(2);
        chooseMode(QStringLiteral("GSM"));
        setText("APN", QStringLiteral("internet.example.net"));
        get<QComboBox>("sdCardPath")->setCurrentIndex(0);
        answerWith(QStringLiteral("Prepare another card"));
        generate();
        QTRY_COMPARE(boxes->seen().size(), 1);
        QCOMPARE(boxes->seen().first().defaultButton, QMessageBox::Ok);
        // Escape and the close button answer "OK", which ends the program.
        QCOMPARE(boxes->seen().first().escapeButton, QMessageBox::Ok);
        QVERIFY(exits.isEmpty());
        // The first card was let go; the one still in is chosen, the form is kept.
        QCOMPARE(window->drives(), QStringList{card(1)});
        QCOMPARE(get<QComboBox>("sdCardPath")->currentIndex(), 0);
        QCOMPARE(get<QLineEdit>("APN")->text(), QStringLiteral("internet.example.net"));

        generate();
        QTRY_COMPARE(boxes->seen().size(), 2);
        QCOMPARE(exits, QList<int>{0});
        const QByteArray first = readFile(parameterFile(0, "GP0_0000.VSK"));
        const QByteArray second = readFile(parameterFile(1, "GP0_0000.VSK"));
        QVERIFY(!first.isEmpty() && !second.isEmpty());
        QVERIFY(decodeParameterFile(first, QStringLiteral("GP0_0000.VSK")).identifier !=
                decodeParameterFile(second, QStringLiteral("GP0_0000.VSK")).identifier);
        const QStringList lines =
            QString::fromUtf8(readFile(CardRecord::filePath())).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 3); // the heading and one line a card
        QVERIFY(lines.at(1).contains(card(0)) && lines.at(2).contains(card(1)));
        // The portal opens for the first card, and once more for the run's identifiers as the run ends.
        QCOMPARE(urls.opened.count(QUrl(QStringLiteral("https://portal.orva.example.net"))), 2);
        // No Desktop, no documents folder, and each card let go: each card's identifier file is in the program's data
        // folder, never on the card that goes; the first card's is shown in the editor, the second card's replaces
        // it, and the run's file beside it holds both, shown once as the run ends. (Windows takes the Desktop from the
        // user's profile, which has one.)
        const QByteArray firstDigits =
            decodeParameterFile(first, QStringLiteral("GP0_0000.VSK")).identifierBytes.toHex().toUpper();
        const QByteArray secondDigits =
            decodeParameterFile(second, QStringLiteral("GP0_0000.VSK")).identifierBytes.toHex().toUpper();
#ifndef Q_OS_WIN
        const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        const QString identifierFile = folder + QStringLiteral("/ORVA Serial Number.txt");
        QCOMPARE(urls.opened.count(QUrl::fromLocalFile(identifierFile)), 1);
        QVERIFY(readFile(identifierFile).contains(secondDigits));
        const QStringList runFiles = QDir(folder).entryList({QStringLiteral("ORVA Serial Numbers *.txt")});
        QCOMPARE(runFiles.size(), 1);
        const QString runFile = folder + QLatin1Char('/') + runFiles.first();
        QCOMPARE(urls.opened.count(QUrl::fromLocalFile(runFile)), 1);
        QVERIFY(readFile(runFile).contains(firstDigits) && readFile(runFile).contains(secondDigits));
        for (int i = 0; i < 2; ++i)
            QVERIFY(!QFileInfo::exists(parameterFile(i, "ORVA Serial Number.txt")));
#else
        QCOMPARE(urls.opened.size(), 4); // the first card's identifier file and the portal, then the run's
        Q_UNUSED(firstDigits)
        Q_UNUSED(secondDigits)
#endif
    }

    // GSM, then LAN, one card at a time: each box names the file that holds its identifier, with the identifier itself
    // (selectable), and the file holds it; the editor and the portal open for the first card, the second box offers
    // the portal. The run's list opens with the second card and counts what it lists.
    void lanAfterGsmEachBoxNamesAFileThatHoldsItsIdentifier()
    {
#ifdef Q_OS_WIN
        QSKIP("the Desktop is the Windows user's own folder: the installed program's check under Wine covers it");
#endif
        const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
        QVERIFY(QDir().mkpath(desktop));
        const QString identifierFile = desktop + QStringLiteral("/ORVA Serial Number.txt");
        open(2);
        get<QCheckBox>("ejectCardCheckBox")->setChecked(false);
        const auto runList = [] {
            const QWidgetList windows = QApplication::topLevelWidgets();
            for (QWidget* shown : windows) {
                if (shown->objectName() == QLatin1String("runList"))
                    return shown;
            }
            return static_cast<QWidget*>(nullptr);
        };
        const QString portal = QStringLiteral("https://portal.orva.example.net");
        const QStringList modes{QStringLiteral("GSM"), QStringLiteral("LAN")};
        for (int i = 0; i < 2; ++i) {
            chooseMode(modes.at(i));
            setText("APN", QStringLiteral("internet.example.net"));
            get<QComboBox>("sdCardPath")->setCurrentIndex(i);
            answerWith(i == 0 ? QStringLiteral("Prepare another card") : QStringLiteral("Open the portal"));
            generate();
            QTRY_COMPARE(boxes->seen().size(), i == 0 ? 1 : 3); // the second box shows again after the portal
            const QString digits = QString::fromLatin1(
                decodeParameterFile(readFile(parameterFile(i, "GP0_0000.VSK")), QStringLiteral("GP0_0000.VSK"))
                    .identifierBytes.toHex()
                    .toUpper());
            const MessageBox::Shown box = boxes->seen().at(i);
            QVERIFY2(box.text.startsWith(QStringLiteral("The file was generated on the SD Card and your identifier "
                                                        "(GUID) is on the Desktop.\n\nThe file \"ORVA Serial "
                                                        "Number.txt\" holds it: ") +
                                         digits),
                     qPrintable(box.text));
            QVERIFY(box.textSelectable);
            QVERIFY(readFile(identifierFile).contains(digits.toLatin1()));
            QCOMPARE(box.buttonTexts.contains(QStringLiteral("Open the portal")), i == 1);
            QCOMPARE(urls.opened.count(QUrl::fromLocalFile(identifierFile)), 1);
            // The second: once through its box, once more as the run ends, with the run's file.
            QCOMPARE(urls.opened.count(QUrl(portal)), i == 0 ? 1 : 3);
            QCOMPARE(runList() && runList()->isVisible(), i == 1);
        }
        QCOMPARE(exits, QList<int>{0});
        const QString counted = widget<QLabel>(*runList(), "runIdentifiersLabel")->text();
        QVERIFY2(
            counted.startsWith(QStringLiteral("Identifiers of this run: 2 new, 0 kept; the GSM and LAN ones are in ")),
            qPrintable(counted));
    }

    // The line under the card list tells what the chosen card holds, read off the GUI thread.
    void cardLineTellsWhatTheCardHolds()
    {
        QDir().mkpath(card(1) + QStringLiteral("/02"));
        QVERIFY(writeFile(parameterFile(1, "GP0_0000.VSK"), QByteArray(60, 'x')));
        open(2);
        auto* line = get<QLabel>("cardContentsLabel");
        QTRY_COMPARE(line->text(), QStringLiteral("No configuration on this card."));
        get<QComboBox>("sdCardPath")->setCurrentIndex(1);
        QTRY_VERIFY2(line->text().startsWith(QStringLiteral("A damaged parameter file")), qPrintable(line->text()));

        // A GSM card, prepared here, then chosen again.
        get<QCheckBox>("ejectCardCheckBox")->setChecked(false);
        get<QComboBox>("sdCardPath")->setCurrentIndex(0);
        chooseMode(QStringLiteral("GSM"));
        setText("APN", QStringLiteral("internet.example.net"));
        answerWith(QStringLiteral("Prepare another card"));
        generate();
        QTRY_COMPARE(boxes->seen().size(), 1);
        get<QComboBox>("sdCardPath")->setCurrentIndex(0);
        QTRY_VERIFY2(line->text().startsWith(QStringLiteral("On the card: GSM internet.example.net, written ")),
                     qPrintable(line->text()));
    }

    void replacingAHandedOffIdentifierIsAsked_data()
    {
        QTest::addColumn<quint8>("heldMode");
        QTest::addColumn<QString>("answer"); // empty: the box's default
        QTest::addColumn<bool>("asked");
        QTest::addColumn<bool>("replaced");
        QTest::newRow("GSM card, default answer") << quint8(ModeCode::Gsm) << QString() << true << false;
        QTest::newRow("GSM card, Replace") << quint8(ModeCode::Gsm) << "Replace" << true << true;
        QTest::newRow("LAN card, default answer") << quint8(ModeCode::Lan) << QString() << true << false;
        QTest::newRow("Kerv card: no question") << quint8(ModeCode::KervSlow) << QString() << false << true;
    }

    // A file whose identifier the user registered on the portal is replaced only when the user says so.
    void replacingAHandedOffIdentifierIsAsked()
    {
        QFETCH(quint8, heldMode);
        QFETCH(QString, answer);
        QFETCH(bool, asked);
        QFETCH(bool, replaced);
        FormValues held;
        held.modeCode = heldMode;
        held.text(FormField::AccessPointName) = QStringLiteral("old.example.net");
        const QUuid heldIdentifier = createAcceptableIdentifier();
        const EncodedParameterFile encoded = encodeParameterFile(parameterFileInput(held, heldIdentifier));
        QDir().mkpath(card(0) + QStringLiteral("/02"));
        QVERIFY(writeFile(parameterFile(0, "GP0_0000.VSK"), encoded.header + encoded.body));

        open(1);
        get<QCheckBox>("ejectCardCheckBox")->setChecked(false);
        chooseMode(QStringLiteral("LAN"));
        boxes->answer(answer); // an empty answer takes the default button
        generate();
        QTRY_VERIFY(!boxes->seen().isEmpty());
        const MessageBox::Shown first = boxes->seen().first();
        QCOMPARE(first.title == QLatin1String("Replace the configuration?"), asked);
        if (asked) {
            QVERIFY2(first.text.contains(QString::fromLatin1(heldIdentifier.toRfc4122().toHex().toUpper())),
                     qPrintable(first.text));
            QCOMPARE(first.defaultButton, QMessageBox::Cancel);
        }
        const QByteArray now = readFile(parameterFile(0, "GP0_0000.VSK"));
        QCOMPARE(now == encoded.header + encoded.body, !replaced);
        QCOMPARE(exits, replaced ? QList<int>{0} : QList<int>());
    }

    void loadFromCardThenGenerate_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("fileName");
        QTest::newRow("Kerv 38400") << "Kerv (38400 bps)"
                                    << "GP0_0000.VSK";
        QTest::newRow("Kerv 115200") << "Kerv (115200 bps)"
                                     << "GP0_0000.VSK";
        QTest::newRow("GSM") << "GSM"
                             << "GP0_0000.VSK";
        QTest::newRow("LAN") << "LAN"
                             << "GP0_0000.VSK";
        QTest::newRow("SMS with reset") << "SMS"
                                        << "GP1_0000.VSK";
    }

    // "Load from card" fills the form from the card's file; generated again, the file equals the old one in every
    // record but the identifier and the date.
    void loadFromCardThenGenerate()
    {
        QFETCH(QString, mode);
        QFETCH(QString, fileName);
        open(1);
        get<QCheckBox>("ejectCardCheckBox")->setChecked(false);
        chooseMode(mode);
        setText("APN", QStringLiteral("internet.example.net"));
        setText("Username", QStringLiteral("orva"));
        setText("PIN_Code", QStringLiteral("5273"));
        setText("sim_card_phone_number", QStringLiteral("+41 79 123 45 67"));
        setText("userKeyLineEdit", QStringLiteral("Wd3kPz"));
        get<QCheckBox>("resetConfigCheckBox")->setChecked(mode == QLatin1String("SMS"));
        generate();
        QTRY_COMPARE(exits, QList<int>{0});
        const QString path = card(0) + QStringLiteral("/02/") + fileName;
        const DecodedParameterFile before = decodeParameterFile(readFile(path), fileName);

        // Another run of the window, its form at the defaults.
        window.reset();
        QSettings().clear();
        exits.clear();
        boxes->clear();
        open(1);
        get<QCheckBox>("ejectCardCheckBox")->setChecked(false);
        QTest::mouseClick(get("loadFromCardButton"), Qt::LeftButton);
        QVERIFY2(boxes->seen().isEmpty(), qPrintable(boxes->seen().value(0).text));
        QCOMPARE(get<QComboBox>("modeSerial")->currentText(), mode);
        answerWith(QStringLiteral("Replace"));
        generate();
        QTRY_COMPARE(exits, QList<int>{0});
        const DecodedParameterFile after = decodeParameterFile(readFile(path), fileName);
        QVERIFY(after.allChecksPass());
        QVERIFY(after.identifier != before.identifier);
        QCOMPARE(int(after.modeCode), int(before.modeCode));
        QCOMPARE(after.textRecords, before.textRecords);
        QCOMPARE(after.resetRecord, before.resetRecord);
        QCOMPARE(after.hostName, before.hostName);
    }

    void phoneNumbers_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("title");
        const QString phoneError = QStringLiteral("Phone number error");
        QTest::newRow("SIM, unfinished") << "sim_card_phone_number"
                                         << "+41 79" << phoneError;
        QTest::newRow("owner, 00 form") << "owner_phone_number"
                                        << "0041 79 123 45 67" << noCardTitle;
        QTest::newRow("empty") << "owner_phone_number"
                               << "" << noCardTitle;
    }

    void phoneNumbers()
    {
        QFETCH(QString, field);
        QFETCH(QString, number);
        QFETCH(QString, title);
        open(0);
        chooseMode(QStringLiteral("SMS"));
        setText("userKeyLineEdit", QStringLiteral("Wd3kPz"));
        setText(field.toLatin1().constData(), number);
        generate();
        const MessageBox::Shown box = onlyBox();
        QCOMPARE(box.title, title);
        if (title != noCardTitle)
            QVERIFY2(box.text.contains(QLatin1String("Phone Number\"")), qPrintable(box.text));
    }

    void refusedFieldThatResetDisables()
    {
        // A stored value in a field that the reset option greys out: the user must be told how to reach it.
        open(1);
        chooseMode(QStringLiteral("SMS"));
        setText("userKeyLineEdit", QStringLiteral("ab;cde"));
        get<QCheckBox>("resetConfigCheckBox")->click();
        get("button_Save")->setFocus();
        generate();
        const MessageBox::Shown box = onlyBox();
        QCOMPARE(box.title, QStringLiteral("Unsupported character"));
        QVERIFY2(box.text.endsWith(QLatin1String("\nUncheck \"Reset Configuration\" to edit this field.")),
                 qPrintable(box.text));
        QVERIFY(!get("userKeyLineEdit")->hasFocus());
        QVERIFY(exits.isEmpty());
    }
};

ORVA_WINDOW_TEST_MAIN(TestGenerate)

#include "tst_generate.moc"
