#pragma once

#include <chrono>
#include <functional>

// Runs stop on the application's thread, through its event loop, when the user asks the program to end: SIGINT or
// SIGTERM on POSIX systems, Ctrl+C, Ctrl+Break or the console closing on Windows. From then on the program ends by
// itself; a second request ends it at once, unless a card's new file may have gone live whose identifier is not yet
// told (holdExit): the program then ends once that is done, or holdLimit after the second request, whichever comes
// first. One implementation per platform.
void onStopRequest(std::function<void()> stop, std::chrono::milliseconds holdLimit);

// From the write that may make a card's new file live until its identifier is printed and recorded, a second request
// does not end the program (any thread). The last release after a second request ends it. After a second request no
// hold is given: holdExit then never returns, the card is not written.
void holdExit();
void releaseExit();

namespace StopRequest {
// For the platforms: the second request came. True when the program is to end at once (nothing held); else it ends
// as the last hold is released. Safe in a signal handler.
bool secondRequestEndsNow();
// The status the program ends with on a second request.
constexpr int stoppedStatus = 130;
} // namespace StopRequest
