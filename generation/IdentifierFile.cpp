#include "generation/IdentifierFile.h"

#include "generation/DurableFile.h"
#include "parameterfile/Identifier.h"

#include <QDir>
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
IdentifierFile::Saved saveIn(const QString& cardFolder, bool cardLetGo, const QString& name, const QByteArray& bytes)
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
        const QString path = folder + QLatin1Char('/') + name;
        // Once the new file has taken the name, it is the one the user finds, even if it was not confirmed.
        if (writeDurably(path, bytes).result != DurableWrite::Result::NotWritten)
            return {place, path};
    }
    return {};
}
} // namespace

IdentifierFile::Saved IdentifierFile::save(const QUuid& identifier, const QString& cardFolder, bool cardLetGo)
{
    return saveIn(cardFolder, cardLetGo, fileName(), content(identifier));
}

IdentifierFile::Saved IdentifierFile::saveOffCard(const QString& name, const QByteArray& bytes)
{
    return saveIn(QString(), true, name, bytes);
}
