#include "settings/Presets.h"

#include "base/ShownText.h"
#include "form/FormTexts.h"
#include "form/PhoneNumber.h"
#include "settings/FormStore.h"
#include "settings/Secrets.h"
#include "settings/SettingsKeys.h"

#include <QCoreApplication>
#include <QSettings>
#include <QVariantMap>

#include <algorithm>

namespace {
const QLatin1String nameKey("name");

// A preset as the store holds it: its keys and values untouched, so that rewriting the list keeps the others as they
// were.
using StoredPreset = QVariantMap;

// The store's presets; the list must not be damaged (Presets::damagedList).
QVector<StoredPreset> storedPresets(QSettings& settings)
{
    QVector<StoredPreset> presets;
    const int count = settings.beginReadArray(Presets::group);
    for (int i = 0; i < count; ++i) {
        settings.setArrayIndex(i);
        StoredPreset preset;
        const QStringList keys = settings.childKeys();
        for (const QString& key : keys)
            preset.insert(key, settings.value(key));
        presets.append(preset);
    }
    settings.endArray();
    return presets;
}

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

int indexOf(const QVector<StoredPreset>& presets, const QString& name)
{
    const auto found = std::find_if(presets.begin(), presets.end(), [&name](const StoredPreset& preset) {
        return sameName(preset.value(nameKey).toString(), name);
    });
    return found == presets.end() ? -1 : int(found - presets.begin());
}

StoredPreset stored(const Preset& preset)
{
    StoredPreset entry;
    entry.insert(nameKey, preset.name);
    entry.insert(SettingsKeys::serialMode, int(preset.values.modeCode));
    for (const FormField::Description& field : FormField::fields) {
        if (preset.values.shows(field.id))
            entry.insert(QLatin1String(field.settingsKey), preset.values.text(field.id));
    }
    if (preset.values.showsReset())
        entry.insert(SettingsKeys::resetConfig, preset.values.resetConfig);
    return entry;
}

std::optional<PresetProblem> problem(PresetProblem::Kind kind, const QString& name)
{
    PresetProblem problem;
    problem.kind = kind;
    problem.name = name;
    return problem;
}

// Writes the list in the place of the store's, each secret it holds in clear moved into the keychain first.
std::optional<PresetProblem> store(QSettings& settings, QVector<StoredPreset> presets, const QString& name,
                                   const DetachedWork::Pump& pump)
{
    if (FormStore::keepToOwner(settings)) {
        for (StoredPreset& preset : presets)
            Secrets::keep(preset, preset.value(nameKey).toString(), pump);
        settings.remove(Presets::group);
        settings.beginWriteArray(Presets::group, presets.size());
        for (int i = 0; i < presets.size(); ++i) {
            settings.setArrayIndex(i);
            const StoredPreset& preset = presets.at(i);
            for (auto value = preset.begin(); value != preset.end(); ++value)
                settings.setValue(value.key(), value.value());
        }
        settings.endArray();
        settings.sync();
        if (settings.status() == QSettings::NoError)
            return std::nullopt;
    }
    std::optional<PresetProblem> notStored = problem(PresetProblem::Kind::NotStored, name);
    notStored->detail = settings.fileName();
    return notStored;
}
} // namespace

std::optional<PresetProblem> Presets::damagedList(const QSettings& settings)
{
    // The key that QSettings keeps an array's size under.
    const QString key = group + QStringLiteral("/size");
    if (!settings.contains(key))
        return std::nullopt;
    bool number = false;
    const int count = settings.value(key).toInt(&number);
    if (number && count >= 0 && count <= largestCount)
        return std::nullopt;
    std::optional<PresetProblem> damaged = problem(PresetProblem::Kind::Damaged, QString());
    damaged->detail = QStringLiteral("%1=%2 in %3: not a number of presets from 0 to %4")
                          .arg(key, settings.value(key).toString(), settings.fileName())
                          .arg(largestCount);
    return damaged;
}

Preset Presets::of(const QString& name, const FormValues& form)
{
    // Phone numbers as "Generate" writes them and the form is remembered.
    const FormValues values = PhoneNumber::inAcceptedForm(form);
    Preset preset;
    preset.name = name.trimmed();
    preset.values.modeCode = values.modeCode;
    for (const FormField::Description& field : FormField::fields) {
        if (values.shows(field.id))
            preset.values.text(field.id) = values.text(field.id);
    }
    preset.values.resetConfig = values.showsReset() && values.resetConfig;
    return preset;
}

FormValues Presets::applied(const Preset& preset, const FormValues& current)
{
    FormValues values = current;
    values.modeCode = preset.values.modeCode;
    for (const FormField::Description& field : FormField::fields) {
        if (values.shows(field.id))
            values.text(field.id) = preset.values.text(field.id);
    }
    values.resetConfig = values.showsReset() && preset.values.resetConfig;
    return values;
}

