// vskinfo [--json] PATH...: shows a parameter file's header fields and records and checks every rule of its format.
// A PATH that is a folder is taken as the root of a card: its "02/GP0_0000.VSK" and "02/GP1_0000.VSK" are shown.
// A card that stops answering is given up after the window's time limit.
// Exit status: 0 when every check of every file holds and every text is as the tool writes it, 1 when a check fails (a
// file for another server included) or a text is one that no writer of this tool makes (a PIN "12"), 2 when a path
// gives no readable parameter file (missing, not a regular file, shorter than a header, larger than any parameter file,
// a card without one or whose folder 02 leads off it, a card that does not respond), when the output cannot be
// written, or on bad usage.
#include "base/DetachedTask.h"
#include "base/RegularFile.h"
#include "base/ShownText.h"
#include "form/ModeCodes.h"
#include "generation/CardContents.h"
#include "generation/GenerateTexts.h"
#include "orva_version.h"
#include "parameterfile/ParameterFile.h"
#include "parameterfile/ParameterFileDecoder.h"
#include "parameterfile/ParameterFileReport.h"
#include "tools/StandardOutput.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>

#include <algorithm>
#include <cstdio>

namespace {
// A larger file is no parameter file, as the window's card line and its loader say too: it is refused rather than
// read into memory.
constexpr qint64 largestFile = ParameterFile::largestSize;

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
    print(stderr, QStringLiteral("vskinfo: %1").arg(ShownText::escaped(message)).toLocal8Bit());
}

// A path as the user can read it: control characters escaped, a byte that the system's encoding does not decode (kept
// by pathArguments) as \xHH. A U+FFFF, which the JSON lines use for a NUL, is shown as U+FFFD.
QString shown(const QString& path)
{
    return ShownText::escaped(path).replace(QChar(jsonNulStandIn), QChar::ReplacementCharacter);
}

// The two parameter files a card's root may hold, "02/GP0_0000.VSK" and "02/GP1_0000.VSK", by a mode of each.
constexpr quint8 cardFileModes[] = {ModeCode::Gsm, ModeCode::Sms};

QString cardFile(quint8 mode)
{
    return parameterFileOnCard(parameterFileName(mode));
}

// What a path holds, read on a thread of its own: a card that stopped answering holds that thread only.
struct PathContent
{
    bool folder = false;
    QString offCard; // for a folder whose "02" leads off the card: how (its files are not read)
    QVector<QPair<QString, RegularFileRead>> files; // for a folder, its parameter files that exist
};

PathContent readPath(const QString& path)
{
    PathContent content;
    if (!isFolder(path)) {
        content.files.append({path, readRegularFile(path, largestFile)});
        return content;
    }
    content.folder = true;
    const std::optional<CardContents> finding = cardFolderFinding(path);
    if (finding && finding->state == CardContents::State::OffCard) {
        content.offCard = finding->reason;
        return content;
    }
    for (const quint8 mode : cardFileModes) {
        const QString file = QDir(path).filePath(cardFile(mode));
        if (existsAt(file))
            content.files.append({file, readRegularFile(file, largestFile)});
    }
    return content;
}

class Inspector
{
public:
    explicit Inspector(bool json) : json(json) {}

