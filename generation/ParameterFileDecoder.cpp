#include "generation/ParameterFileDecoder.h"

#include "generation/ModeCodes.h"
#include "generation/ParameterFile.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>

#include <algorithm>

namespace {
// The window writes texts of at most 32767 characters; a longer record is shown up to that length only.
constexpr int shownTextLength = 32767;

// A big-endian number where the header layout puts it; callers make sure that the bytes are there.
quint32 readField(const QByteArray& bytes, ParameterFile::HeaderField field)
{
    quint32 value = 0;
    for (int i = 0; i < field.width; ++i)
        value = (value << 8) | quint8(bytes.at(field.offset + i));
    return value;
}

std::array<quint8, 8> readTag(const QByteArray& bytes, ParameterFile::HeaderField field)
{
    std::array<quint8, 8> tag{};
    for (int i = 0; i < 8; ++i)
        tag[i] = quint8(bytes.at(field.offset + i));
    return tag;
}

QString hex(quint32 value, int digits)
{
    return QLatin1String("0x") % QString::number(value, 16).toUpper().rightJustified(digits, QLatin1Char('0'));
}

QString hexBytes(const QByteArray& bytes)
{
    QStringList parts;
    for (const char byte : bytes)
        parts << QString::number(quint8(byte), 16).toUpper().rightJustified(2, QLatin1Char('0'));
    return parts.join(QLatin1Char(' '));
}

QString hexBytes(const std::array<quint8, 8>& bytes)
{
    return hexBytes(QByteArray(reinterpret_cast<const char*>(bytes.data()), int(bytes.size())));
}

// Printable Latin-1 as it is, everything else as \xNN, in double quotes; of a longer record, its size.
QString quoted(const QByteArray& bytes)
{
    QString text = QStringLiteral("\"");
    for (const char byte : bytes.left(shownTextLength)) {
        const quint8 value = quint8(byte);
        if (value == '"' || value == '\\')
            text += QLatin1Char('\\') % QLatin1Char(char(value));
        else if ((value >= 0x20 && value < 0x7F) || value >= 0xA0)
            text += QChar(ushort(value));
        else
            text += QLatin1String("\\x") % QString::number(value, 16).toUpper().rightJustified(2, QLatin1Char('0'));
    }
    text += QLatin1Char('"');
    if (bytes.size() > shownTextLength)
        text += QStringLiteral("... (%1 bytes in all)").arg(bytes.size());
    return text;
}

// The bytes as Latin-1 text, for a JSON string; as much as quoted() shows, a NUL included.
QString latin1Text(const QByteArray& bytes)
{
    // By pointer and size: Qt 5 takes a QByteArray only up to its first NUL.
    const int length = std::min(int(bytes.size()), shownTextLength);
    return QString::fromLatin1(bytes.constData(), length).replace(QChar(0), QChar(jsonNulStandIn));
}

// The tag's four UTF-16 little-endian code units as text, unprintable ones as '.'.
QString tagText(const std::array<quint8, 8>& tag)
{
    QString text;
    for (int i = 0; i < 4; ++i) {
        const QChar unit(ushort(tag[2 * i] | (tag[2 * i + 1] << 8)));
        text += unit.isPrint() ? unit : QChar(QLatin1Char('.'));
    }
    return text;
}

QString modeText(quint8 code)
{
    const char* name = ModeCode::name(code);
    return name ? QString::fromLatin1(name) : QStringLiteral("unknown mode");
}

class CheckList
{
public:
    explicit CheckList(QList<DecodedParameterFile::Check>& checks) : checks(checks) {}

