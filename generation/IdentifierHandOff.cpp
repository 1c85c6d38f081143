// For "GSM" and "LAN" the installation identifier is the user's key to the maker's portal: it is saved in a text file
// on the Desktop, named in the success message, shown in the text editor, and the portal is opened.
#include "window/Configurator.h"

#include "generation/Identifier.h"
#include "generation/TextEditor.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QStandardPaths>
#include <QUrl>

namespace {
const QString identifierFileName = QStringLiteral("ORVA Serial Number.txt");
const QString portalAddress = QStringLiteral("https://portal.orva.example.net");

QByteArray identifierFileContent(const QUuid& identifier)
{
    const QByteArray banner = QByteArray(38, '*') + " THIS IS IMPORTANT " + QByteArray(38, '*');
    return banner + "\r\n\r\n" +
           "PLEASE KEEP THIS IDENTIFIER FOR THE AUTHENTICATION OF YOUR INSTALLATION ON THE ORVA WEBSITE\r\n\r\n" +
           "YOUR IDENTIFIER (GUID) : " + identifierDigits(identifier).toUpper().toLatin1() + "\r\n\r\n" + banner;
}

bool writeIdentifierFile(const QByteArray& content)
{
    QFile file(identifierFileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const bool written = file.write(content) == content.size() && file.flush();
    file.close();
    return written && file.error() == QFileDevice::NoError;
}
} // namespace

void Configurator::identifierHandOff(const QUuid& identifier)
{
    // The Desktop first, then the documents folder, then the card folder beside the parameter file, which is the
    // current folder now. No folder is created.
    const QList<QPair<QString, QString>> places{
        {QStandardPaths::writableLocation(QStandardPaths::DesktopLocation), tr("on the Desktop.")},
        {QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation), tr("in My Documents.")},
        {QDir::currentPath(), QString()},
    };
    const QByteArray content = identifierFileContent(identifier);
    QString placePhrase;
    bool written = false;
    for (const auto& [folder, phrase] : places) {
        if (folder.isEmpty() || !QDir::setCurrent(folder))
            continue;
        if (writeIdentifierFile(content)) {
            placePhrase = phrase;
            written = true;
            break;
        }
    }

    QString message = tr("The file was generated on the SD Card and your identifier (GUID) is ") + placePhrase;
    if (!written) {
        // No file holds the identifier: the box is the user's only chance to note it.
        message += identifierDigits(identifier).toUpper() +
                   tr(".\nIt could not be saved in a file: please write it down now.");
    }
    QMessageBox::information(this, tr("File generated"), message, QMessageBox::Ok, QMessageBox::NoButton);

    if (written)
        openInTextEditor(QDir::currentPath() + QLatin1Char('/') + identifierFileName);
    QDesktopServices::openUrl(QUrl(portalAddress, QUrl::TolerantMode));
}
