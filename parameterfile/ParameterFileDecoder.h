#pragma once

// Reads a parameter file back into its header fields and records and says which of its rules it breaks. Any input is
// safe: nothing is read outside the given bytes.

#include "parameterfile/ParameterFile.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <QUuid>

#include <array>

// The components of a packed timestamp. The year is 2000 to 2031: the file keeps it modulo 32.
struct UnpackedTimestamp
{
    int year = ParameterFile::Timestamp::firstYear;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    bool topBitSet = false; // bit 31 is never set by the encoder

    QDateTime toDateTime() const; // invalid when the components form no real date and time
    bool isValid() const { return !topBitSet && toDateTime().isValid(); }
    QString toString() const; // "2026-12-06 05:15:53", also for impossible components
};
UnpackedTimestamp unpackTimestamp(quint32 packed);

struct DecodedParameterFile
{
    // Less than a header: no field below is meaningful and the one check says so.
    bool truncated = true;
    int size = 0; // bytes given

    ParameterFileHeader header; // its output stays empty

    QByteArray body; // every byte after the header

    // Records 1 and 2 stand at fixed places; they are read whenever the body reaches them.
    bool hasIdentifier = false;
    QByteArray identifierBytes; // 16 bytes
    QUuid identifier;
    bool hasModeCode = false;
    quint8 modeCode = 0;

    // The body cut at every ';' after the identifier, the mode byte being the first piece: what follows the last
    // separator, if anything, is the last piece. A file has twelve pieces; of a body that is cut into more, only the
    // first listedPieceLimit are kept, so that a file of nothing but separators costs no object per separator.
    static constexpr int listedPieceLimit = 64;
    QList<QByteArray> rawRecords;
    int pieceCount = 0;     // all pieces, also those beyond the limit
    int separatorCount = 0; // separators after the identifier

    // Records 3 to 12, filled only when the records can be told apart: exactly twelve separators, the body ending
    // with one, the mode byte between the first two. Otherwise a text holding ';' has shifted every record after it,
    // and nothing is guessed.
    bool recordsKnown = false;
    QByteArray hostName;
    QByteArray fixedNumber;
    QList<QByteArray> textRecords; // records 5..11, empty when the record is empty
    QByteArray resetRecord;        // record 12: empty, or one byte

    struct Check
    {
        QString name;
        bool ok = false;
        QString detail;
        // Failed, yet no damage: the file names another server than ours, as a file of another release may.
        bool foreign = false;
    };
    QList<Check> checks;

    // Every check passes: a file this tool writes, for its own server.
    bool allChecksPass() const;
    // The check of that name, or nullptr.
    const Check* check(const QString& name) const;
    QList<Check> failedChecks() const;
    // The failed checks that are damage: all but the one that tells another server.
    QList<Check> damagedChecks() const;
    // The host name record names another server than ours, a well-formed DNS host name.
    bool namesAnotherServer() const;
};

// The file name (a path is allowed: only its last part counts) gives the name tag the header should carry.
DecodedParameterFile decodeParameterFile(const QByteArray& bytes, const QString& fileName);

// The texts that the checks' details and the reports share.
namespace DecodedText {
// A record is shown up to this length only: no field takes a longer text.
constexpr int shownTextLength = FormField::lineEditLength;

QString hex(quint32 value, int digits); // "0x0030"
QString hexBytes(const QByteArray& bytes);
// The bytes as Latin-1 text, every one of them, a NUL too: Qt 5 takes a QByteArray only up to its first NUL.
QString latin1(const QByteArray& bytes);
QString hexBytes(const std::array<quint8, 8>& bytes); // "47 00 50 00 30 00 5F 00"
// Printable Latin-1 as it is, everything else as \xNN, in double quotes; of a longer record, its size.
QString quoted(const QByteArray& bytes);
// The tag's four UTF-16 little-endian code units as text, unprintable ones as '.'.
QString tagText(const std::array<quint8, 8>& tag);
// The mode's list text, or "unknown mode".
QString modeText(quint8 code);
} // namespace DecodedText
