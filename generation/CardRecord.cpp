#include "generation/CardRecord.h"

#include "base/DurableFile.h"
#include "base/FileSystem.h"
#include "base/ShownText.h"
#include "form/ModeCodes.h"
#include "parameterfile/Identifier.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
// A card's label and its mount folder are anybody's text: one that a spreadsheet would take for a formula gets a
// leading quote, as spreadsheet-safe CSV writers do, and control characters (an escape sequence for a terminal, a
// line break) are escaped, with the backslash itself doubled, so that the text stays what it was.
QString neutralised(const QString& text)
{
    static const QString formulaStarts = QStringLiteral("=+-@\t\r");
    const QString safe = ShownText::escaped(text, ShownText::Backslash::Doubled);
    return !text.isEmpty() && formulaStarts.contains(text.front()) ? QLatin1Char('\'') + safe : safe;
}

// A CSV field: neutralised, then quoted when it holds a separator or a quote, with quotes doubled.
QString field(const QString& text)
{
    QString safe = neutralised(text);
    if (!safe.contains(QLatin1Char(',')) && !safe.contains(QLatin1Char('"')))
        return safe;
    safe.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + safe + QLatin1Char('"');
}

} // namespace

QByteArray CardRecord::csvLine(const QStringList& fields)
{
    QStringList quoted;
    for (const QString& text : fields)
        quoted << field(text);
    return quoted.join(QLatin1Char(',')).toUtf8() + '\n';
}

QString CardRecord::filePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/prepared-cards.csv");
}

QByteArray CardRecord::header()
{
    return csvLine({QStringLiteral("Date and time"), QStringLiteral("Mode"), QStringLiteral("Card root"),
                    QStringLiteral("Volume name"), QStringLiteral("File name"), QStringLiteral("Identifier"),
                    QStringLiteral("State"), QStringLiteral("Capacity in bytes"), QStringLiteral("Reader"),
                    QStringLiteral("Serial number"), QStringLiteral("Device"), QStringLiteral("Image file"),
                    QStringLiteral("Row"), QStringLiteral("Site")});
}

QByteArray CardRecord::line(const Entry& entry)
{
    const char* mode = ModeCode::name(entry.modeCode);
    return csvLine({entry.time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                    mode ? QString::fromLatin1(mode) : QString::number(entry.modeCode), entry.rootPath,
                    entry.volumeName, entry.fileName, identifierText(entry.identifier),
                    entry.confirmed ? QStringLiteral("written") : QStringLiteral("unconfirmed"),
                    entry.capacity ? QString::number(entry.capacity) : QString(), entry.reader, entry.serial,
                    entry.deviceName, entry.backingFile, entry.valuesRow ? QString::number(entry.valuesRow) : QString(),
                    entry.site});
}

std::optional<QString> CardRecord::append(const Entry& entry, const QString& path)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        return QStringLiteral("cannot create the folder %1").arg(folder);

    // Never through a link, never into a FIFO or a device, never waiting: a new record is made owner-only before
    // anything is in it, header and first line in one write.
    QFile file;
    bool created = false;
    if (std::optional<QString> problem = FileSystem::openOwnFileToAppend(file, path, created))
        return problem;
    QByteArray bytes = line(entry);
    if (created) {
        bytes.prepend(header());
    } else if (file.size() > 0) {
        // A last line cut short (a full disk, a crash) stays as it is, on its own: the new line starts afresh.
        char last = '\n';
        if (!file.seek(file.size() - 1) || !file.getChar(&last))
            return file.errorString();
        if (last != '\n')
            bytes.prepend('\n');
    }
    // One write in append mode: lines from two programs writing at once are not interleaved.
    if (std::optional<QString> problem = writeWhole(file, bytes))
        return problem;
    file.close();
    return std::nullopt;
}

std::optional<QString> CardRecord::note(const CardOutcome& outcome, quint8 modeCode, const MountedVolume& listed,
                                        int valuesRow, const QString& site)
{
    if (!outcome.cardHoldsNewFile())
        return std::nullopt;
    const Entry entry{QDateTime::currentDateTime(),
                      modeCode,
                      outcome.rootPath,
                      listed.name,
                      outcome.fileName,
                      outcome.identifier,
                      outcome.result == CardOutcome::Result::Written,
                      listed.capacity,
                      listed.reader,
                      listed.serial,
                      listed.deviceName,
                      listed.backingFile,
                      valuesRow,
                      site};
    const QString path = filePath();
    const std::optional<QString> problem = append(entry, path);
    if (!problem)
        return std::nullopt;
    // The card is prepared all the same; only the record misses it.
    return QStringLiteral("the card was not added to the record of prepared cards %1: %2").arg(path, *problem);
}
