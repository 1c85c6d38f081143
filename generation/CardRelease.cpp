#include "generation/CardRelease.h"

#include <QCoreApplication>
#include <QDir>

EjectOutcome releaseCard(DrivePlatform& drives, const QString& rootPath)
{
    EjectOutcome outcome = drives.ejectCard(rootPath);
    if (outcome.result == EjectOutcome::Result::Ejected && drives.volumeAt(rootPath)) {
        outcome.result = EjectOutcome::Result::NotEjected;
        outcome.reason = QCoreApplication::translate("Configurator", "it is still mounted at %1.")
                             .arg(QDir::toNativeSeparators(rootPath));
    }
    return outcome;
}
