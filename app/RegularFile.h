#pragma once

// Reads a file only when the path names a regular file: a FIFO, a device, a socket or a folder is refused without
// being waited on, so that no path can make a command-line tool hang or read without end.

#include <QByteArray>
#include <QString>

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
