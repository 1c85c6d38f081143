#pragma once

#include "base/RegularFile.h"
#include "settings/Presets.h"

#include <QByteArray>
#include <QString>

#include <optional>

// A preset as a file of its own, for IT to hand out: a JSON object with a format mark, the preset's name and the
// remembered form's keys that the preset holds. It carries no installation identifier, so it is never a parameter file
// in disguise: every card written from it draws its own.
//
//     {"format": "ORVA Configurator preset", "version": 1, "name": "Site A",
//      "serialMode": 8, "accessPointName": "internet.example", "username": "", "password": "", "pinCode": "1234"}
namespace PresetFile {
constexpr char extension[] = "orvapreset";
// Far more than the longest preset the form holds (seven texts at their longest, each character escaped).
constexpr qint64 largestSize = 2 * 1024 * 1024;

// Without secrets, the file leaves out the access point password and the PIN (an import then takes them as empty).
QByteArray encode(const Preset& preset, bool withSecrets = true);

// Why a file is not taken as a preset.
struct Refusal
{
    enum class Kind
    {
        NotRead,      // file says why: nothing, a folder, a FIFO or a device at the path, larger than largestSize
        NotAPreset,   // no JSON object with the format mark
        NewerVersion, // a format version that this program does not know
        BadMode,      // no mode, or one that the module does not know
        UnknownKey,   // detail: a key that a preset of its mode does not hold (an identifier, a field the mode hides)
        WrongKind,    // detail: a key whose value is not of the kind the form keeps there
        Name,         // preset says what is wrong with the name
        Field,        // preset says which text the form cannot hold
    };
    Kind kind = Kind::NotAPreset;
    QString detail;
    std::optional<PresetProblem> preset;
    RegularFileRead file;
};

struct Read
{
    std::optional<Preset> preset; // when the file was taken
    std::optional<Refusal> refusal;
};

// The preset in bytes, every value checked as the form checks it; a file without a name takes fallbackName.
Read decode(const QByteArray& bytes, const QString& fallbackName);
// The preset in the file at path (only a regular file is opened); one without a name takes the file's base name.
Read read(const QString& path);
// Writes the file whole or not at all, readable by its owner only (it holds the password and the PIN unless written
// without secrets); the system's reason when it could not be written.
std::optional<QString> write(const QString& path, const Preset& preset, bool withSecrets = true);

// What the user is told of a refused file, in the user's language.
QString refusalText(const Refusal& refusal);
} // namespace PresetFile
