#pragma once

#include "drives/DrivePlatform.h"

#include <QString>

// Lets the card at rootPath go (DrivePlatform::ejectCard) and confirms that it is gone: Ejected only once the card is
// no longer mounted, whatever the system answered (a mounted FAT volume stays marked dirty until it is unmounted);
// else NotEjected with why, the system's reason or "it is still mounted at ...". Waits for the platform, which bounds
// the eject itself: a front end that keeps painting calls it on a thread of its own.
EjectOutcome releaseCard(DrivePlatform& drives, const QString& rootPath);
