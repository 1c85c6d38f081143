#pragma once

#include "drives/DrivePlatform.h"
#include "generation/CardWriter.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QUuid>

#include <optional>

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
    // The device that held the card, as it was listed: what tells cards of the same label apart.
    quint64 capacity = 0; // bytes; 0 when not known
    QString reader{};
    QString serial{};
    QString deviceName{};
    QString backingFile{};
    // The row of the values per card whose values the card got (0: none), and its site: never the row's values.
    int valuesRow = 0;
    QString site{};
};

// "<application data>/prepared-cards.csv".
QString filePath();

// The first line of a new record, and the line of one entry; both end in a line break.
QByteArray header();
QByteArray line(const Entry& entry);

// One line of a CSV file in UTF-8, ending in a line break, safe to open in a spreadsheet: a text that a spreadsheet
// would take for a formula gets a leading quote, control characters are escaped. The record's rule, for every CSV
// file the tool writes.
QByteArray csvLine(const QStringList& fields);

// Appends the entry to the record at path, creating it (header first, owner-only) when missing; a last line cut short
// is left on its own. Only a regular file is written: a link, a FIFO, a device or a folder at path is left as it is.
// Returns what is wrong, or the system's reason, when the entry was not added.
std::optional<QString> append(const Entry& entry, const QString& path = filePath());

// Records the file that the outcome put onto the card, now, with the card's name and device as it was listed: a Written
// file, and an Unconfirmed one, which the card may carry. Other outcomes leave no file and are not recorded. Returns
// what the user should be told (on standard error) when the record could not take it; nothing else changes then.
std::optional<QString> note(const CardOutcome& outcome, quint8 modeCode, const MountedVolume& listed, int valuesRow = 0,
                            const QString& site = QString());
} // namespace CardRecord
