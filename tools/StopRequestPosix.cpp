// The signal handler only writes a byte into a pipe; the event loop reads it and runs the stop.
#include "tools/StopRequest.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTimer>

#include <csignal>
#include <cstdlib>

#include <fcntl.h>
#include <unistd.h>

namespace {
int stopPipe[2] = {-1, -1};
volatile std::sig_atomic_t requests = 0;

extern "C" void requestStop(int)
{
    // A second request while the cards in hand end: the user wants out now, unless a card's identifier is not yet told.
    if (requests++ > 0 && StopRequest::secondRequestEndsNow())
        std::_Exit(StopRequest::stoppedStatus);
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(stopPipe[1], &byte, 1);
}
} // namespace

void onStopRequest(std::function<void()> stop, std::chrono::milliseconds holdLimit)
{
    if (::pipe2(stopPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    auto* notifier = new QSocketNotifier(stopPipe[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [notifier, stop = std::move(stop), holdLimit] {
        char byte = 0;
        while (::read(stopPipe[0], &byte, 1) > 0) {
        }
        static bool stopped = false;
        if (!stopped) {
            stopped = true;
            stop();
        }
        // The second request waits for what is held no longer than the limit.
        if (requests > 1) {
            notifier->setEnabled(false);
            QTimer::singleShot(holdLimit, notifier, [] { std::_Exit(StopRequest::stoppedStatus); });
        }
    });
    struct sigaction action
    {};
    action.sa_handler = requestStop;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);
}
