#pragma once

#include "generation/CardWriter.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QUuid>

// The record of prepared cards: one line per parameter file put onto a card, in a CSV file in the user's application
// data folder, so that the identifier of every card stays at hand after the next card's identifier file replaced the
// earlier one. The record is only ever appended to and is readable by its owner only.
namespace CardRecord {
struct Entry
{
    QDateTime time; // local
    quint8 modeCode = 0;
    QString rootPath;
    QString volumeName; // as the card was listed, before its label
    QString fileName;
    QUuid identifier;
    bool confirmed = true; // false: the file replaced the earlier one but could not be confirmed on the card
};

// "<application data>/prepared-cards.csv".
QString filePath();

// The first line of a new record, and the line of one entry; both end in a line break.
QByteArray header();
QByteArray line(const Entry& entry);

// Appends the entry to the record at path, creating it (header first, owner-only) when missing. Returns the system's
// reason when that failed, or a null string.
QString append(const Entry& entry, const QString& path = filePath());

// Records the file that the outcome put onto the card, now: a Written file, and an Unconfirmed one, which the card
// may carry. Other outcomes leave no file and are not recorded. A failure is reported on standard error and changes
// nothing else; returns false then.
bool note(const CardOutcome& outcome, quint8 modeCode, const QString& volumeName);
} // namespace CardRecord
