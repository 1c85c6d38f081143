#include "parameterfile/ParameterFileReport.h"

#include "base/ShownText.h"
#include "form/FormCheck.h"
#include "form/ModeCodes.h"
#include "parameterfile/Identifier.h"

#include <QJsonArray>

#include <algorithm>

namespace {
using namespace DecodedText;

// The bytes as Latin-1 text, for a JSON string; as much as quoted() shows, a NUL included.
QString latin1Text(const QByteArray& bytes)
{
    // By pointer and size: Qt 5 takes a QByteArray only up to its first NUL.
    const int length = std::min(int(bytes.size()), shownTextLength);
    return QString::fromLatin1(bytes.constData(), length).replace(QChar(0), QChar(jsonNulStandIn));
}

// A record in a line of its own: a long one by its length.
QString shortQuoted(const QByteArray& bytes)
{
    constexpr int longest = 40;
    return bytes.size() > longest ? QStringLiteral("%1 characters").arg(bytes.size()) : quoted(bytes);
}

// What the record holds that the form refuses, and what the form takes instead.
QString unlikeDetail(const FormProblem& problem, const QByteArray& record)
{
    const FormField::Description& field = FormField::describe(problem.field);
    switch (problem.kind) {
    case FormProblem::Kind::PinCode:
    case FormProblem::Kind::UserKey:
    case FormProblem::Kind::PhoneNumber:
        return QStringLiteral("%1 where the form takes %2%3")
            .arg(shortQuoted(record), QLatin1String(field.acceptedForms),
                 problem.kind == FormProblem::Kind::UserKey ? QStringLiteral(" (without the reset option)")
                                                            : QString());
    case FormProblem::Kind::TooLong:
        return QStringLiteral("%1 characters where the form takes at most %2").arg(problem.length).arg(field.maxLength);
    case FormProblem::Kind::UnreadableCharacter:
        return QStringLiteral("%1 holds %2, which the form refuses")
            .arg(shortQuoted(record), quoted(problem.character.toLatin1()));
    }
    return QString();
}

// A header field's value in the readable account.
QString shownValue(const ParameterFileHeader& header, const ParameterFile::HeaderField& headerField)
{
    using ParameterFile::HeaderShown;
    if (headerField.bytes) {
        const std::array<quint8, 8>& bytes = header.*headerField.bytes;
        return headerField.shown == HeaderShown::Tag
                   ? hexBytes(bytes) % QLatin1String(" (\"") % tagText(bytes) % QLatin1String("\")")
                   : hexBytes(bytes);
    }
    const quint32 value = header.*headerField.number;
    QString digits = hex(value, 2 * headerField.width);
    switch (headerField.shown) {
    case HeaderShown::HexAndNumber:
        return digits % QLatin1String(" (") % QString::number(value) % QLatin1Char(')');
    case HeaderShown::Time:
        return digits % QLatin1String(" (") % unpackTimestamp(value).toString() % QLatin1Char(')');
    case HeaderShown::Hex:
    case HeaderShown::Tag:
    case HeaderShown::Bytes:
        break;
    }
    return digits;
}

// A header field in the account for scripts: numbers as numbers, bytes as hexadecimal text; the time and the tag's
// text beside their fields.
void insertHeaderField(QJsonObject& json, const ParameterFileHeader& header,
                       const ParameterFile::HeaderField& headerField)
{
    using ParameterFile::HeaderShown;
    const QString name = QString::fromLatin1(headerField.name);
    if (headerField.bytes) {
        const std::array<quint8, 8>& bytes = header.*headerField.bytes;
        json.insert(name, hexBytes(bytes));
        if (headerField.shown == HeaderShown::Tag)
            json.insert(name % QLatin1String("Text"), tagText(bytes));
        return;
    }
    const quint32 value = header.*headerField.number;
    json.insert(name, qint64(value));
    if (headerField.shown == HeaderShown::Time)
        json.insert(QStringLiteral("time"), unpackTimestamp(value).toString());
}
} // namespace

QList<UnlikeTheTool> textsUnlikeTheTool(const DecodedParameterFile& file)
{
    QList<UnlikeTheTool> unlike;
    if (!file.recordsKnown || !ModeCode::find(file.modeCode))
        return unlike;
    // The form the file was written from, had the tool written it.
    FormValues values;
    values.modeCode = file.modeCode;
    for (const FormField::Description& field : FormField::fields)
        values.text(field.id) = latin1(file.textRecords.at(field.id));
    values.resetConfig = values.showsReset() && file.resetRecord == QByteArray(1, '\x01');
    for (const FormField::Description& field : FormField::fields) {
        if (const std::optional<FormProblem> problem = checkField(values, field.id))
            unlike.append({field.id, unlikeDetail(*problem, file.textRecords.at(field.id))});
    }
    return unlike;
}

