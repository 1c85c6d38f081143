// The window in the system's language, as main() sets it up. CTest runs this once per language (LANG=de_DE.UTF-8,
// fr_FR.UTF-8, it_IT.UTF-8) and under LANG=C and en_GB.UTF-8, where every text stays the English of the sources.
#include "app/WindowSetup.h"
#include "desktop/Translations.h"
#include "orva_version.h"
#include "support/FakeDrivePlatform.h"
#include "support/HeldBoxes.h"
#include "support/QuietOffscreen.h"
#include "support/WindowTest.h"
#include "window/Configurator.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLibraryInfo>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
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
    // Alt and a letter reach every labelled field and every button with a text; no two share a letter.
    Configurator window(std::make_unique<FakeDrivePlatform>());
    QStringList texts;
    const QList<QLabel*> labels = window.findChildren<QLabel*>();
    for (const QLabel* label : labels) {
        if (label->buddy())
            texts << label->text();
    }
    const QList<QAbstractButton*> buttons = window.findChildren<QAbstractButton*>();
    for (const QAbstractButton* button : buttons) {
        if (!button->text().isEmpty())
            texts << button->text();
    }
    QCOMPARE(texts.size(), 16); // with "Prepare each card put in"
    QHash<QKeySequence, QString> taken;
    for (const QString& text : texts) {
        const QKeySequence shortcut = QKeySequence::mnemonic(text);
        QVERIFY2(!shortcut.isEmpty(), qPrintable(QStringLiteral("no shortcut in \"%1\"").arg(text)));
        QVERIFY2(
            !taken.contains(shortcut),
            qPrintable(
                QStringLiteral("\"%1\" and \"%2\" share %3").arg(text, taken.value(shortcut), shortcut.toString())));
        taken.insert(shortcut, text);
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
        if (text.isEmpty() || !widget->isVisible())
            continue;
        if (widget->width() < widget->sizeHint().width())
            cut.append(
                QStringLiteral("%1 (%2 of %3 pixels)").arg(text).arg(widget->width()).arg(widget->sizeHint().width()));
    }
    QVERIFY2(cut.isEmpty(), qPrintable(QStringLiteral("cut: ") + cut.join(QStringLiteral(", "))));
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
