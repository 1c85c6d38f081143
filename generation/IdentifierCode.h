#pragma once

#include <QBitArray>
#include <QString>
#include <QStringList>
#include <QUuid>

// The identifier as a QR code, for a phone's camera to copy it into the portal's form: it holds identifierText (the
// 32 digits as the identifier file has them), made by the QR Code generator library (qrcodegen). Every picture of it
// (the window's, the labels', vskwrite's) draws this matrix.
class IdentifierCode
{
public:
    // The light margin a reader needs around the code, in modules.
    static constexpr int quietZone = 4;

    explicit IdentifierCode(const QUuid& identifier);

    // What the code holds.
    const QString& text() const { return held; }
    // Modules per side, without the quiet zone.
    int size() const { return side; }
    // Whether the module is dark; any place outside the code (the quiet zone) is light.
    bool dark(int x, int y) const;

    // The code for a terminal, with its quiet zone: two rows of modules a line, in half blocks. A block stands for a
    // light module (as on a dark terminal, where the code shows light around dark): U+2588 both light, U+2580 the
    // upper, U+2584 the lower, a space neither.
    QStringList terminalLines() const;

private:
    QString held;
    int side = 0;
    QBitArray modules;
};
