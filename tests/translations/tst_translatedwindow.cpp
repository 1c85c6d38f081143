// The window in the system's language, as main() sets it up. CTest runs this once per language (LANG=de_DE.UTF-8,
// fr_FR.UTF-8, it_IT.UTF-8) and under LANG=C and en_GB.UTF-8, where every text stays the English of the sources.
#include "app/WindowSetup.h"
#include "desktop/Translations.h"
#include "generation/GenerateTexts.h"
#include "orva_version.h"
#include "support/FakeDrivePlatform.h"
#include "support/HeldBoxes.h"
#include "support/QuietOffscreen.h"
#include "support/WindowTest.h"
#include "window/Configurator.h"
#include "window/ElidedLabel.h"
#include "window/MessageBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLibraryInfo>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {
QString installedLanguage;

// A few texts of the window and of a warning box, in the language the test runs under.
struct Expected
{
    QString language; // what Translations::install() reports; empty for English
    QString sdCardLabel;
    QString generateButton;
    QString noCardTitle;
    QString closeButton; // Qt's own standard button
};

Expected expectedForSystemLanguage()
{
    switch (QLocale::system().language()) {
    case QLocale::German:
        return {QStringLiteral("de"), QStringLiteral("SD-Kartenlaufwerk"), QStringLiteral("Erzeugen"),
                QStringLiteral("Keine SD-Karte verfügbar"), QStringLiteral("Schließen")};
    case QLocale::French:
        return {QStringLiteral("fr"), QStringLiteral("Lecteur de carte SD"), QStringLiteral("Générer"),
                QStringLiteral("Aucune carte SD disponible"), QStringLiteral("Fermer")};
    case QLocale::Italian:
        return {QStringLiteral("it"), QStringLiteral("Unità scheda SD"), QStringLiteral("Genera"),
                QStringLiteral("Nessuna scheda SD disponibile"), QStringLiteral("Chiudi")};
    default:
        return {QString(), QStringLiteral("SD Card Drive"), QStringLiteral("Generate"),
                QStringLiteral("SD Card not available"), QStringLiteral("Close")};
    }
}

template <typename T> T* child(const QWidget& window, const char* name)
{
    return window.findChild<T*>(QString::fromLatin1(name));
}
} // namespace

class TestTranslatedWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void windowSpeaksTheSystemLanguage();
    void qtButtonsSpeakTheSameLanguage();
    void everyControlHasAShortcutOfItsOwn();
    void everyTextFitsTheWindow_data();
    void cardLineIsNeverCut();
    void everyTextFitsTheWindow();
};

void TestTranslatedWindow::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    quietOffscreenPlatform();
#ifndef ORVA_HAS_TRANSLATIONS
    QSKIP("built without Qt's Linguist tools: the program has no translations");
#endif
    qInfo("LANG=%s: %s", qgetenv("LANG").constData(),
          installedLanguage.isEmpty() ? "English" : qPrintable(installedLanguage));
}

void TestTranslatedWindow::init()
{
    QSettings().clear();
}

void TestTranslatedWindow::windowSpeaksTheSystemLanguage()
{
    const Expected expected = expectedForSystemLanguage();
    QCOMPARE(installedLanguage, expected.language);

    Configurator window(std::make_unique<FakeDrivePlatform>());
    QCOMPARE(shownText(child<QLabel>(window, "label_SDCard")->text()), expected.sdCardLabel);
    QCOMPARE(shownText(child<QPushButton>(window, "button_Save")->text()), expected.generateButton);
    // The window title and the modes' names are the same in every language.
    QCOMPARE(window.windowTitle(), QStringLiteral("ORVA Configurator V" ORVA_VERSION));
    QCOMPARE(child<QComboBox>(window, "modeSerial")->itemText(1), QStringLiteral("Kerv (115200 bps)"));
}

void TestTranslatedWindow::everyControlHasAShortcutOfItsOwn()
{
    // Alt and a letter reach every labelled field and every button, the icon buttons and the hidden ones included; no
    // two share a letter.
    Configurator window(std::make_unique<FakeDrivePlatform>());
    QList<QPair<QString, QKeySequence>> shortcuts;
    const QList<QLabel*> labels = window.findChildren<QLabel*>();
    for (const QLabel* label : labels) {
        if (label->buddy())
            shortcuts.append({label->text(), QKeySequence::mnemonic(label->text())});
    }
    const QList<QAbstractButton*> buttons = window.findChildren<QAbstractButton*>();
    for (const QAbstractButton* button : buttons) {
        // The line edits' own buttons are not the window's; the reset option is reached through its label.
        if (!button->objectName().isEmpty() && button->objectName() != QLatin1String("resetConfigCheckBox"))
            shortcuts.append({button->objectName() + QLatin1Char(' ') + button->text(), button->shortcut()});
    }
    QCOMPARE(shortcuts.size(), 22); // with the presets button and "Prepare each card put in"
    QHash<QKeySequence, QString> taken;
    for (const auto& [text, shortcut] : shortcuts) {
        QVERIFY2(!shortcut.isEmpty(), qPrintable(QStringLiteral("no shortcut for \"%1\"").arg(text)));
        QVERIFY2(
            !taken.contains(shortcut),
            qPrintable(
                QStringLiteral("\"%1\" and \"%2\" share %3").arg(text, taken.value(shortcut), shortcut.toString())));
        taken.insert(shortcut, text);
    }

    // The boxes: each button of each box with a letter of its own, Qt's standard buttons too.
    const HeldBoxes boxes;
    const QList<QPair<QMessageBox::StandardButton, QString>> kinds{
        {QMessageBox::Close, QString()},
        {QMessageBox::Ok, GenerateTexts::prepareAnotherCard()},
        {QMessageBox::Cancel, GenerateTexts::replaceAnswer()}};
    for (const auto& [standard, own] : kinds) {
        QMessageBox box(QMessageBox::Information, QStringLiteral("title"), QStringLiteral("text"), standard, &window);
        if (!own.isEmpty())
            box.addButton(own, QMessageBox::ActionRole);
        MessageBox::exec(box);
    }
    QCOMPARE(boxes.seen().size(), kinds.size());
    for (const MessageBox::Shown& shown : boxes.seen()) {
        const QList<QKeySequence>& letters = shown.buttonShortcuts;
        QVERIFY2(!letters.contains(QKeySequence()), qPrintable(shown.buttonTexts.join(QLatin1Char('|'))));
        QCOMPARE(QSet<QKeySequence>(letters.begin(), letters.end()).size(), letters.size());
    }
}

