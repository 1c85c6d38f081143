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
} // namespace

DurableWrite writeDurably(const QString& path, const QByteArray& bytes)
{
    const QFileInfo target(path);
    // Created anew (never an existing entry, never through a link) beside the target, on the same volume.
    QTemporaryFile file(target.absolutePath() + QLatin1Char('/') + target.fileName() + QLatin1String(".XXXXXX"));
    if (!file.open())
        return notWritten(file.errorString());
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                        QFileDevice::ReadOther);
    // The explicit flush reports a full card, and the medium's flush an I/O error, while the old file still stands.
    if (file.write(bytes) != bytes.size())
        return notWritten(file.errorString());
    const QString flushError = FileSystem::flushToMedium(file);
    if (!flushError.isEmpty())
        return notWritten(flushError);
    file.close();
    if (file.error() != QFileDevice::NoError)
        return notWritten(file.errorString());

    const QString replaceError = FileSystem::replaceEntry(file.fileName(), target.absoluteFilePath());
    if (!replaceError.isEmpty())
        return notWritten(replaceError);
    file.setAutoRemove(false); // it is the target now

    const QString folderError = FileSystem::flushFolder(target.absolutePath());
    if (!folderError.isEmpty())
        return unconfirmed(folderError);

    QFile written;
    const QString openError = FileSystem::openFromMedium(written, target.absoluteFilePath());
    if (!openError.isEmpty())
        return unconfirmed(openError);
    const QByteArray readBack = written.read(bytes.size() + 1);
    if (written.error() != QFileDevice::NoError)
        return unconfirmed(written.errorString());
    if (readBack != bytes)
        return unconfirmed(
            QCoreApplication::translate("Configurator", "The file on the SD card differs from what was written."));
    return {DurableWrite::Result::Written, QString()};
}
