#pragma once

#include "drives/DrivePlatform.h"
#include "form/FormValues.h"
#include "generation/CardContents.h"

#include <QDateTime>
#include <QMap>
#include <QMetaType>
#include <QString>
#include <QUuid>

// One card of a run, as it ended: prepared as "Generate" prepares it, or left as it was, and why.
struct RunCard
{
    enum class Result
    {
        Prepared,        // the file is on the card, read back equal
        Kept,            // the card holds (or may hold) an identifier handed to the user: left byte for byte (held)
        AlreadyPrepared, // the card holds an identifier of this run: it was prepared earlier in the run (held)
        OtherFiles,      // the drive holds files of someone's: neither blank nor a module's card, it is not touched
        ReadOnly,        // the card is write-protected
        Full,            // the card has no room for the file
        Silent,          // the card stopped answering
        InUse,           // another writer (a window, vskwrite) holds the card: it is still being written
        Failed,          // anything else (reason: the window's message)
    };
    Result result = Result::Failed;
    QDateTime time; // when the card ended, local
    QString card;   // the card as shown to the user (cardShownName)
    QString rootPath;
    quint8 modeCode = 0;
    QUuid identifier;        // Prepared: the new one; Kept, AlreadyPrepared: the one the card holds (may be null)
    bool carriesNew = false; // the card may carry the new identifier (Prepared, or a write that was not confirmed)
    CardContents held;       // Kept, AlreadyPrepared: what the card holds
    QString reason;          // Failed: why; else why the card was not let go, when it was to be
    bool ejectAsked = false; // the card was to be let go once it ended
    bool letGo = false;      // the card was let go: it is no longer mounted
    bool inSeries = false;   // put in during a series, not prepared with "Generate"
    bool writeBegun = false; // the write started: the card's new file may have gone live
    QString unrecorded;      // why the record of prepared cards missed the card, when it did
    // The row of the values per card whose values the card got (1 = the first row under the header), 0: none; a card
    // that may carry no new file gets none.
    int valuesRow = 0;
    QString site;                     // that row's site (a name for the card's label), empty when none
    QMap<QString, QString> rowValues; // that row's values that are not secret, by the remembered form's key
    QString preset;                   // the preset the form was filled from, when it was
    QString reader;                   // the card's reader, as the platform names it

    // The card is no longer mounted: it may be taken out. A mounted card is not (a mounted FAT volume stays marked
    // dirty until it is unmounted), nor one that another writer still writes.
    bool mayBeRemoved() const { return letGo; }
    // The identifier the card held and kept (Kept, AlreadyPrepared): not one this run wrote. Null for other cards.
    QUuid keptIdentifier() const;
    // The name a person knows the card's place by: its row's site, else the preset its form came from; may be empty.
    QString siteOrPreset() const { return site.isEmpty() ? preset : site; }
};

Q_DECLARE_METATYPE(RunCard)

// The card as the run's list, the notifications and vskwrite name it.
QString cardShownName(const MountedVolume& volume);

namespace GenerateProcedure {
struct Result;
}
// The card as the run lists it, from what "Generate" made of it.
RunCard runCardOf(const GenerateProcedure::Result& result, const MountedVolume& card, const FormValues& values);
