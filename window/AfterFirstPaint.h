#pragma once

#include <functional>

class QObject;
class QWidget;

// What a window does not need for its first frame waits for it: work runs once the window's first paint was handled
// (on context's thread, not after context is gone). Where the window is still hidden when the event loop starts
// (tests, a window never shown), WhenHidden::RunAtOnce runs the work then instead of waiting for a paint that may never
// come.
enum class WhenHidden
{
    Wait,
    RunAtOnce
};
void afterFirstPaint(QWidget& window, QObject* context, std::function<void()> work,
                     WhenHidden hidden = WhenHidden::Wait);
