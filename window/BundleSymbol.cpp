#include "window/BundleSymbol.h"

#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QPixmap>

BundleSymbolEngine::BundleSymbolEngine(const QString& picture, QSize size, const QString& copies)
    : picture(picture), size(size), copies(copies)
{}

namespace {
// A PNG picture of a bundle, decoded by Qt's own PNG reader. Told the format, the reader loads none of the image
// plug-ins, which it otherwise asks one by one whether they read the file, loading each library.
QPixmap readPng(const QString& path)
{
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}
} // namespace

QIcon BundleSymbolEngine::refreshSymbol()
{
    return QIcon(new BundleSymbolEngine(QStringLiteral(":/logo/resources/refresh.png"), QSize(256, 256),
                                        QStringLiteral(":/symbols/refresh-%1.png")));
}

QIcon BundleSymbolEngine::decodedFor(QSize shown)
{
    // A copy is the picture scaled smoothly to its side, as Qt's icon scales it: the same pixels, a fraction of the
    // decoding.
    int side = shown.width() == shown.height() && shown != size ? shown.width() : 0;
    const QString copy = copies.arg(side);
    if (side != 0 && !QFile::exists(copy))
        side = 0;
    auto known = decoded.constFind(side);
    if (known != decoded.cend())
        return *known;
    return *decoded.insert(side, QIcon(readPng(side != 0 ? copy : picture)));
}

void BundleSymbolEngine::paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state)
{
    const QSize pixels = rect.size() * painter->device()->devicePixelRatioF();
    painter->drawPixmap(rect, pixmap(pixels, mode, state));
}

QPixmap BundleSymbolEngine::pixmap(const QSize& shown, QIcon::Mode mode, QIcon::State state)
{
    return decodedFor(actualSize(shown, mode, state)).pixmap(shown, mode, state);
}

QSize BundleSymbolEngine::actualSize(const QSize& shown, QIcon::Mode, QIcon::State)
{
    // Never larger than the picture, and never out of its shape.
    return size.width() > shown.width() || size.height() > shown.height() ? size.scaled(shown, Qt::KeepAspectRatio)
                                                                          : size;
}

// Qt 6 dropped the const.
#if QT_VERSION_MAJOR >= 6
QList<QSize> BundleSymbolEngine::availableSizes(QIcon::Mode mode, QIcon::State state)
#else
QList<QSize> BundleSymbolEngine::availableSizes(QIcon::Mode mode, QIcon::State state) const
#endif
{
    // As an icon made of the picture: one size, of the normal look.
    if (mode == QIcon::Normal && state == QIcon::Off)
        return {size};
    return {};
}

QIconEngine* BundleSymbolEngine::clone() const
{
    return new BundleSymbolEngine(*this);
}

QString BundleSymbolEngine::key() const
{
    return QStringLiteral("BundleSymbolEngine");
}
