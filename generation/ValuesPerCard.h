#pragma once

#include "form/FormValues.h"

#include <QMap>
#include <QString>
#include <QVector>

#include <array>
#include <optional>

// Values that differ from card to card in a series (each module has its own SIM card, so its own PIN and phone
// number): a CSV file in UTF-8 whose header names the form's fields by the keys of the remembered form
// (accessPointName, username, password, pinCode, simCardPhoneNumber, ownerPhoneNumber, userKey) and "site", a name
// for the card's label; separated by commas, or by semicolons when the header is. Each row after the header is one
// card's: a column replaces its field for that card (an empty cell too), the form gives the rest. The whole list is
// checked with the form's rules before the first card, and refused whole, with its line, when one row breaks one.
namespace ValuesPerCard {
constexpr int maxRows = 10000;
constexpr int maxLineBytes = 4096; // what a row holds at most, in the file's bytes
constexpr int maxSiteLength = 64;
inline const QLatin1String siteColumn("site");

struct Row
{
    int number = 0; // 1: the first row under the header
    int line = 0;   // its line in the file, the header's being 1
    QString site;
    std::array<std::optional<QString>, FormField::count> texts; // by FormField::Id; nothing where no column names it

    // The form with this row's values in their fields.
    FormValues appliedTo(FormValues form) const;
    // The row's values that are not secret (FormField::secrets), by the remembered form's key.
    QMap<QString, QString> shownValues() const;
};

struct List
{
    QString filePath;
    QVector<Row> rows;
};

// Why a file is not such a list: its line (0: the file as a whole) and the reason, translated.
struct Refusal
{
    int line = 0;
    QString reason;
};

struct Reading
{
    List list;
    std::optional<Refusal> refusal;
};

// Reads the file at path and checks every row, put over form, with the rules "Generate" checks a form by (for the
// form's mode). The list, or why it is refused.
Reading read(const QString& path, const FormValues& form);
// The same for the file's bytes.
Reading parse(const QByteArray& bytes, const FormValues& form);
// Checks every row of the list, put over form (which may have changed since the list was read).
std::optional<Refusal> check(const List& list, const FormValues& form);

// The refusal as one sentence naming the file and the line, translated: for a box and for vskwrite.
QString refusalText(const QString& path, const Refusal& refusal);
// The series ended as every row was used, translated.
QString usedUpText(int rows);
// "row 2 of 3 (Lausanne)": the row that a card gets, translated.
QString rowText(const Row& row, int rows);
} // namespace ValuesPerCard
