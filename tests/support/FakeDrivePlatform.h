#pragma once

#include "drives/DrivePlatform.h"

#include <QHash>
#include <QStringList>

#include <functional>
#include <mutex>

// Presents whatever volumes a test lists, folders standing in for cards. A series prepares its cards on threads of
// their own: the platform's calls and addCard() may come from any thread; the members are read and set by the test
// while no card is in hand.
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
    // Called on the labelling thread before a card is labelled: a test holds a card in hand there.
    std::function<void(const QString& rootPath)> whileLabelling;

    // A removable card at rootPath, in the reader readerId.
    FakeDrivePlatform& addCard(const QString& rootPath, const QString& name = QString(), bool readOnly = false,
                               const QString& readerId = QString());
    // A volume the platform does not report as removable.
    FakeDrivePlatform& addFixedDisk(const QString& rootPath, const QString& name = QString());

    QVector<MountedVolume> mountedVolumes() const override;
    bool isReadOnly(const QString& rootPath) const override;
    QString setVolumeLabel(const QString& rootPath, const QString& label) override;
    // Unmounted: the card leaves the list.
    EjectOutcome ejectCard(const QString& rootPath) override;

private:
    mutable std::mutex guard;
};
