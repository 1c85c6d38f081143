#include "support/MockClock.h"

namespace {
std::tm calendarTime(int year, int month, int day, int hour, int minute, int second)
{
    std::tm time{};
    time.tm_year = year - 1900;
    time.tm_mon = month - 1;
    time.tm_mday = day;
    time.tm_hour = hour;
    time.tm_min = minute;
    time.tm_sec = second;
    time.tm_isdst = -1;
    return time;
}
} // namespace

MockClock::MockClock(const std::tm& localTime) : local(localTime), steady(Steady::now())
{
    Clock::setInstance(this);
}

MockClock::MockClock(int year, int month, int day, int hour, int minute, int second)
    : MockClock(calendarTime(year, month, day, hour, minute, second))
{}

MockClock::~MockClock()
{
    // Another test's clock may have taken its place meanwhile.
    if (&Clock::instance() == this)
        Clock::setInstance(nullptr);
}

std::tm MockClock::localTime() const
{
    return local;
}

Clock::Steady::time_point MockClock::steadyTime() const
{
    std::lock_guard<std::mutex> lock(mutex);
    return steady;
}

void MockClock::advance(Steady::duration by)
{
    std::lock_guard<std::mutex> lock(mutex);
    steady += by;
}
