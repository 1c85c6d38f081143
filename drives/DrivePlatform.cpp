#include "drives/DrivePlatform.h"

#include <QStorageInfo>

bool DrivePlatform::isReadOnly(const QString& rootPath) const
{
    return QStorageInfo(rootPath).isReadOnly();
}

QString DrivePlatform::setVolumeLabel(const QString& rootPath, const QString&)
{
    return rootPath;
}
