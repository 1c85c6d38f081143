#include "generation/CardRecord.h"

#include "generation/Identifier.h"
#include "generation/ModeCodes.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cstdio>

namespace {
constexpr QFileDevice::Permissions ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

// A CSV field: quoted when it holds a separator, a quote or a line break, with quotes doubled.
QString field(const QString& text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n')) &&
        !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QByteArray csvLine(const QStringList& fields)
{
    QStringList quoted;
    for (const QString& text : fields)
        quoted << field(text);
    return quoted.join(QLatin1Char(',')).toUtf8() + '\n';
}

QString programName()
{
    const QString path = QCoreApplication::instance() ? QCoreApplication::applicationFilePath() : QString();
    return path.isEmpty() ? QCoreApplication::applicationName() : QFileInfo(path).fileName();
}
} // namespace

QString CardRecord::filePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/prepared-cards.csv");
}

QByteArray CardRecord::header()
{
    return csvLine({QStringLiteral("Date and time"), QStringLiteral("Mode"), QStringLiteral("Card root"),
                    QStringLiteral("Volume name"), QStringLiteral("File name"), QStringLiteral("Identifier"),
                    QStringLiteral("State")});
}

QByteArray CardRecord::line(const Entry& entry)
{
    const char* mode = ModeCode::name(entry.modeCode);
    return csvLine({entry.time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                    mode ? QString::fromLatin1(mode) : QString::number(entry.modeCode), entry.rootPath,
                    entry.volumeName, entry.fileName, identifierDigits(entry.identifier).toUpper(),
                    entry.confirmed ? QStringLiteral("written") : QStringLiteral("unconfirmed")});
}

QString CardRecord::append(const Entry& entry, const QString& path)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        return QStringLiteral("cannot create the folder %1").arg(folder);

    // A new record is made owner-only before anything is in it, header and first line in one write.
    QFile file(path);
    QByteArray bytes = line(entry);
    if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered)) {
        if (!file.setPermissions(ownerOnly))
            return file.errorString();
        bytes.prepend(header());
    } else if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) {
        return file.errorString();
    }
    // One write in append mode: lines from two programs writing at once are not interleaved.
    if (file.write(bytes) != bytes.size())
        return file.errorString();
    if (!file.flush())
        return file.errorString();
    file.close();
    return QString();
}

bool CardRecord::note(const CardOutcome& outcome, quint8 modeCode, const QString& volumeName)
{
    if (!outcome.cardHoldsNewFile())
        return true;
    const Entry entry{QDateTime::currentDateTime(),
                      modeCode,
                      outcome.rootPath,
                      volumeName,
                      outcome.fileName,
                      outcome.identifier,
                      outcome.result == CardOutcome::Result::Written};
    const QString path = filePath();
    const QString reason = append(entry, path);
    if (reason.isNull())
        return true;
    // The card is prepared all the same; only the record misses it.
    std::fprintf(stderr, "%s: the card was not added to the record of prepared cards %s: %s\n",
                 qPrintable(programName()), qPrintable(path), qPrintable(reason));
    return false;
}
