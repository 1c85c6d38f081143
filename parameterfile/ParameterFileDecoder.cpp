#include "parameterfile/ParameterFileDecoder.h"

#include "base/ShownText.h"
#include "form/ModeCodes.h"
#include "parameterfile/Identifier.h"
#include "parameterfile/ParameterFile.h"

#include <QFileInfo>

#include <algorithm>

QString DecodedText::hex(quint32 value, int digits)
{
    return QLatin1String("0x") % QString::number(value, 16).toUpper().rightJustified(digits, QLatin1Char('0'));
}

QString DecodedText::hexBytes(const QByteArray& bytes)
{
    QStringList parts;
    for (const char byte : bytes)
        parts << QString::number(quint8(byte), 16).toUpper().rightJustified(2, QLatin1Char('0'));
    return parts.join(QLatin1Char(' '));
}

QString DecodedText::latin1(const QByteArray& bytes)
{
    return QString::fromLatin1(bytes.constData(), bytes.size());
}

QString DecodedText::hexBytes(const std::array<quint8, 8>& bytes)
{
    return hexBytes(QByteArray(reinterpret_cast<const char*>(bytes.data()), int(bytes.size())));
}

QString DecodedText::quoted(const QByteArray& bytes)
{
    QString text = ShownText::escaped(latin1(bytes.left(shownTextLength)), ShownText::Backslash::Doubled);
    text = QLatin1Char('"') % text.replace(QLatin1Char('"'), QLatin1String("\\\"")) % QLatin1Char('"');
    if (bytes.size() > shownTextLength)
        text += QStringLiteral("... (%1 bytes in all)").arg(bytes.size());
    return text;
}

QString DecodedText::tagText(const std::array<quint8, 8>& tag)
{
    QString text;
    for (int i = 0; i < 4; ++i) {
        const QChar unit(ushort(tag[2 * i] | (tag[2 * i + 1] << 8)));
        text += unit.isPrint() ? unit : QChar(QLatin1Char('.'));
    }
    return text;
}

QString DecodedText::modeText(quint8 code)
{
    const char* name = ModeCode::name(code);
    return name ? QString::fromLatin1(name) : QStringLiteral("unknown mode");
}

namespace {
using namespace DecodedText;

class CheckList
{
public:
    explicit CheckList(QList<DecodedParameterFile::Check>& checks) : checks(checks) {}

