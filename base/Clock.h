#pragma once

#include <chrono>
#include <ctime>

// Where the program reads the time: the local wall-clock time that a file is stamped with, and the steady time that
// its waits for a card are measured by. One clock serves the whole process; a test puts one of its own in its place,
// whose time moves only when the test moves it.
class Clock
{
public:
    using Steady = std::chrono::steady_clock;

    virtual ~Clock() = default;
    // The local wall-clock time now, read once: the date and the time of one moment.
    virtual std::tm localTime() const = 0;
    // A time that never goes back, for how long a wait has lasted.
    virtual Steady::time_point steadyTime() const = 0;

    // The clock in place: the system's, unless another was set.
    static const Clock& instance();
    // Puts clock in place for the whole process; nullptr puts the system's back. The caller keeps it alive until it
    // is replaced, and until no thread reads it any more.
    static void setInstance(const Clock* clock);

protected:
    // The system's local time, converted by the C library (one implementation per platform).
    static std::tm systemLocalTime();
};
