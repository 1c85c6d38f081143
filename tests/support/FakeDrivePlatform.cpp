#include "support/FakeDrivePlatform.h"

#include <algorithm>

FakeDrivePlatform& FakeDrivePlatform::addCard(const QString& rootPath, const QString& name, bool readOnly,
                                              const QString& readerId)
{
    const std::lock_guard<std::mutex> lock(guard);
    volumes.append({rootPath, name, readOnly, true, 0});
    volumes.last().readerId = readerId;
    return *this;
}

FakeDrivePlatform& FakeDrivePlatform::addFixedDisk(const QString& rootPath, const QString& name)
{
    const std::lock_guard<std::mutex> lock(guard);
    volumes.append({rootPath, name, false, false, 0});
    return *this;
}

QVector<MountedVolume> FakeDrivePlatform::mountedVolumes() const
{
    const std::lock_guard<std::mutex> lock(guard);
    ++enumerations;
    // A copy of its own, as a real platform makes one per call: a list shared with the caller's thread would be
    // changed in place by a card thread that ejects a card meanwhile.
    return QVector<MountedVolume>(volumes.begin(), volumes.end());
}

bool FakeDrivePlatform::isReadOnly(const QString& rootPath) const
{
    const std::lock_guard<std::mutex> lock(guard);
    for (const MountedVolume& volume : volumes) {
        if (volume.rootPath == rootPath)
            return volume.readOnly;
    }
    return false;
}

QString FakeDrivePlatform::setVolumeLabel(const QString& rootPath, const QString& label)
{
    if (whileLabelling)
        whileLabelling(rootPath);
    const std::lock_guard<std::mutex> lock(guard);
    labelCalls.append({rootPath, label});
    if (unmountOnLabel) {
        volumes.erase(std::remove_if(volumes.begin(), volumes.end(),
                                     [&](const MountedVolume& volume) { return volume.rootPath == rootPath; }),
                      volumes.end());
        return rootPath;
    }
    const QString after = remountAfterLabel.value(rootPath, rootPath);
    for (MountedVolume& volume : volumes) {
        if (volume.rootPath == rootPath) {
            volume.rootPath = after;
            volume.name = label;
        }
    }
    return after;
}

EjectOutcome FakeDrivePlatform::ejectCard(const QString& rootPath)
{
    const std::lock_guard<std::mutex> lock(guard);
    ejectCalls.append(rootPath);
    EjectOutcome outcome;
    if (!ejectRefusal.isEmpty()) {
        outcome.reason = ejectRefusal;
        return outcome;
    }
    if (!ejectLeavesItMounted) {
        volumes.erase(std::remove_if(volumes.begin(), volumes.end(),
                                     [&](const MountedVolume& volume) { return volume.rootPath == rootPath; }),
                      volumes.end());
    }
    outcome.result = EjectOutcome::Result::Ejected;
    return outcome;
}
