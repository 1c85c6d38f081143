#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>

// Text from outside the program (a card's label or mount path, a record of a parameter file, a system's message) as
// it may be shown: in the window, on a terminal, in a line of a file. A raw control character would move the cursor,
// change colours or split a line, and a bidirectional control would reverse what follows it (a label holding U+202E
// shows the mount path after it backwards): every place that shows such a text shows it escaped.
namespace ShownText {
// A control character: C0, DEL or C1.
constexpr bool isControl(uint code)
{
    return code < 0x20 || (code >= 0x7F && code <= 0x9F);
}

enum class Backslash
{
    Kept,    // for people: a path "E:\" stays as it is
    Doubled, // for a text that must be read back exactly: "\x1B" typed stays apart from an escaped ESC
};

// The text with the control characters (C0, DEL, C1) as \xHH, the bidirectional controls and the line and paragraph
// separators as \uHHHH (upper-case digits), and a lone surrogate as \uHHHH; one in U+DC80..U+DCFF, which stands for a
// byte of a file name that did not decode, as that byte, \xHH. Everything else is kept.
QString escaped(const QString& text, Backslash backslash = Backslash::Kept);

// The object as one line of compact JSON in UTF-8, with every character that escaped() would change written as a JSON
// escape: the same value for a script, and no raw control character on a terminal.
QByteArray jsonLine(const QJsonObject& object);
} // namespace ShownText
