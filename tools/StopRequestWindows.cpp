// The console's control handler runs on a thread of its own: it hands the stop to the application's event loop.
#include "tools/StopRequest.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QTimer>

#include <atomic>
#include <cstdlib>

#include <windows.h>

namespace {
std::function<void()> stopRequested;
std::atomic<int> requests{0};

std::chrono::milliseconds holdFor{0};

BOOL WINAPI requestStop(DWORD)
{
    const int request = requests++;
    if (request == 0) {
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [] { stopRequested(); }, Qt::QueuedConnection);
    } else if (StopRequest::secondRequestEndsNow()) {
        std::_Exit(StopRequest::stoppedStatus);
    } else if (request == 1) {
        // What is held is waited for no longer than the limit.
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [] {
                QTimer::singleShot(holdFor, QCoreApplication::instance(),
                                   [] { std::_Exit(StopRequest::stoppedStatus); });
            },
            Qt::QueuedConnection);
    }
    return TRUE;
}
} // namespace

void onStopRequest(std::function<void()> stop, std::chrono::milliseconds holdLimit)
{
    stopRequested = std::move(stop);
    holdFor = holdLimit;
    SetConsoleCtrlHandler(requestStop, TRUE);
}
