#include "drives/CardIdentity.h"

#include "base/ShownText.h"

#include <QCoreApplication>
#include <QLocale>
#include <QStringList>

QString CardIdentity::capacityText(quint64 bytes)
{
    if (bytes == 0)
        return {};
    // A card sold as "8 GB" holds about 8 000 000 000 bytes: the same count of thousands tells it on the screen.
    return QLocale().formattedDataSize(qint64(bytes), 1, QLocale::DataSizeSIFormat);
}

QString CardIdentity::deviceText(const MountedVolume& card)
{
    QStringList parts;
    if (!card.reader.isEmpty()) {
        parts << ShownText::escaped(card.reader);
    } else if (!card.deviceName.isEmpty()) {
        const QString name = ShownText::escaped(card.deviceName);
        parts << (card.backingFile.isEmpty() ? name
                                             : name + QStringLiteral(": ") + ShownText::escaped(card.backingFile));
    }
    if (!card.serial.isEmpty())
        parts << QCoreApplication::translate("Configurator", "serial %1").arg(ShownText::escaped(card.serial));
    return parts.join(QStringLiteral(", "));
}

QString CardIdentity::withDetails(const QString& text, const MountedVolume& card)
{
    QStringList details;
    const QString capacity = capacityText(card.capacity);
    if (!capacity.isEmpty())
        details << capacity;
    const QString device = deviceText(card);
    if (!device.isEmpty())
        details << device;
    if (details.isEmpty())
        return text;
    const QString inParentheses = QLatin1Char('(') + details.join(QStringLiteral(", ")) + QLatin1Char(')');
    return text.isEmpty() ? inParentheses : text + QLatin1Char(' ') + inParentheses;
}

bool CardIdentity::isDriveLetterRoot(const QString& rootPath)
{
    return rootPath.size() == 3 && rootPath.at(0).isLetter() && rootPath.at(1) == QLatin1Char(':') &&
           (rootPath.at(2) == QLatin1Char('/') || rootPath.at(2) == QLatin1Char('\\'));
}

QString CardIdentity::shownName(const MountedVolume& card)
{
    const QString name = ShownText::escaped(card.name);
    const QString rootPath = ShownText::escaped(card.rootPath);
    // A drive letter is short and tells the user where to find the card: the root, a space, the name.
    if (isDriveLetterRoot(card.rootPath))
        return rootPath + QLatin1Char(' ') + withDetails(name, card);
    return withDetails(name.isEmpty() ? rootPath : name, card);
}