    void add(const QString& name, bool ok, const QString& detail) { checks.append({name, ok, detail}); }
    void constant(const char* name, quint32 value, quint32 expected, int digits)
    {
        add(QString::fromLatin1(name), value == expected,
            value == expected ? hex(value, digits)
                              : hex(value, digits) % QLatin1String(" where ") % hex(expected, digits) %
                                    QLatin1String(" is expected"));
    }

private:
    QList<DecodedParameterFile::Check>& checks;
};

void readHeader(DecodedParameterFile& file, const QByteArray& bytes)
{
    namespace H = ParameterFile::Header;
    file.headerLength = quint16(readField(bytes, H::headerLength));
    file.reserved1 = quint16(readField(bytes, H::reserved1));
    file.magic1 = quint16(readField(bytes, H::magic1));
    file.reserved2 = readField(bytes, H::reserved2);
    file.fileLength = readField(bytes, H::fileLength);
    file.magic2 = readField(bytes, H::magic2);
    file.timestamp = readField(bytes, H::timestamp);
    file.zeroBitCount = readField(bytes, H::zeroBitCount);
    file.magic3 = quint16(readField(bytes, H::magic3));
    file.nameTag = readTag(bytes, H::nameTag);
    file.magic4 = quint16(readField(bytes, H::magic4));
    file.checksum = quint16(readField(bytes, H::checksum));
    file.reserved3 = readTag(bytes, H::reserved3);
}

// The pieces between the separators of what follows the identifier, leaving out the separator that opens it and the
// one that closes it; only the first few pieces are kept, all are counted.
void cutIntoPieces(DecodedParameterFile& file, const QByteArray& rest)
{
    const char separator = ParameterFile::separator;
    const int begin = rest.startsWith(separator) ? 1 : 0;
    const int end = rest.endsWith(separator) && rest.size() > begin ? rest.size() - 1 : rest.size();
    // The separators between begin and end, plus one.
    file.pieceCount = file.separatorCount + 1 - begin - (end < rest.size() ? 1 : 0);
    const int kept = std::min(file.pieceCount, DecodedParameterFile::listedPieceLimit);
    file.rawRecords.reserve(kept);
    int start = begin;
    while (file.rawRecords.size() < kept) {
        int stop = rest.indexOf(separator, start);
        if (stop < 0 || stop > end)
            stop = end;
        file.rawRecords.append(QByteArray(rest.constData() + start, stop - start)); // a copy, never a view
        start = stop + 1;
    }
}

void readRecords(DecodedParameterFile& file)
{
    const QByteArray& body = file.body;
    if (body.size() >= 16) {
        file.hasIdentifier = true;
        file.identifierBytes = body.left(16);
        file.identifier = QUuid::fromRfc4122(file.identifierBytes);
    }
    if (body.size() >= 18) {
        file.hasModeCode = true;
        file.modeCode = quint8(body.at(17));
    }
    if (!file.hasIdentifier)
        return;

    // What follows the identifier: ";" mode ";" host ";" "83" ";" seven texts each with ";", the reset byte, ";".
    // A view of the body, not a copy: the body may be large.
    const QByteArray rest = QByteArray::fromRawData(body.constData() + 16, body.size() - 16);
    file.separatorCount = int(rest.count(ParameterFile::separator));
    if (!rest.isEmpty() && rest != QByteArray(1, ParameterFile::separator))
        cutIntoPieces(file, rest);

    file.recordsKnown = file.separatorCount == ParameterFile::recordCount && rest.size() >= 3 &&
                        rest.at(0) == ParameterFile::separator && rest.at(2) == ParameterFile::separator &&
                        rest.endsWith(ParameterFile::separator);
    if (!file.recordsKnown)
        return;
    // rawRecords now holds records 2 to 12.
    file.hostName = file.rawRecords.at(1);
    file.fixedNumber = file.rawRecords.at(2);
    file.textRecords = file.rawRecords.mid(3, ParameterFile::textRecordCount);
    file.resetRecord = file.rawRecords.at(10);
}

void checkRecordsForMode(const DecodedParameterFile& file, CheckList& checks)
{
    QStringList problems;
    for (const FormField::Description& field : FormField::fields) {
        if (!ModeCode::showsField(file.modeCode, field.id) && !file.textRecords.at(field.id).isEmpty())
            problems << QStringLiteral("record %1 holds text the mode does not show").arg(field.record);
    }
    if (ModeCode::showsReset(file.modeCode)) {
        if (file.resetRecord.size() != 1 || quint8(file.resetRecord.at(0)) > 1)
            problems << QStringLiteral("record 12 is not the one byte 0x00 or 0x01");
    } else if (!file.resetRecord.isEmpty()) {
        problems << QStringLiteral("record 12 holds a reset byte the mode does not show");
    }
    checks.add(QStringLiteral("records for mode"), problems.isEmpty(),
               problems.isEmpty() ? QStringLiteral("the fields that %1 hides are empty").arg(modeText(file.modeCode))
                                  : problems.join(QLatin1String("; ")));
}

void runChecks(DecodedParameterFile& file, const QString& fileName)
{
    CheckList checks(file.checks);
    checks.add(QStringLiteral("header length"), file.headerLength == ParameterFile::headerLength,
               file.headerLength == ParameterFile::headerLength
                   ? QString::number(file.headerLength)
                   : QStringLiteral("%1 where 48 is expected").arg(file.headerLength));
    checks.add(QStringLiteral("file length"), file.fileLength == quint32(file.size),
               file.fileLength == quint32(file.size)
                   ? QStringLiteral("%1 bytes").arg(file.size)
                   : QStringLiteral("the header says %1 bytes, the file has %2").arg(file.fileLength).arg(file.size));
    checks.constant("reserved1", file.reserved1, 0, 4);
    checks.constant("magic1", file.magic1, ParameterFile::magic1, 4);
    checks.constant("reserved2", file.reserved2, 0, 8);
    checks.constant("magic2", file.magic2, ParameterFile::magic2, 8);
    checks.constant("magic3", file.magic3, ParameterFile::magic3, 4);
    checks.constant("magic4", file.magic4, ParameterFile::magic4, 4);
    const bool reservedZero = file.reserved3 == std::array<quint8, 8>{};
    checks.add(QStringLiteral("reserved3"), reservedZero,
               reservedZero ? hexBytes(file.reserved3) : hexBytes(file.reserved3) % QLatin1String(" where all 0"));

    const UnpackedTimestamp time = unpackTimestamp(file.timestamp);
    checks.add(QStringLiteral("timestamp"), time.isValid(),
               time.isValid() ? time.toString() : time.toString() % QLatin1String(" is no date and time"));

    const quint32 zeroBits = countZeroBits(file.body);
    checks.add(QStringLiteral("zero-bit count"), file.zeroBitCount == zeroBits,
               file.zeroBitCount == zeroBits
                   ? QString::number(zeroBits)
                   : QStringLiteral("%1 in the header, %2 in the body").arg(file.zeroBitCount).arg(zeroBits));
    const quint32 checksum = bodyChecksum(file.body);
    checks.add(QStringLiteral("checksum"), file.checksum == checksum,
               file.checksum == checksum ? hex(checksum, 4)
                                         : hex(file.checksum, 4) % QLatin1String(" in the header, ") %
                                               hex(checksum, 4) % QLatin1String(" computed over the body"));

    const QString baseName = QFileInfo(fileName).fileName();
    const std::array<quint8, 8> expectedTag = parameterNameTag(baseName);
    checks.add(QStringLiteral("name tag"), file.nameTag == expectedTag,
               file.nameTag == expectedTag
                   ? QStringLiteral("\"%1\" fits the file name %2").arg(tagText(file.nameTag), baseName)
                   : QStringLiteral("\"%1\" where the file name %2 gives \"%3\"")
                         .arg(tagText(file.nameTag), baseName, tagText(expectedTag)));

    if (!file.hasIdentifier) {
        checks.add(QStringLiteral("identifier"), false,
                   QStringLiteral("the body has %1 bytes, the identifier needs 16").arg(file.body.size()));
    } else {
        const bool clean =
            !file.identifierBytes.contains('\0') && !file.identifierBytes.contains(ParameterFile::separator);
        checks.add(QStringLiteral("identifier"), clean,
                   clean ? QStringLiteral("free of 0x00 and 0x3B") : QStringLiteral("holds a byte 0x00 or 0x3B"));
    }

    QString layout;
    if (!file.hasIdentifier)
        layout = QStringLiteral("no records after the identifier");
    else if (file.separatorCount > ParameterFile::recordCount)
        layout = QStringLiteral("%1 separators where 12 are expected: a text holds \";\" or a record is corrupt, so "
                                "the records after it cannot be told apart")
                     .arg(file.separatorCount);
    else if (file.separatorCount < ParameterFile::recordCount)
        layout = QStringLiteral("%1 separators where 12 are expected").arg(file.separatorCount);
    else if (!file.body.endsWith(ParameterFile::separator))
        layout = QStringLiteral("12 separators, but bytes follow the last one");
    else if (!file.recordsKnown)
        layout = QStringLiteral("12 separators, but the mode byte does not stand between the first two");
    checks.add(QStringLiteral("separators"), file.recordsKnown,
               file.recordsKnown ? QStringLiteral("12, the last one ending the body") : layout);

    if (!file.hasModeCode) {
        checks.add(QStringLiteral("mode code"), false, QStringLiteral("the body ends before the mode byte"));
    } else {
        const bool known = ModeCode::name(file.modeCode) != nullptr;
        checks.add(QStringLiteral("mode code"), known,
                   QStringLiteral("%1 (%2)").arg(int(file.modeCode)).arg(modeText(file.modeCode)));
        const QString expectedName = parameterFileName(file.modeCode);
        checks.add(
            QStringLiteral("file name"), baseName == expectedName,
            baseName == expectedName
                ? baseName
                : QStringLiteral("%1 where mode %2 writes %3").arg(baseName).arg(int(file.modeCode)).arg(expectedName));
    }

    if (file.recordsKnown) {
        const bool fixed = file.fixedNumber == ParameterFile::fixedNumber;
        checks.add(QStringLiteral("fixed number"), fixed,
                   fixed ? QStringLiteral("\"83\"") : quoted(file.fixedNumber) % QLatin1String(" where \"83\""));
        if (ModeCode::name(file.modeCode))
            checkRecordsForMode(file, checks);
    }
}
} // namespace

