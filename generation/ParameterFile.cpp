#include "generation/ParameterFile.h"

#include "base/Clock.h"
#include "generation/FormValues.h"
#include "generation/Identifier.h"

static_assert(ParameterFile::textRecordCount == int(FormField::count), "one text record per form field");

namespace {
// Appends the field's low bytes, most significant first, where the header layout puts them.
void appendField(QByteArray& out, int headerStart, ParameterFile::HeaderField field, quint32 value)
{
    Q_ASSERT(out.size() - headerStart == field.offset);
    for (int shift = 8 * (field.width - 1); shift >= 0; shift -= 8)
        out.append(char((value >> shift) & 0xFF));
}

void appendField(QByteArray& out, int headerStart, ParameterFile::HeaderField field, const std::array<quint8, 8>& bytes)
{
    Q_ASSERT(out.size() - headerStart == field.offset && field.width == int(bytes.size()));
    out.append(reinterpret_cast<const char*>(bytes.data()), int(bytes.size()));
}

// One byte per UTF-16 code unit, whatever Latin-1 cannot hold as '?', then the record's separator.
void appendTextRecord(QByteArray& body, const std::optional<QString>& text)
{
    if (text) {
        for (const QChar character : *text) {
            const ushort unit = character.unicode();
            body.append(unit < 0x100 ? char(unit) : '?');
        }
    }
    body.append(ParameterFile::separator);
}
} // namespace

QString parameterFileName(quint8 modeCode)
{
    return modeCode == ModeCode::Sms ? QStringLiteral("GP1_0000.VSK") : QStringLiteral("GP0_0000.VSK");
}

std::array<quint8, 8> parameterNameTag(const QString& fileName)
{
    QString baseName = fileName;
    baseName.remove(QLatin1String(".VSK"), Qt::CaseSensitive);
    std::array<quint8, 8> tag{};
    for (int i = 0; i < 4 && i < baseName.size(); ++i) {
        const ushort unit = baseName.at(i).unicode();
        tag[2 * i] = quint8(unit & 0xFF);
        tag[2 * i + 1] = quint8(unit >> 8);
    }
    return tag;
}

quint32 packTimestamp(const QDate& date, const QTime& time)
{
    // Negative years before 2000 wrap into the 5 bits as well: 1999 gives 31.
    quint32 value = quint32((date.year() - 2000) * 16) & 0x1F0;
    value = (value | (quint32(date.month()) & 0xF)) << 5;
    value = (value | (quint32(date.day()) & 0x1F)) << 5;
    value = (value | (quint32(time.hour()) & 0x1F)) << 6;
    value = (value | (quint32(time.minute()) & 0x3F)) << 6;
    return value | (quint32(time.second()) & 0x3F);
}

quint32 packTimestamp(const QDateTime& localTime)
{
    return packTimestamp(localTime.date(), localTime.time());
}

quint32 countZeroBits(const QByteArray& bytes)
{
    quint32 ones = 0;
    for (const char byte : bytes) {
        for (quint8 bits = quint8(byte); bits != 0; bits &= quint8(bits - 1))
            ++ones;
    }
    return 8 * quint32(bytes.size()) - ones;
}

quint32 bodyChecksum(const QByteArray& bytes)
{
    quint32 remainder = 0;
    for (const char byte : bytes)
        remainder = (remainder * 256 + quint8(byte)) % ParameterFile::checksumModulus;
    return remainder | ParameterFile::checksumFlag;
}

ParameterFileInput parameterFileInput(const FormValues& values, const QUuid& identifier)
{
    ParameterFileInput input;
    input.modeCode = values.modeCode;
    input.identifier = identifier;
    input.fileName = parameterFileName(values.modeCode);
    for (const FormField::Description& field : FormField::fields) {
        if (values.shows(field.id))
            input.texts[field.id] = values.text(field.id);
    }
    if (values.showsReset())
        input.resetConfig = values.resetConfig;
    return input;
}

QByteArray buildParameterFileBody(const ParameterFileInput& input)
{
    int textLength = 0;
    for (const std::optional<QString>& text : input.texts)
        textLength += text ? int(text->size()) : 0;

    QByteArray body;
    body.reserve(ParameterFile::fixedBodyLength + ParameterFile::serverHostNameLength + textLength + 1);
    body.append(identifierBytes(input.identifier));
    body.append(ParameterFile::separator);
    body.append(char(input.modeCode));
    body.append(ParameterFile::separator);
    body.append(ParameterFile::serverHostName, ParameterFile::serverHostNameLength);
    body.append(ParameterFile::separator);
    body.append(ParameterFile::fixedNumber);
    body.append(ParameterFile::separator);
    for (const std::optional<QString>& text : input.texts)
        appendTextRecord(body, text);
    if (input.resetConfig)
        body.append(char(*input.resetConfig ? 0x01 : 0x00));
    body.append(ParameterFile::separator);
    return body;
}

// The order of work: the whole body first, then the header's constants, length and name tag, then the timestamp, the
// check values over the finished body and the serialisation.
EncodedParameterFile encodeParameterFile(const ParameterFileInput& input)
{
    EncodedParameterFile file;
    file.body = buildParameterFileBody(input);

    ParameterFileHeader header;
    header.headerLength = ParameterFile::headerLength;
    header.magic1 = ParameterFile::magic1;
    header.magic2 = ParameterFile::magic2;
    header.magic3 = ParameterFile::magic3;
    header.fileLength = quint32(ParameterFile::headerSize + file.body.size());
    header.nameTag = parameterNameTag(input.fileName);
    header.magic4 = ParameterFile::magic4;
    header.setTimestamp();
    header.setCheckValues(file.body);
    file.header = header.serialize();
    return file;
}

void ParameterFileHeader::setTimestamp()
{
    // One reading of the clock: reading the date and then the time apart would put a file written at midnight a
    // whole day off. The C library converts it: QDateTime looks the time zone up anew on every reading, which costs
    // several times the rest of the encoding.
    const std::tm local = Clock::instance().localTime();
    timestamp = packTimestamp(QDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday),
                              QTime(local.tm_hour, local.tm_min, qMin(local.tm_sec, 59)));
}

void ParameterFileHeader::setCheckValues(const QByteArray& body)
{
    zeroBitCount = countZeroBits(body);
    checksum = bodyChecksum(body);
}

QByteArray ParameterFileHeader::serialize()
{
    namespace H = ParameterFile::Header;
    const int start = output.size();
    output.reserve(start + ParameterFile::headerSize);
    appendField(output, start, H::headerLength, headerLength);
    appendField(output, start, H::reserved1, reserved1);
    appendField(output, start, H::magic1, magic1);
    appendField(output, start, H::reserved2, reserved2);
    appendField(output, start, H::fileLength, fileLength);
    appendField(output, start, H::magic2, magic2);
    appendField(output, start, H::timestamp, timestamp);
    appendField(output, start, H::zeroBitCount, zeroBitCount);
    appendField(output, start, H::magic3, magic3);
    appendField(output, start, H::nameTag, nameTag);
    appendField(output, start, H::magic4, magic4);
    appendField(output, start, H::checksum, checksum);
    appendField(output, start, H::reserved3, reserved3);
    return output;
}
