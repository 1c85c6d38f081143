#pragma once

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
    QString reason; // the system's reason when not Written

    bool written() const { return result == Result::Written; }
};

// Writes all of bytes into the open file, or returns the system's reason ("No space left on device") why not.
std::optional<QString> writeWhole(QFile& file, const QByteArray& bytes);

// Writes bytes into the file at path so that they are on the medium when this returns: a new file beside it is
// written and flushed to the medium, then takes the place of whatever entry has the name (a symbolic link there is
// replaced, never followed), the folder is flushed, and the file is read back from the medium and compared.
// goOn, when given, is asked before each step on the medium (so it also learns that the medium answered the one
// before): its false stops the write there, as NotWritten before the new file took the old one's place and as
// Unconfirmed after. The new file never stays behind after a failure, and new files that a killed run left beside the
// target are removed first.
DurableWrite writeDurably(const QString& path, const QByteArray& bytes, const std::function<bool()>& goOn = {});
