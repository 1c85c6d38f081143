#pragma once

#include <QByteArray>
#include <QFileDevice>
#include <QString>

#include <optional>

class QFile;

// The few file-system calls that Qt does not offer as the card needs them. One implementation per platform.
// Functions that can fail return what went wrong (the system's reason) when they failed, and nothing when they
// succeeded.
namespace FileSystem {
// Flushes the file's data to the medium and reports the medium's answer (Qt's own flush stops at the system's cache).
std::optional<QString> flushToMedium(QFile& file);

// Flushes the folder itself, so that a file just moved into it stays there after a power cut or an unplugged card.
std::optional<QString> flushFolder(const QString& path);

// Puts the file at from in the place of whatever entry is called to, in one step: a file of that name is replaced,
// and so is a symbolic link, which is never followed.
std::optional<QString> replaceEntry(const QString& from, const QString& to);

// Opens the file for reading as the medium holds it: a symbolic link is refused, and the system's cached copy of the
// file's data is dropped first where the platform allows it.
std::optional<QString> openFromMedium(QFile& file, const QString& path);

// True when path is a real folder (not a symbolic link or another kind of entry) on the same volume as rootPath.
bool isFolderOnVolume(const QString& path, const QString& rootPath);

// What stands at a path, looked at without following a link and without opening it.
struct Entry
{
    enum class Kind
    {
        Missing,
        RegularFile,
        Folder,
        Link,
        Other,     // a FIFO, a socket, a device
        Unreadable // the system could not say; reason says why
    };
    Kind kind = Kind::Missing;
    QString description; // what it is, in words ("a FIFO"), for all but Missing
    QString reason;      // the system's reason, for Unreadable
    // What tells this entry from another one that took its name, or from itself changed (its node, size and times, as
    // far as the platform tells them); only ever compared, never shown. Empty for Missing and Unreadable.
    QByteArray stamp;
};
Entry entryAt(const QString& path);

// What tells the folder at path from every other folder of the machine, however its path is spelt (a link, a second
// mount of the same volume): on Linux its device and node, on Windows its volume's serial number and its file index.
// Nothing when it cannot be looked at.
std::optional<QString> folderIdentity(const QString& path);

// A lock that one holder on this machine has at a time, whichever its program (a window, vskwrite) or user: taken by
// name without waiting, and let go when the object goes or the process ends, however it ends (the system lets it go).
// Two objects of one process exclude each other as two processes do.
class MachineLock
{
public:
    enum class State
    {
        Held,          // this object holds it
        HeldElsewhere, // another holder has it now
        Failed,        // the lock could not be asked for; reason says why
    };
    // name: letters, digits and '-' only.
    explicit MachineLock(const QString& name);
    ~MachineLock();
    MachineLock(const MachineLock&) = delete;
    MachineLock& operator=(const MachineLock&) = delete;

    State state() const { return taken; }
    QString reason() const { return failure; }

private:
    State taken = State::Failed;
    QString failure;
    qintptr handle = -1; // the platform's: a file descriptor, a handle
    QString place;       // where the lock is kept, for its holder to remove it, where the platform keeps it in a file
};

// A writer's claim on a new file it writes beside its target, so that a clean-up of files that killed runs left
// behind (removeUnclaimedFile) leaves it alone. It lasts as long as the object and never longer than the process,
// however it ends; it goes with the file when the file is moved onto its target's name.
class FileClaim
{
public:
    FileClaim() = default;
    ~FileClaim();
    FileClaim(const FileClaim&) = delete;
    FileClaim& operator=(const FileClaim&) = delete;

    // Claims the file that the open file is (it was created at path by this writer). False when a clean-up removed it
    // first: the writer makes another one. A file system that cannot hold claims leaves the file unclaimed (true).
    bool claim(QFile& file, const QString& path);

private:
    qintptr handle = -1;
};

// Removes the regular file at path unless a writer claims it (FileClaim). True when it was removed.
bool removeUnclaimedFile(const QString& path);

// Makes the folder path (its parent must exist). Returns the system's reason when that failed.
std::optional<QString> makeFolder(const QString& path);

// The program's own files (the remembered form, the record of prepared cards) are for their owner only.
constexpr QFileDevice::Permissions ownFilePermissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

// Opens one of the program's own files for appending and reading: a missing file is created for its owner only
// (created is then set), and anything but a regular file (a link, a FIFO, a device, a folder) is refused without being
// followed, written or waited on. Returns what is wrong, or the system's reason, when the file was not opened.
std::optional<QString> openOwnFileToAppend(QFile& file, const QString& path, bool& created);

// True when path is the root of the file system that holds the operating system or the user's home folder (a folder
// inside them, or the root of another volume, is not).
bool isSystemOrHomeRoot(const QString& path);
} // namespace FileSystem
