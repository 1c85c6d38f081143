#include "base/DurableFile.h"

#include "base/FileSystem.h"

#include <QCoreApplication>
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

QString newFileName(const QString& target)
{
    QString random = QString::number(QRandomGenerator::global()->generate64(), 36).right(newFileRandomLength);
    return target + newFileTag + random.rightJustified(newFileRandomLength, QLatin1Char('0'));
}

// New files that a run killed while writing left beside the target: only regular files of exactly that name pattern
// that no live writer claims (another window's or vskwrite's file that is being written stays).
void removeStaleNewFiles(const FileSystem::Folder& folder, const QString& target)
{
    const QRegularExpression pattern(QRegularExpression::anchoredPattern(
        QRegularExpression::escape(target + newFileTag) + QStringLiteral("[0-9a-z]{%1}").arg(newFileRandomLength)));
    const QStringList names = folder.names();
    for (const QString& name : names) {
        if (pattern.match(name).hasMatch())
            folder.removeUnclaimedFile(name);
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

bool stillStanding(const FileSystem::Folder& folder, const QString& name, const StandingEntry& read)
{
    const FileSystem::Entry now = folder.entry(name);
    if (now.kind != read.kind || now.stamp != read.stamp)
        return false;
    if (!read.bytes)
        return true;
    QFile file;
    if (folder.openFromMedium(file, name))
        return false;
    const QByteArray bytes = file.read(read.bytes->size() + 1);
    return file.error() == QFileDevice::NoError && bytes == *read.bytes;
}

DurableWrite writeDurably(const QString& path, const QByteArray& bytes, const std::function<bool()>& goOn,
                          const std::optional<StandingEntry>& expected)
{
    const QFileInfo target(path);
    const FileSystem::Folder folder(target.absolutePath());
    if (!folder.isOpen())
        return notWritten(folder.reason());
    return writeDurably(folder, target.fileName(), bytes, goOn, expected);
}

DurableWrite writeDurably(const FileSystem::Folder& folder, const QString& name, const QByteArray& bytes,
                          const std::function<bool()>& goOn, const std::optional<StandingEntry>& expected,
                          const std::function<bool()>& stillThere)
{
    const auto stopped = [&goOn] { return goOn && !goOn(); };
    if (stopped())
        return notWritten(stoppedReason);
    // Created anew (never an existing entry, never through a link) beside the target, in the same folder. A plain
    // file rather than a QTemporaryFile, whose close() keeps the handle open: Windows moves no file that is open.
    removeStaleNewFiles(folder, name);
    FileSystem::FileClaim claim; // outlives removeNewFile below
    QFile file;
    QString newName;
    for (int attempt = 0;; ++attempt) {
        newName = newFileName(name);
        bool nameTaken = false;
        const std::optional<QString> createError = folder.createFile(file, newName, nameTaken);
        if (!createError) {
            // Another writer's clean-up may have taken it before the claim: a file without a name is given up (after
            // the last attempt its write fails with the system's reason).
            if (claim.claim(file, folder, newName) || attempt == 8)
                break;
            file.close();
            continue;
        }
        // Another entry of that name (a dangling link too) is the only reason to try another name.
        if (!nameTaken || attempt == 8)
            return notWritten(*createError);
    }
    // Removed by its name: QFile::remove() keeps a file whose close failed (a full medium fails it again).
    auto removeNewFile = qScopeGuard([&file, &folder, &newName] {
        file.close();
        folder.remove(newName);
    });
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
    if (expected && !stillStanding(folder, name, *expected)) {
        DurableWrite changed = notWritten(QString());
        changed.changed = true;
        return changed;
    }
    // The last look before the file goes live: the folder must still be on the medium the caller meant.
    if (stillThere && !stillThere()) {
        DurableWrite gone = notWritten(QString());
        gone.gone = true;
        return gone;
    }
    if (const std::optional<QString> replaceError = folder.replaceEntry(newName, name))
        return notWritten(*replaceError);
    removeNewFile.dismiss(); // it is the target now

    if (stopped())
        return unconfirmed(stoppedReason);
    if (const std::optional<QString> folderError = folder.flush())
        return unconfirmed(*folderError);

    if (stopped())
        return unconfirmed(stoppedReason);
    QFile written;
    if (const std::optional<QString> openError = folder.openFromMedium(written, name))
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
