#pragma once

// The form that a parameter file was written from: what opening a file, or a card's file, puts into the window.

#include "form/FormValues.h"

#include <QByteArray>
#include <QString>
#include <QVector>

#include <optional>

struct ParameterFileForm
{
    enum class Outcome
    {
        Loaded,
        NotAFile,   // the path names a folder, a device, a FIFO or nothing
        TooLarge,   // larger than any parameter file (ParameterFile::largestSize); nothing was read
        Unreadable, // the file cannot be opened or read; detail holds the system's reason
        Damaged,    // no parameter file that the module would read; detail names the first check that fails
    };
    Outcome outcome = Outcome::Unreadable;
    FormValues values; // when Loaded
    QString detail;

    // A field whose record the form would write otherwise than the file holds it: a record longer than the field
    // takes (the field holds its beginning), or a phone number that "Generate" puts into an accepted form. Every other
    // field holds its record exactly; one that "Generate" refuses as it stands is refused there.
    struct Difference
    {
        FormField::Id field;
        QString inFile;                 // the record, as the file holds it
        QString inForm;                 // what the field holds: the record, cut to the field's length
        std::optional<QString> written; // what "Generate" writes from the field; nothing when it refuses it

        bool cut() const { return inForm.size() < inFile.size(); }
    };
    QVector<Difference> differences; // in the form's order
    // The host name of another server that the file names, which "Generate" replaces with ours; empty when ours.
    QString otherServer;

    // The user must be told before anything is written: the form will not write the file as it is.
    bool differsFromFile() const { return !differences.isEmpty() || !otherServer.isEmpty(); }
};

// The form over current: the file's mode, the texts of the fields that the mode writes, and the reset option (the
// file's byte in "SMS"; off in the modes without the option). The fields that the mode hides keep current's texts,
// as a change of mode keeps them; so does the drive. The identifier is not taken over. Every check of the decoder
// must pass, the name tag against the name that the file's mode writes, so that a renamed copy loads too; a file
// for another server loads as well, and says so.
ParameterFileForm formFromParameterFile(const QByteArray& bytes, const FormValues& current);

// The same for the file at path. Only a regular file is opened, so that no path makes the caller wait.
ParameterFileForm formFromParameterFile(const QString& path, const FormValues& current);
