#pragma once

#include "base/FileSystem.h"

#include <QString>
#include <QVector>

#include <memory>
#include <optional>

// One mounted volume as the platform's enumeration reports it.
struct MountedVolume
{
    QString rootPath;       // as reported: "E:/" on Windows, the mount point on Linux
    QString name;           // the file system label, may be empty
    bool readOnly = false;  // mounted read-only
    bool removable = false; // the platform reports the drive as removable
    quint64 device = 0;     // what tells this volume from another mounted at the same root later (Linux: dev_t)
    // What the platform knows of a removable volume without touching its file system; empty or 0 when it does not.
    quint64 capacity = 0; // bytes
    QString fileSystem{}; // "vfat", "exfat", ...
    QString reader{};     // the card reader's vendor and model
    // What tells the device that holds the card from another (CardIdentity names the card with it).
    QString serial{};      // the serial number that the medium, or its reader, reports
    QString deviceName{};  // the system's name for the disk: "sdb", "mmcblk0", "loop0"; empty where it has none
    QString backingFile{}; // the image file of a loop device
    // The card reader's identity, the same for each of its slots and for every card put in it: the USB port path on
    // Linux ("pci-0000:00:14.0-usb-0:2"; a loop device: its image), the device's location on Windows. Empty when the
    // platform cannot tell.
    QString readerId{};
};

// A card reader present on the machine, with or without a card in it; a reader with several slots is one reader.
struct CardReader
{
    QString id;    // as MountedVolume::readerId
    QString model; // its vendor and model, may be empty
};

// What became of a card that was to be let go once its file was written.
struct EjectOutcome
{
    enum class Result
    {
        Ejected,    // no longer mounted: the card may be taken out
        NotEjected, // still mounted (busy, refused, not supported); reason says why
    };
    Result result = Result::NotEjected;
    bool poweredOff = false; // the drive was powered off as well
    QString reason;          // the system's reason, for NotEjected
};

// Everything the window asks of the machine's drives. The native implementation is chosen by the build;
// tests substitute their own to present any set of cards without hardware.
class DrivePlatform
{
public:
    virtual ~DrivePlatform() = default;

    // Every mounted volume, in the platform's order. Must return promptly even when a mount is dead
    // (a hung network or FUSE file system), and describes at least the removable ones fully.
    virtual QVector<MountedVolume> mountedVolumes() const = 0;

    // The removable volume whose root is rootPath now, as mountedVolumes() would list it; nothing when the path is
    // not, or no longer, the root of a mounted removable volume (a card taken out leaves its empty mount folder).
    virtual std::optional<MountedVolume> volumeAt(const QString& rootPath) const;

    // Whether the volume mounted at rootPath is read-only now.
    virtual bool isReadOnly(const QString& rootPath) const;

    // Gives the volume at rootPath a new label. Failures are silent: the card may still take the file.
    // Returns the root path under which the volume is mounted afterwards (usually rootPath itself), within
    // TimeLimits::label: a disk service that does not answer in time leaves the volume unlabelled.
    virtual QString setVolumeLabel(const QString& rootPath, const QString& label);

    // Unmounts the volume at rootPath and, where the drive allows, powers it off or ejects its medium, within
    // TimeLimits::eject. The default cannot eject anything.
    virtual EjectOutcome ejectCard(const QString& rootPath);

    // The card readers present now, with or without a card, each once. The default lists the readers of the removable
    // volumes mounted now.
    virtual QVector<CardReader> cardReaders() const;

    // True when the volume listed earlier is still mounted, as the same volume, at root (its own root path, or the
    // one it was mounted again at).
    bool isStillMounted(const MountedVolume& listed, const QString& root) const;

    // True when the open folder is the root of the volume listed earlier as it is mounted at root now: still mounted
    // there as the same volume (isStillMounted), root names that very folder, and the folder's device is the mount's.
    bool holdsRoot(const MountedVolume& listed, const QString& root, const FileSystem::Folder& opened) const;
};

// The implementation for the platform the program was built for.
std::unique_ptr<DrivePlatform> createNativeDrivePlatform();
