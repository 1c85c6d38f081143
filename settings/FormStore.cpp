#include "settings/FormStore.h"

#include "base/FileSystem.h"
#include "settings/Secrets.h"
#include "settings/SettingsKeys.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace {
constexpr QFileDevice::Permissions ownerFolder = FileSystem::ownFilePermissions | QFileDevice::ExeOwner;

QLatin1String keyOf(FormField::Id field)
{
    return QLatin1String(FormField::describe(field).settingsKey);
}

// Makes the missing folders of path, each for its owner only.
bool makeOwnerFolders(const QString& path)
{
    const QFileInfo folder(path);
    if (folder.isDir())
        return true;
    if (!makeOwnerFolders(folder.absolutePath()))
        return false;
    return QDir().mkdir(path) && QFile::setPermissions(path, ownerFolder);
}
} // namespace

// QSettings replaces its file atomically and keeps the permissions of the file it replaces, so a file that exists
// with these permissions before the first write never holds the form readable by others.
bool FormStore::keepToOwner(const QSettings& settings)
{
    const QString fileName = settings.fileName();
    if (settings.format() != QSettings::NativeFormat && settings.format() != QSettings::IniFormat)
        return true;
    if (!QFileInfo(fileName).isAbsolute() || fileName.startsWith(QLatin1Char('\\')))
        return true; // a registry path: the Windows registry keeps the current user's keys to the user
    const QFileInfo info(fileName);
    if (info.exists()) {
        // The user's own decision, not undone behind their back (not even by root, who could write through it).
        if (!info.isWritable() || !(info.permissions() & QFileDevice::WriteOwner))
            return false;
        return QFile::setPermissions(fileName, info.permissions() & ownerFolder);
    }
    if (!makeOwnerFolders(info.absolutePath()))
        return false;
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return false;
    file.close();
    return file.setPermissions(FileSystem::ownFilePermissions);
}

namespace {
// Whether the key holds one value of the kind the form keeps there, or nothing: a text field's key a text, the others
// anything but a list. A comma outside quotes in the settings file makes Qt read a list ("a,b" as "a" and "b"), which
// would otherwise be taken for an empty text.
bool holdsOneValue(const QSettings& settings, const QString& key, bool text)
{
    if (!settings.contains(key))
        return true;
    const QVariant value = settings.value(key);
    const int type = value.userType();
    if (text)
        return type == QMetaType::QString;
    return value.isValid() && type != QMetaType::QStringList && type != QMetaType::QVariantList;
}

// The key's value, or fallback (whose type tells a text from the others) when it is missing or not one value.
QVariant storedValue(const QSettings& settings, const QString& key, const QVariant& fallback)
{
    return holdsOneValue(settings, key, fallback.userType() == QMetaType::QString) ? settings.value(key, fallback)
                                                                                   : fallback;
}
} // namespace

FormValues FormStore::load(const QSettings& settings)
{
    FormValues values;
    const int code = storedValue(settings, SettingsKeys::serialMode, 0).toInt();
    values.modeCode = ModeCode::find(quint8(code)) && code == quint8(code) ? quint8(code) : ModeCode::Default;
    // As stored, also a text longer than its field takes: the window's field holds its beginning, the form check
    // refuses it.
    for (const FormField::Description& field : FormField::fields)
        values.text(field.id) = storedValue(settings, keyOf(field.id), QString()).toString();
    values.driveIndex = storedValue(settings, SettingsKeys::driveLetter, 0).toInt();
    values.resetConfig = storedValue(settings, SettingsKeys::resetConfig, false).toBool();
    values.ejectCardWhenDone = storedValue(settings, SettingsKeys::ejectCardWhenDone, true).toBool();
    return values;
}

std::optional<QString> FormStore::unreadableValues(const QSettings& settings)
{
    QStringList keys;
    for (const QLatin1String& key : {SettingsKeys::serialMode, SettingsKeys::driveLetter, SettingsKeys::resetConfig,
                                     SettingsKeys::ejectCardWhenDone}) {
        if (!holdsOneValue(settings, key, false))
            keys << key;
    }
    for (const FormField::Description& field : FormField::fields) {
        if (!holdsOneValue(settings, keyOf(field.id), true))
            keys << keyOf(field.id);
        if ((FormField::inKeychain & FormField::bit(field.id)) &&
            !holdsOneValue(settings, Secrets::markerKey(field.id), false))
            keys << Secrets::markerKey(field.id);
    }
    if (keys.isEmpty())
        return std::nullopt;
    return QStringLiteral("%1 in %2: not a single value (a comma outside quotes makes a list; put the value in quotes)")
        .arg(keys.join(QStringLiteral(", ")), settings.fileName());
}

