#include "generation/DurableFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {
QString tr(const char* text)
{
    return QCoreApplication::translate("Configurator", text);
}
} // namespace

QString writeDurably(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    // The explicit flush reports a full card; commit() alone would put an empty file in the old one's place.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return reason;
    }
    // commit() flushes the new file to the medium before it takes the old one's place.
    if (!file.commit())
        return file.errorString();

    const QString folderError = syncDirectory(QFileInfo(path).absolutePath());
    if (!folderError.isEmpty())
        return folderError;

    QFile written(path);
    if (!written.open(QIODevice::ReadOnly))
        return written.errorString();
    if (written.readAll() != bytes)
        return tr("The file on the SD card differs from what was written.");
    return QString();
}

QString syncDirectory(const QString& path)
{
#ifdef Q_OS_UNIX
    const int descriptor = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0)
        return QString::fromLocal8Bit(std::strerror(errno));
    QString reason;
    // Some file systems cannot flush a folder (EINVAL): their metadata reaches the medium with the file's own flush.
    if (::fsync(descriptor) != 0 && errno != EINVAL)
        reason = QString::fromLocal8Bit(std::strerror(errno));
    ::close(descriptor);
    return reason;
#else
    // Windows gives a program no way to flush a folder; the file's own data was flushed before it was moved.
    Q_UNUSED(path);
    return QString();
#endif
}
