#pragma once

#include "generation/IdentifierFile.h"
#include "generation/RunCard.h"

#include <QByteArray>
#include <QDateTime>
#include <QSet>
#include <QString>
#include <QUuid>
#include <QVector>

// The cards of one run (a series, or cards prepared one after the other), and the run's identifiers file: the
// handed-off identifiers of the run, with card, mode and time, in one file beside the identifier file of a single card
// ("ORVA Serial Numbers <started>.txt"), which no card replaces. The run makes its file new at its first write, with a
// counter in the name when another run's file has it ("... (2).txt"), and afterwards replaces only its own file.
// Lives on one thread.
class CardRun
{
public:
    explicit CardRun(const QDateTime& started = QDateTime::currentDateTime());

    // Adds the card; a card that may carry a handed-off identifier goes into the run's identifiers file, from the
    // second such card of the run on, or from the first put in during a series. A card of a series also gets the
    // identifier file of a single card (which "Generate" saves itself), in the order the cards end: it holds the
    // identifier of the last card.
    void add(const RunCard& card);
    const QVector<RunCard>& cards() const { return all; }
    // The identifiers this run wrote onto cards.
    const QSet<QUuid>& identifiers() const { return written; }
    int handedOff() const { return handedOffCount; }

    // Where add puts the identifier of the card when it is the next card added: the front end that tells the user
    // where the identifier went asks this before it adds the card.
    enum class HandOff
    {
        None,       // it hands no identifier off (a mode without hand-off, or a card that cannot carry the new one)
        SingleCard, // the identifier file of a single card alone: the run's first card prepared with "Generate"
        RunFile,    // the run's identifiers file as well, which the front end shows at the end of the run
    };
    HandOff handOffOf(const RunCard& card) const;

    // The identifiers file, once there is one.
    const IdentifierFile::Saved& identifiersFile() const { return file; }
    QString identifiersFileName() const;
    // The file's content for the cards.
    static QByteArray identifiersContent(const QVector<RunCard>& cards);
    // The run's list for the customer portal, as CSV in UTF-8 with a header line: one line for each card that may
    // carry a new identifier of the run (never a kept one): identifier, mode, time, card, reader, the site (else the
    // preset), the row of the values per card and that row's values that are not secret. Safe in a spreadsheet as the
    // record is.
    static QByteArray listCsv(const QVector<RunCard>& cards);
    // At the end of the run: true once for each time new identifiers went into the file since it was last shown
    // (the front end then shows the file and opens the portal).
    bool takeHandOff();

private:
    QDateTime started;
    QVector<RunCard> all;
    QVector<RunCard> handedOffCards;
    QSet<QUuid> written;
    int handedOffCount = 0;
    bool unshown = false;
    IdentifierFile::Saved file;
};
