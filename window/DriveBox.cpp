// The drive box and the drive list beside it: the machine's removable volumes, rebuilt on request.
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
