#pragma once

#include "base/FileSystem.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

class QFile;

// How far a durable write got.
struct DurableWrite
{
    enum class Result
    {
        Written,     // the file is on the medium, read back equal
        NotWritten,  // failed before the new file took the old one's place: the old entry is as it was
        Unconfirmed, // the new file took the old one's place, then flushing the folder or reading back failed
    };
    Result result = Result::NotWritten;
    QString reason;       // the system's reason when not Written
    bool changed = false; // NotWritten because the entry at the name was no longer the one the caller had read
    bool gone = false;    // NotWritten because the medium had gone (stillThere) before the new file took the name

    bool written() const { return result == Result::Written; }
};

// Writes all of bytes into the open file, or returns the system's reason ("No space left on device") why not.
std::optional<QString> writeWhole(QFile& file, const QByteArray& bytes);

// What stands at a file's name, as far as a writer can tell: nothing, or an entry of a kind and a stamp (its node, size
// and times), and the bytes of a regular file as far as they were read.
struct StandingEntry
{
    FileSystem::Entry::Kind kind = FileSystem::Entry::Kind::Missing;
    QByteArray stamp;
    std::optional<QByteArray> bytes; // its first bytes, when it could be read
};

// Whether what stands at name in the folder now is still what was read there: the same kind and stamp and, when bytes
// were read, the same bytes (as many as were read, and not one more).
bool stillStanding(const FileSystem::Folder& folder, const QString& name, const StandingEntry& read);

// Writes bytes into the file at path so that they are on the medium when this returns: a new file beside it is
// written and flushed to the medium, then takes the place of whatever entry has the name (a symbolic link there is
// replaced, never followed), the folder is flushed, and the file is read back from the medium and compared.
// goOn, when given, is asked before each step on the medium (so it also learns that the medium answered the one
// before): its false stops the write there, as NotWritten before the new file took the old one's place and as
// Unconfirmed after. With expected, the new file takes the name only while what stands there is still what the caller
// read (stillStanding); otherwise the write is NotWritten and changed. The new file never stays behind after a failure;
// it is claimed while it is written (FileSystem::FileClaim), and new files that no live writer claims (a killed run
// left them) are removed first.
DurableWrite writeDurably(const QString& path, const QByteArray& bytes, const std::function<bool()>& goOn = {},
                          const std::optional<StandingEntry>& expected = std::nullopt);

// The same for the file name in the open folder: every step is taken in that folder, whatever its path names
// meanwhile. stillThere, when given, is asked right before the new file takes the name: its false (the medium went
// away) makes the write NotWritten and gone.
DurableWrite writeDurably(const FileSystem::Folder& folder, const QString& name, const QByteArray& bytes,
                          const std::function<bool()>& goOn = {},
                          const std::optional<StandingEntry>& expected = std::nullopt,
                          const std::function<bool()>& stillThere = {});
