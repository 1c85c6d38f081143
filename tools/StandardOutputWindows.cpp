#include "tools/StandardOutput.h"

#include <cstdio>

#include <windows.h>

void keepClosedStandardStreamsClosed()
{
    // A Windows program's closed standard handles are not reused by the files it opens.
}

void printCodeLines(const QStringList& lines)
{
    const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD mode = 0;
    CONSOLE_SCREEN_BUFFER_INFO shown{};
    // A console takes the characters themselves (its code page may have no block characters) and its colours; a file
    // or a pipe gets UTF-8.
    if (!GetConsoleMode(output, &mode) || !GetConsoleScreenBufferInfo(output, &shown)) {
        for (const QString& line : lines) {
            const QByteArray bytes = line.toUtf8() + '\n';
            std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stdout);
        }
        return;
    }
    std::fflush(stdout);
    for (const QString& line : lines) {
        // White on black, then the console's own colours again, for the line's end.
        SetConsoleTextAttribute(output, FOREGROUND_RED | FOREGROUND_GREEN | FOREGROUND_BLUE | FOREGROUND_INTENSITY);
        const std::wstring text = line.toStdWString();
        DWORD written = 0;
        WriteConsoleW(output, text.c_str(), DWORD(text.size()), &written, nullptr);
        SetConsoleTextAttribute(output, shown.wAttributes);
        WriteConsoleW(output, L"\n", 1, &written, nullptr);
    }
}
