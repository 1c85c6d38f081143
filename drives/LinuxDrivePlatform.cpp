// TEMPORARY until the Linux enumeration lands.
#include "drives/DrivePlatform.h"

#include <QStorageInfo>

namespace {
class QtDrivePlatform : public DrivePlatform
{
public:
    QVector<MountedVolume> mountedVolumes() const override
    {
        QVector<MountedVolume> result;
        const QList<QStorageInfo> volumes = QStorageInfo::mountedVolumes();
        for (const QStorageInfo& info : volumes)
            result.append({info.rootPath(), info.name(), info.isReadOnly(), false});
        return result;
    }
};
} // namespace

std::unique_ptr<DrivePlatform> createNativeDrivePlatform()
{
    return std::make_unique<QtDrivePlatform>();
}