std::optional<QString> FormStore::unknownMode(const QSettings& settings, bool required)
{
    const QString key = settings.group().isEmpty() ? QString(SettingsKeys::serialMode)
                                                   : settings.group() + QLatin1Char('/') + SettingsKeys::serialMode;
    if (!settings.contains(SettingsKeys::serialMode)) {
        if (!required)
            return std::nullopt;
        return QStringLiteral("%1 in %2: missing, and without it the fields mean nothing")
            .arg(key, settings.fileName());
    }
    const QVariant value = settings.value(SettingsKeys::serialMode);
    bool number = false;
    const int code = value.toInt(&number);
    if (number && code == quint8(code) && ModeCode::find(quint8(code)))
        return std::nullopt;
    QStringList codes;
    for (const ModeCode::Entry& mode : ModeCode::entries)
        codes << QString::number(mode.code);
    return QStringLiteral("%1=%2 in %3: no mode of the module (the modes are %4)")
        .arg(key, value.toString(), settings.fileName(), codes.join(QStringLiteral(", ")));
}

bool FormStore::save(QSettings& settings, const FormValues& values, FormField::Set notGot,
                     const DetachedWork::Pump& pump)
{
    if (!keepToOwner(settings))
        return false;
    QVariantMap keys;
    keys.insert(SettingsKeys::serialMode, int(values.modeCode));
    keys.insert(SettingsKeys::driveLetter, values.driveIndex);
    for (const FormField::Description& field : FormField::fields) {
        // A secret that the keychain did not give stays as it was stored, never replaced by an empty text.
        if (!(notGot & FormField::inKeychain & FormField::bit(field.id)))
            keys.insert(keyOf(field.id), values.text(field.id));
    }
    keys.insert(SettingsKeys::resetConfig, values.resetConfig);
    keys.insert(SettingsKeys::ejectCardWhenDone, values.ejectCardWhenDone);
    // Into the keychain first: a secret it confirmed loses its clear key only then.
    Secrets::keep(keys, Secrets::rememberedForm, pump);
    for (const FormField::Description& field : FormField::fields) {
        if (keys.contains(Secrets::markerKey(field.id)))
            settings.remove(keyOf(field.id));
        else if (keys.contains(keyOf(field.id)))
            settings.remove(Secrets::markerKey(field.id));
    }
    for (auto key = keys.cbegin(); key != keys.cend(); ++key)
        settings.setValue(key.key(), key.value());
    settings.sync();
    return settings.status() == QSettings::NoError;
}

namespace {
// Where Qt keeps a user's store as files (Linux: the application's file and the organisation's, both read), worked out
// once, as Qt does, from the location at the first call. On Windows the store is the registry and no such file exists.
const QStringList& storeFiles()
{
    static const QStringList files = [] {
        const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                               QLatin1Char('/') + QCoreApplication::organizationName();
        return QStringList{folder + QLatin1Char('/') + QCoreApplication::applicationName() + QStringLiteral(".conf"),
                           folder + QStringLiteral(".conf")};
    }();
    return files;
}

// What is wrong with the first of paths at which something else than a regular file stands.
std::optional<QString> notRegularFile(const QStringList& paths)
{
    for (const QString& path : paths) {
        const FileSystem::Entry entry = FileSystem::entryAt(path);
        if (entry.kind == FileSystem::Entry::Kind::Unreadable)
            return QStringLiteral("%1 cannot be looked at: %2").arg(path, entry.reason);
        if (entry.kind != FileSystem::Entry::Kind::Missing && entry.kind != FileSystem::Entry::Kind::RegularFile)
            return QStringLiteral("%1 is %2, not a regular file").arg(path, entry.description);
    }
    return std::nullopt;
}
} // namespace

std::optional<QString> FormStore::unusableStore()
{
    return notRegularFile(storeFiles());
}

std::optional<QString> FormStore::unwritableStore()
{
    if (std::optional<QString> problem = unusableStore())
        return problem;
    // QSettings locks a file while it writes it with "<file>.lock", and while it removes a lock left by a process that
    // died with "<file>.lock.rmlock"; it waits for such a lock without a time limit.
    QStringList locks;
    for (const QString& file : storeFiles())
        locks << file + QStringLiteral(".lock") << file + QStringLiteral(".lock.rmlock");
    return notRegularFile(locks);
}

int FormStore::driveIndexFor(int storedIndex, int driveCount)
{
    return storedIndex >= 0 && storedIndex < driveCount ? storedIndex : -1;
}
