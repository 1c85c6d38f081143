#include "window/CardNotification.h"

#include <QApplication>
#include <QSystemTrayIcon>
#include <QWidget>

void CardNotification::show(QWidget* window, const QString& title, const QString& text)
{
    QApplication::beep();
    if (!QSystemTrayIcon::isSystemTrayAvailable() || !window)
        return;
    // One icon in the notification area for the window's life, shown with the window's icon.
    auto* icon = window->findChild<QSystemTrayIcon*>(QStringLiteral("cardNotificationIcon"));
    if (!icon) {
        icon = new QSystemTrayIcon(window->windowIcon(), window);
        icon->setObjectName(QStringLiteral("cardNotificationIcon"));
        icon->show();
    }
    icon->showMessage(title, text, QSystemTrayIcon::Information);
}
