#include "window/CardNotification.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QVariantMap>

void CardNotification::show(QWidget*, const QString& title, const QString& text)
{
    QApplication::beep();
    // Sent without waiting for the answer: a desktop without the service leaves the window as it was.
    QDBusMessage notify = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    notify << QCoreApplication::applicationName() << quint32(0) << QString() << title << text << QStringList()
           << QVariantMap() << qint32(-1);
    notify.setAutoStartService(false);
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (bus.isConnected())
        bus.call(notify, QDBus::NoBlock);
}
