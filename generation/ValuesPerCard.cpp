#include "generation/ValuesPerCard.h"

#include "base/RegularFile.h"
#include "base/ShownText.h"
#include "form/FormCheck.h"
#include "form/FormTexts.h"
#include "form/PhoneNumber.h"
#include "generation/GenerateTexts.h"

#include <QCoreApplication>
#include <QDir>
#include <QStringList>

#include <algorithm>

using namespace ValuesPerCard;

namespace {
Reading refused(int line, const QString& reason)
{
    Reading reading;
    reading.refusal = Refusal{line, reason};
    return reading;
}

// The cells of one line, quoted as spreadsheets write them ("a ""b""", c); nothing when a quote is not closed.
std::optional<QStringList> cells(const QString& line, QChar separator)
{
    QStringList found;
    QString cell;
    bool quoted = false;
    for (int i = 0; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (quoted) {
            if (c != QLatin1Char('"'))
                cell += c;
            else if (i + 1 < line.size() && line.at(i + 1) == QLatin1Char('"'))
                cell += line.at(++i);
            else
                quoted = false;
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == separator) {
            found << cell;
            cell.clear();
        } else {
            cell += c;
        }
    }
    if (quoted)
        return std::nullopt;
    found << cell;
    return found;
}

// A column: a field by the remembered form's key, or the site (-1).
constexpr int siteIndex = -1;
std::optional<int> columnOf(const QString& name)
{
    if (name == siteColumn)
        return siteIndex;
    for (const FormField::Description& field : FormField::fields) {
        if (name == QLatin1String(field.settingsKey))
            return int(field.id);
    }
    return std::nullopt;
}

QString columnNames()
{
    QStringList names;
    for (const FormField::Description& field : FormField::fields)
        names << QLatin1String(field.settingsKey);
    return (names << siteColumn).join(QStringLiteral(", "));
}

// What is wrong with a row, put over the form, by the rules "Generate" checks a form by.
std::optional<QString> rowProblem(const Row& row, const FormValues& form)
{
    for (const FormField::Description& field : FormField::fields) {
        if (row.texts[field.id] && !row.texts[field.id]->isEmpty() && !form.shows(field.id))
            return QCoreApplication::translate("Configurator", "%1 is not used in the mode %2")
                .arg(QCoreApplication::translate("Configurator", field.label), GenerateTexts::modeText(form.modeCode));
    }
    if (row.site.size() > maxSiteLength)
        return QCoreApplication::translate("Configurator", "the site is longer than %1 characters").arg(maxSiteLength);
    const QVector<uint> codePoints = row.site.toUcs4();
    for (const uint codePoint : codePoints) {
        if (ShownText::isControl(codePoint))
            return QCoreApplication::translate("Configurator", "the site holds a control character");
    }
    if (const std::optional<FormProblem> problem = checkForm(PhoneNumber::inAcceptedForm(row.appliedTo(form))))
        return FormTexts::problem(*problem).text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return std::nullopt;
}
} // namespace

FormValues Row::appliedTo(FormValues form) const
{
    for (const FormField::Description& field : FormField::fields) {
        if (texts[field.id])
            form.text(field.id) = *texts[field.id];
    }
    return form;
}

QMap<QString, QString> Row::shownValues() const
{
    QMap<QString, QString> shown;
    for (const FormField::Description& field : FormField::fields) {
        if (texts[field.id] && !(FormField::secrets & FormField::bit(field.id)))
            shown.insert(QLatin1String(field.settingsKey), *texts[field.id]);
    }
    return shown;
}