bool asTheToolWrites(const DecodedParameterFile& file)
{
    return file.allChecksPass() && textsUnlikeTheTool(file).isEmpty();
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

    lines << QStringLiteral("Header (%1 bytes), body %2 bytes").arg(ParameterFile::headerSize).arg(file.body.size());
    for (const ParameterFile::HeaderField& headerField : ParameterFile::headerFields)
        field(headerField.name, shownValue(file.header, headerField));

    lines << QStringLiteral("Records");
    const auto record = [&lines](int index, const char* name, const QString& value) {
        lines << QStringLiteral("  %1 ").arg(index, 2) % QString::fromLatin1(name).leftJustified(19) % value;
    };
    record(1, "identifier", file.hasIdentifier ? identifierText(file.identifier) : QStringLiteral("(none)"));
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
        const char* verdict = entry.ok ? "  ok    " : entry.foreign ? "  OTHER " : "  FAIL  ";
        lines << QLatin1String(verdict) % entry.name.leftJustified(17) % entry.detail;
    }
    // Apart from the checks: a whole file, which the module reads, yet not as this tool writes it.
    const QList<UnlikeTheTool> unlike = textsUnlikeTheTool(file);
    QStringList unlikeFields;
    if (!unlike.isEmpty())
        lines << QStringLiteral("Texts not as the tool writes them");
    for (const UnlikeTheTool& text : unlike) {
        const QString name = QString::fromLatin1(FormField::describe(text.field).recordName);
        lines << QLatin1String("  UNLIKE ") % name.leftJustified(17) % text.detail;
        unlikeFields << name;
    }
    const QString notAsWritten =
        QStringLiteral("not as the tool writes it (%1)").arg(unlikeFields.join(QStringLiteral(", ")));

    const int failed = file.failedChecks().size();
    const int damaged = file.damagedChecks().size();
    if (failed == 0 && unlike.isEmpty())
        lines << QStringLiteral("Verdict: all %1 checks pass").arg(file.checks.size());
    else if (failed == 0)
        lines << QStringLiteral("Verdict: %1; all %2 checks pass").arg(notAsWritten).arg(file.checks.size());
    else if (damaged == 0)
        lines << QStringLiteral("Verdict: written for another server%1; the other %2 checks pass")
                     .arg(unlike.isEmpty() ? QString() : QStringLiteral(", ") + notAsWritten)
                     .arg(file.checks.size() - failed);
    else
        lines << QStringLiteral("Verdict: %1 of %2 checks fail%3")
                     .arg(failed)
                     .arg(file.checks.size())
                     .arg(unlike.isEmpty() ? QString() : QStringLiteral("; ") + notAsWritten);
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
                                  {QStringLiteral("detail"), entry.detail},
                                  {QStringLiteral("foreign"), entry.foreign}});
    }
    json.insert(QStringLiteral("checks"), checks);
    json.insert(QStringLiteral("failedChecks"), file.failedChecks().size());
    QJsonArray unlike;
    const QList<UnlikeTheTool> texts = textsUnlikeTheTool(file);
    for (const UnlikeTheTool& text : texts) {
        const FormField::Description& field = FormField::describe(text.field);
        unlike.append(QJsonObject{{QStringLiteral("field"), QLatin1String(field.settingsKey)},
                                  {QStringLiteral("record"), field.record},
                                  {QStringLiteral("name"), QLatin1String(field.recordName)},
                                  {QStringLiteral("detail"), text.detail}});
    }
    json.insert(QStringLiteral("unlikeTheTool"), unlike);
    json.insert(QStringLiteral("pass"), file.allChecksPass() && texts.isEmpty());
    // Not passing, yet not damaged: a file for another server.
    json.insert(QStringLiteral("damaged"), file.truncated || !file.damagedChecks().isEmpty());
    if (file.truncated)
        return json;

    QJsonObject header;
    for (const ParameterFile::HeaderField& headerField : ParameterFile::headerFields)
        insertHeaderField(header, file.header, headerField);
    json.insert(QStringLiteral("header"), header);
    json.insert(QStringLiteral("bodySize"), file.body.size());

    QJsonObject records;
    records.insert(QStringLiteral("identifier"),
                   file.hasIdentifier ? QJsonValue(identifierText(file.identifier)) : QJsonValue());
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
    return ShownText::jsonLine(object).replace(QString(QChar(jsonNulStandIn)).toUtf8(), QByteArrayLiteral("\\u0000"));
}
