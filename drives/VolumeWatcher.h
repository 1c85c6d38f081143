#pragma once

#include <QObject>
#include <QTimer>

// Tells when the machine's mounted volumes may have changed: a card put in or taken out, mounted or unmounted. The
// platform's notifications arrive on the event loop, never by polling; a burst of them (a card's partitions, a
// remount) is told once, after a short quiet spell.
class VolumeWatcher : public QObject
{
    Q_OBJECT

public:
    // How long the watcher waits after a notification for the next one before it tells.
    static constexpr int settleMilliseconds = 150;

    // Starts the platform's notifications at once.
    explicit VolumeWatcher(QObject* parent = nullptr);

    // False when the platform gave no notifications (the list then follows only the refresh button).
    bool isWatching() const { return watching; }

    // A notification arrived: volumesChanged follows once no other has come for settleMilliseconds.
    void noteChange();

signals:
    void volumesChanged();

private:
    QTimer settle;
    bool watching = false;
};

// Starts the platform's notifications for the watcher, owned by it, each calling watcher->noteChange(). False when
// the platform cannot notify. One implementation per platform.
bool startVolumeNotifications(VolumeWatcher* watcher);
