#pragma once

#include <QString>

class QWidget;

// Tells the user that a card of a series ended, without a box: a short sound and a desktop notification (on Linux
// the freedesktop notification service over the session bus, on Windows the notification area). Never waits for the
// desktop: a notification that cannot be shown is left out. One implementation per platform.
namespace CardNotification {
void show(QWidget* window, const QString& title, const QString& text);
} // namespace CardNotification
