#include "tools/StopRequest.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace {
// Lock-free, so that a signal handler may read and write them.
std::atomic<int> holds{0};
std::atomic<bool> endWanted{false};
} // namespace

void holdExit()
{
    ++holds;
    if (!endWanted)
        return;
    // After a second request no new write begins: the card is left as it is, and the program ends as the cards
    // already written are told (or at the limit).
    releaseExit();
    for (;;)
        std::this_thread::sleep_for(std::chrono::hours(1));
}

void releaseExit()
{
    if (--holds == 0 && endWanted) {
        // What was told of the card is out before the program ends.
        std::fflush(stdout);
        std::_Exit(StopRequest::stoppedStatus);
    }
}

bool StopRequest::secondRequestEndsNow()
{
    // Wanted first, then looked at: a release running meanwhile sees the wish, or this sees the release.
    endWanted = true;
    return holds == 0;
}
