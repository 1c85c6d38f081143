#pragma once

#include "drives/DrivePlatform.h"

#include <QString>
#include <QVector>

namespace DriveList {
// What the drive box shows for a card: its root path, a space, its name, and " (READ ONLY)" when write-protected.
QString itemText(const MountedVolume& volume);
} // namespace DriveList
