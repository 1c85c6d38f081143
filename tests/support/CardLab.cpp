#include "support/CardLab.h"

#include "support/RunTool.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>

#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

namespace {
QString errnoText()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

QString mountOn(const QString& source, const QString& target, const char* type, unsigned long flags)
{
    if (::mount(QFile::encodeName(source).constData(), QFile::encodeName(target).constData(), type, flags, nullptr) !=
        0)
        return QStringLiteral("mount %1 on %2: %3").arg(source, target, errnoText());
    return {};
}
} // namespace

CardLab::~CardLab()
{
    while (!mounts.isEmpty()) {
        const QByteArray target = QFile::encodeName(mounts.takeLast());
        if (::umount2(target.constData(), 0) != 0)
            ::umount2(target.constData(), MNT_DETACH);
    }
}

QString CardLab::enter()
{
    if (::geteuid() != 0)
        return QStringLiteral("needs root: loop devices, mounts and a private mount namespace");
    for (const char* tool : {"losetup", "mkfs.ext4"}) {
        if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
            return QLatin1String(tool) + QLatin1String(" is not installed");
    }
    if (!QFileInfo::exists(QStringLiteral("/dev/loop-control")))
        return QStringLiteral("no loop devices here (/dev/loop-control is missing)");
    if (::unshare(CLONE_NEWNS) != 0)
        return QStringLiteral("cannot make a private mount namespace: ") + errnoText();
    if (::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        return QStringLiteral("cannot make the mounts private: ") + errnoText();
    return {};
}

QString CardLab::makeCard(const QString& name, const QString& label)
{
    QFile file(image(name));
    if (!file.open(QIODevice::WriteOnly) || !file.resize(8 * 1024 * 1024))
        return QStringLiteral("cannot create ") + file.fileName();
    file.close();
    QStringList options{QStringLiteral("-q"), QStringLiteral("-F")};
    if (!label.isEmpty())
        options << QStringLiteral("-L") << label;
    QString output;
    if (!runTool(QStringLiteral("mkfs.ext4"), options << file.fileName(), &output))
        return QStringLiteral("mkfs.ext4 failed: ") + output;
    return {};
}

QString CardLab::plug(const QString& name)
{
    QString loop;
    if (!runTool(QStringLiteral("losetup"), {QStringLiteral("--find"), QStringLiteral("--show"), image(name)}, &loop))
        return QStringLiteral("losetup failed: ") + loop;
    loop = loop.trimmed();
    const QString removable = directory.filePath(QStringLiteral("removable"));
    QFile flag(removable);
    if (!flag.exists() && (!flag.open(QIODevice::WriteOnly) || flag.write("1\n") != 2))
        return QStringLiteral("cannot create ") + removable;
    flag.close();
    const QString attribute = QStringLiteral("/sys/block/") + QFileInfo(loop).fileName() + QStringLiteral("/removable");
    QString error = mountOn(removable, attribute, nullptr, MS_BIND);
    if (error.isEmpty()) {
        mounts.append(attribute);
        QDir().mkpath(mountPoint(name));
        error = mountOn(loop, mountPoint(name), "ext4", 0);
        if (error.isEmpty())
            mounts.append(mountPoint(name));
    }
    // Released now, the loop device goes by itself when the card is unmounted, with the namespace at the latest.
    runTool(QStringLiteral("losetup"), {QStringLiteral("--detach"), loop});
    return error;
}

void CardLab::unplug(const QString& name, bool whileInUse)
{
    const QString target = mountPoint(name);
    if (::umount2(QFile::encodeName(target).constData(), whileInUse ? MNT_DETACH : 0) == 0)
        mounts.removeAll(target);
}
