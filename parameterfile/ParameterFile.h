#pragma once

// The parameter file the module reads from its SD card: a 48-byte header followed by twelve records, each ended by
// ';'. All header numbers are unsigned and big-endian.

#include "form/FormFields.h"
#include "form/ModeCodes.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>
#include <QUuid>

#include <array>
#include <optional>

namespace ParameterFile {
// The folder at the card's root that holds the parameter files.
constexpr char cardFolderName[] = "02";
constexpr int headerSize = 48;
constexpr quint32 checksumModulus = 4129; // a plain remainder, not a CRC polynomial
constexpr quint32 checksumFlag = 0x8000;
constexpr char separator = FormField::recordSeparator;
constexpr int recordCount = 12;
constexpr int textRecordCount = 7; // records 5 to 11

// The maker's server, written as record 3 without length or terminator.
constexpr char serverHostName[] = "config.orva.example.net";
constexpr int serverHostNameLength = sizeof(serverHostName) - 1;
static_assert(serverHostNameLength == 23, "the module expects a 23-character host name");

// Record 4, a fixed number the module expects.
constexpr char fixedNumber[] = "83";

// Body bytes that are there whatever the form holds: 16 identifier bytes, the mode byte, "83" and the separators.
constexpr int fixedBodyLength = 16 + 1 + 2 + recordCount;

// The longest host name a file may name: a DNS name's own limit, for a file written for another server.
constexpr int longestHostName = 253;

// The largest parameter file: the header, the fixed records, the longest host name, and the texts of the mode that
// shows the most, each as long as its field takes, with the reset byte where the mode has it. Whatever is larger is
// no parameter file, and is not read whole: the line under the card list, the loader and vskinfo hold to this size.
constexpr qint64 largestFileSize()
{
    qint64 longestRecords = 0;
    for (const ModeCode::Entry& mode : ModeCode::entries) {
        qint64 records = mode.showsReset ? 1 : 0;
        for (const FormField::Description& field : FormField::fields) {
            if (mode.shownFields & FormField::bit(field.id))
                records += field.maxLength;
        }
        longestRecords = records > longestRecords ? records : longestRecords;
    }
    return headerSize + fixedBodyLength + longestHostName + longestRecords;
}
constexpr qint64 largestSize = largestFileSize();
static_assert(serverHostNameLength <= longestHostName, "our own host name is one a file may name");

// Where each part of the packed timestamp stands: its lowest bit and its width.
struct TimestampPart
{
    int shift;
    int width;

    constexpr quint32 mask() const { return (1u << width) - 1; }
    // The value masked to the part's width, so that it cannot spill into its neighbour, and put in its place.
    constexpr quint32 place(int value) const { return (quint32(value) & mask()) << shift; }
    constexpr int take(quint32 packed) const { return int((packed >> shift) & mask()); }
};
namespace Timestamp {
constexpr int firstYear = 2000; // the year is kept modulo 32 from here
constexpr TimestampPart year{26, 5};
constexpr TimestampPart month{22, 4};
constexpr TimestampPart day{17, 5};
constexpr TimestampPart hour{12, 5};
constexpr TimestampPart minute{6, 6};
constexpr TimestampPart second{0, 6};
constexpr int topBit = 31; // never set by the encoder
static_assert(second.shift + second.width == minute.shift && minute.shift + minute.width == hour.shift &&
                  hour.shift + hour.width == day.shift && day.shift + day.width == month.shift &&
                  month.shift + month.width == year.shift && year.shift + year.width == topBit,
              "the parts fill bits 0 to 30 without a gap");
} // namespace Timestamp
} // namespace ParameterFile

// "GP1_0000.VSK" for the SMS mode (32), "GP0_0000.VSK" for every other code.
QString parameterFileName(quint8 modeCode);

// A parameter file's path under the card's root: "02/GP0_0000.VSK".
QString parameterFileOnCard(const QString& fileName);

