#pragma once

#include <QDir>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// Real cards for tests and benchmarks: ext4 images on loop devices, mounted in a private mount namespace of this
// process (entered by enter()), where each loop disk's removable attribute is made to read 1. The machine's own mounts
// are never touched; everything mounted here is undone when the lab goes, and goes with the namespace at the latest,
// even when the process dies. Needs root.
class CardLab
{
public:
    CardLab() = default;
    ~CardLab();
    CardLab(const CardLab&) = delete;
    CardLab& operator=(const CardLab&) = delete;

    // Enters a private mount namespace; returns why not (not root, no loop devices, a tool missing), empty when it did.
    static QString enter();

    // A new 8 MiB ext4 image called name, labelled label. Returns what went wrong, if anything.
    QString makeCard(const QString& name, const QString& label = QString());
    // Puts the card in: attaches its image, makes its disk read as removable and mounts it at mountPoint(name).
    QString plug(const QString& name);
    // Takes the card out (unmounts it); whileInUse: at once, as a card pulled out while a program has it open (the
    // mount goes from the mount table now, its file system when the last program lets go).
    void unplug(const QString& name, bool whileInUse = false);
    QString mountPoint(const QString& name) const { return directory.filePath(QStringLiteral("cards/") + name); }
    QString image(const QString& name) const { return directory.filePath(name + QStringLiteral(".img")); }

private:
    QTemporaryDir directory{QDir::tempPath() + QStringLiteral("/orva-cardlab-XXXXXX")};
    QStringList mounts; // undone in reverse order
};
