#pragma once

// The parameter file the module reads from its SD card: a 48-byte header followed by twelve records, each ended by
// ';'. All header numbers are unsigned and big-endian.

#include "generation/FormFields.h"

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
constexpr quint32 headerLength = 48;
constexpr quint32 magic1 = 8;
constexpr quint32 magic2 = 0x0100050A;
constexpr quint32 magic3 = 135;
constexpr quint32 magic4 = 1302;
constexpr quint32 checksumModulus = 4129; // a plain remainder, not a CRC polynomial
constexpr quint32 checksumFlag = 0x8000;
constexpr char separator = ';';
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

// The header's layout: where each field starts and how many bytes it takes. Numbers are big-endian; the name tag and
// the last reserved field are raw bytes.
struct HeaderField
{
    int offset;
    int width;
};
namespace Header {
constexpr HeaderField headerLength{0, 2};
constexpr HeaderField reserved1{2, 2};
constexpr HeaderField magic1{4, 2};
constexpr HeaderField reserved2{6, 4};
constexpr HeaderField fileLength{10, 4};
constexpr HeaderField magic2{14, 4};
constexpr HeaderField timestamp{18, 4};
constexpr HeaderField zeroBitCount{22, 4};
constexpr HeaderField magic3{26, 2};
constexpr HeaderField nameTag{28, 8};
constexpr HeaderField magic4{36, 2};
constexpr HeaderField checksum{38, 2};
constexpr HeaderField reserved3{40, 8};
static_assert(reserved3.offset + reserved3.width == headerSize, "the fields fill the header");
} // namespace Header
} // namespace ParameterFile

// "GP1_0000.VSK" for the SMS mode (32), "GP0_0000.VSK" for every other code.
QString parameterFileName(quint8 modeCode);

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
    quint8 modeCode = 4;
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

// The header as the encoder fills it. Fields the file holds in 16 bits are written as the low 16 bits of their value.
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

    // Packs the local time of the clock in place, read once for both the date and the time.
    void setTimestamp();
    void setCheckValues(const QByteArray& body);
    // Appends the 48 header bytes to the output and returns it.
    QByteArray serialize();
};
