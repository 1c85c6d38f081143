#include "base/RegularFile.h"

#include "base/FileKindPosix.h"

#include <QFile>

#include <algorithm>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// A byte b (0x80 to 0xFF) that does not decode is kept as U+DC00 + b: U+DC80 to U+DCFF.
constexpr ushort keptBytes = 0xDC80;
constexpr ushort keptByteBase = 0xDC00;

// The system's name for path: the text in the local encoding, a kept byte as itself.
QByteArray nativeName(const QString& path)
{
    QByteArray name;
    int start = 0;
    for (int i = 0; i <= path.size(); ++i) {
        // A lone low surrogate in that range; one that completes a pair is part of a character.
        const bool kept = i < path.size() && (path.at(i).unicode() & 0xFF80) == keptBytes &&
                          (i == 0 || !path.at(i - 1).isHighSurrogate());
        if (i < path.size() && !kept)
            continue;
        name += QFile::encodeName(path.mid(start, i - start));
        if (kept)
            name += char(path.at(i).unicode() - keptByteBase);
        start = i + 1;
    }
    return name;
}

// Decodes a UTF-8 name byte by byte where it is not valid, keeping each such byte.
QString decodeKeepingBytes(const QByteArray& bytes)
{
    QString whole = QFile::decodeName(bytes);
    if (QFile::encodeName(whole) == bytes)
        return whole;
    QString text;
    int i = 0;
    while (i < bytes.size()) {
        const uchar lead = uchar(bytes.at(i));
        const int length = lead < 0x80             ? 1
                           : (lead & 0xE0) == 0xC0 ? 2
                           : (lead & 0xF0) == 0xE0 ? 3
                           : (lead & 0xF8) == 0xF0 ? 4
                                                   : 0;
        if (length > 0 && i + length <= bytes.size()) {
            const QByteArray sequence = bytes.mid(i, length);
            const QString decoded = QString::fromUtf8(sequence);
            if (decoded.toUtf8() == sequence && !decoded.contains(QChar::ReplacementCharacter)) {
                text += decoded;
                i += length;
                continue;
            }
        }
        text += QChar(ushort(keptByteBase + lead));
        ++i;
    }
    return text;
}

RegularFileRead notRegular(mode_t mode)
{
    RegularFileRead read;
    read.outcome = RegularFileRead::Outcome::NotRegular;
    read.kind = describeFileKind(mode);
    return read;
}

RegularFileRead failed(int error)
{
    RegularFileRead read;
    // A path through something that is no folder names nothing, as a missing file does.
    read.outcome =
        error == ENOENT || error == ENOTDIR ? RegularFileRead::Outcome::Missing : RegularFileRead::Outcome::Failed;
    read.reason = QString::fromLocal8Bit(std::strerror(error));
    return read;
}

RegularFileRead tooLarge()
{
    RegularFileRead read;
    read.outcome = RegularFileRead::Outcome::TooLarge;
    return read;
}

// The file may change while it is read: it is read to its end, but never more than one byte beyond the limit.
RegularFileRead readUpTo(int descriptor, qint64 size, qint64 largest)
{
    if (size > largest)
        return tooLarge();
    QByteArray bytes(int(size) + 1, Qt::Uninitialized);
    qint64 filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            if (filled > largest)
                return tooLarge();
            bytes.resize(int(std::min(largest + 1, 2 * filled)));
        }
        const ssize_t count = ::read(descriptor, bytes.data() + filled, size_t(bytes.size() - filled));
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return failed(errno);
        if (count == 0)
            break;
        filled += count;
    }
    bytes.truncate(int(filled));
    RegularFileRead read;
    read.outcome = RegularFileRead::Outcome::Read;
    read.bytes = bytes;
    return read;
}
} // namespace

RegularFileRead readRegularFile(const QString& path, qint64 largest)
{
    // Opening a FIFO for reading waits for a writer unless O_NONBLOCK is given; the type is then checked on what was
    // opened, so that the path cannot be swapped between a check and the open. The flag stays for the reads: a regular
    // file ignores it, and a kernel file that would wait for data (such as /proc/kmsg) fails instead.
    const QByteArray name = nativeName(path);
    const int descriptor = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0) {
        const int openError = errno;
        // A socket cannot be opened at all; say what it is rather than "No such device or address".
        struct stat status;
        if (::stat(name.constData(), &status) == 0 && !S_ISREG(status.st_mode))
            return notRegular(status.st_mode);
        return failed(openError);
    }
    struct stat status;
    if (::fstat(descriptor, &status) != 0) {
        const int statError = errno;
        ::close(descriptor);
        return failed(statError);
    }
    if (!S_ISREG(status.st_mode)) {
        ::close(descriptor);
        return notRegular(status.st_mode);
    }
    RegularFileRead read = readUpTo(descriptor, qint64(status.st_size), largest);
    ::close(descriptor);
    return read;
}

QStringList pathArguments(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << decodeKeepingBytes(QByteArray(argv[i]));
    return arguments;
}

bool isFolder(const QString& path)
{
    struct stat status;
    return ::stat(nativeName(path).constData(), &status) == 0 && S_ISDIR(status.st_mode);
}

bool existsAt(const QString& path)
{
    struct stat status;
    return ::lstat(nativeName(path).constData(), &status) == 0;
}