QDateTime UnpackedTimestamp::toDateTime() const
{
    const QDate date(year, month, day);
    const QTime time(hour, minute, second);
    if (!date.isValid() || !time.isValid())
        return {};
    return QDateTime(date, time, Qt::LocalTime);
}

QString UnpackedTimestamp::toString() const
{
    const QLatin1Char zero('0');
    return QStringLiteral("%1-%2-%3 %4:%5:%6")
        .arg(year)
        .arg(month, 2, 10, zero)
        .arg(day, 2, 10, zero)
        .arg(hour, 2, 10, zero)
        .arg(minute, 2, 10, zero)
        .arg(second, 2, 10, zero);
}

UnpackedTimestamp unpackTimestamp(quint32 packed)
{
    UnpackedTimestamp time;
    time.topBitSet = (packed >> 31) != 0;
    time.year = 2000 + int((packed >> 26) & 0x1F);
    time.month = int((packed >> 22) & 0xF);
    time.day = int((packed >> 17) & 0x1F);
    time.hour = int((packed >> 12) & 0x1F);
    time.minute = int((packed >> 6) & 0x3F);
    time.second = int(packed & 0x3F);
    return time;
}

bool DecodedParameterFile::allChecksPass() const
{
    if (truncated || checks.isEmpty())
        return false;
    for (const Check& entry : checks) {
        if (!entry.ok)
            return false;
    }
    return true;
}

