#pragma once

#include <functional>

// Runs stop on the application's thread, through its event loop, when the user asks the program to end: SIGINT or
// SIGTERM on POSIX systems, Ctrl+C, Ctrl+Break or the console closing on Windows. From then on the program ends by
// itself; a second request ends it at once. One implementation per platform.
void onStopRequest(std::function<void()> stop);