// The header's 8-byte name tag: the first four characters of the file name without ".VSK", as UTF-16 little endian.
// A shorter name leaves the rest of the tag zero.
std::array<quint8, 8> parameterNameTag(const QString& fileName);

// The local date and time packed into 32 bits: (year - 2000) mod 32, month, day, hour, minute, second, from the top
// bit 30 down; each component masked to its width. Seconds are the finest unit; there is no time zone.
quint32 packTimestamp(const QDate& date, const QTime& time);
// Date and time taken from the one value, so that a moment just before midnight keeps its own day.
quint32 packTimestamp(const QDateTime& localTime);

// The check values over the body: the count of bits equal to 0, and the body read as one big-endian number modulo
// 4129 with bit 15 set.
quint32 countZeroBits(const QByteArray& bytes);
quint32 bodyChecksum(const QByteArray& bytes);

struct FormValues;

// What the window hands the encoder. A field the mode does not show is passed as std::nullopt and leaves its record
// empty; a shown but empty field gives an empty record too.
struct ParameterFileInput
{
    quint8 modeCode = ModeCode::Default;
    QUuid identifier; // one that isIdentifierAcceptable accepts
    QString fileName; // from parameterFileName(modeCode)
    // records 5..11 in file order, indexed by the form's field ids
    std::array<std::optional<QString>, FormField::count> texts;
    std::optional<bool> resetConfig; // record 12
};

struct EncodedParameterFile
{
    QByteArray header; // 48 bytes
    QByteArray body;
};

// The encoder's input for a form: the texts of the fields the mode shows, the reset option where the mode shows it.
ParameterFileInput parameterFileInput(const FormValues& values, const QUuid& identifier);

// The twelve records with their separators.
QByteArray buildParameterFileBody(const ParameterFileInput& input);

// Stamped with the local time of the clock in place (Clock::instance()), read once.
EncodedParameterFile encodeParameterFile(const ParameterFileInput& input);

// The header: the encoder fills it, the decoder reads it back. Fields the file holds in 16 bits are written as the low
// 16 bits of their value.
struct ParameterFileHeader
{
    quint32 headerLength = 0;
    quint32 reserved1 = 0;
    quint32 magic1 = 0;
    quint32 reserved2 = 0;
    quint32 fileLength = 0;
    quint32 magic2 = 0;
    quint32 timestamp = 0;
    quint32 zeroBitCount = 0;
    quint32 magic3 = 0;
    std::array<quint8, 8> nameTag{};
    quint32 magic4 = 0;
    quint32 checksum = 0;
    std::array<quint8, 8> reserved3{};
    QByteArray output;

    // The fields every file holds the same values in: the header's length, the magic numbers, the reserved zeros.
    void setFixedValues();
    // Packs the local time of the clock in place, read once for both the date and the time.
    void setTimestamp();
    void setCheckValues(const QByteArray& body);
    // Appends the 48 header bytes to the output and returns it.
    QByteArray serialize();

    // The fields of the first 48 bytes, which the caller makes sure are there; the output stays empty.
    static ParameterFileHeader read(const QByteArray& bytes);
};

namespace ParameterFile {
// What the decoder holds a header field to; the checks are reported in this order, fields of one kind in file order.
enum class HeaderCheck
{
    HeaderLength, // the fixed value, told in decimal
    FileLength,   // the size of the file
    Fixed,        // the fixed value, told in hexadecimal (raw bytes: all 0)
    Timestamp,    // a real date and time
    ZeroBitCount, // counted over the body
    Checksum,     // computed over the body
    NameTag,      // taken from the file's name
};

// How the reports show a field's value.
enum class HeaderShown
{
    Hex,          // "0x0000"; a number in the JSON report
    HexAndNumber, // "0x0030 (48)"; a number in the JSON report
    Time,         // "0x6B0C53F5 (2026-12-06 05:15:53)"; a number, and the time beside it
    Tag,          // "47 00 50 00 30 00 5F 00 ("GP0_")"; the bytes, and the text beside it
    Bytes,        // "00 00 00 00 00 00 00 00"
};

// One field of the header, in the file and in the reports.
struct HeaderField
{
    const char* name; // as the reports name it
    int offset;
    int width;                                         // bytes
    quint32 ParameterFileHeader::*number;              // a big-endian number of 2 or 4 bytes, or nullptr
    std::array<quint8, 8> ParameterFileHeader::*bytes; // 8 raw bytes, or nullptr
    HeaderCheck check;
    const char* checkName;
    quint32 fixedValue; // for HeaderLength and Fixed: what every file holds
    HeaderShown shown;