const DecodedParameterFile::Check* DecodedParameterFile::check(const QString& name) const
{
    for (const Check& entry : checks) {
        if (entry.name == name)
            return &entry;
    }
    return nullptr;
}

QList<DecodedParameterFile::Check> DecodedParameterFile::failedChecks() const
{
    QList<Check> failed;
    for (const Check& entry : checks) {
        if (!entry.ok)
            failed << entry;
    }
    return failed;
}

DecodedParameterFile decodeParameterFile(const QByteArray& bytes, const QString& fileName)
{
    DecodedParameterFile file;
    file.size = bytes.size();
    if (bytes.size() < ParameterFile::headerSize) {
        file.checks.append({QStringLiteral("header"), false,
                            QStringLiteral("%1 bytes, shorter than the 48-byte header").arg(bytes.size())});
        return file;
    }
    file.truncated = false;
    readHeader(file, bytes);
    file.body = bytes.mid(ParameterFile::headerSize);
    readRecords(file);
    runChecks(file, fileName);
    return file;
}

QStringList describeParameterFile(const DecodedParameterFile& file)
{
    QStringList lines;
    if (file.truncated) {
        lines << QStringLiteral("%1 bytes, shorter than the 48-byte header").arg(file.size);
        return lines;
    }
    const auto field = [&lines](const char* name, const QString& value) {
        lines << QLatin1String("  ") % QString::fromLatin1(name).leftJustified(14) % value;
    };
    const auto number = [](quint32 value, int digits) -> QString {
        return hex(value, digits) % QLatin1String(" (") % QString::number(value) % QLatin1Char(')');
    };

    lines << QStringLiteral("Header (%1 bytes), body %2 bytes").arg(ParameterFile::headerSize).arg(file.body.size());
    field("headerLength", number(file.headerLength, 4));
    field("reserved1", hex(file.reserved1, 4));
    field("magic1", number(file.magic1, 4));
    field("reserved2", hex(file.reserved2, 8));
    field("fileLength", number(file.fileLength, 8));
    field("magic2", hex(file.magic2, 8));
    field("timestamp",
          hex(file.timestamp, 8) % QLatin1String(" (") % unpackTimestamp(file.timestamp).toString() % QLatin1Char(')'));
    field("zeroBitCount", number(file.zeroBitCount, 8));
    field("magic3", number(file.magic3, 4));
    field("nameTag", hexBytes(file.nameTag) % QLatin1String(" (\"") % tagText(file.nameTag) % QLatin1String("\")"));
    field("magic4", number(file.magic4, 4));
    field("checksum", hex(file.checksum, 4));
    field("reserved3", hexBytes(file.reserved3));

    lines << QStringLiteral("Records");
    const auto record = [&lines](int index, const char* name, const QString& value) {
        lines << QStringLiteral("  %1 ").arg(index, 2) % QString::fromLatin1(name).leftJustified(19) % value;
    };
    record(1, "identifier",
           file.hasIdentifier ? QString::fromLatin1(file.identifierBytes.toHex().toUpper()) : QStringLiteral("(none)"));
    record(2, "mode code",
           file.hasModeCode ? QStringLiteral("%1 (%2)").arg(int(file.modeCode)).arg(modeText(file.modeCode))
                            : QStringLiteral("(none)"));
    if (file.recordsKnown) {
        record(3, "host name", quoted(file.hostName));
        record(4, "fixed number", quoted(file.fixedNumber));
        for (const FormField::Description& field : FormField::fields) {
            const QByteArray& text = file.textRecords.at(field.id);
            record(field.record, field.recordName, text.isEmpty() ? QStringLiteral("(empty)") : quoted(text));
        }
        QString reset = QStringLiteral("(absent)");
        if (file.resetRecord.size() == 1 && quint8(file.resetRecord.at(0)) <= 1)
            reset = file.resetRecord.at(0) ? QStringLiteral("0x01 (checked)") : QStringLiteral("0x00 (not checked)");
        else if (!file.resetRecord.isEmpty())
            reset = hexBytes(file.resetRecord) % QLatin1String(" (not a reset byte)");
        record(12, "reset flag", reset);
    } else {
        // The records cannot be told apart: show the pieces as the separators cut them.
        lines << QStringLiteral("  the records cannot be told apart; the pieces after the identifier:");
        for (int i = 0; i < file.rawRecords.size(); ++i)
            lines << QStringLiteral("  [%1] ").arg(i + 1, 2) % quoted(file.rawRecords.at(i));
        if (file.pieceCount > file.rawRecords.size())
            lines << QStringLiteral("  ... and %1 more pieces").arg(file.pieceCount - file.rawRecords.size());
    }

    lines << QStringLiteral("Checks");
    for (const DecodedParameterFile::Check& entry : file.checks) {
        lines << QLatin1String(entry.ok ? "  ok    " : "  FAIL  ") % entry.name.leftJustified(17) % entry.detail;
    }
    const int failed = file.failedChecks().size();
    lines << (failed == 0 ? QStringLiteral("Verdict: all %1 checks pass").arg(file.checks.size())
                          : QStringLiteral("Verdict: %1 of %2 checks fail").arg(failed).arg(file.checks.size()));
    return lines;
}

