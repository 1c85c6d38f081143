#pragma once

#include "base/Clock.h"

#include <mutex>

// A clock for tests, in place while it lives (the system's clock is put back after it): its local time is the one it
// was given, and its steady time moves only when advance() moves it, from any thread. A wait for a card then ends by
// the test's time, not by the test's sleeps.
class MockClock : public Clock
{
public:
    explicit MockClock(const std::tm& localTime = {});
    // Year, month (1..12), day, hour, minute, second, as read off a calendar.
    MockClock(int year, int month, int day, int hour, int minute, int second);
    ~MockClock() override;
    MockClock(const MockClock&) = delete;
    MockClock& operator=(const MockClock&) = delete;

    std::tm localTime() const override;
    Steady::time_point steadyTime() const override;

    // Moves the steady time on; the local time stays as given.
    void advance(Steady::duration by);

private:
    mutable std::mutex mutex;
    const std::tm local;
    Steady::time_point steady;
};
