// "Generate": checks the form and the card, writes the parameter file into the folder "02" and ends the program.
#include "window/Configurator.h"
#include "ui_Configurator.h"

#include "drives/DrivePlatform.h"

void Configurator::buttonSaveClicked() {}

QString Configurator::applyVolumeLabel(const QString& rootPath, const QString& label)
{
    return drivePlatform->setVolumeLabel(rootPath, label.left(11));
}

void Configurator::identifierHandOff(const QUuid&) {}
