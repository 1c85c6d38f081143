// vskinfo [--json] PATH...: shows a parameter file's header fields and records and checks every rule of its format.
// A PATH that is a folder is taken as the root of a card: its "02/GP0_0000.VSK" and "02/GP1_0000.VSK" are shown.
// Exit status: 0 when every check of every file holds, 1 when a check fails, 2 when a path gives no readable parameter
// file (missing, not a regular file, shorter than a header, a card without one), when the output cannot be written,
// or on bad usage.
#include "RegularFile.h"
#include "generation/ModeCodes.h"
#include "generation/ParameterFile.h"
#include "generation/ParameterFileDecoder.h"
#include "orva_version.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {
// A parameter file has a few hundred bytes; anything far larger is refused rather than read into memory.
constexpr qint64 largestFile = 16 * 1024 * 1024;

enum Status
{
    Pass = 0,
    CheckFailed = 1,
    Unreadable = 2
};

void print(FILE* stream, const QByteArray& line)
{
    std::fwrite(line.constData(), 1, size_t(line.size()), stream);
    std::fputc('\n', stream);
}

void printError(const QString& message)
{
    print(stderr, QStringLiteral("vskinfo: %1").arg(message).toLocal8Bit());
}

class Inspector
{
public:
    explicit Inspector(bool json) : json(json) {}

    // A file, or a card root holding one or both parameter files.
    Status inspectPath(const QString& path)
    {
        if (!QFileInfo(path).isDir())
            return inspectFile(path);
        QStringList found;
        for (const quint8 mode : {ModeCode::Gsm, ModeCode::Sms}) {
            const QString file = QDir(path).filePath(QLatin1String("02/") % parameterFileName(mode));
            if (QFileInfo::exists(file))
                found << file;
        }
        if (found.isEmpty()) {
            return unreadable(path, QStringLiteral("is a folder that holds neither 02/GP0_0000.VSK nor "
                                                   "02/GP1_0000.VSK"));
        }
        Status status = Pass;
        for (const QString& file : found)
            status = std::max(status, inspectFile(file));
        return status;
    }

private:
    Status inspectFile(const QString& path)
    {
        const RegularFileRead read = readRegularFile(path, largestFile);
        switch (read.outcome) {
        case RegularFileRead::Outcome::Read:
            break;
        case RegularFileRead::Outcome::TooLarge:
            return unreadable(path, QStringLiteral("larger than %1 bytes, not a parameter file").arg(largestFile));
        case RegularFileRead::Outcome::NotRegular:
        case RegularFileRead::Outcome::Failed:
            return unreadable(path, read.problem);
        }

        const DecodedParameterFile decoded = decodeParameterFile(read.bytes, path);
        if (decoded.truncated)
            return unreadable(path, QStringLiteral("%1 bytes, shorter than the 48-byte header").arg(read.bytes.size()));
        if (json) {
            QJsonObject object = describeParameterFileAsJson(decoded);
            object.insert(QStringLiteral("path"), path);
            print(stdout, QJsonDocument(object).toJson(QJsonDocument::Compact));
        } else {
            if (reports++ > 0)
                std::fputc('\n', stdout);
            print(stdout, QStringLiteral("%1: %2 bytes").arg(path, QString::number(read.bytes.size())).toLocal8Bit());
            for (const QString& line : describeParameterFile(decoded))
                print(stdout, line.toLocal8Bit());
        }
        return decoded.allChecksPass() ? Pass : CheckFailed;
    }

    // One line on stderr; with --json also an object naming the path and the problem, so that every path has its line.
    Status unreadable(const QString& path, const QString& problem)
    {
        printError(path % QLatin1String(": ") % problem);
        if (json) {
            const QJsonObject object{{QStringLiteral("path"), path}, {QStringLiteral("error"), problem}};
            print(stdout, QJsonDocument(object).toJson(QJsonDocument::Compact));
        }
        return Unreadable;
    }

    const bool json;
    int reports = 0;
};

// Everything written is checked at the end: a full disk or a closed pipe must not look like success.
bool outputWritten()
{
    if (std::fflush(stdout) != 0) {
        printError(QStringLiteral("cannot write the output: %1").arg(QString::fromLocal8Bit(std::strerror(errno))));
        return false;
    }
    if (!std::ferror(stdout))
        return true;
    printError(QStringLiteral("cannot write the output"));
    return false;
}
} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vskinfo"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ORVA_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Shows the header fields and records of parameter files and checks every rule of their "
                       "format.\nA folder is taken as the root of a card: its 02/GP0_0000.VSK and 02/GP1_0000.VSK "
                       "are shown.\n\nExit status: 0 when every check holds, 1 when a check fails, 2 when a path "
                       "gives no readable parameter file, the output cannot be written, or on bad usage."));
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption versionOption = parser.addVersionOption();
    const QCommandLineOption jsonOption(QStringLiteral("json"),
                                        QStringLiteral("One JSON object per file, one per line, for scripts."));
    parser.addOption(jsonOption);
    parser.addPositionalArgument(QStringLiteral("path"), QStringLiteral("A parameter file or a card root."),
                                 QStringLiteral("PATH..."));

    const char* usage = "usage: vskinfo [--json] PATH...\nTry 'vskinfo --help' for more information.\n";
    if (!parser.parse(QCoreApplication::arguments())) {
        printError(parser.errorText());
        std::fputs(usage, stderr);
        return Unreadable;
    }
    // Help and version are printed here rather than by the parser, so that a failed write is noticed there too.
    if (parser.isSet(helpOption) || parser.isSet(versionOption)) {
        std::fputs(parser.isSet(helpOption) ? qPrintable(parser.helpText()) : "vskinfo " ORVA_VERSION "\n", stdout);
        return outputWritten() ? Pass : Unreadable;
    }
    const QStringList paths = parser.positionalArguments();
    if (paths.isEmpty()) {
        std::fputs(usage, stderr);
        return Unreadable;
    }

    Inspector inspector(parser.isSet(jsonOption));
    int status = Pass;
    for (const QString& path : paths) {
        status = std::max(status, int(inspector.inspectPath(path)));
        if (std::ferror(stdout))
            break;
    }
    if (!outputWritten())
        return Unreadable;
    return status;
}
