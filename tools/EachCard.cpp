#include "tools/EachCard.h"

#include "base/ShownText.h"
#include "desktop/DesktopOpen.h"
#include "form/FormTexts.h"
#include "form/ModeCodes.h"
#include "generation/CardRecord.h"
#include "generation/CardSeries.h"
#include "generation/GenerateTexts.h"
#include "generation/IdentifierCode.h"
#include "generation/RunTexts.h"
#include "parameterfile/Identifier.h"
#include "tools/StandardOutput.h"
#include "tools/StopRequest.h"
#include "tools/WriterCommand.h"

#include <QCoreApplication>
#include <QDir>
#include <QJsonObject>
#include <QVariantMap>

#include <algorithm>
#include <cstdio>

namespace {
void printLine(const QString& line)
{
    std::fputs(qPrintable(line), stdout);
    std::fputc('\n', stdout);
    // A script reads each card as it ends.
    std::fflush(stdout);
}

// The row's values that are not secret, as the card got them.
QVariantMap rowValues(const RunCard& card)
{
    QVariantMap values;
    for (auto value = card.rowValues.cbegin(); value != card.rowValues.cend(); ++value)
        values.insert(value.key(), value.value());
    return values;
}

QString cardLine(const RunCard& card, bool json)
{
    const QString identifier = card.identifier.isNull() ? QString() : identifierText(card.identifier);
    const QString time = card.time.toString(Qt::ISODate);
    if (!json)
        return QStringList{time, card.card, writerModeName(card.modeCode), identifier, RunTexts::result(card)}.join(
            QLatin1Char('\t'));
    const QJsonObject object{{QStringLiteral("time"), time},
                             {QStringLiteral("card"), card.card},
                             {QStringLiteral("root"), card.rootPath},
                             {QStringLiteral("mode"), writerModeName(card.modeCode)},
                             {QStringLiteral("identifier"), identifier},
                             {QStringLiteral("result"), RunTexts::resultCode(card.result)},
                             {QStringLiteral("text"), RunTexts::result(card)},
                             {QStringLiteral("mayBeRemoved"), card.mayBeRemoved()},
                             {QStringLiteral("reader"), card.reader},
                             {QStringLiteral("preset"), card.preset},
                             {QStringLiteral("row"), card.valuesRow},
                             {QStringLiteral("site"), card.site},
                             {QStringLiteral("values"), QJsonObject::fromVariantMap(rowValues(card))}};
    return QString::fromUtf8(ShownText::jsonLine(object));
}

// Where the run's identifiers are when no file took them: in the lines printed, and in the record of prepared cards
// only when it took every card that may carry one.
QString unsavedIdentifiers(const CardRun& run)
{
    const QVector<RunCard>& cards = run.cards();
    const bool recorded = std::none_of(cards.begin(), cards.end(), [](const RunCard& card) {
        return card.carriesNew && ModeCode::handsOffIdentifier(card.modeCode) && !card.unrecorded.isEmpty();
    });
    if (recorded)
        return QStringLiteral("the run's identifiers could not be saved in a file; they are in the lines above and in "
                              "the record of prepared cards %1")
            .arg(QDir::toNativeSeparators(CardRecord::filePath()));
    return QStringLiteral("the run's identifiers could not be saved in a file, nor all in the record of prepared "
                          "cards: they are only in the lines above, keep them");
}
} // namespace

bool prepareEachCard(const EachCardOptions& options, const std::function<void(const QString& line)>& tell)
{
    CardRun run;
    CardSeries series(createNativeDrivePlatform(), run);
    CardSeries::Settings settings;
    settings.values = options.values;
    // As vskwrite writes one card, the card stays mounted, its file durable, and its line says to eject it first;
    // with --eject every card is let go as the window's eject option lets it go.
    settings.values.ejectCardWhenDone = options.eject;
    settings.replaceHandedOff = options.replace;
    settings.count = options.count;
    // A second Ctrl+C does not cut a card whose new file may be live before its identifier is printed and recorded.
    settings.beforeWrite = holdExit;
    settings.skippedReaders = options.skippedReaders;
    settings.valuesPerCard = options.valuesPerCard;
    settings.preset = options.preset;
    const CardSeries::Started started = series.start(settings);
    if (started.problem) {
        if (started.formProblem)
            tell(FormTexts::problem(*started.formProblem).text);
        else if (started.valuesRefusal)
            tell(ValuesPerCard::refusalText(options.valuesPerCard->filePath, *started.valuesRefusal));
        else
            tell(QStringLiteral("this system tells nothing of cards put in"));
        return false;
    }
    QObject::connect(&series, &CardSeries::cardEnded, [&](const RunCard& card) {
        printLine(cardLine(card, options.json));
        if (options.qr && !options.json && card.carriesNew && ModeCode::handsOffIdentifier(card.modeCode)) {
            printCodeLines(IdentifierCode(card.identifier).terminalLines());
            std::fflush(stdout);
        }
        if (!card.unrecorded.isEmpty())
            tell(card.unrecorded);
        if (card.writeBegun)
            releaseExit();
    });
    QObject::connect(&series, &CardSeries::finished, QCoreApplication::instance(), &QCoreApplication::quit,
                     Qt::QueuedConnection);
    onStopRequest(
        [&series, &tell] {
            if (series.inHand() > 0)
                tell(QStringLiteral("stopping once the %1 card(s) in hand have ended").arg(series.inHand()));
            series.stop();
        },
        settings.silenceLimit);
    const int rows = options.valuesPerCard ? int(options.valuesPerCard->rows.size()) : 0;
    const int expected = rows > 0 && (options.count == 0 || rows < options.count) ? rows : options.count;
    tell(expected > 0 ? QStringLiteral("waiting for %1 card(s); Ctrl+C stops").arg(expected)
                      : QStringLiteral("waiting for cards; Ctrl+C stops"));
    QCoreApplication::exec();
    if (series.rowsUsedUp())
        tell(ValuesPerCard::usedUpText(rows));

    tell(QStringLiteral("%1 card(s) prepared, %2 not prepared").arg(series.prepared()).arg(series.refused()));
    if (options.ended)
        options.ended(run.cards());
    if (run.takeHandOff()) {
        const QString path = run.identifiersFile().filePath;
        tell(path.isEmpty() ? unsavedIdentifiers(run)
                            : QStringLiteral("the run's identifiers are in %1").arg(QDir::toNativeSeparators(path)));
        if (!options.noOpen) {
            if (!path.isEmpty())
                DesktopOpen::textFile(path);
            DesktopOpen::webAddress(GenerateTexts::portalAddress());
        }
    }
    return series.refused() == 0;
}
