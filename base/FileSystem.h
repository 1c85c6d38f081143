#pragma once

#include <QByteArray>
#include <QFileDevice>
#include <QString>
#include <QStringList>

#include <optional>

class QFile;

// The few file-system calls that Qt does not offer as the card needs them. One implementation per platform.
// Functions that can fail return what went wrong (the system's reason) when they failed, and nothing when they
// succeeded.
namespace FileSystem {
// Flushes the file's data to the medium and reports the medium's answer (Qt's own flush stops at the system's cache).
std::optional<QString> flushToMedium(QFile& file);

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

// A folder held open, so that every step taken in it stays in that very folder, wherever its path leads meanwhile (a
// card taken out leaves its mount folder on the computer's own disk): on Linux a descriptor that each call is made
// relative to; on Windows the folder's path through its volume's name ("\\?\Volume{GUID}\"), which names no
// other volume once the card is gone. Names are single names inside the folder, never paths.
class Folder
{
public:
    Folder() = default;
    // Opens the folder at path; see isOpen() and reason().
    explicit Folder(const QString& path);
    // Opens the root folder of the volume mounted at rootPath (on Windows through the volume's name).
    static Folder volumeRoot(const QString& rootPath);
    ~Folder();
    Folder(Folder&& other) noexcept;
    Folder& operator=(Folder&& other) noexcept;
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;

    bool isOpen() const { return handle != -1 || !place.isEmpty(); }
    QString reason() const { return failure; } // the system's reason when it was not opened

    // Whether the folder at path is this very folder now (its volume and node, however path is spelt).
    bool isAt(const QString& path) const;
    // The device of the volume that holds it as the platform's drive list tells it (Linux: major << 32 | minor, as the
    // mount table gives it); 0 where the platform tells none.
    quint64 device() const;
    // Whether the other folder is on the same volume as this one.
    bool sameVolume(const Folder& other) const;

    // The folder called name in this one, never through a link; see isOpen() and reason().
    Folder folder(const QString& name) const;
    // What stands at name, as entryAt tells it.
    Entry entry(const QString& name) const;
    // The names of the entries in it (not "." and "..").
    QStringList names() const;
    // Makes the folder name (never over an existing entry).
    std::optional<QString> makeFolder(const QString& name) const;
    // Creates the file name anew (never an existing entry, never through a link) and opens it in file for writing,
    // unbuffered, readable by everyone and writable by its owner. nameTaken tells that an entry of that name stood
    // there.
    std::optional<QString> createFile(QFile& file, const QString& name, bool& nameTaken) const;
    // Opens the file name for reading as the medium holds it: a symbolic link is refused, and the system's cached copy
    // of the file's data is dropped first where the platform allows it.
    std::optional<QString> openFromMedium(QFile& file, const QString& name) const;
    // Puts the file from in the place of whatever entry is called to, in one step: a file of that name is replaced,
    // and so is a symbolic link, which is never followed.
    std::optional<QString> replaceEntry(const QString& from, const QString& to) const;
    // Flushes the folder itself, so that a file just moved into it stays there after a power cut or an unplugged card.
    std::optional<QString> flush() const;
    // Removes the regular file name unless a writer claims it (FileClaim). True when it was removed.
    bool removeUnclaimedFile(const QString& name) const;
    // Removes the file name, whatever it is but a folder.
    void remove(const QString& name) const;

private:
    friend class FileClaim;
    qintptr handle = -1; // the platform's: a descriptor
    QString place;       // Windows: the folder's path through its volume's name
    QString identity;    // Windows: the folder's identity (folderIdentity) when it was opened, which a path that
                         // another folder took meanwhile no longer has
    QString failure;
};

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

    // Claims the file that the open file is (it was created as name in folder by this writer). False when a clean-up
    // removed it first: the writer makes another one. A file system that cannot hold claims leaves the file unclaimed
    // (true).
    bool claim(QFile& file, const Folder& folder, const QString& name);
    // The same for a file created at path.
    bool claim(QFile& file, const QString& path);

private:
    qintptr handle = -1;
};

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