void TestTranslatedWindow::qtButtonsSpeakTheSameLanguage()
{
    const Expected expected = expectedForSystemLanguage();
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    const QString qtTranslations = QLibraryInfo::location(QLibraryInfo::TranslationsPath);
#else
    const QString qtTranslations = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
#endif
    if (!expected.language.isEmpty() &&
        !QFile::exists(qtTranslations + QStringLiteral("/qtbase_%1.qm").arg(expected.language)))
        QSKIP("Qt's own translations are not installed (Debian: qttranslations5-l10n, qt6-translations-l10n)");
    Configurator window(std::make_unique<FakeDrivePlatform>());
    const HeldBoxes boxes;
    // No card: "Generate" warns, with the single standard button Close.
    child<QPushButton>(window, "button_Save")->click();
    QCOMPARE(boxes.seen().size(), 1);
    QCOMPARE(boxes.seen().first().title, expected.noCardTitle);
    QCOMPARE(boxes.seen().first().buttons, QMessageBox::StandardButtons(QMessageBox::Close));
    QCOMPARE(boxes.seen().first().buttonTexts, QStringList{expected.closeButton});
}

void TestTranslatedWindow::everyTextFitsTheWindow_data()
{
    QTest::addColumn<int>("modeIndex");
    QTest::newRow("GSM") << 2; // access point, user name, password, PIN
    QTest::newRow("SMS") << 4; // PIN, both phone numbers, user key, reset option
}

// The window keeps its width of 410 pixels, and no label or button shows less than its whole text.
void TestTranslatedWindow::everyTextFitsTheWindow()
{
    QFETCH(int, modeIndex);

    Configurator window(std::make_unique<FakeDrivePlatform>());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    child<QComboBox>(window, "modeSerial")->setCurrentIndex(modeIndex);
    QApplication::processEvents();

    QCOMPARE(window.width(), 410);
    QStringList cut;
    const QList<QWidget*> widgets = window.findChildren<QWidget*>();
    for (QWidget* widget : widgets) {
        QString text;
        if (auto* label = qobject_cast<QLabel*>(widget))
            text = label->text();
        else if (auto* button = qobject_cast<QPushButton*>(widget))
            text = button->text();
        // A line that shortens itself is looked at by cardLineIsNeverCut.
        if (text.isEmpty() || !widget->isVisible() || qobject_cast<ElidedLabel*>(widget))
            continue;
        if (widget->width() < widget->sizeHint().width())
            cut.append(
                QStringLiteral("%1 (%2 of %3 pixels)").arg(text).arg(widget->width()).arg(widget->sizeHint().width()));
    }
    QVERIFY2(cut.isEmpty(), qPrintable(QStringLiteral("cut: ") + cut.join(QStringLiteral(", "))));
}

// The line under the card list at the window's width: whole, or shortened with "…" and whole in its tooltip.
void TestTranslatedWindow::cardLineIsNeverCut()
{
    auto drives = std::make_unique<FakeDrivePlatform>();
    FakeDrivePlatform* platform = drives.get();
    Configurator window(std::move(drives));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* line = child<ElidedLabel>(window, "cardContentsLabel");
    // No card: the line says to put one in.
    QTRY_VERIFY(!line->text().isEmpty());
    const QString noCard = line->text();

    const QTemporaryDir card;
    const QString root = card.path() + QStringLiteral("/a card with a name long enough to be cut");
    QVERIFY(QDir().mkpath(root));
    platform->addCard(root, QStringLiteral("LONGNAME"), true);
    child<QPushButton>(window, "refreshButton")->click();
    // A read-only card says so first.
    QTRY_COMPARE(line->text(), QCoreApplication::translate("Configurator", "Read only: %1")
                                   .arg(QCoreApplication::translate("Configurator", "No configuration on this card.")));
    const QStringList texts{line->text(), noCard, line->text() + QStringLiteral(" and more and more").repeated(8)};
    for (const QString& text : texts) {
        line->setLine(text);
        QApplication::processEvents();
        const QString shown = line->shownText();
        QVERIFY(line->fontMetrics().horizontalAdvance(shown) <= line->contentsRect().width());
        if (shown != text) {
            QVERIFY2(shown.endsWith(QChar(0x2026)), qPrintable(shown));
            QCOMPARE(line->toolTip(), text);
        }
        QCOMPARE(window.width(), 410);
    }
}

int main(int argc, char* argv[])
{
    WindowSetup::apply();
    QApplication application(argc, argv);
    installedLanguage = Translations::install();
    TestTranslatedWindow test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_translatedwindow.moc"