QJsonObject describeParameterFileAsJson(const DecodedParameterFile& file)
{
    QJsonObject json;
    json.insert(QStringLiteral("size"), file.size);
    json.insert(QStringLiteral("truncated"), file.truncated);
    QJsonArray checks;
    for (const DecodedParameterFile::Check& entry : file.checks) {
        checks.append(QJsonObject{{QStringLiteral("name"), entry.name},
                                  {QStringLiteral("ok"), entry.ok},
                                  {QStringLiteral("detail"), entry.detail}});
    }
    json.insert(QStringLiteral("checks"), checks);
    json.insert(QStringLiteral("failedChecks"), file.failedChecks().size());
    json.insert(QStringLiteral("pass"), file.allChecksPass());
    if (file.truncated)
        return json;

    const UnpackedTimestamp time = unpackTimestamp(file.timestamp);
    json.insert(QStringLiteral("header"), QJsonObject{{QStringLiteral("headerLength"), file.headerLength},
                                                      {QStringLiteral("reserved1"), file.reserved1},
                                                      {QStringLiteral("magic1"), file.magic1},
                                                      {QStringLiteral("reserved2"), qint64(file.reserved2)},
                                                      {QStringLiteral("fileLength"), qint64(file.fileLength)},
                                                      {QStringLiteral("magic2"), qint64(file.magic2)},
                                                      {QStringLiteral("timestamp"), qint64(file.timestamp)},
                                                      {QStringLiteral("time"), time.toString()},
                                                      {QStringLiteral("zeroBitCount"), qint64(file.zeroBitCount)},
                                                      {QStringLiteral("magic3"), file.magic3},
                                                      {QStringLiteral("nameTag"), hexBytes(file.nameTag)},
                                                      {QStringLiteral("nameTagText"), tagText(file.nameTag)},
                                                      {QStringLiteral("magic4"), file.magic4},
                                                      {QStringLiteral("checksum"), file.checksum},
                                                      {QStringLiteral("reserved3"), hexBytes(file.reserved3)}});
    json.insert(QStringLiteral("bodySize"), file.body.size());

    QJsonObject records;
    records.insert(QStringLiteral("identifier"),
                   file.hasIdentifier ? QJsonValue(QString::fromLatin1(file.identifierBytes.toHex().toUpper()))
                                      : QJsonValue());
    records.insert(QStringLiteral("modeCode"), file.hasModeCode ? QJsonValue(int(file.modeCode)) : QJsonValue());
    records.insert(QStringLiteral("modeName"), file.hasModeCode && ModeCode::name(file.modeCode)
                                                   ? QJsonValue(modeText(file.modeCode))
                                                   : QJsonValue());
    if (file.recordsKnown) {
        records.insert(QStringLiteral("hostName"), latin1Text(file.hostName));
        records.insert(QStringLiteral("fixedNumber"), latin1Text(file.fixedNumber));
        for (const FormField::Description& field : FormField::fields)
            records.insert(QString::fromLatin1(field.settingsKey), latin1Text(file.textRecords.at(field.id)));
        QJsonValue reset;
        if (file.resetRecord.size() == 1 && quint8(file.resetRecord.at(0)) <= 1)
            reset = file.resetRecord.at(0) != 0;
        else if (!file.resetRecord.isEmpty())
            reset = latin1Text(file.resetRecord);
        records.insert(QStringLiteral("resetConfig"), reset);
    }
    json.insert(QStringLiteral("records"), records);
    json.insert(QStringLiteral("recordsKnown"), file.recordsKnown);

    QJsonArray pieces;
    for (const QByteArray& piece : file.rawRecords)
        pieces.append(latin1Text(piece));
    json.insert(QStringLiteral("pieces"), pieces);
    json.insert(QStringLiteral("pieceCount"), file.pieceCount);
    json.insert(QStringLiteral("separatorCount"), file.separatorCount);
    return json;
}

QByteArray jsonLine(const QJsonObject& object)
{
    return QJsonDocument(object)
        .toJson(QJsonDocument::Compact)
        .replace(QString(QChar(jsonNulStandIn)).toUtf8(), QByteArrayLiteral("\\u0000"));
}
