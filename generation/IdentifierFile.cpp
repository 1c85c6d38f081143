#include "generation/IdentifierFile.h"

#include "base/DurableFile.h"
#include "parameterfile/Identifier.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

QString IdentifierFile::fileName()
{
    return QStringLiteral("ORVA Serial Number.txt");
}

QByteArray IdentifierFile::content(const QUuid& identifier)
{
    const QByteArray banner = QByteArray(38, '*') + " THIS IS IMPORTANT " + QByteArray(38, '*');
    return banner + "\r\n\r\n" +
           "PLEASE KEEP THIS IDENTIFIER FOR THE AUTHENTICATION OF YOUR INSTALLATION ON THE ORVA WEBSITE\r\n\r\n" +
           "YOUR IDENTIFIER (GUID) : " + identifierText(identifier).toLatin1() + "\r\n\r\n" + banner;
}

namespace {
// More runs than that started in one second are not met: the folder is given up.
constexpr int mostCounter = 1000;

// A new file of its own in folder, made empty and exclusively, so that nobody else takes its name meanwhile: name
// itself when it is free, else "<name without .txt> (2).txt" and so on. Empty when none could be made.
QString claimNewFile(const QString& folder, const QString& name)
{
    const QFileInfo given(name);
    for (int counter = 1; counter <= mostCounter; ++counter) {
        QString path =
            folder + QLatin1Char('/') +
            (counter == 1
                 ? name
                 : QStringLiteral("%1 (%2).%3").arg(given.completeBaseName()).arg(counter).arg(given.suffix()));
        QFile file(path);
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return path;
        // Nothing has the name (a link counts, even one that leads nowhere): the folder takes no new file.
        if (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink())
            return QString();
    }
    return QString();
}

IdentifierFile::Saved saveIn(const QString& cardFolder, bool cardLetGo, const QString& name, const QByteArray& bytes,
                             bool newFile = false)
{
    using IdentifierFile::Place;
    const QString applicationData = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    const std::pair<QString, Place> places[] = {
        {QStandardPaths::writableLocation(QStandardPaths::DesktopLocation), Place::Desktop},
        {QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation), Place::Documents},
        cardLetGo ? std::make_pair(applicationData, Place::ApplicationData)
                  : std::make_pair(cardFolder, Place::CardFolder),
    };
    for (const auto& [folder, place] : places) {
        // The application's own folder is made when it is needed; the user's folders and the card's never are.
        if (place == Place::ApplicationData && !folder.isEmpty())
            QDir().mkpath(folder);
        if (folder.isEmpty() || !QFileInfo(folder).isDir())
            continue;
        const QString path = newFile ? claimNewFile(folder, name) : folder + QLatin1Char('/') + name;
        if (path.isEmpty())
            continue;
        // Once the new file has taken the name, it is the one the user finds, even if it was not confirmed.
        if (writeDurably(path, bytes).result != DurableWrite::Result::NotWritten)
            return {place, path};
        if (newFile) // the empty file claimed for it
            QFile::remove(path);
    }
    return {};
}
} // namespace

IdentifierFile::Saved IdentifierFile::save(const QUuid& identifier, const QString& cardFolder, bool cardLetGo)
{
    return saveIn(cardFolder, cardLetGo, fileName(), content(identifier));
}

IdentifierFile::Saved IdentifierFile::saveOffCard(const QString& name, const QByteArray& bytes, const Saved& own)
{
    // A file of its own that went away (the user removed it) is not made again: its name may be another run's now.
    if (own.place != Place::Nowhere && QFileInfo::exists(own.filePath) &&
        writeDurably(own.filePath, bytes).result != DurableWrite::Result::NotWritten)
        return own;
    return saveIn(QString(), true, name, bytes, true);
}
