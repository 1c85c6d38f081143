// The drive box and the drive list beside it: the machine's removable volumes, rebuilt on request and whenever the
// volumes change.
#include "ui_Configurator.h"
#include "window/Configurator.h"

#include "drives/DriveList.h"

void Configurator::refreshDriveList()
{
    ui->sdCardPath->clear();
    driveList.clear();
    listedVolumes.clear();

    const QVector<MountedVolume> volumes = drivePlatform->mountedVolumes();
    for (const MountedVolume& volume : volumes) {
        if (!isRemovableDrive(volume))
            continue;
        // The root path lives only in driveList; the item carries no data. Adding to the emptied box
        // makes the first item current.
        ui->sdCardPath->insertItem(ui->sdCardPath->count(), QIcon(), DriveList::itemText(volume));
        driveList.append(volume.rootPath);
        listedVolumes.append(volume);
    }
}

void Configurator::followVolumes()
{
    // Unlike the refresh button, a card coming or going never moves the user's choice to another card.
    const int index = ui->sdCardPath->currentIndex();
    const bool wasChosen = index >= 0 && index < listedVolumes.size();
    const MountedVolume chosen = wasChosen ? listedVolumes.at(index) : MountedVolume();
    const QStringList before = driveList;

    refreshDriveList();

    int choice = -1;
    if (wasChosen) {
        choice = driveList.indexOf(chosen.rootPath);
        // The same card mounted again elsewhere (labelling may do that) is still the user's choice.
        for (int i = 0; choice < 0 && chosen.device != 0 && i < listedVolumes.size(); ++i) {
            if (listedVolumes.at(i).device == chosen.device)
                choice = i;
        }
    } else {
        // With no card chosen, the first card that has just arrived becomes the choice.
        for (int i = 0; choice < 0 && i < driveList.size(); ++i) {
            if (!before.contains(driveList.at(i)))
                choice = i;
        }
    }
    ui->sdCardPath->setCurrentIndex(choice);
}

bool Configurator::isRemovableDrive(const MountedVolume& volume) const
{
    return volume.removable;
}

void Configurator::on_refreshButton_clicked()
{
    refreshDriveList();
}

void Configurator::describeDriveAnew(int index, const QString& rootPath)
{
    // The same card, mounted again elsewhere (relabelling may do that): same position, selection kept.
    driveList[index] = rootPath;
    listedVolumes[index].rootPath = rootPath;
    const std::optional<MountedVolume> volume = drivePlatform->volumeAt(rootPath);
    ui->sdCardPath->setItemText(index, volume ? DriveList::itemText(*volume) : rootPath + QLatin1Char(' '));
}
