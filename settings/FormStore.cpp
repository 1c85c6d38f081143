#include "settings/FormStore.h"

#include "drives/FileSystem.h"
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

// QSettings replaces its file atomically and keeps the permissions of the file it replaces, so a file that exists
// with these permissions before the first write never holds the form readable by others.
bool prepareFile(const QSettings& settings)
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
} // namespace

FormValues FormStore::load(const QSettings& settings)
{
    FormValues values;
    const int code = settings.value(SettingsKeys::serialMode, 0).toInt();
    values.modeCode = ModeCode::find(quint8(code)) && code == quint8(code) ? quint8(code) : ModeCode::Default;
    // As stored, also a text longer than its field takes: the window's field holds its beginning, the form check
    // refuses it.
    for (const FormField::Description& field : FormField::fields)
        values.text(field.id) = settings.value(keyOf(field.id), QString()).toString();
    values.driveIndex = settings.value(SettingsKeys::driveLetter, 0).toInt();
    values.resetConfig = settings.value(SettingsKeys::resetConfig, false).toBool();
    values.ejectCardWhenDone = settings.value(SettingsKeys::ejectCardWhenDone, true).toBool();
    return values;
}

bool FormStore::save(QSettings& settings, const FormValues& values)
{
    if (!prepareFile(settings))
        return false;
    settings.setValue(SettingsKeys::serialMode, int(values.modeCode));
    for (const FormField::Description& field : FormField::fields) {
        // The drive's position sits between the PIN and the phone numbers, where the store has always kept it.
        if (field.id == FormField::SimCardPhoneNumber)
            settings.setValue(SettingsKeys::driveLetter, values.driveIndex);
        settings.setValue(keyOf(field.id), values.text(field.id));
    }
    settings.setValue(SettingsKeys::resetConfig, values.resetConfig);
    settings.setValue(SettingsKeys::ejectCardWhenDone, values.ejectCardWhenDone);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

std::optional<QString> FormStore::unusableStore()
{
    // Where Qt keeps a user's store as files (Linux: the application's file and the organisation's, both read), worked
    // out once, as Qt does, from the location at the first call. On Windows the store is the registry and no such
    // file exists.
    static const QStringList files = [] {
        const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                               QLatin1Char('/') + QCoreApplication::organizationName();
        return QStringList{folder + QLatin1Char('/') + QCoreApplication::applicationName() + QStringLiteral(".conf"),
                           folder + QStringLiteral(".conf")};
    }();
    for (const QString& path : files) {
        const FileSystem::Entry entry = FileSystem::entryAt(path);
        if (entry.kind == FileSystem::Entry::Kind::Unreadable)
            return QStringLiteral("%1 cannot be looked at: %2").arg(path, entry.reason);
        if (entry.kind != FileSystem::Entry::Kind::Missing && entry.kind != FileSystem::Entry::Kind::RegularFile)
            return QStringLiteral("%1 is %2, not a regular file").arg(path, entry.description);
    }
    return std::nullopt;
}

int FormStore::driveIndexFor(int storedIndex, int driveCount)
{
    return storedIndex >= 0 && storedIndex < driveCount ? storedIndex : -1;
}
