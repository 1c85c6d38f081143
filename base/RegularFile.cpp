#include "base/RegularFile.h"

#include <QCoreApplication>

QString RegularFileRead::problem(const QString& tooLarge) const
{
    switch (outcome) {
    case Outcome::Read:
        break;
    case Outcome::NotRegular:
        return QStringLiteral("is %1, not a regular file").arg(kind);
    case Outcome::TooLarge:
        return tooLarge;
    case Outcome::Missing:
    case Outcome::Failed:
        return QStringLiteral("cannot be read: ") + reason;
    }
    return QString();
}

QString RegularFileRead::refusalText(const QString& tooLarge) const
{
    switch (outcome) {
    case Outcome::Read:
        break;
    case Outcome::Missing:
    case Outcome::NotRegular:
        return QCoreApplication::translate("Configurator", "It does not exist or is not a file.");
    case Outcome::TooLarge:
        return tooLarge;
    case Outcome::Failed:
        return QCoreApplication::translate("Configurator", "It cannot be read: %1").arg(reason);
    }
    return QString();
}
