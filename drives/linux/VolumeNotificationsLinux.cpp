// The kernel marks the mount table file as changed whenever a mount is added, removed or changed in this process's
// mount namespace: poll() reports POLLPRI (and POLLERR) on an open /proc/self/mountinfo, and the mark is cleared by
// that very poll, so nothing has to be read.
#include "drives/VolumeWatcher.h"

#include <QSocketNotifier>

#include <fcntl.h>
#include <unistd.h>

namespace {
class MountTableNotifier : public QObject
{
public:
    MountTableNotifier(int descriptor, VolumeWatcher* watcher)
        : QObject(watcher), descriptor(descriptor), notifier(descriptor, QSocketNotifier::Exception, this)
    {
        connect(&notifier, &QSocketNotifier::activated, watcher, &VolumeWatcher::noteChange);
    }
    ~MountTableNotifier() override
    {
        notifier.setEnabled(false);
        ::close(descriptor);
    }

private:
    int descriptor;
    QSocketNotifier notifier;
};
} // namespace

bool startVolumeNotifications(VolumeWatcher* watcher)
{
    const int descriptor = ::open("/proc/self/mountinfo", O_RDONLY | O_CLOEXEC);
    if (descriptor < 0)
        return false;
    new MountTableNotifier(descriptor, watcher);
    return true;
}
