#include "settings/Secrets.h"

#include "base/TimeLimits.h"
#include "settings/Keychain.h"

#include <QCoreApplication>
#include <QSettings>

#include <atomic>
#include <mutex>

namespace {
const QLatin1String markerSuffix("InKeychain");
const QLatin1String presetsFolder("presets/");

// Once the keychain let the limit pass, it is not asked again by this process (until another is put in place).
std::atomic<int> silentPlacing{-1};

bool silent()
{
    return silentPlacing.load() == Keychain::placing();
}

void fallSilent()
{
    silentPlacing.store(Keychain::placing());
}

// Why the last call did not get through. A call given up may end after the program's static objects are gone: this
// one is never destroyed.
struct LastFailure
{
    std::mutex mutex;
    std::optional<QString> reason; // under mutex
};
LastFailure& lastFailure()
{
    static auto* const failure = new LastFailure;
    return *failure;
}

void noteFailure(const std::optional<QString>& reason)
{
    LastFailure& last = lastFailure();
    const std::lock_guard<std::mutex> lock(last.mutex);
    last.reason = reason;
}

QString silenceReason()
{
    return QStringLiteral("the keychain did not answer within %1 seconds")
        .arg(std::chrono::duration_cast<std::chrono::seconds>(TimeLimits::keychain).count());
}

template <typename Each> void forEachSecret(FormField::Set fields, Each each)
{
    for (const FormField::Description& field : FormField::fields) {
        if (fields & FormField::inKeychain & FormField::bit(field.id))
            each(field.id);
    }
}

// Runs work on a thread of its own within the limit; nothing when the keychain is silent, or fell silent now.
template <typename T>
std::optional<T> withinLimit(std::function<T(const DetachedWork::Liveness&)> work, const DetachedWork::Pump& pump)
{
    if (silent())
        return std::nullopt;
    DetachedTask<T> task(std::move(work));
    std::optional<T> outcome = task.waitWhile(TimeLimits::keychain, pump);
    if (!outcome) {
        fallSilent();
        noteFailure(silenceReason());
    }
    return outcome;
}
} // namespace

QString Secrets::markerKey(FormField::Id field)
{
    return QLatin1String(FormField::describe(field).settingsKey) + markerSuffix;
}

QString Secrets::entryKey(const QString& form, FormField::Id field)
{
    const QLatin1String key(FormField::describe(field).settingsKey);
    return form.isEmpty() ? QString(key) : presetsFolder + form + QLatin1Char('/') + key;
}

namespace {
template <typename Keys> FormField::Set markedIn(const Keys& keys)
{
    FormField::Set fields = 0;
    forEachSecret(FormField::inKeychain, [&](FormField::Id field) {
        if (keys.value(Secrets::markerKey(field)).toBool())
            fields |= FormField::bit(field);
    });
    return fields;
}
} // namespace

FormField::Set Secrets::marked(const QSettings& settings)
{
    return markedIn(settings);
}

FormField::Set Secrets::marked(const QVariantMap& keys)
{
    return markedIn(keys);
}

std::unique_ptr<DetachedTask<Secrets::Got>> Secrets::startReading(const QString& form, FormField::Set fields)
{
    if (silent())
        return nullptr;
    return std::make_unique<DetachedTask<Got>>([form, fields](const DetachedWork::Liveness& liveness) {
        Got got;
        const Keychain& keychain = Keychain::instance();
        forEachSecret(fields, [&](FormField::Id field) {
            if (!liveness.answered())
                return;
            const Keychain::Answer answer = keychain.read(entryKey(form, field));
            if (answer.outcome != Keychain::Answer::Outcome::Failed)
                noteFailure(std::nullopt);
            if (answer.outcome == Keychain::Answer::Outcome::Found) {
                got.values.text(field) = answer.secret;
                got.got |= FormField::bit(field);
                return;
            }
            if (!got.notGot)
                got.reason = answer.outcome == Keychain::Answer::Outcome::Missing
                                 ? QStringLiteral("the keychain holds no entry %1").arg(entryKey(form, field))
                                 : answer.reason;
            got.notGot |= FormField::bit(field);
            if (answer.outcome == Keychain::Answer::Outcome::Failed)
                noteFailure(answer.reason);
        });
        return got;
    });
}

Secrets::Got Secrets::givenUp(FormField::Set fields)
{
    fallSilent();
    noteFailure(silenceReason());
    Got got;
    got.notGot = fields & FormField::inKeychain;
    got.reason = silenceReason();
    return got;
}

Secrets::Got Secrets::read(const QString& form, FormField::Set fields, const DetachedWork::Pump& pump)
{
    if (!(fields & FormField::inKeychain))
        return Got();
    const std::unique_ptr<DetachedTask<Got>> reading = startReading(form, fields);
    std::optional<Got> got;
    if (reading)
        got = reading->waitWhile(TimeLimits::keychain, pump);
    return got ? *got : givenUp(fields);
}

void Secrets::keep(QVariantMap& keys, const QString& form, const DetachedWork::Pump& pump)
{
    FormField::Set clear = 0;
    forEachSecret(FormField::inKeychain, [&](FormField::Id field) {
        if (keys.contains(QLatin1String(FormField::describe(field).settingsKey)))
            clear |= FormField::bit(field);
    });
    if (!clear)
        return;
    QVariantMap secrets;
    forEachSecret(clear, [&](FormField::Id field) {
        const QString key = QLatin1String(FormField::describe(field).settingsKey);
        secrets.insert(key, keys.value(key));
    });
    const std::optional<FormField::Set> confirmed = withinLimit<FormField::Set>(
        [form, clear, secrets](const DetachedWork::Liveness& liveness) {
            FormField::Set written = 0;
            forEachSecret(clear, [&](FormField::Id field) {
                if (!liveness.answered())
                    return;
                const QString key = QLatin1String(FormField::describe(field).settingsKey);
                const std::optional<QString> failure =
                    Keychain::instance().write(entryKey(form, field), secrets.value(key).toString());
                noteFailure(failure);
                if (!failure)
                    written |= FormField::bit(field);
            });
            return written;
        },
        pump);
    forEachSecret(clear, [&](FormField::Id field) {
        if (confirmed && (*confirmed & FormField::bit(field))) {
            keys.remove(QLatin1String(FormField::describe(field).settingsKey));
            keys.insert(markerKey(field), true);
        } else {
            keys.remove(markerKey(field));
        }
    });
}

bool Secrets::forget(const QString& form, FormField::Set fields, const DetachedWork::Pump& pump)
{
    if (!(fields & FormField::inKeychain))
        return true;
    const std::optional<bool> removed = withinLimit<bool>(
        [form, fields](const DetachedWork::Liveness& liveness) {
            bool all = true;
            forEachSecret(fields, [&](FormField::Id field) {
                if (liveness.answered())
                    all = !Keychain::instance().remove(entryKey(form, field)) && all;
            });
            return all;
        },
        pump);
    return removed.value_or(false);
}

std::optional<QString> Secrets::unavailable()
{
    LastFailure& last = lastFailure();
    const std::lock_guard<std::mutex> lock(last.mutex);
    return last.reason;
}

QString Secrets::fieldName(FormField::Id field)
{
    return QCoreApplication::translate("Configurator", FormField::describe(field).label);
}
