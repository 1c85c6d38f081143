#pragma once

// The form that a parameter file was written from: what opening a file, or a card's file, puts into the window.

#include "generation/FormValues.h"

#include <QByteArray>
#include <QString>

struct ParameterFileForm
{
    enum class Outcome
    {
        Loaded,
        NotAFile,   // the path names a folder, a device, a FIFO or nothing
        TooLarge,   // far larger than any parameter file; nothing was read
        Unreadable, // the file cannot be opened or read; detail holds the system's reason
        Damaged,    // no parameter file that the module would read; detail names the first check that fails
    };
    Outcome outcome = Outcome::Unreadable;
    FormValues values; // when Loaded
    QString detail;
};

// The form over current: the file's mode, the texts of the fields that the mode writes, and the reset option (the
// file's byte in "SMS"; off in the modes without the option). The fields that the mode hides keep current's texts,
// as a change of mode keeps them; so does the drive. The identifier is not taken over. Every check of the decoder
// must pass, the name tag against the name that the file's mode writes, so that a renamed copy loads too.
ParameterFileForm formFromParameterFile(const QByteArray& bytes, const FormValues& current);

// The same for the file at path. Only a regular file is opened, so that no path makes the caller wait.
ParameterFileForm formFromParameterFile(const QString& path, const FormValues& current);
