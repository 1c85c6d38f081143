#include "app/CommandOutput.h"

#include <windows.h>

namespace {
std::wstring fromUtf8(const std::string& text)
{
    if (text.empty())
        return std::wstring();
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring wide(size_t(length > 0 ? length : 0), L'\0');
    if (length > 0)
        MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), &wide[0], length);
    return wide;
}
} // namespace

bool CommandOutput::tell(Kind kind, const std::string& title, const std::string& text)
{
    // The window program has no console: what it printed would reach nobody. No window of the program is open yet,
    // so the box asks for the foreground itself.
    const UINT icon = kind == Kind::Error ? MB_ICONERROR : MB_ICONINFORMATION;
    return MessageBoxW(nullptr, fromUtf8(text).c_str(), fromUtf8(title).c_str(),
                       MB_OK | icon | MB_SETFOREGROUND | MB_TASKMODAL) != 0;
}
