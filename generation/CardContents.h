#pragma once

#include <QDateTime>
#include <QString>
#include <QUuid>

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
    };
    State state = State::Nothing;
    QString fileName; // the file described: "GP0_0000.VSK" or "GP1_0000.VSK"
    quint8 modeCode = 0;
    QDateTime written; // the date and time in the file's header; invalid when it holds none
    QUuid identifier;  // the installation identifier the file carries
    QString mainValue; // the access point name (GSM) or the SIM card's number (SMS); empty for the other modes
    QString reason;
    QString server; // Foreign: the host name the file names

    // The file carries an identifier that was handed to the user to register on the portal (GSM, LAN), also one written
    // for another server.
    bool carriesHandedOffIdentifier() const;
};

struct DecodedParameterFile;

// What a decoded parameter file of that name holds (size: the bytes that were read).
CardContents contentsOfParameterFile(const DecodedParameterFile& decoded, const QString& fileName, qint64 size);

// The one file at path (a parameter file by its name).
CardContents readParameterFileAt(const QString& path);

// The file that "Generate" in modeCode would replace on the card at cardRoot.
CardContents readParameterFileOnCard(const QString& cardRoot, quint8 modeCode);

// The card at cardRoot: the newer of its two parameter files by the date in their headers, or what went wrong.
CardContents readCardContents(const QString& cardRoot);