    constexpr bool isFixed() const { return check == HeaderCheck::HeaderLength || check == HeaderCheck::Fixed; }
};

// The header's fields in file order.
constexpr std::array<HeaderField, 13> headerFields{{
    {"headerLength", 0, 2, &ParameterFileHeader::headerLength, nullptr, HeaderCheck::HeaderLength, "header length",
     headerSize, HeaderShown::HexAndNumber},
    {"reserved1", 2, 2, &ParameterFileHeader::reserved1, nullptr, HeaderCheck::Fixed, "reserved1", 0, HeaderShown::Hex},
    {"magic1", 4, 2, &ParameterFileHeader::magic1, nullptr, HeaderCheck::Fixed, "magic1", 8, HeaderShown::HexAndNumber},
    {"reserved2", 6, 4, &ParameterFileHeader::reserved2, nullptr, HeaderCheck::Fixed, "reserved2", 0, HeaderShown::Hex},
    {"fileLength", 10, 4, &ParameterFileHeader::fileLength, nullptr, HeaderCheck::FileLength, "file length", 0,
     HeaderShown::HexAndNumber},
    {"magic2", 14, 4, &ParameterFileHeader::magic2, nullptr, HeaderCheck::Fixed, "magic2", 0x0100050A,
     HeaderShown::Hex},
    {"timestamp", 18, 4, &ParameterFileHeader::timestamp, nullptr, HeaderCheck::Timestamp, "timestamp", 0,
     HeaderShown::Time},
    {"zeroBitCount", 22, 4, &ParameterFileHeader::zeroBitCount, nullptr, HeaderCheck::ZeroBitCount, "zero-bit count", 0,
     HeaderShown::HexAndNumber},
    {"magic3", 26, 2, &ParameterFileHeader::magic3, nullptr, HeaderCheck::Fixed, "magic3", 135,
     HeaderShown::HexAndNumber},
    {"nameTag", 28, 8, nullptr, &ParameterFileHeader::nameTag, HeaderCheck::NameTag, "name tag", 0, HeaderShown::Tag},
    {"magic4", 36, 2, &ParameterFileHeader::magic4, nullptr, HeaderCheck::Fixed, "magic4", 1302,
     HeaderShown::HexAndNumber},
    {"checksum", 38, 2, &ParameterFileHeader::checksum, nullptr, HeaderCheck::Checksum, "checksum", 0,
     HeaderShown::Hex},
    {"reserved3", 40, 8, nullptr, &ParameterFileHeader::reserved3, HeaderCheck::Fixed, "reserved3", 0,
     HeaderShown::Bytes},
}};

// Each field starts where the one before it ends, is a number of 2 or 4 bytes or 8 raw bytes, and the last one ends
// the header: no gap, no overlap.
constexpr bool headerFieldsFillTheHeader()
{
    int end = 0;
    for (const HeaderField& field : headerFields) {
        const bool isNumber = field.number && !field.bytes && (field.width == 2 || field.width == 4);
        const bool isBytes = field.bytes && !field.number && field.width == 8;
        if (field.offset != end || !(isNumber || isBytes) || (isBytes && field.fixedValue != 0))
            return false;
        end += field.width;
    }
    return end == headerSize;
}
static_assert(headerFieldsFillTheHeader(), "the header's fields follow each other and fill its 48 bytes");
} // namespace ParameterFile
