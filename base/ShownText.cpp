#include "base/ShownText.h"

#include <QJsonDocument>

namespace {
using ShownText::isControl;

// The characters of Unicode's Bidi_Control property, and the line and paragraph separators.
bool isLayoutControl(ushort code)
{
    return code == 0x061C || code == 0x200E || code == 0x200F || (code >= 0x2028 && code <= 0x202E) ||
           (code >= 0x2066 && code <= 0x2069);
}

bool isLoneSurrogate(const QString& text, int i)
{
    const QChar c = text.at(i);
    if (c.isHighSurrogate())
        return i + 1 == text.size() || !text.at(i + 1).isLowSurrogate();
    return c.isLowSurrogate() && (i == 0 || !text.at(i - 1).isHighSurrogate());
}

QString hexDigits(ushort value, int digits)
{
    return QString::number(value, 16).toUpper().rightJustified(digits, QLatin1Char('0'));
}

// A byte of a file name that did not decode is kept as U+DC00 + byte.
constexpr ushort keptByteBase = 0xDC00;
} // namespace

QString ShownText::escaped(const QString& text, Backslash backslash)
{
    QString shown;
    shown.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const ushort code = c.unicode();
        if (isControl(code))
            shown += QLatin1String("\\x") + hexDigits(code, 2);
        else if (isLayoutControl(code))
            shown += QLatin1String("\\u") + hexDigits(code, 4);
        else if (isLoneSurrogate(text, i))
            shown += code >= keptByteBase + 0x80 && code <= keptByteBase + 0xFF
                         ? QLatin1String("\\x") + hexDigits(code - keptByteBase, 2)
                         : QLatin1String("\\u") + hexDigits(code, 4);
        else if (c == QLatin1Char('\\') && backslash == Backslash::Doubled)
            shown += QLatin1String("\\\\");
        else
            shown += c;
    }
    return shown;
}

QByteArray ShownText::jsonLine(const QJsonObject& object)
{
    // Qt writes C0 controls escaped already, and the JSON structure itself is ASCII: what is left stands in strings.
    const QString json = QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
    QString line;
    line.reserve(json.size());
    for (int i = 0; i < json.size(); ++i) {
        const ushort code = json.at(i).unicode();
        if (isControl(code) || isLayoutControl(code) || isLoneSurrogate(json, i))
            line += QLatin1String("\\u") + hexDigits(code, 4);
        else
            line += json.at(i);
    }
    return line.toUtf8();
}
