// The console's control handler runs on a thread of its own: it hands the stop to the application's event loop.
#include "tools/StopRequest.h"

#include <QCoreApplication>
#include <QMetaObject>

#include <atomic>
#include <cstdlib>

#include <windows.h>

namespace {
std::function<void()> stopRequested;
std::atomic<int> requests{0};

BOOL WINAPI requestStop(DWORD)
{
    if (requests++ > 0)
        std::_Exit(130);
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [] { stopRequested(); }, Qt::QueuedConnection);
    return TRUE;
}
} // namespace

void onStopRequest(std::function<void()> stop)
{
    stopRequested = std::move(stop);
    SetConsoleCtrlHandler(requestStop, TRUE);
}
