#pragma once

// Reads a file only when the path names a regular file: a FIFO, a device, a socket or a folder is refused without
// being waited on, so that no path can make a command-line tool hang or read without end.

#include <QByteArray>
#include <QString>
#include <QStringList>

struct RegularFileRead
{
    enum class Outcome
    {
        Read,
        NotRegular, // the path names something else than a regular file; problem says what
        TooLarge,   // larger than the limit; nothing was read
        Failed      // the file cannot be opened or read; problem says why
    };
    Outcome outcome = Outcome::Failed;
    QByteArray bytes;
    QString problem;
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
