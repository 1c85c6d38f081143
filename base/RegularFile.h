#pragma once

// Reads a file only when the path names a regular file: a FIFO, a device, a socket or a folder is refused without
// being waited on, so that no path can make the window or a command-line tool hang or read without end. The type is
// checked on what was opened, so that the path cannot be swapped between a check and the open.

#include <QByteArray>
#include <QString>
#include <QStringList>

struct RegularFileRead
{
    enum class Outcome
    {
        Read,
        Missing,    // nothing at the path (a dangling link included); reason holds the system's words
        NotRegular, // the path names something else than a regular file; kind says what ("a FIFO")
        TooLarge,   // larger than the limit; nothing was read
        Failed      // the file cannot be opened or read; reason holds the system's words
    };
    Outcome outcome = Outcome::Failed;
    QByteArray bytes; // when Read
    QString kind;
    QString reason;

    // Why the file was not read, for a command line's error line after the path ("is a FIFO, not a regular file",
    // "cannot be read: Permission denied"); tooLarge for a file over the limit. Not translated.
    QString problem(const QString& tooLarge) const;
    // The same in the user's language, for a box: "It does not exist or is not a file." and so on; tooLarge is the
    // sentence for a file over the limit, which names what the file was to be.
    QString refusalText(const QString& tooLarge) const;
};

// At most largest bytes are read; a larger file is TooLarge.
RegularFileRead readRegularFile(const QString& path, qint64 largest);

// The program's arguments as text, losing nothing of a file name that is not valid in the system's encoding: where the
// system names files by bytes, each byte that does not decode is kept as the character U+DC00 + byte (a lone surrogate,
// which no valid text holds), and the functions here give it back to the system as that byte.
QStringList pathArguments(int argc, char* argv[]);

// Whether path names a folder (a link to one included); false when it names nothing.
bool isFolder(const QString& path);
// Whether anything is at path (a dangling link included).
bool existsAt(const QString& path);
