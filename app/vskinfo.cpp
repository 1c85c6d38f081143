// vskinfo FILE...: shows a parameter file's header fields and records and checks every rule of its format.
// Exit status: 0 when every check of every file holds, 1 when a check fails, 2 when a file cannot be read or is
// shorter than a header.
#include "generation/ParameterFileDecoder.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>

namespace {
// A parameter file has a few hundred bytes; anything far larger is refused rather than read into memory.
constexpr qint64 largestFile = 16 * 1024 * 1024;

void print(FILE* stream, const QString& line)
{
    std::fputs(line.toLocal8Bit().constData(), stream);
    std::fputc('\n', stream);
}

void printError(const QString& path, const QString& message)
{
    print(stderr, QLatin1String("vskinfo: ") % path % QLatin1String(": ") % message);
}

enum Status
{
    Pass = 0,
    CheckFailed = 1,
    Unreadable = 2
};

Status inspect(const QString& path)
{
    QFile file(path);
    if (QFileInfo(path).isDir()) {
        printError(path, QStringLiteral("is a folder"));
        return Unreadable;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        printError(path, QStringLiteral("cannot be read: ") % file.errorString());
        return Unreadable;
    }
    const QByteArray bytes = file.read(largestFile + 1);
    if (file.error() != QFileDevice::NoError) {
        printError(path, QStringLiteral("cannot be read: ") % file.errorString());
        return Unreadable;
    }
    if (bytes.size() > largestFile) {
        printError(path, QStringLiteral("larger than %1 bytes, not a parameter file").arg(largestFile));
        return Unreadable;
    }

    const DecodedParameterFile decoded = decodeParameterFile(bytes, path);
    if (decoded.truncated) {
        printError(path, QStringLiteral("%1 bytes, shorter than the 48-byte header").arg(bytes.size()));
        return Unreadable;
    }
    print(stdout, QStringLiteral("%1: %2 bytes").arg(path).arg(bytes.size()));
    for (const QString& line : describeParameterFile(decoded))
        print(stdout, line);
    return decoded.allChecksPass() ? Pass : CheckFailed;
}
} // namespace

int main(int argc, char* argv[])
{
    if (argc < 2) {
        std::fputs("usage: vskinfo FILE...\n", stderr);
        return Unreadable;
    }
    int status = Pass;
    for (int i = 1; i < argc; ++i) {
        if (i > 1)
            std::fputc('\n', stdout);
        status = std::max(status, int(inspect(QFile::decodeName(argv[i]))));
    }
    return status;
}
