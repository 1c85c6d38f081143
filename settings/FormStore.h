#pragma once

#include "generation/FormValues.h"

class QSettings;

// The form remembered between runs, in a settings store that the caller opens (the application's default store).
namespace FormStore {
// The form as stored. A key that is missing gives its default; a mode code that the mode list does not know gives
// the first mode; the drive index is the stored one, unchecked (see driveIndexFor).
FormValues load(const QSettings& settings);

// Writes the ten keys. The store holds the access point password and the SIM PIN as typed, so where it is a file it
// is made readable by its owner only, and so are the folders made for it; a file the user made read-only is left so.
// False when the store could not be written.
bool save(QSettings& settings, const FormValues& values);

// The drive box position for a stored index with driveCount drives listed: an index beyond today's drives chooses
// none (-1).
int driveIndexFor(int storedIndex, int driveCount);
} // namespace FormStore