    // A file, or a card root holding one or both parameter files.
    Status inspectPath(const QString& path)
    {
        DetachedTask<PathContent> reading([path](const DetachedWork::Liveness&) { return readPath(path); });
        const std::optional<PathContent> content = reading.waitWhile(TimeLimits::cardSilence);
        if (!content) {
            return unreadable(path, QStringLiteral("does not respond within %1 seconds (a card or a file system that "
                                                   "stopped answering)")
                                        .arg(TimeLimits::cardSilence.count() / 1000));
        }
        if (!content->offCard.isEmpty()) {
            return unreadable(path, QStringLiteral("its folder %1 leads off the card (%2): the files there are not the "
                                                   "card's")
                                        .arg(QLatin1String(ParameterFile::cardFolderName), content->offCard));
        }
        if (content->folder && content->files.isEmpty()) {
            return unreadable(path, QStringLiteral("is a folder that holds neither %1 nor %2")
                                        .arg(cardFile(cardFileModes[0]), cardFile(cardFileModes[1])));
        }
        Status status = Pass;
        for (const auto& [file, read] : content->files)
            status = std::max(status, inspectFile(file, read));
        return status;
    }

private:
    Status inspectFile(const QString& path, const RegularFileRead& read)
    {
        if (read.outcome != RegularFileRead::Outcome::Read)
            return unreadable(
                path, read.problem(QStringLiteral("larger than %1 bytes, not a parameter file").arg(largestFile)));

        const DecodedParameterFile decoded = decodeParameterFile(read.bytes, shown(path));
        if (decoded.truncated)
            return unreadable(path, QStringLiteral("%1 bytes, shorter than the 48-byte header").arg(read.bytes.size()));
        if (json) {
            QJsonObject object = describeParameterFileAsJson(decoded);
            object.insert(QStringLiteral("path"), shown(path));
            object.insert(QStringLiteral("summary"), GenerateTexts::cardContents(contentsOfParameterFile(
                                                         decoded, shown(path), read.bytes.size())));
            print(stdout, jsonLine(object));
        } else {
            if (reports++ > 0)
                std::fputc('\n', stdout);
            print(stdout,
                  QStringLiteral("%1: %2 bytes").arg(shown(path), QString::number(read.bytes.size())).toLocal8Bit());
            // In the words of the window's line under the card list.
            print(stdout, GenerateTexts::cardContents(contentsOfParameterFile(decoded, shown(path), read.bytes.size()))
                              .toLocal8Bit());
            const QStringList lines = describeParameterFile(decoded);
            for (const QString& line : lines)
                print(stdout, line.toLocal8Bit());
        }
        return asTheToolWrites(decoded) ? Pass : CheckFailed;
    }

    // One line on stderr; with --json also an object naming the path and the problem, so that every path has its line.
    Status unreadable(const QString& path, const QString& problem)
    {
        printError(shown(path) % QLatin1String(": ") % problem);
        if (json) {
            const QJsonObject object{{QStringLiteral("path"), shown(path)}, {QStringLiteral("error"), problem}};
            print(stdout, jsonLine(object));
        }
        return Unreadable;
    }

    const bool json;
    int reports = 0;
};

// Everything written is checked at the end: a full disk or a closed pipe must not look like success.
bool outputWritten()
{
    const std::optional<QString> failure = standardOutputFailure();
    if (!failure)
        return true;
    printError(failure->isEmpty() ? QStringLiteral("cannot write the output")
                                  : QStringLiteral("cannot write the output: %1").arg(*failure));
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
        QStringLiteral(
            "Shows the header fields and records of parameter files and checks every rule of their "
            "format.\nA folder is taken as the root of a card: its %1 and %2 are shown.\n\nExit status: 0 "
            "when every check holds and every text is as the tool writes it, 1 when a check fails or a text is "
            "not as the tool writes it, 2 when a path gives no readable parameter file, "
            "the output cannot be written, or on bad usage.")
            .arg(cardFile(cardFileModes[0]), cardFile(cardFileModes[1])));
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption versionOption = parser.addVersionOption();
    const QCommandLineOption jsonOption(QStringLiteral("json"),
                                        QStringLiteral("One JSON object per file, one per line, for scripts."));
    parser.addOption(jsonOption);
    parser.addPositionalArgument(QStringLiteral("path"), QStringLiteral("A parameter file or a card root."),
                                 QStringLiteral("PATH..."));

    const char* usage = "usage: vskinfo [--json] PATH...\nTry 'vskinfo --help' for more information.\n";
    if (!parser.parse(pathArguments(argc, argv))) {
        printError(parser.errorText());
        std::fputs(usage, stderr);
        return Unreadable;
    }
    // Help and version are printed here rather than by the parser, so that a failed write is noticed there too.
    // --help-all would add Qt's own options, of which a program without a window has none.
    const bool help = parser.isSet(helpOption) || parser.isSet(QStringLiteral("help-all"));
    if (help || parser.isSet(versionOption)) {
        std::fputs(help ? qPrintable(parser.helpText()) : "vskinfo " ORVA_VERSION "\n", stdout);
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
        status = Unreadable;
    // A card that stopped answering may still hold a thread: the program ends without waiting for it.
    if (DetachedWork::outstanding() > 0)
        DetachedWork::endProcess(status);
    return status;
}
