#include "base/Clock.h"

#include <time.h>

std::tm Clock::systemLocalTime()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_s(&local, &now);
    return local;
}
