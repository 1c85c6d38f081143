#include "tools/StandardOutput.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

std::optional<QString> standardOutputFailure()
{
    const bool flushed = std::fflush(stdout) == 0;
    const int error = errno;
    if (flushed && !std::ferror(stdout))
        return std::nullopt;
    // The system's reason is known only when the last flush is what failed.
    return flushed ? QString() : QString::fromLocal8Bit(std::strerror(error));
}
