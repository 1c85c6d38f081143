#include "drives/VolumeWatcher.h"

VolumeWatcher::VolumeWatcher(QObject* parent) : QObject(parent)
{
    settle.setSingleShot(true);
    settle.setInterval(settleMilliseconds);
    connect(&settle, &QTimer::timeout, this, &VolumeWatcher::volumesChanged);
    watching = startVolumeNotifications(this);
}

void VolumeWatcher::noteChange()
{
    settle.start();
}
