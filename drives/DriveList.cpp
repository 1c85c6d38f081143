// The drive box and the drive list beside it: the machine's removable volumes, rebuilt on request.
#include "ui_Configurator.h"
#include "window/Configurator.h"

#include "drives/DrivePlatform.h"

namespace {
QString driveItemText(const MountedVolume& volume)
{
    QString text = volume.rootPath + QLatin1Char(' ') + volume.name;
    if (volume.readOnly)
        text += QLatin1String(" (READ ONLY)");
    return text;
}
} // namespace

void Configurator::refreshDriveList()
{
    ui->sdCardPath->clear();
    driveList.clear();

    const QVector<MountedVolume> volumes = drivePlatform->mountedVolumes();
    for (const MountedVolume& volume : volumes) {
        if (!isRemovableDrive(volume))
            continue;
        // The root path lives only in driveList; the item carries no data. Adding to the emptied box
        // makes the first item current.
        ui->sdCardPath->insertItem(ui->sdCardPath->count(), QIcon(), driveItemText(volume));
        driveList.append(volume.rootPath);
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
    const QVector<MountedVolume> volumes = drivePlatform->mountedVolumes();
    for (const MountedVolume& volume : volumes) {
        if (volume.rootPath == rootPath) {
            ui->sdCardPath->setItemText(index, driveItemText(volume));
            return;
        }
    }
    ui->sdCardPath->setItemText(index, rootPath + QLatin1Char(' '));
}
