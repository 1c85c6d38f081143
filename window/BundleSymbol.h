#pragma once

#include <QHash>
#include <QIcon>
#include <QIconEngine>

// A symbol of a bundle that is decoded only when it is drawn, and then at the size it is drawn: the small sizes from
// copies of the picture (the symbol bundle's ":/symbols/NAME-SIDE.png", made from it, or the smaller pictures that Qt's
// own bundle holds beside its symbols), any other from the picture itself. It shows what an icon made of the picture
// shows, in every size and mode: each size is drawn by an icon of Qt's own over the picture or its copy, which scales
// it smoothly and makes the disabled and selected looks. What was decoded is kept for the engine's life.
class BundleSymbolEngine final : public QIconEngine
{
public:
    // `picture` is the bundle's path of the picture, `size` its size (told, so that telling it decodes nothing) and
    // `copies` the path of its copies with %1 for the side; the symbol bundle holds the copies of some sides.
    BundleSymbolEngine(const QString& picture, QSize size, const QString& copies);

    // The two arrows of the refresh button, which the key button shows too.
    static QIcon refreshSymbol();

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
#if QT_VERSION_MAJOR >= 6
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override;
#else
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) const override;
#endif
    QIconEngine* clone() const override;
    QString key() const override;

private:
    // The icon that draws the symbol at that size: over the copy of its side, or over the picture.
    QIcon decodedFor(QSize shown);

    QString picture;
    QSize size;
    QString copies;
    // By the side of the copy, 0 for the picture.
    QHash<int, QIcon> decoded;
};
