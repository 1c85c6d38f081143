#include "settings/PresetFile.h"

#include "base/FileSystem.h"
#include "base/ShownText.h"
#include "settings/SettingsKeys.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

#include <algorithm>
#include <cmath>

namespace {
const QLatin1String formatKey("format");
const QLatin1String versionKey("version");
const QLatin1String nameKey("name");
const QLatin1String formatMark("ORVA Configurator preset");
constexpr int version = 1;

PresetFile::Read refused(PresetFile::Refusal::Kind kind, const QString& detail = QString())
{
    PresetFile::Read read;
    read.refusal = PresetFile::Refusal{kind, detail, std::nullopt, {}};
    return read;
}

PresetFile::Read refused(PresetFile::Refusal::Kind kind, const PresetProblem& problem)
{
    PresetFile::Read read = refused(kind);
    read.refusal->preset = problem;
    return read;
}

// A JSON number that is a whole number within limits, or nothing.
std::optional<int> wholeNumber(const QJsonValue& value, int lowest, int highest)
{
    if (!value.isDouble())
        return std::nullopt;
    const double number = value.toDouble();
    if (number != std::floor(number) || number < lowest || number > highest)
        return std::nullopt;
    return int(number);
}
} // namespace

QByteArray PresetFile::encode(const Preset& preset, bool withSecrets)
{
    QJsonObject object{{formatKey, formatMark},
                       {versionKey, version},
                       {nameKey, preset.name},
                       {SettingsKeys::serialMode, int(preset.values.modeCode)}};
    for (const FormField::Description& field : FormField::fields) {
        const bool left = !withSecrets && (FormField::inKeychain & FormField::bit(field.id));
        if (preset.values.shows(field.id) && !left)
            object.insert(QLatin1String(field.settingsKey), preset.values.text(field.id));
    }
    if (preset.values.showsReset())
        object.insert(SettingsKeys::resetConfig, preset.values.resetConfig);
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}

PresetFile::Read PresetFile::decode(const QByteArray& bytes, const QString& fallbackName)
{
    using Kind = Refusal::Kind;
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    const QJsonObject object = document.object();
    if (error.error != QJsonParseError::NoError || !document.isObject() || object.value(formatKey) != formatMark)
        return refused(Kind::NotAPreset);
    const std::optional<int> fileVersion = wholeNumber(object.value(versionKey), 1, 1 << 30);
    if (!fileVersion)
        return refused(Kind::NotAPreset);
    if (*fileVersion > version)
        return refused(Kind::NewerVersion);
    const std::optional<int> mode = wholeNumber(object.value(SettingsKeys::serialMode), 0, 255);
    if (!mode || !ModeCode::find(quint8(*mode)))
        return refused(Kind::BadMode);

    Preset preset;
    preset.values.modeCode = quint8(*mode);
    preset.name = fallbackName;
    for (auto entry = object.begin(); entry != object.end(); ++entry) {
        const QString& key = entry.key();
        const QJsonValue& value = entry.value();
        if (key == formatKey || key == versionKey || key == SettingsKeys::serialMode)
            continue;
        if (key == nameKey) {
            if (!value.isString())
                return refused(Kind::WrongKind, key);
            preset.name = value.toString();
            continue;
        }
        if (key == SettingsKeys::resetConfig && preset.values.showsReset()) {
            if (!value.isBool())
                return refused(Kind::WrongKind, key);
            preset.values.resetConfig = value.toBool();
            continue;
        }
        const auto field = std::find_if(
            FormField::fields.begin(), FormField::fields.end(),
            [&key](const FormField::Description& field) { return key == QLatin1String(field.settingsKey); });
        // What the preset would not carry into the form is refused, not dropped without a word: an identifier, a
        // field that the mode hides, a key of no form.
        if (field == FormField::fields.end() || !preset.values.shows(field->id))
            return refused(Kind::UnknownKey, ShownText::escaped(key));
        if (!value.isString())
            return refused(Kind::WrongKind, key);
        preset.values.text(field->id) = value.toString();
    }
    if (const std::optional<PresetProblem> name = Presets::nameProblem(preset.name))
        return refused(Kind::Name, *name);
    preset = Presets::of(preset.name, preset.values);
    if (const std::optional<FormProblem> field = Presets::heldProblem(preset.values)) {
        PresetProblem problem;
        problem.kind = PresetProblem::Kind::Field;
        problem.name = preset.name;
        problem.field = field;
        return refused(Kind::Field, problem);
    }
    Read read;
    read.preset = preset;
    return read;
}

PresetFile::Read PresetFile::read(const QString& path)
{
    using Kind = Refusal::Kind;
    const RegularFileRead file = readRegularFile(path, largestSize);
    if (file.outcome != RegularFileRead::Outcome::Read) {
        Read read = refused(Kind::NotRead);
        read.refusal->file = file;
        return read;
    }
    return decode(file.bytes, QFileInfo(path).completeBaseName());
}

std::optional<QString> PresetFile::write(const QString& path, const Preset& preset, bool withSecrets)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !file.setPermissions(FileSystem::ownFilePermissions))
        return file.errorString();
    const QByteArray bytes = encode(preset, withSecrets);
    if (file.write(bytes) != bytes.size() || !file.commit())
        return file.errorString();
    return std::nullopt;
}

QString PresetFile::refusalText(const Refusal& refusal)
{
    switch (refusal.kind) {
    case Refusal::Kind::NotRead:
        return refusal.file.refusalText(
            QCoreApplication::translate("Configurator", "It is far too large for a preset."));
    case Refusal::Kind::NotAPreset:
        return QCoreApplication::translate("Configurator", "It is not a preset of ORVA Configurator.");
    case Refusal::Kind::NewerVersion:
        return QCoreApplication::translate("Configurator",
                                           "It was written by a newer ORVA Configurator; please update this one.");
    case Refusal::Kind::BadMode:
        return QCoreApplication::translate("Configurator", "Its mode is none of the module's.");
    case Refusal::Kind::UnknownKey:
        return QCoreApplication::translate("Configurator", "It holds \"%1\", which a preset of its mode does not hold.")
            .arg(refusal.detail);
    case Refusal::Kind::WrongKind:
        return QCoreApplication::translate("Configurator",
                                           "Its value of \"%1\" is not of the kind that the form keeps there.")
            .arg(refusal.detail);
    case Refusal::Kind::Name:
    case Refusal::Kind::Field:
        return Presets::problemText(*refusal.preset);
    }
    return QString();
}
