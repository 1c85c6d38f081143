#include "labels/IdentifierImage.h"

#include "generation/IdentifierCode.h"

#include <QPainter>

#include <algorithm>

QImage identifierImage(const IdentifierCode& code, int pixelsPerModule)
{
    const int scale = std::max(pixelsPerModule, 4);
    const int modules = code.size() + 2 * IdentifierCode::quietZone;
    QImage image(modules * scale, modules * scale, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    for (int y = 0; y < code.size(); ++y) {
        for (int x = 0; x < code.size(); ++x) {
            if (code.dark(x, y))
                painter.fillRect((x + IdentifierCode::quietZone) * scale, (y + IdentifierCode::quietZone) * scale,
                                 scale, scale, Qt::black);
        }
    }
    return image;
}
