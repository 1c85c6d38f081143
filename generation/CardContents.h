#pragma once

#include "base/DurableFile.h"

#include <QDateTime>
#include <QString>
#include <QUuid>
#include <QVector>

#include <optional>

// What a card holds in its folder "02": the parameter file read back, for the line under the card list, the question
// before a file is replaced, and scripts. Reads files only, never more than the largest parameter file
// (ParameterFile::largestSize); a card that stops answering holds the caller's thread, which bounds the time itself.
struct CardContents
{
    enum class State
    {
        Nothing,    // no parameter file
        Configured, // a parameter file whose checks all pass
        Foreign,    // a parameter file for another server (server), perhaps of another release; no damage
        Damaged,    // a parameter file that breaks a check (reason names the first)
        Unreadable, // the folder or the file could not be read (reason: the system's)
        OffCard,    // the folder "02" leads off the card, a link or another file system mounted there (reason: which,
                    // a text of the context "Configurator"): what it holds is not the card's, and is not read
    };
    // What the file's mode byte told, for a regular file that was read.
    enum class ModeFound
    {
        NotRead,       // no file, one that could not be read, or no regular file
        Known,         // one of the modes (modeCode)
        CutInHeader,   // the file ends inside its 48-byte header
        CutBeforeMode, // the file ends before its mode byte
        NoSuchMode,    // the mode byte names no mode (modeCode)
    };
    // Whether the file carries an identifier that was handed to the user to register on the portal.
    enum class HandedOff
    {
        No,         // no file, no regular file, or a file of a mode that hands nothing off
        Yes,        // a GSM or LAN file
        CannotTell, // a file that could not be read, or whose mode is not known: it counts as carrying one
    };
    State state = State::Nothing;
    ModeFound modeFound = ModeFound::NotRead;
    QString fileName; // the file described: "GP0_0000.VSK" or "GP1_0000.VSK"
    quint8 modeCode = 0;
    QDateTime written; // the date and time in the file's header; invalid when it holds none
    QUuid identifier;  // the installation identifier the file carries
    QString mainValue; // the access point name (GSM) or the SIM card's number (SMS); empty for the other modes
    QString reason;
    // What stood at the file's name when it was read, for a writer to tell whether it is still there as it was.
    StandingEntry standing;
    QString server; // Foreign: the host name the file names

    HandedOff handedOffIdentifier() const;
    // The file carries an identifier that was handed to the user (also one written for another server), or cannot be
    // shown not to: it is replaced only when the user says so.
    bool carriesHandedOffIdentifier() const;
};

struct DecodedParameterFile;

// What a decoded parameter file of that name holds (size: the bytes that were read).
CardContents contentsOfParameterFile(const DecodedParameterFile& decoded, const QString& fileName, qint64 size);

// The one file at path (a parameter file by its name).
CardContents readParameterFileAt(const QString& path);

// The file that "Generate" in modeCode would replace on the card at cardRoot.
CardContents readParameterFileOnCard(const QString& cardRoot, quint8 modeCode);

// What keeps the folder "02" of the card at cardRoot from being read as the card's (OffCard, Unreadable, without a file
// name); nothing when it is a folder on the card, or when there is none.
std::optional<CardContents> cardFolderFinding(const QString& cardRoot);

// The card at cardRoot: each parameter file that its folder "02" holds, GP0_0000.VSK before GP1_0000.VSK (none when it
// holds neither), or the folder's finding alone.
QVector<CardContents> readCardFiles(const QString& cardRoot);

// The card at cardRoot: the newer of its two parameter files by the date in their headers, or what went wrong.
CardContents readCardContents(const QString& cardRoot);

// What the root folder of a card holds, for a series, which prepares without a question only a card meant for the
// module: a blank one, or one that holds a module's configuration. Looks at names only, never following a link.
struct CardRootFinding
{
    enum class Kind
    {
        Blank,      // nothing but what file systems keep there themselves (lost+found, System Volume Information, ...)
        Configured, // a folder "02" on the card holding GP0_0000.VSK or GP1_0000.VSK, whatever else the card holds
        OtherFiles, // anything else: the card is someone's drive (otherName: the first other entry found)
        Unreadable, // its root folder could not be listed
    };
    Kind kind = Kind::Unreadable;
    QString otherName;
};
CardRootFinding lookAtCardRoot(const QString& cardRoot);

// True for an entry that a file system or an operating system puts in a volume's root folder by itself.
bool isFileSystemOwnEntry(const QString& name);