std::optional<FormProblem> Presets::heldProblem(const FormValues& values)
{
    for (const FormField::Description& field : FormField::fields) {
        if (std::optional<FormProblem> problem = checkText(values, field.id))
            return problem;
    }
    return std::nullopt;
}

std::optional<PresetProblem> Presets::nameProblem(const QString& name)
{
    const QString kept = name.trimmed();
    if (kept.isEmpty())
        return problem(PresetProblem::Kind::NoName, kept);
    if (kept.size() > nameLength)
        return problem(PresetProblem::Kind::NameTooLong, kept);
    // Shown in the list and in the boxes, named on vskwrite's command line: nothing in it may act on the text.
    if (ShownText::escaped(kept) != kept)
        return problem(PresetProblem::Kind::NameCharacter, kept);
    return std::nullopt;
}

QStringList Presets::names(QSettings& settings)
{
    QStringList names;
    if (damagedList(settings))
        return names;
    const QVector<StoredPreset> presets = storedPresets(settings);
    for (const StoredPreset& preset : presets)
        names << preset.value(nameKey).toString();
    return names;
}

Presets::Found Presets::find(QSettings& settings, const QString& name, const DetachedWork::Pump& pump)
{
    Found found;
    FormField::Set marked = 0;
    if ((found.problem = damagedList(settings)))
        return found;
    const int count = settings.beginReadArray(group);
    for (int i = 0; i < count && !found.preset; ++i) {
        settings.setArrayIndex(i);
        if (!sameName(settings.value(nameKey).toString(), name.trimmed()))
            continue;
        // The remembered form's keys, read as the remembered form's are.
        const FormValues values = FormStore::load(settings);
        std::optional<QString> unreadable = FormStore::unreadableValues(settings);
        // A preset is saved with its mode: without one, or with one the module does not know, its texts belong to no
        // mode that could be written.
        if (!unreadable)
            unreadable = FormStore::unknownMode(settings, true);
        if (unreadable) {
            found.problem = problem(PresetProblem::Kind::Unreadable, settings.value(nameKey).toString());
            found.problem->detail = *unreadable;
            break;
        }
        found.preset = of(settings.value(nameKey).toString(), values);
        marked = Secrets::marked(settings);
    }
    settings.endArray();
    if (found.problem)
        return found;
    if (found.preset && marked) {
        const Secrets::Got got = Secrets::read(found.preset->name, marked, pump);
        for (const FormField::Description& field : FormField::fields) {
            if ((got.got & FormField::bit(field.id)) && found.preset->values.shows(field.id))
                found.preset->values.text(field.id) = got.values.text(field.id);
        }
        found.notGot = got.notGot;
        found.notGotReason = got.reason;
    }
    if (!found.preset) {
        found.problem = problem(PresetProblem::Kind::Unknown, name.trimmed());
    } else if (const std::optional<FormProblem> field = heldProblem(found.preset->values)) {
        found.problem = problem(PresetProblem::Kind::Field, found.preset->name);
        found.problem->field = field;
        found.preset.reset();
    }
    return found;
}

std::optional<PresetProblem> Presets::secretNotGot(const Found& found)
{
    if (!found.preset)
        return std::nullopt;
    const std::optional<FormField::Id> secret = found.preset->values.firstShown(found.notGot);
    if (!secret)
        return std::nullopt;
    std::optional<PresetProblem> notGot = problem(PresetProblem::Kind::SecretNotGot, found.preset->name);
    notGot->secret = *secret;
    notGot->detail = found.notGotReason;
    return notGot;
}

std::optional<PresetProblem> Presets::save(QSettings& settings, const QString& name, const FormValues& values,
                                           bool replace, const DetachedWork::Pump& pump)
{
    if (std::optional<PresetProblem> bad = nameProblem(name))
        return bad;
    const Preset preset = of(name, values);
    if (const std::optional<FormProblem> field = heldProblem(preset.values)) {
        std::optional<PresetProblem> refused = problem(PresetProblem::Kind::Field, preset.name);
        refused->field = field;
        return refused;
    }
    if (std::optional<PresetProblem> damaged = damagedList(settings))
        return damaged;
    QVector<StoredPreset> presets = storedPresets(settings);
    const int index = indexOf(presets, preset.name);
    if (index < 0 && presets.size() >= largestCount)
        return problem(PresetProblem::Kind::Full, preset.name);
    if (index < 0) {
        presets.append(stored(preset));
    } else if (replace) {
        // Under a name that differs in letter case only, the replaced preset's entries would stay in the keychain.
        const QString replaced = presets.at(index).value(nameKey).toString();
        if (replaced != preset.name)
            Secrets::forget(replaced, Secrets::marked(presets.at(index)), pump);
        presets[index] = stored(preset);
    } else {
        return problem(PresetProblem::Kind::NameTaken, presets.at(index).value(nameKey).toString());
    }
    return store(settings, presets, preset.name, pump);
}

