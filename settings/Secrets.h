#pragma once

#include "base/DetachedTask.h"
#include "form/FormValues.h"

#include <QString>
#include <QVariantMap>

#include <memory>
#include <optional>

class QSettings;

// The form's secrets (FormField::inKeychain: the access point password and the PIN) in the system's keychain
// (Keychain::instance()), for the remembered form and for every preset. The settings store keeps, in the place of each
// secret kept there, a marker key ("passwordInKeychain", "pinCodeInKeychain": true); a secret that no keychain took is
// kept in the store as before, under its own key, and a store of an earlier release holds its secrets so.
//
// Each call to the keychain is made on a thread of its own and waited for within TimeLimits::keychain; a keychain that
// let that limit pass is not asked again in this process, so that only the first wait is long.
namespace Secrets {
// The keychain is asked by the remembered form under this name, by a preset under its own.
inline const QString rememberedForm;

// The key that marks the secret of field as kept in the keychain.
QString markerKey(FormField::Id field);
// The keychain's entry for the secret of field of the form (rememberedForm) or of the preset of that name.
QString entryKey(const QString& form, FormField::Id field);

// The secrets that the settings store's current group (the remembered form, a preset's entry) marks as kept in the
// keychain.
FormField::Set marked(const QSettings& settings);
// The same of a preset's keys as read from the store.
FormField::Set marked(const QVariantMap& keys);

// What the keychain gave for a form's secrets.
struct Got
{
    FormValues values;         // the secrets got, in their fields
    FormField::Set got = 0;    // the fields got (an entry that the keychain does not hold is not got)
    FormField::Set notGot = 0; // asked for and not got
    QString reason;            // why the first of notGot was not got
};

// Asks the keychain for the form's secrets in fields, on a thread of its own; the caller waits for it within
// TimeLimits::keychain (DetachedTask::waitWhile, or look() from a timer); nothing when the keychain fell silent before.
std::unique_ptr<DetachedTask<Got>> startReading(const QString& form, FormField::Set fields);
// What a reading that did not end within the limit gave: none of fields; the keychain is not asked again.
Got givenUp(FormField::Set fields);
// Reads the secrets and waits for them within the limit (pump: what the waiting thread does meanwhile).
Got read(const QString& form, FormField::Set fields, const DetachedWork::Pump& pump = {});

// Moves the secrets that keys holds in clear (under their own settings keys) into the keychain, as the form's or the
// preset's: each one the keychain confirmed leaves keys for its marker, each one it did not stays in clear and loses a
// marker keys had. Called before keys are written, so that a clear secret leaves the store only once the keychain holds
// it.
void keep(QVariantMap& keys, const QString& form, const DetachedWork::Pump& pump = {});
// Removes the keychain's entries for the secrets in fields of the form or preset; false when the keychain did not
// confirm it.
bool forget(const QString& form, FormField::Set fields, const DetachedWork::Pump& pump = {});

// Why no keychain took or gave the last secret asked of it in this process, if none did: the store keeps the secrets
// as before.
std::optional<QString> unavailable();

// The secret of field in the user's words ("PIN Code"), for the messages naming one not got.
QString fieldName(FormField::Id field);
} // namespace Secrets
