#include "parameterfile/Identifier.h"

#include <QStringList>

bool isIdentifierAcceptable(const QUuid& identifier)
{
    const QString text = identifier.toString();
    if (text.contains(QLatin1String("00")))
        return false;
    return !text.contains(QLatin1String("3B"), Qt::CaseInsensitive);
}

QUuid createAcceptableIdentifier(const std::function<QUuid()>& generate)
{
    QUuid identifier = generate();
    while (!isIdentifierAcceptable(identifier))
        identifier = generate();
    return identifier;
}

QString identifierDigits(const QUuid& identifier)
{
    // "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}" without its braces and hyphens
    QString text = QString::fromLatin1(identifier.toByteArray());
    text.remove(0, 1);
    text.remove(QLatin1Char('-'));
    text.chop(1);
    return text;
}

QString identifierText(const QUuid& identifier)
{
    return identifierDigits(identifier).toUpper();
}

QString groupedIdentifier(const QUuid& identifier)
{
    const QString digits = identifierText(identifier);
    QStringList groups;
    for (int at = 0; at < digits.size(); at += 4)
        groups << digits.mid(at, 4);
    return groups.join(QLatin1Char(' '));
}

QByteArray identifierBytes(const QUuid& identifier)
{
    // The RFC 4122 byte order is the order of the digits in the text form.
    return identifier.toRfc4122();
}

QString userKeyFromIdentifier(const QUuid& identifier)
{
    return identifierText(identifier).left(6);
}
