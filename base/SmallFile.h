#pragma once

#include <QByteArray>
#include <QString>

// A file read whole that is never larger than a limit: a parameter file, a preset. Only a regular file is opened (a
// FIFO or a device would make the open or the read wait), and nothing past the limit is read, whatever the file
// system says of its size.
struct SmallFile
{
    enum class Failure
    {
        None,
        NotAFile,   // missing, a folder, a FIFO, a device
        TooLarge,   // over the limit
        Unreadable, // the system refused the open or the read: reason says why
    };
    Failure failure = Failure::None;
    QString reason;
    QByteArray bytes;

    static SmallFile read(const QString& path, qint64 largest);
};
