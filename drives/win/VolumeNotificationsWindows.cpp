// Windows tells every top-level window of a volume's arrival and removal; the application's native event filter sees
// those messages for all of the program's windows.
#include "drives/VolumeWatcher.h"
#include "drives/win/DeviceChangeWindows.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>

namespace {
class DeviceChangeFilter : public QObject, public QAbstractNativeEventFilter
{
public:
    explicit DeviceChangeFilter(VolumeWatcher* watcher) : QObject(watcher), watcher(watcher)
    {
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
    ~DeviceChangeFilter() override
    {
        if (QCoreApplication::instance())
            QCoreApplication::instance()->removeNativeEventFilter(this);
    }

#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) override
#else
    bool nativeEventFilter(const QByteArray& eventType, void* message, long*) override
#endif
    {
        if (eventType == "windows_generic_MSG" && isVolumeArrivalOrRemoval(message))
            watcher->noteChange();
        return false; // the message goes on to the window as usual
    }

private:
    VolumeWatcher* watcher;
};
} // namespace

bool startVolumeNotifications(VolumeWatcher* watcher)
{
    if (!QCoreApplication::instance())
        return false;
    new DeviceChangeFilter(watcher);
    return true;
}
