#include "base/Clock.h"

#include <time.h> // NOLINT(modernize-deprecated-headers): localtime_r is POSIX, which <ctime> need not declare

std::tm Clock::systemLocalTime()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local;
}
