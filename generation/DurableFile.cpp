#include "generation/DurableFile.h"

#include "base/FileSystem.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QScopeGuard>

namespace {
DurableWrite notWritten(const QString& reason)
{
    return {DurableWrite::Result::NotWritten, reason};
}

DurableWrite unconfirmed(const QString& reason)
{
    return {DurableWrite::Result::Unconfirmed, reason};
}

// Never shown to the user: a stopped write's outcome goes nowhere.
const QString stoppedReason = QStringLiteral("The write was stopped.");

// The new file beside the target: the target's name, a tag of this program's own and seven random letters or digits.
const QString newFileTag = QStringLiteral(".orva-");
constexpr int newFileRandomLength = 7;

QString newFileName(const QFileInfo& target)
{
    QString random = QString::number(QRandomGenerator::global()->generate64(), 36).right(newFileRandomLength);
    return target.absolutePath() + QLatin1Char('/') + target.fileName() + newFileTag +
           random.rightJustified(newFileRandomLength, QLatin1Char('0'));
}

// New files that a run killed while writing left beside the target: only regular files of exactly that name pattern
// that no live writer claims (another window's or vskwrite's file that is being written stays).
void removeStaleNewFiles(const QFileInfo& target)
{
    const QRegularExpression pattern(
        QRegularExpression::anchoredPattern(QRegularExpression::escape(target.fileName() + newFileTag) +
                                            QStringLiteral("[0-9a-z]{%1}").arg(newFileRandomLength)));
    const QDir folder(target.absolutePath());
    const QStringList names = folder.entryList({target.fileName() + newFileTag + QLatin1Char('*')},
                                               QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names) {
        const QString path = folder.filePath(name);
        if (pattern.match(name).hasMatch())
            FileSystem::removeUnclaimedFile(path);
    }
}
} // namespace

std::optional<QString> writeWhole(QFile& file, const QByteArray& bytes)
{
    // A write may take part of the bytes (a medium that fills up): the rest is written again, and that write reports
    // the system's reason, where the short one reported none.
    qint64 written = 0;
    while (written < bytes.size()) {
        const qint64 count = file.write(bytes.constData() + written, bytes.size() - written);
        if (count <= 0)
            return file.errorString();
        written += count;
    }
    return std::nullopt;
}

bool stillStanding(const QString& path, const StandingEntry& read)
{
    const FileSystem::Entry now = FileSystem::entryAt(path);
    if (now.kind != read.kind || now.stamp != read.stamp)
        return false;
    if (!read.bytes)
        return true;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.read(read.bytes->size() + 1);
    return file.error() == QFileDevice::NoError && bytes == *read.bytes;
}

DurableWrite writeDurably(const QString& path, const QByteArray& bytes, const std::function<bool()>& goOn,
                          const std::optional<StandingEntry>& expected)
{
    const auto stopped = [&goOn] { return goOn && !goOn(); };
    if (stopped())
        return notWritten(stoppedReason);
    const QFileInfo target(path);
    // Created anew (never an existing entry, never through a link) beside the target, on the same volume. A plain
    // file rather than a QTemporaryFile, whose close() keeps the handle open: Windows moves no file that is open.
    removeStaleNewFiles(target);
    FileSystem::FileClaim claim; // outlives removeNewFile below
    QFile file;
    for (int attempt = 0;; ++attempt) {
        file.setFileName(newFileName(target));
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered)) {
            // Another writer's clean-up may have taken it before the claim: a file without a name is given up (after
            // the last attempt its write fails with the system's reason).
            if (claim.claim(file, file.fileName()) || attempt == 8)
                break;
            file.close();
            continue;
        }
        // Another entry of that name (a dangling link too) is the only reason to try another name.
        const bool nameTaken = FileSystem::entryAt(file.fileName()).kind != FileSystem::Entry::Kind::Missing;
        if (!nameTaken || attempt == 8)
            return notWritten(file.errorString());
    }
    // Removed by its name: QFile::remove() keeps a file whose close failed (a full medium fails it again).
    auto removeNewFile = qScopeGuard([&file] {
        file.close();
        QFile::remove(file.fileName());
    });
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                        QFileDevice::ReadOther);
    if (stopped())
        return notWritten(stoppedReason);
    // The unbuffered write reports a full card, and the medium's flush an I/O error, while the old file still stands.
    if (const std::optional<QString> writeError = writeWhole(file, bytes))
        return notWritten(*writeError);
    if (stopped())
        return notWritten(stoppedReason);
    if (const std::optional<QString> flushError = FileSystem::flushToMedium(file))
        return notWritten(*flushError);
    file.close();
    if (file.error() != QFileDevice::NoError)
        return notWritten(file.errorString());

    if (stopped())
        return notWritten(stoppedReason);
    // The old entry is replaced only when it is still the one the caller read (or still absent).
    if (expected && !stillStanding(target.absoluteFilePath(), *expected)) {
        DurableWrite changed = notWritten(QString());
        changed.changed = true;
        return changed;
    }
    if (const std::optional<QString> replaceError =
            FileSystem::replaceEntry(file.fileName(), target.absoluteFilePath()))
        return notWritten(*replaceError);
    removeNewFile.dismiss(); // it is the target now

    if (stopped())
        return unconfirmed(stoppedReason);
    if (const std::optional<QString> folderError = FileSystem::flushFolder(target.absolutePath()))
        return unconfirmed(*folderError);

    if (stopped())
        return unconfirmed(stoppedReason);
    QFile written;
    if (const std::optional<QString> openError = FileSystem::openFromMedium(written, target.absoluteFilePath()))
        return unconfirmed(*openError);
    if (stopped())
        return unconfirmed(stoppedReason);
    const QByteArray readBack = written.read(bytes.size() + 1);
    if (written.error() != QFileDevice::NoError)
        return unconfirmed(written.errorString());
    if (readBack != bytes)
        return unconfirmed(
            QCoreApplication::translate("Configurator", "The file on the SD card differs from what was written."));
    return {DurableWrite::Result::Written, QString()};
}
