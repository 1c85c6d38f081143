#include "drives/DrivePlatform.h"
#include "drives/win/WideText.h"
#include "drives/win/WinVolumes.h"

#include <QStorageInfo>

namespace {
class WindowsDrivePlatform : public DrivePlatform
{
public:
    QVector<MountedVolume> mountedVolumes() const override
    {
        QVector<MountedVolume> result;
        const QList<QStorageInfo> volumes = QStorageInfo::mountedVolumes();
        for (const QStorageInfo& volume : volumes) {
            const QString rootPath = volume.rootPath();
            result.append({rootPath, volume.name(), volume.isReadOnly(), isRemovableDriveRoot(wide(rootPath)), 0});
        }
        return result;
    }

    std::optional<MountedVolume> volumeAt(const QString& rootPath) const override
    {
        // A drive letter stays when its card is taken out: the reader must still be removable and hold a volume.
        if (!isRemovableDriveRoot(wide(rootPath)) || !hasVolume(wide(rootPath)))
            return std::nullopt;
        return DrivePlatform::volumeAt(rootPath);
    }

    QString setVolumeLabel(const QString& rootPath, const QString& label) override
    {
        setVolumeLabelOnRoot(wide(rootPath), wide(label));
        return rootPath;
    }
};
} // namespace

std::unique_ptr<DrivePlatform> createNativeDrivePlatform()
{
    return std::make_unique<WindowsDrivePlatform>();
}
