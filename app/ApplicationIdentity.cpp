#include "app/ApplicationIdentity.h"

#include <QApplication>
#include <QEvent>
#include <QIcon>
#include <QTimer>
#include <QWidget>

void ApplicationIdentity::apply()
{
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    // Qt 5 scales for the screen's density only when asked before the application object exists; without it a
    // 192-dpi screen gets twice-sized fonts in a layout of unscaled pixels, and the labels are cut. Qt 6 always scales.
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
#endif
    QCoreApplication::setOrganizationName(organizationName());
    QCoreApplication::setOrganizationDomain(organizationDomain());
    QCoreApplication::setApplicationName(applicationName());
    QCoreApplication::setApplicationVersion(applicationVersion());
    // Ties the window to its menu entry: Wayland's application id, and the task bar's entry and icon.
    QGuiApplication::setDesktopFileName(desktopFileName());
    QApplication::setStyle(styleName());
}

namespace {
// Waits for the first paint of the window it watches, then, once the events of that paint are handled, looks the icon
// up in the icon theme, and ends.
class ThemeIconAfterFirstPaint : public QObject
{
public:
    explicit ThemeIconAfterFirstPaint(QWidget& window) : QObject(&window) { window.installEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, this, [this] {
                const QIcon themed = QIcon::fromTheme(ApplicationIdentity::desktopFileName());
                if (!themed.isNull())
                    QApplication::setWindowIcon(themed);
                deleteLater();
            });
        }
        return QObject::eventFilter(watched, event);
    }
};
} // namespace

QIcon ApplicationIdentity::windowIcon()
{
    return QIcon(windowIconPath());
}

void ApplicationIdentity::setWindowIcon(QWidget& window)
{
    QApplication::setWindowIcon(windowIcon());
    new ThemeIconAfterFirstPaint(window);
}
