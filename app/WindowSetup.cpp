#include "app/WindowSetup.h"

#include "window/AfterFirstPaint.h"

#include <QApplication>
#include <QIcon>
#include <QIconEngine>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QWidget>

#include <functional>

namespace {
// An icon that is made only when it is first drawn or measured.
class IconOnFirstUse : public QIconEngine
{
public:
    explicit IconOnFirstUse(std::function<QIcon()> make) : make(std::move(make)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().actualSize(size, mode, state);
    }
    QIconEngine* clone() const override { return new IconOnFirstUse(*this); }

private:
    const QIcon& icon() const
    {
        if (make) {
            made = make();
            make = nullptr;
        }
        return made;
    }

    mutable std::function<QIcon()> make;
    mutable QIcon made;
};

// The style, whose line edits' clear button takes its icon from the icon theme when it is first drawn: a style asks
// the theme as each field is made, and the first question reads the theme's whole index, which the first paint of a
// form whose fields are empty or hidden need not wait for.
class Style : public QProxyStyle
{
public:
    explicit Style(QStyle* base) : QProxyStyle(base) { setObjectName(base->objectName()); }

    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option, const QWidget* widget) const override
    {
        if (icon != SP_LineEditClearButton)
            return QProxyStyle::standardIcon(icon, option, widget);
        // The icon depends on the layout direction only, which is the application's when it is drawn.
        const QPointer<QStyle> base = baseStyle();
        return QIcon(
            new IconOnFirstUse([base] { return base ? base->standardIcon(SP_LineEditClearButton) : QIcon(); }));
    }
};
} // namespace

void WindowSetup::apply()
{
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    // Qt 5 scales for the screen's density only when asked before the application object exists; without it a
    // 192-dpi screen gets twice-sized fonts in a layout of unscaled pixels, and the labels are cut. Qt 6 always scales.
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
#endif
    ApplicationIdentity::setNames();
    // Ties the window to its menu entry: Wayland's application id, and the task bar's entry and icon.
    QGuiApplication::setDesktopFileName(ApplicationIdentity::desktopFileName());
    if (QStyle* base = QStyleFactory::create(styleName()))
        QApplication::setStyle(new Style(base));
}

QIcon WindowSetup::windowIcon()
{
    return QIcon(windowIconPath());
}

void WindowSetup::setWindowIcon(QWidget& window)
{
    QApplication::setWindowIcon(windowIcon());
    // The theme's first question reads its whole index: it waits for the first frame.
    afterFirstPaint(window, &window, [] {
        const QIcon themed = QIcon::fromTheme(ApplicationIdentity::desktopFileName());
        if (!themed.isNull())
            QApplication::setWindowIcon(themed);
    });
}
