#pragma once

#include "form/FormValues.h"
#include "generation/RunCard.h"
#include "generation/ValuesPerCard.h"

#include <QSet>
#include <QString>
#include <QVector>

#include <functional>
#include <memory>

// vskwrite --each-card: prepares each card put in with values (checked already) until count cards were prepared or
// the user stops it, printing one line (json: one JSON object) per card as it ends on standard output and the
// summary through tell; at the end the run's identifiers file and the portal are opened once (unless noOpen).
// Returns true when every card that ended was prepared.
struct EachCardOptions
{
    FormValues values;
    int count = 0;
    bool json = false;
    bool noOpen = false;
    bool replace = false;
    QSet<QString> skippedReaders; // --skip-reader: cards in these readers are not prepared
    bool eject = false;           // --eject: each card is let go once it ended
    std::shared_ptr<const ValuesPerCard::List> valuesPerCard{}; // --values: each card gets the next row (checked)
    QString preset{};                                           // --preset: the preset the form came from
    bool qr = false; // --qr: each new gsm or lan identifier as a QR code after its line (not json)
    std::function<void(const QVector<RunCard>& cards)> ended = {}; // given the run's cards once it ended
};
bool prepareEachCard(const EachCardOptions& options, const std::function<void(const QString& line)>& tell);
