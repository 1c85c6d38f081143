#include "tools/StopRequest.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>

namespace {
// Lock-free, so that a signal handler may read and write them.
std::atomic<int> holds{0};
std::atomic<bool> endWanted{false};
} // namespace

void holdExit()
{
    ++holds;
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
