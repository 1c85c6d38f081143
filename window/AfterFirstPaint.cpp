#include "window/AfterFirstPaint.h"

#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace {
// Watches the window for its first paint, then, once the events of that paint are handled, runs the work and ends.
class FirstPaintWatch : public QObject
{
public:
    FirstPaintWatch(QWidget& window, QObject* context, std::function<void()> work)
        : QObject(context), window(&window), work(std::move(work))
    {
        window.installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched == window)
            QTimer::singleShot(0, this, [this] { run(); });
        return QObject::eventFilter(watched, event);
    }

    void run()
    {
        if (!work)
            return;
        if (window)
            window->removeEventFilter(this);
        const std::function<void()> once = std::move(work);
        work = nullptr;
        deleteLater();
        once();
    }

    bool waitsFor() const { return window && window->isVisible(); }

private:
    QPointer<QWidget> window;
    std::function<void()> work;
};
} // namespace

void afterFirstPaint(QWidget& window, QObject* context, std::function<void()> work, WhenHidden hidden)
{
    auto* watch = new FirstPaintWatch(window, context, std::move(work));
    if (hidden == WhenHidden::RunAtOnce) {
        QTimer::singleShot(0, watch, [watch] {
            if (!watch->waitsFor())
                watch->run();
        });
    }
}
