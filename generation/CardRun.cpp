#include "generation/CardRun.h"

#include "base/ShownText.h"
#include "form/ModeCodes.h"
#include "generation/CardRecord.h"
#include "parameterfile/Identifier.h"

CardRun::CardRun(const QDateTime& started) : started(started) {}

QString CardRun::identifiersFileName() const
{
    return QStringLiteral("ORVA Serial Numbers %1.txt").arg(started.toString(QStringLiteral("yyyy-MM-dd HH-mm-ss")));
}

QByteArray CardRun::identifiersContent(const QVector<RunCard>& cards)
{
    // As the identifier file of one card, with one line for each card: its identifier, mode, time and card, and the
    // row of the values per card it got with that row's site; never the row's values.
    const QByteArray banner = QByteArray(38, '*') + " THIS IS IMPORTANT " + QByteArray(38, '*');
    QByteArray bytes = banner + "\r\n\r\n" +
                       "PLEASE KEEP THESE IDENTIFIERS FOR THE AUTHENTICATION OF YOUR INSTALLATIONS ON THE ORVA "
                       "WEBSITE\r\n\r\n";
    for (const RunCard& card : cards) {
        const char* mode = ModeCode::name(card.modeCode);
        bytes += "YOUR IDENTIFIER (GUID) : " + identifierText(card.identifier).toLatin1() + "   " +
                 QByteArray(mode ? mode : "?") + "   " +
                 card.time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toLatin1() + "   " + card.card.toUtf8() +
                 (card.valuesRow ? "   row " + QByteArray::number(card.valuesRow) : QByteArray()) +
                 (card.site.isEmpty() ? QByteArray() : "   " + ShownText::escaped(card.site).toUtf8()) +
                 (card.result == RunCard::Result::Prepared ? "" : "   (not confirmed)") + "\r\n";
    }
    return bytes + "\r\n" + banner;
}

QByteArray CardRun::listCsv(const QVector<RunCard>& cards)
{
    // The row's values that are not secret, in the form's order, each in a column of its own named by its key.
    QStringList valueKeys;
    for (const FormField::Description& field : FormField::fields) {
        const QString key = QLatin1String(field.settingsKey);
        for (const RunCard& card : cards) {
            if (card.carriesNew && card.rowValues.contains(key)) {
                valueKeys << key;
                break;
            }
        }
    }
    QByteArray bytes =
        CardRecord::csvLine(QStringList{QStringLiteral("Identifier"), QStringLiteral("Mode"), QStringLiteral("Time"),
                                        QStringLiteral("Card"), QStringLiteral("Reader"),
                                        QStringLiteral("Site or preset"), QStringLiteral("Row")} +
                            valueKeys);
    for (const RunCard& card : cards) {
        if (!card.carriesNew)
            continue;
        const char* mode = ModeCode::name(card.modeCode);
        QStringList fields{identifierText(card.identifier),
                           mode ? QString::fromLatin1(mode) : QString::number(card.modeCode),
                           card.time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                           card.card,
                           card.reader,
                           card.siteOrPreset(),
                           card.valuesRow ? QString::number(card.valuesRow) : QString()};
        for (const QString& key : qAsConst(valueKeys))
            fields << card.rowValues.value(key);
        bytes += CardRecord::csvLine(fields);
    }
    return bytes;
}

CardRun::HandOff CardRun::handOffOf(const RunCard& card) const
{
    if (!card.carriesNew || !ModeCode::handsOffIdentifier(card.modeCode))
        return HandOff::None;
    // The first card prepared with "Generate" hands its identifier off as a single card does; from the second on, and
    // for every card of a series, the run's file holds them all.
    return card.inSeries || handedOffCount >= 1 ? HandOff::RunFile : HandOff::SingleCard;
}

void CardRun::add(const RunCard& card)
{
    const HandOff handOff = handOffOf(card);
    all.append(card);
    if (card.carriesNew)
        written.insert(card.identifier);
    if (handOff == HandOff::None)
        return;
    handedOffCards.append(card);
    ++handedOffCount;
    // "ORVA Serial Number.txt" holds the last card's identifier: "Generate" saves it for its card, a series's cards get
    // it here, one after the other as they end, off the card that goes.
    if (card.inSeries)
        IdentifierFile::save(card.identifier, QString(), true);
    if (handOff != HandOff::RunFile)
        return;
    file = IdentifierFile::saveOffCard(identifiersFileName(), identifiersContent(handedOffCards), file);
    unshown = true;
}

bool CardRun::takeHandOff()
{
    const bool shown = unshown;
    unshown = false;
    return shown;
}
