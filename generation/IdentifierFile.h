#pragma once

#include <QByteArray>
#include <QString>
#include <QUuid>

// The identifier file "ORVA Serial Number.txt": the installation identifier kept for the user, who needs it to
// authenticate the installation on the maker's portal.
namespace IdentifierFile {
enum class Place
{
    Desktop,
    Documents,
    CardFolder,      // beside the parameter file
    ApplicationData, // the application's data folder, for a card that is let go
    Nowhere,         // no place took the file
};

struct Saved
{
    Place place = Place::Nowhere;
    QString filePath; // empty when Nowhere
};

QString fileName();

// The file's content: a banner, the request to keep the identifier, its 32 digits in upper case, the banner again;
// CR LF line breaks, no line break at the end. Never translated: the module's maker reads it.
QByteArray content(const QUuid& identifier);

// Saves the file on the Desktop, else in the documents folder, else in the card folder; none of these folders is
// created. A card that is let go (ejected) takes the file nowhere, the user could not open it there: the file goes into
// the application's data folder instead, made when missing. The file takes the name's place only when it is complete:
// a failed write keeps an earlier file, and a link of that name is replaced, never followed.
Saved save(const QUuid& identifier, const QString& cardFolder, bool cardLetGo);

// Saves a file of the program's own making as save does with a card that is let go: on the Desktop, else in the
// documents folder, else in the application's data folder (a run's identifiers, kept off every card). The first save
// (own: Nowhere) makes a file of its own, never replacing one: under name when it is free, else with a counter
// ("name (2).txt", "name (3).txt", ...), the name taken exclusively before anything is written. Later saves replace
// own, the file the first made, and only that; should it fail or be gone, a file of its own is made anew.
Saved saveOffCard(const QString& name, const QByteArray& bytes, const Saved& own = {});
} // namespace IdentifierFile