    void add(const QString& name, bool ok, const QString& detail) { checks.append({name, ok, detail}); }
    // A failed check that is no damage.
    void addForeign(const QString& name, const QString& detail) { checks.append({name, false, detail, true}); }

private:
    QList<DecodedParameterFile::Check>& checks;
};

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

// A DNS host name: labels of letters, digits and hyphens, 1 to 63 characters each, no hyphen at either end, joined by
// dots, 253 characters at most.
bool isHostName(const QByteArray& name)
{
    if (name.isEmpty() || name.size() > ParameterFile::longestHostName)
        return false;
    const QList<QByteArray> labels = name.split('.');
    for (const QByteArray& label : labels) {
        if (label.isEmpty() || label.size() > 63 || label.startsWith('-') || label.endsWith('-'))
            return false;
        for (const char character : label) {
            // ASCII alone, whatever the locale says is a letter.
            const bool letterOrDigit = (character >= 'a' && character <= 'z') ||
                                       (character >= 'A' && character <= 'Z') || (character >= '0' && character <= '9');
            if (!letterOrDigit && character != '-')
                return false;
        }
    }
    return true;
}

// Ours; another server's, which a file of another release may name and which is no damage; or no host name at all.
void checkHostName(const DecodedParameterFile& file, CheckList& checks)
{
    const QString name = QStringLiteral("host name");
    const QByteArray ours(ParameterFile::serverHostName, ParameterFile::serverHostNameLength);
    if (file.hostName == ours)
        checks.add(name, true, quoted(file.hostName));
    else if (isHostName(file.hostName))
        checks.addForeign(
            name,
            quoted(file.hostName) %
                QLatin1String(", another server than ours (%1): a file of another release?").arg(QLatin1String(ours)));
    else
        checks.add(name, false, quoted(file.hostName) % QLatin1String(" is no host name"));
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

// A header field's check: whether it holds what the file says of itself and what its detail reads.
DecodedParameterFile::Check checkHeaderField(const DecodedParameterFile& file, const ParameterFile::HeaderField& field,
                                             const QString& baseName)
{
    using ParameterFile::HeaderCheck;
    const QString name = QString::fromLatin1(field.checkName);
    if (field.bytes) {
        const std::array<quint8, 8>& bytes = file.header.*field.bytes;
        if (field.check == HeaderCheck::NameTag) {
            const std::array<quint8, 8> expected = parameterNameTag(baseName);
            return {name, bytes == expected,
                    bytes == expected ? QStringLiteral("\"%1\" fits the file name %2").arg(tagText(bytes), baseName)
                                      : QStringLiteral("\"%1\" where the file name %2 gives \"%3\"")
                                            .arg(tagText(bytes), baseName, tagText(expected))};
        }
        const bool zero = bytes == std::array<quint8, 8>{};
        return {name, zero, zero ? hexBytes(bytes) : hexBytes(bytes) % QLatin1String(" where all 0")};
    }

    const quint32 value = file.header.*field.number;
    const int digits = 2 * field.width;
    switch (field.check) {
    case HeaderCheck::HeaderLength:
        return {name, value == field.fixedValue,
                value == field.fixedValue ? QString::number(value)
                                          : QStringLiteral("%1 where %2 is expected").arg(value).arg(field.fixedValue)};
    case HeaderCheck::FileLength:
        return {name, value == quint32(file.size),
                value == quint32(file.size)
                    ? QStringLiteral("%1 bytes").arg(file.size)
                    : QStringLiteral("the header says %1 bytes, the file has %2").arg(value).arg(file.size)};
    case HeaderCheck::Fixed:
        return {name, value == field.fixedValue,
                value == field.fixedValue ? hex(value, digits)
                                          : hex(value, digits) % QLatin1String(" where ") %
                                                hex(field.fixedValue, digits) % QLatin1String(" is expected")};
    case HeaderCheck::Timestamp: {
        const UnpackedTimestamp time = unpackTimestamp(value);
        return {name, time.isValid(),
                time.isValid() ? time.toString() : time.toString() % QLatin1String(" is no date and time")};
    }
    case HeaderCheck::ZeroBitCount: {
        const quint32 zeroBits = countZeroBits(file.body);
        return {name, value == zeroBits,
                value == zeroBits ? QString::number(zeroBits)
                                  : QStringLiteral("%1 in the header, %2 in the body").arg(value).arg(zeroBits)};
    }
    case HeaderCheck::Checksum: {
        const quint32 checksum = bodyChecksum(file.body);
        return {name, value == checksum,
                value == checksum ? hex(checksum, digits)
                                  : hex(value, digits) % QLatin1String(" in the header, ") % hex(checksum, digits) %
                                        QLatin1String(" computed over the body")};
    }
    case HeaderCheck::NameTag:
        break; // raw bytes, above
    }
    return {name, false, QString()};
}

void runChecks(DecodedParameterFile& file, const QString& fileName)
{
    const QString baseName = QFileInfo(fileName).fileName();
    // By kind of check, fields of one kind in file order.
    std::array<const ParameterFile::HeaderField*, ParameterFile::headerFields.size()> byCheck{};
    std::transform(ParameterFile::headerFields.begin(), ParameterFile::headerFields.end(), byCheck.begin(),
                   [](const ParameterFile::HeaderField& field) { return &field; });
    std::stable_sort(byCheck.begin(), byCheck.end(),
                     [](const auto* one, const auto* other) { return one->check < other->check; });
    for (const ParameterFile::HeaderField* field : byCheck)
        file.checks.append(checkHeaderField(file, *field, baseName));

    CheckList checks(file.checks);
    if (!file.hasIdentifier) {
        checks.add(QStringLiteral("identifier"), false,
                   QStringLiteral("the body has %1 bytes, the identifier needs 16").arg(file.body.size()));
    } else {
        // The bytes the module would take for an end or a separator, then the rule every identifier is drawn by: its
        // digits hold no "00" and no "3B", also where two bytes meet.
        QString problem;
        if (file.identifierBytes.contains('\0') || file.identifierBytes.contains(ParameterFile::separator)) {
            problem = QStringLiteral("holds a byte 0x00 or 0x3B");
        } else if (!isIdentifierAcceptable(file.identifier)) {
            const bool zeros = file.identifier.toString().contains(QLatin1String("00"));
            problem =
                QStringLiteral("%1 holds \"%2\", which the tool never draws")
                    .arg(file.identifier.toString().toUpper(), zeros ? QStringLiteral("00") : QStringLiteral("3B"));
        }
        checks.add(QStringLiteral("identifier"), problem.isEmpty(),
                   problem.isEmpty() ? QStringLiteral("free of 0x00 and 0x3B, its digits of \"00\" and \"3B\"")
                                     : problem);
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
        checkHostName(file, checks);
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
    namespace T = ParameterFile::Timestamp;
    UnpackedTimestamp time;
    time.topBitSet = (packed >> T::topBit) != 0;
    time.year = T::firstYear + T::year.take(packed);
    time.month = T::month.take(packed);
    time.day = T::day.take(packed);
    time.hour = T::hour.take(packed);
    time.minute = T::minute.take(packed);
    time.second = T::second.take(packed);
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

QList<DecodedParameterFile::Check> DecodedParameterFile::damagedChecks() const
{
    QList<Check> damaged;
    for (const Check& entry : checks) {
        if (!entry.ok && !entry.foreign)
            damaged << entry;
    }
    return damaged;
}

bool DecodedParameterFile::namesAnotherServer() const
{
    const Check* host = check(QStringLiteral("host name"));
    return host && host->foreign;
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
    file.header = ParameterFileHeader::read(bytes);
    file.body = bytes.mid(ParameterFile::headerSize);
    readRecords(file);
    runChecks(file, fileName);
    return file;
}
