#pragma once

#include "drives/DrivePlatform.h"

#include <QObject>
#include <QStringList>

#include <memory>
#include <optional>

class ElidedLabel;
class QComboBox;
class QFormLayout;
class QWidget;
class VolumeWatcher;

// The card the form is written to: the drive box with the machine's removable volumes (each entry carries its
// MountedVolume, rebuilt on request and whenever the volumes change), and under it the line that says what the chosen
// card holds, read off the GUI thread so that a card that stopped answering never freezes the window, with the button
// that loads the form from the card.
class DriveChooser : public QObject
{
    Q_OBJECT

public:
    // Takes over box, and places the card line in the row under it, on form.
    DriveChooser(QComboBox* box, QFormLayout* form, std::shared_ptr<DrivePlatform> drives, QObject* parent);

    // The root paths of the entries, in the box's order.
    QStringList rootPaths() const;
    // The chosen entry's volume as it was listed; nothing when no card is chosen.
    std::optional<MountedVolume> chosen() const;
    std::optional<MountedVolume> listed(int index) const;

    // Lists the removable volumes anew; the first becomes the choice.
    void refresh();
    // Follows the volumes as they come and go, from now on.
    void follow();
    // Lists anew and chooses a card other than the one at preparedRoot: another card already in, or else the next one
    // that arrives.
    void chooseOtherThan(const QString& preparedRoot);
    // The card listed at listedRoot was mounted again at rootPath (relabelling may do that): same entry, choice kept.
    void describeAnew(const QString& listedRoot, const QString& rootPath);
    // Reads the chosen card and says on the card line what it holds.
    void showWhatTheCardHolds();

signals:
    // "Load from card" was pressed.
    void loadAsked();

private:
    void followVolumes();
    void describe(int index, const MountedVolume& volume);
    void showChosenToolTip();
    void showOnCardLine(const QString& text);

    QComboBox* box;
    std::shared_ptr<DrivePlatform> drives;
    ElidedLabel* cardLine = nullptr;
    VolumeWatcher* watcher = nullptr;
    quint64 readings = 0; // the card line takes only the answer of the latest reading
};
