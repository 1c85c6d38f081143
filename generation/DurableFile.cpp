#include "generation/DurableFile.h"

#include "drives/FileSystem.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
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
} // namespace

DurableWrite writeDurably(const QString& path, const QByteArray& bytes, const std::function<bool()>& goOn)
{
    const auto stopped = [&goOn] { return goOn && !goOn(); };
    if (stopped())
        return notWritten(stoppedReason);
    const QFileInfo target(path);
    // Created anew (never an existing entry, never through a link) beside the target, on the same volume. A plain
    // file rather than a QTemporaryFile, whose close() keeps the handle open: Windows moves no file that is open.
    QFile file;
    for (int attempt = 0;; ++attempt) {
        file.setFileName(target.absolutePath() + QLatin1Char('/') + target.fileName() + QLatin1Char('.') +
                         QString::number(QRandomGenerator::global()->generate(), 36));
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            break;
        // Another entry of that name (a dangling link too) is the only reason to try another name.
        const bool nameTaken = QFileInfo::exists(file.fileName()) || QFileInfo(file.fileName()).isSymLink();
        if (!nameTaken || attempt == 8)
            return notWritten(file.errorString());
    }
    auto removeNewFile = qScopeGuard([&file] { file.remove(); });
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                        QFileDevice::ReadOther);
    if (stopped())
        return notWritten(stoppedReason);
    // The explicit flush reports a full card, and the medium's flush an I/O error, while the old file still stands.
    if (file.write(bytes) != bytes.size())
        return notWritten(file.errorString());
    if (stopped())
        return notWritten(stoppedReason);
    const QString flushError = FileSystem::flushToMedium(file);
    if (!flushError.isEmpty())
        return notWritten(flushError);
    file.close();
    if (file.error() != QFileDevice::NoError)
        return notWritten(file.errorString());

    if (stopped())
        return notWritten(stoppedReason);
    const QString replaceError = FileSystem::replaceEntry(file.fileName(), target.absoluteFilePath());
    if (!replaceError.isEmpty())
        return notWritten(replaceError);
    removeNewFile.dismiss(); // it is the target now

    if (stopped())
        return unconfirmed(stoppedReason);
    const QString folderError = FileSystem::flushFolder(target.absolutePath());
    if (!folderError.isEmpty())
        return unconfirmed(folderError);

    if (stopped())
        return unconfirmed(stoppedReason);
    QFile written;
    const QString openError = FileSystem::openFromMedium(written, target.absoluteFilePath());
    if (!openError.isEmpty())
        return unconfirmed(openError);
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
