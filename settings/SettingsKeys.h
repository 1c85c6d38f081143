#pragma once

#include <QLatin1String>

// The keys of the remembered form that are not a text field's (those are in the form's field table), at the top
// level of the application's settings store.
namespace SettingsKeys {
inline const QLatin1String serialMode("serialMode");   // the mode code, not the list position
inline const QLatin1String driveLetter("driveLetter"); // the drive box's index, not a letter or a path
inline const QLatin1String resetConfig("resetConfig");
// The window's own preference beside the form: let the card go once its file is written.
inline const QLatin1String ejectCardWhenDone("ejectCardWhenDone");
// The card readers taken out of a series ("Prepare each card put in"), by their identity (MountedVolume::readerId).
inline const QLatin1String skippedReaders("skippedReaders");
} // namespace SettingsKeys
