#include "base/Clock.h"

#include <atomic>

namespace {
class SystemClock : public Clock
{
public:
    std::tm localTime() const override { return systemLocalTime(); }
    Steady::time_point steadyTime() const override { return Steady::now(); }
};

std::atomic<const Clock*> replacement{nullptr};
} // namespace

const Clock& Clock::instance()
{
    static const SystemClock system;
    const Clock* clock = replacement.load();
    return clock ? *clock : system;
}

void Clock::setInstance(const Clock* clock)
{
    replacement.store(clock);
}