std::optional<PresetProblem> Presets::rename(QSettings& settings, const QString& from, const QString& to,
                                             const DetachedWork::Pump& pump)
{
    if (std::optional<PresetProblem> bad = nameProblem(to))
        return bad;
    if (std::optional<PresetProblem> damaged = damagedList(settings))
        return damaged;
    QVector<StoredPreset> presets = storedPresets(settings);
    const int index = indexOf(presets, from);
    if (index < 0)
        return problem(PresetProblem::Kind::Unknown, from.trimmed());
    const int taken = indexOf(presets, to.trimmed());
    // A name may change its letter case only.
    if (taken >= 0 && taken != index)
        return problem(PresetProblem::Kind::NameTaken, presets.at(taken).value(nameKey).toString());
    // The secrets move to the new name: read, put in clear into the entry, which store() puts back into the keychain.
    // The old entries go first, as a keychain that takes no heed of letter case holds the new name there already.
    StoredPreset& preset = presets[index];
    const QString oldName = preset.value(nameKey).toString();
    const FormField::Set marked = Secrets::marked(preset);
    if (marked) {
        const Secrets::Got got = Secrets::read(oldName, marked, pump);
        for (const FormField::Description& field : FormField::fields) {
            if (!(marked & FormField::bit(field.id)))
                continue;
            if (!(got.got & FormField::bit(field.id))) {
                std::optional<PresetProblem> notGot = problem(PresetProblem::Kind::SecretNotGot, oldName);
                notGot->secret = field.id;
                notGot->detail = got.reason;
                return notGot;
            }
            preset.insert(QLatin1String(field.settingsKey), got.values.text(field.id));
            preset.remove(Secrets::markerKey(field.id));
        }
        Secrets::forget(oldName, marked, pump);
    }
    preset.insert(nameKey, to.trimmed());
    return store(settings, presets, to.trimmed(), pump);
}

std::optional<PresetProblem> Presets::remove(QSettings& settings, const QString& name, const DetachedWork::Pump& pump)
{
    if (std::optional<PresetProblem> damaged = damagedList(settings))
        return damaged;
    QVector<StoredPreset> presets = storedPresets(settings);
    const int index = indexOf(presets, name);
    if (index < 0)
        return problem(PresetProblem::Kind::Unknown, name.trimmed());
    const StoredPreset removed = presets.takeAt(index);
    std::optional<PresetProblem> notStored = store(settings, presets, name.trimmed(), pump);
    if (!notStored)
        Secrets::forget(removed.value(nameKey).toString(), Secrets::marked(removed), pump);
    return notStored;
}

QString Presets::problemText(const PresetProblem& problem)
{
    const QString name = ShownText::escaped(problem.name);
    switch (problem.kind) {
    case PresetProblem::Kind::NoName:
        return QCoreApplication::translate("Configurator", "A preset needs a name.");
    case PresetProblem::Kind::NameTooLong:
        return QCoreApplication::translate("Configurator", "A preset's name has at most %1 characters.")
            .arg(nameLength);
    case PresetProblem::Kind::NameCharacter:
        return QCoreApplication::translate("Configurator",
                                           "The name \"%1\" holds a control character; please type it without.")
            .arg(name);
    case PresetProblem::Kind::NameTaken:
        return QCoreApplication::translate("Configurator", "There is a preset called \"%1\" already.").arg(name);
    case PresetProblem::Kind::Unknown:
        return QCoreApplication::translate("Configurator", "There is no preset called \"%1\".").arg(name);
    case PresetProblem::Kind::Field:
        return QCoreApplication::translate("Configurator", "The preset \"%1\" holds a value that the form cannot "
                                                           "hold:")
                   .arg(name) +
               QLatin1Char('\n') + FormTexts::problem(*problem.field).text;
    case PresetProblem::Kind::Unreadable:
        return QCoreApplication::translate("Configurator", "The preset \"%1\" cannot be read: %2")
            .arg(name, ShownText::escaped(problem.detail));
    case PresetProblem::Kind::Damaged:
        // The window's words for a store that cannot be read.
        return QCoreApplication::translate("Configurator", "The presets cannot be read: %1")
            .arg(ShownText::escaped(problem.detail));
    case PresetProblem::Kind::Full:
        return QCoreApplication::translate("Configurator", "There are %1 presets already, as many as the list holds.")
            .arg(largestCount);
    case PresetProblem::Kind::SecretNotGot:
        return QCoreApplication::translate("Configurator", "The keychain did not give the %1 of the preset \"%2\": %3")
            .arg(Secrets::fieldName(problem.secret), name, ShownText::escaped(problem.detail));
    case PresetProblem::Kind::NotStored:
        return QCoreApplication::translate("Configurator", "The presets could not be saved in %1.")
            .arg(ShownText::escaped(problem.detail));
    }
    return QString();
}
