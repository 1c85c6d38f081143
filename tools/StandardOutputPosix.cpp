#include "tools/StandardOutput.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <initializer_list>
#include <unistd.h>

void keepClosedStandardStreamsClosed()
{
    for (const int stream : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        if (::fcntl(stream, F_GETFD) != -1 || errno != EBADF)
            continue;
        const int null = ::open("/dev/null", O_RDONLY);
        if (null >= 0 && null != stream) {
            ::dup2(null, stream);
            ::close(null);
        }
    }
}

void printCodeLines(const QStringList& lines)
{
    const bool terminal = ::isatty(STDOUT_FILENO) == 1;
    for (const QString& line : lines) {
        // White on black, then the terminal's own colours again.
        const QByteArray bytes = terminal ? QByteArray("\x1b[97;40m" + line.toUtf8() + "\x1b[0m\n")
                                          : QByteArray(line.toUtf8() + '\n');
        std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stdout);
    }
}
