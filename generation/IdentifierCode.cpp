#include "generation/IdentifierCode.h"

#include "parameterfile/Identifier.h"

#include <qrcodegen.hpp>

IdentifierCode::IdentifierCode(const QUuid& identifier) : held(identifierText(identifier))
{
    // Upper-case hexadecimal digits take the alphanumeric mode: 32 of them fit a code of 25 modules at level M, which
    // survives a scratched or creased label.
    const qrcodegen::QrCode code =
        qrcodegen::QrCode::encodeText(held.toLatin1().constData(), qrcodegen::QrCode::Ecc::MEDIUM);
    side = code.getSize();
    modules.resize(side * side);
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x)
            modules.setBit(y * side + x, code.getModule(x, y));
    }
}

bool IdentifierCode::dark(int x, int y) const
{
    return x >= 0 && y >= 0 && x < side && y < side && modules.testBit(y * side + x);
}

QStringList IdentifierCode::terminalLines() const
{
    static const QChar halves[4] = {QLatin1Char(' '), QChar(0x2584), QChar(0x2580), QChar(0x2588)};
    QStringList lines;
    for (int y = -quietZone; y < side + quietZone; y += 2) {
        QString line;
        for (int x = -quietZone; x < side + quietZone; ++x) {
            const bool upperLight = !dark(x, y);
            // The last line's lower half, below an odd number of rows, is light quiet zone too.
            const bool lowerLight = !dark(x, y + 1);
            line += halves[(upperLight ? 2 : 0) + (lowerLight ? 1 : 0)];
        }
        lines << line;
    }
    return lines;
}
