#include "parameterfile/ParameterFile.h"

#include "base/Clock.h"
#include "form/FormValues.h"
#include "parameterfile/Identifier.h"

static_assert(ParameterFile::textRecordCount == int(FormField::count), "one text record per form field");

namespace {
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

QString parameterFileOnCard(const QString& fileName)
{
    return QLatin1String(ParameterFile::cardFolderName) + QLatin1Char('/') + fileName;
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
    namespace T = ParameterFile::Timestamp;
    // Years before 2000 wrap into the 5 bits as well: 1999 gives 31.
    return T::year.place(date.year() - T::firstYear) | T::month.place(date.month()) | T::day.place(date.day()) |
           T::hour.place(time.hour()) | T::minute.place(time.minute()) | T::second.place(time.second());
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
    header.setFixedValues();
    header.fileLength = quint32(ParameterFile::headerSize + file.body.size());
    header.nameTag = parameterNameTag(input.fileName);
    header.setTimestamp();
    header.setCheckValues(file.body);
    file.header = header.serialize();
    return file;
}

void ParameterFileHeader::setFixedValues()
{
    for (const ParameterFile::HeaderField& field : ParameterFile::headerFields) {
        if (field.isFixed() && field.number)
            this->*field.number = field.fixedValue;
    }
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
    output.reserve(output.size() + ParameterFile::headerSize);
    for (const ParameterFile::HeaderField& field : ParameterFile::headerFields) {
        if (field.bytes) {
            output.append(reinterpret_cast<const char*>((this->*field.bytes).data()), field.width);
            continue;
        }
        // The field's low bytes, most significant first.
        for (int shift = 8 * (field.width - 1); shift >= 0; shift -= 8)
            output.append(char((this->*field.number >> shift) & 0xFF));
    }
    return output;
}

ParameterFileHeader ParameterFileHeader::read(const QByteArray& bytes)
{
    ParameterFileHeader header;
    for (const ParameterFile::HeaderField& field : ParameterFile::headerFields) {
        if (field.bytes) {
            for (int i = 0; i < field.width; ++i)
                (header.*field.bytes)[size_t(i)] = quint8(bytes.at(field.offset + i));
            continue;
        }
        quint32 value = 0;
        for (int i = 0; i < field.width; ++i)
            value = (value << 8) | quint8(bytes.at(field.offset + i));
        header.*field.number = value;
    }
    return header;
}
