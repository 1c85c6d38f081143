// The drive box and the drive list beside it: the machine's removable volumes, rebuilt on request and whenever the
// volumes change.
#include "ui_Configurator.h"
#include "window/Configurator.h"

#include "base/ShownText.h"
#include "drives/CardIdentity.h"

#include <QDir>
#include <QTextDocument>

QString Configurator::driveItemText(const MountedVolume& volume)
{
    const QString mark = volume.readOnly ? QLatin1Char(' ') + tr("(READ ONLY)") : QString();
    // The card as every list names it, its capacity and device beside its name: three cards labelled alike are three
    // different entries. A mount path may be long: it comes last, so that a narrow box cuts the path instead. A card
    // without a name is known by its path already.
    QString shown = CardIdentity::shownName(volume) + mark;
    if (CardIdentity::isDriveLetterRoot(volume.rootPath) || volume.name.isEmpty())
        return shown;
    return shown + QStringLiteral(" \u2014 ") + ShownText::escaped(volume.rootPath);
}

QString Configurator::driveToolTip(const MountedVolume& volume)
{
    QStringList lines{tr("Path: %1").arg(ShownText::escaped(QDir::toNativeSeparators(volume.rootPath)))};
    if (volume.capacity > 0)
        lines << tr("Capacity: %1").arg(CardIdentity::capacityText(volume.capacity));
    const QString device = CardIdentity::deviceText(volume);
    if (!device.isEmpty())
        lines << tr("Device: %1").arg(device);
    if (!volume.fileSystem.isEmpty())
        lines << tr("File system: %1").arg(ShownText::escaped(volume.fileSystem));
    const QString tip = lines.join(QLatin1Char('\n'));
    // A tooltip that looks like markup is taken for it: such a one is turned into markup that shows it as it is.
    return Qt::mightBeRichText(tip) ? Qt::convertFromPlainText(tip, Qt::WhiteSpaceNoWrap) : tip;
}

void Configurator::describeDrive(int index, const MountedVolume& volume)
{
    ui->sdCardPath->setItemText(index, driveItemText(volume));
    ui->sdCardPath->setItemData(index, driveToolTip(volume), Qt::ToolTipRole);
    if (index == ui->sdCardPath->currentIndex())
        showChosenDriveToolTip();
}

void Configurator::showChosenDriveToolTip()
{
    // The closed box shows the chosen card's tooltip too.
    ui->sdCardPath->setToolTip(ui->sdCardPath->currentData(Qt::ToolTipRole).toString());
}

void Configurator::refreshDriveList()
{
    ui->sdCardPath->clear();
    driveList.clear();
    listedVolumes.clear();

    const QVector<MountedVolume> volumes = drivePlatform->mountedVolumes();
    for (const MountedVolume& volume : volumes) {
        if (!isRemovableDrive(volume))
            continue;
        // The root path lives only in driveList; the item carries its text and tooltip. Adding to the emptied box
        // makes the first item current.
        ui->sdCardPath->insertItem(ui->sdCardPath->count(), QIcon(), QString());
        describeDrive(ui->sdCardPath->count() - 1, volume);
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
    MountedVolume described;
    described.rootPath = rootPath;
    describeDrive(index, volume.value_or(described));
}
