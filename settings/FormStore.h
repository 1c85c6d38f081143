#pragma once

#include "base/DetachedTask.h"
#include "form/FormValues.h"

#include <QString>

#include <optional>

class QSettings;

// The form remembered between runs, in a settings store that the caller opens (the application's default store).
namespace FormStore {
// Why the application's default store must not be opened, if it must not: a file of it that is not a regular file (a
// FIFO would make reading it wait without end, a link would have the form written elsewhere). Open the store only when
// this says nothing; otherwise the form is not remembered.
std::optional<QString> unusableStore();
// Why the form must not be written into the default store, if it must not: what unusableStore says, or something else
// than a regular file where the store's lock belongs. QSettings waits for that lock without a time limit, and nothing
// but a regular file is a lock it can take: it would block on a FIFO, retry on a folder without end, and read a link to
// /dev/zero without end. Save the form only when this says nothing.
std::optional<QString> unwritableStore();

// The form as stored, each text whole; a secret kept in the keychain (Secrets::marked) is empty here and read
// through Secrets, one kept in the store (by an earlier release, or where no keychain answered) is read as before (the
// window cuts a text longer than its field takes, vskwrite refuses it). A key that is missing, or that unreadableValues
// names, gives its default; a mode code that the mode list does not know gives the first mode; the drive index is the
// stored one, unchecked (see driveIndexFor).
FormValues load(const QSettings& settings);

// The keys whose stored value is not one value of the kind the form keeps there, named with the store's place, and
// how to mend them; nothing when every key is readable. A comma outside quotes in the settings file (accessPointName=
// a,b) makes Qt read a list, never the text the line holds.
std::optional<QString> unreadableValues(const QSettings& settings);

// What is wrong with the stored mode, naming its key (with the group it stands in) and the store's place: a value
// that is no mode code of the module's (128, 99, "gsm"), which load() takes for the first mode, or, where the mode is
// required (a preset), no mode at all. Nothing for a mode code, or for a missing mode where the defaults may stand in
// for it (the remembered form of a first start).
std::optional<QString> unknownMode(const QSettings& settings, bool required = false);

// Writes the form's keys, its secrets into the keychain (Secrets::keep) with a marker each in the store, or, where no
// keychain took them, in the store as typed; the secrets in notGot (which the keychain did not give) stay as stored.
// Where the store is a file it is made readable by its owner only, and so are the folders made for it; a file the user
// made read-only is left so. False when the store could not be written.
bool save(QSettings& settings, const FormValues& values, FormField::Set notGot = 0,
          const DetachedWork::Pump& pump = {});

// Makes the store's file, before it is first written, readable by its owner only, and so the folders made for it
// (the store holds the access point password and the SIM PIN as typed); a file the user made read-only is left so.
// False when the store must not be written.
bool keepToOwner(const QSettings& settings);

// The drive box position for a stored index with driveCount drives listed: an index beyond today's drives chooses
// none (-1).
int driveIndexFor(int storedIndex, int driveCount);
} // namespace FormStore