Reading ValuesPerCard::parse(const QByteArray& bytes, const FormValues& form)
{
    QList<QByteArray> lines = bytes.split('\n');
    if (!lines.isEmpty() && lines.first().startsWith("\xEF\xBB\xBF")) // the mark spreadsheets put before UTF-8
        lines.first().remove(0, 3);
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    std::vector<int> columns; // by cell: a FormField::Id, or siteIndex
    QChar separator = QLatin1Char(',');
    Reading reading;
    for (int index = 0; index < lines.size(); ++index) {
        const int lineNumber = index + 1;
        QByteArray raw = lines.at(index);
        if (raw.endsWith('\r'))
            raw.chop(1);
        if (raw.size() > maxLineBytes)
            return refused(
                lineNumber,
                QCoreApplication::translate("Configurator", "the row is longer than %1 bytes").arg(maxLineBytes));
        const QString line = QString::fromUtf8(raw);
        // A byte that is no UTF-8 decodes to a replacement character, which encodes to other bytes.
        if (line.toUtf8() != raw)
            return refused(lineNumber, QCoreApplication::translate(
                                           "Configurator", "the text is not UTF-8: save the list as \"CSV UTF-8\""));
        if (index == 0) {
            if (!line.contains(QLatin1Char(',')) && line.contains(QLatin1Char(';')))
                separator = QLatin1Char(';');
            const std::optional<QStringList> names = cells(line, separator);
            if (!names)
                return refused(lineNumber, QCoreApplication::translate("Configurator", "a quote is not closed"));
            for (const QString& name : *names) {
                const std::optional<int> column = columnOf(name.trimmed());
                if (!column)
                    return refused(lineNumber,
                                   QCoreApplication::translate(
                                       "Configurator", "the column \"%1\" is no field of the form; the columns are %2")
                                       .arg(ShownText::escaped(name), columnNames()));
                if (std::find(columns.begin(), columns.end(), *column) != columns.end())
                    return refused(lineNumber,
                                   QCoreApplication::translate("Configurator", "the column \"%1\" is named twice")
                                       .arg(ShownText::escaped(name)));
                columns.push_back(*column);
            }
            continue;
        }
        // A line without a value (a spreadsheet's empty row) is no row.
        if (line.trimmed().remove(separator).isEmpty())
            continue;
        if (reading.list.rows.size() == maxRows)
            return refused(
                lineNumber,
                QCoreApplication::translate("Configurator", "the list holds more than %1 rows").arg(maxRows));
        const std::optional<QStringList> values = cells(line, separator);
        if (!values)
            return refused(lineNumber, QCoreApplication::translate("Configurator", "a quote is not closed"));
        if (values->size() != int(columns.size()))
            return refused(lineNumber, QCoreApplication::translate("Configurator",
                                                                   "the row has %1 values, the header names %2 columns")
                                           .arg(values->size())
                                           .arg(columns.size()));
        Row row;
        row.number = reading.list.rows.size() + 1;
        row.line = lineNumber;
        for (std::size_t i = 0; i < columns.size(); ++i) {
            if (columns[i] == siteIndex)
                row.site = values->at(int(i)).trimmed();
            else
                row.texts[std::size_t(columns[i])] = values->at(int(i));
        }
        reading.list.rows.append(row);
    }
    if (reading.list.rows.isEmpty())
        return refused(0, QCoreApplication::translate("Configurator", "the list holds no row under its header"));
    reading.refusal = check(reading.list, form);
    return reading;
}

std::optional<Refusal> ValuesPerCard::check(const List& list, const FormValues& form)
{
    for (const Row& row : list.rows) {
        if (const std::optional<QString> problem = rowProblem(row, form))
            return Refusal{row.line, *problem};
    }
    return std::nullopt;
}

Reading ValuesPerCard::read(const QString& path, const FormValues& form)
{
    const RegularFileRead file = readRegularFile(path, qint64(maxRows + 1) * (maxLineBytes + 2));
    if (file.outcome != RegularFileRead::Outcome::Read)
        return refused(0, file.refusalText(
                              QCoreApplication::translate("Configurator", "It is larger than a list of %1 rows can be.")
                                  .arg(maxRows)));
    Reading reading = parse(file.bytes, form);
    reading.list.filePath = path;
    return reading;
}

QString ValuesPerCard::refusalText(const QString& path, const Refusal& refusal)
{
    const QString file = ShownText::escaped(QDir::toNativeSeparators(path));
    if (refusal.line == 0)
        return QCoreApplication::translate("Configurator", "The values per card in %1 cannot be used: %2")
            .arg(file, refusal.reason);
    return QCoreApplication::translate("Configurator", "The values per card in %1 cannot be used: line %2: %3")
        .arg(file)
        .arg(refusal.line)
        .arg(refusal.reason);
}

QString ValuesPerCard::usedUpText(int rows)
{
    return QCoreApplication::translate("Configurator",
                                       "Every row of the values per card was used (%1): the series stopped.")
        .arg(rows);
}

QString ValuesPerCard::rowText(const Row& row, int rows)
{
    const QString text = QCoreApplication::translate("Configurator", "row %1 of %2").arg(row.number).arg(rows);
    return row.site.isEmpty()
               ? text
               : QCoreApplication::translate("Configurator", "%1 (%2)").arg(text, ShownText::escaped(row.site));
}
