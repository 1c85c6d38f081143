#include "drives/DriveList.h"

QString DriveList::itemText(const MountedVolume& volume)
{
    QString text = volume.rootPath + QLatin1Char(' ') + volume.name;
    if (volume.readOnly)
        text += QLatin1String(" (READ ONLY)");
    return text;
}
