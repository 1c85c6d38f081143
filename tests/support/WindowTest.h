#pragma once

// What every window test shares: a window over made-up cards, its widgets found by object name, and the test's main.
#include "app/WindowSetup.h"
#include "support/FakeDrivePlatform.h"
#include "support/HeldBoxes.h"
#include "window/Configurator.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

// A window whose drive list holds `cards` removable cards "/media/card0", "/media/card1", ... named "CARD0", ...;
// platform, when given, is pointed at the drive platform the window owns.
std::unique_ptr<Configurator> makeWindow(int cards, FakeDrivePlatform** platform = nullptr);

// What a window test that prepares cards starts each test function with: a HOME of its own (an empty Desktop,
// documents folder and record of prepared cards), the settings cleared, a folder for cards, and every box held.
struct FreshDesk
{
    QTemporaryDir home;
    QTemporaryDir cards;
    HeldBoxes boxes;

    FreshDesk();
    bool isValid() const { return home.isValid() && cards.isValid(); }
    // The folder that stands in for card i: "card0", "card1", ... (made by the test).
    QString card(int i) const { return cards.filePath(QStringLiteral("card%1").arg(i)); }
};

// The child of that object name and class; the test stops when there is none.
template <typename T = QWidget> T* widget(const QObject& window, const QString& name)
{
    auto* found = window.findChild<T*>(name);
    if (!found)
        qFatal("no %s named %s", T::staticMetaObject.className(), qPrintable(name));
    return found;
}
template <typename T = QWidget> T* widget(const QObject& window, const char* name)
{
    return widget<T>(window, QLatin1String(name));
}

// Everything the form holds, byte for byte: each field's text and whether it is enabled, the mode, the reset option and
// the eject option.
QList<QByteArray> formState(const Configurator& window);

// A label's or button's text as it is shown: without the '&' that marks its shortcut letter.
inline QString shownText(QString text)
{
    static const QRegularExpression mark(QStringLiteral("&(.)"));
    return text.replace(mark, QStringLiteral("\\1"));
}

// The identity and style are set before the application object exists, as the program does.
#define ORVA_WINDOW_TEST_MAIN(TestObject)                                                                              \
    int main(int argc, char* argv[])                                                                                   \
    {                                                                                                                  \
        WindowSetup::apply();                                                                                          \
        QApplication application(argc, argv);                                                                          \
        TestObject test;                                                                                               \
        return QTest::qExec(&test, argc, argv);                                                                        \
    }
