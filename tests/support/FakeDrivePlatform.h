#pragma once

#include "drives/DrivePlatform.h"

#include <QHash>
#include <QStringList>

// Presents whatever volumes a test lists, folders standing in for cards.
class FakeDrivePlatform : public DrivePlatform
{
public:
    QVector<MountedVolume> volumes;
    QHash<QString, QString> remountAfterLabel; // root path -> root path after labelling
    bool unmountOnLabel = false;               // the card is not mounted again after its label
    mutable int enumerations = 0;

    struct LabelCall
    {
        QString rootPath;
        QString label;
    };
    QList<LabelCall> labelCalls;

    QStringList ejectCalls;            // root paths, in order
    QString ejectRefusal;              // when set, the card stays mounted and this is the reason
    bool ejectLeavesItMounted = false; // the system says it ejected the card, which is still mounted

    // A removable card at rootPath.
    FakeDrivePlatform& addCard(const QString& rootPath, const QString& name = QString(), bool readOnly = false);
    // A volume the platform does not report as removable.
    FakeDrivePlatform& addFixedDisk(const QString& rootPath, const QString& name = QString());

    QVector<MountedVolume> mountedVolumes() const override;
    bool isReadOnly(const QString& rootPath) const override;
    QString setVolumeLabel(const QString& rootPath, const QString& label) override;
    // Unmounted: the card leaves the list.
    EjectOutcome ejectCard(const QString& rootPath) override;
};
