#include "generation/DurableFile.h"

#include "drives/FileSystem.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

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
    // Created anew (never an existing entry, never through a link) beside the target, on the same volume.
    QTemporaryFile file(target.absolutePath() + QLatin1Char('/') + target.fileName() + QLatin1String(".XXXXXX"));
    if (!file.open())
        return notWritten(file.errorString());
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
    file.setAutoRemove(false); // it is the target now

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
