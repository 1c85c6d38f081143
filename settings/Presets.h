#pragma once

#include "base/DetachedTask.h"
#include "form/FormCheck.h"
#include "form/FormValues.h"

#include <QLatin1String>
#include <QString>
#include <QStringList>
#include <QVector>

#include <optional>

class QSettings;

// A form saved under a name (a site, a customer): the mode, the texts of the fields that the mode shows and, where the
// mode has it, the reset option. The drive and the window's own preferences are no part of it. The same keys, with
// the same meaning, as the remembered form.
struct Preset
{
    QString name;
    FormValues values; // the fields that the mode hides are empty, the reset option off where the mode has none
};

// What keeps a preset from being saved, renamed, used or read.
struct PresetProblem
{
    enum class Kind
    {
        NoName,        // empty, or spaces only
        NameTooLong,   // longer than Presets::nameLength
        NameCharacter, // a control character, or one that turns the text's direction, in the name
        NameTaken,     // another preset has this name (letter case aside)
        Unknown,       // no preset has this name
        Field,         // a text that the form cannot hold: field says which and why
        Unreadable,    // a stored value is not one value of its kind; detail names the keys
        NotStored,     // the store could not be written; detail says where
        Damaged,       // the store's list of presets cannot be read (a size beyond largestCount); detail says why
        Full,          // as many presets as the list holds (largestCount) already
        SecretNotGot,  // the keychain did not give a secret of the preset: secret says which, detail why
    };
    Kind kind = Kind::Unknown;
    QString name;                              // the name concerned
    std::optional<FormProblem> field;          // for Field
    QString detail;                            // for Unreadable, NotStored and SecretNotGot
    FormField::Id secret = FormField::PinCode; // for SecretNotGot
};

namespace Presets {
// The group of the settings store that holds the presets, beside the remembered form's keys.
inline const QLatin1String group("presets");
constexpr int nameLength = 64;
// The most presets the list holds, far more than anybody keeps. A list whose stored size claims more is damaged and
// read no further: a size of 2147483647 would have every preset up to it looked at, without end.
constexpr int largestCount = 1000;

// Why the store's list of presets cannot be read, if it cannot: its size is no number from 0 to largestCount.
// names() gives no preset then, and find(), save(), rename() and remove() give this problem.
std::optional<PresetProblem> damagedList(const QSettings& settings);

// The preset of a form: the mode, the texts that the mode shows (phone numbers in their accepted form, as "Generate"
// writes them), the reset option where the mode has it; the name without spaces around it.
Preset of(const QString& name, const FormValues& values);

// The form filled from a preset as a parameter file fills it: the preset's mode, the texts of the fields that the
// mode shows and the reset option (off in the modes without one); the fields that the mode hides keep current's
// texts, as a change of mode keeps them, and so do the drive and the window's preferences.
FormValues applied(const Preset& preset, const FormValues& current);

// What the form cannot hold of a preset, if anything: a text longer than its field takes, or a character that the
// module cannot read. A text that is merely unfinished (a PIN of three digits) is held, as a typed one is, and
// "Generate" refuses it.
std::optional<FormProblem> heldProblem(const FormValues& values);

// The name as it is kept (without spaces around it), or what is wrong with it.
std::optional<PresetProblem> nameProblem(const QString& name);

// The names of the store's presets, in the order they were saved; none when the list is damaged.
QStringList names(QSettings& settings);

// The preset of that name (letter case aside), each text whole as stored, when the form can hold it; else why not.
// Its secrets kept in the keychain are read from there (pump: what the thread does while it waits); those not got are
// empty in the preset and named by notGot.
struct Found
{
    std::optional<Preset> preset;
    std::optional<PresetProblem> problem; // when there is no preset
    FormField::Set notGot = 0;            // the preset's secrets that the keychain did not give
    QString notGotReason;                 // why not
};
Found find(QSettings& settings, const QString& name, const DetachedWork::Pump& pump = {});
// The problem of a preset found whose mode shows a secret that the keychain did not give (its text would be taken for
// an empty one), if there is one.
std::optional<PresetProblem> secretNotGot(const Found& found);

// Saves values under name: a new preset at the end, or, with replace, in the place of the one of that name. Writing the
// list moves the secrets that it holds in clear (an earlier release's) into the keychain as well.
std::optional<PresetProblem> save(QSettings& settings, const QString& name, const FormValues& values,
                                  bool replace = false, const DetachedWork::Pump& pump = {});
// Gives the preset from the name to; its place in the list stays, its secrets move to the new name in the keychain.
std::optional<PresetProblem> rename(QSettings& settings, const QString& from, const QString& to,
                                    const DetachedWork::Pump& pump = {});
// Removes the preset, and its secrets from the keychain.
std::optional<PresetProblem> remove(QSettings& settings, const QString& name, const DetachedWork::Pump& pump = {});

// What the user is told of a problem, in the user's language.
QString problemText(const PresetProblem& problem);
} // namespace Presets
