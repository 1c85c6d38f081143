#pragma once

#include <QString>

// QString holds UTF-16 and wchar_t is UTF-16 on Windows: the text as the null-terminated wide string that the
// Windows calls take. It lives as long as the QString.
inline const wchar_t* wide(const QString& text)
{
    return reinterpret_cast<const wchar_t*>(text.utf16());
}
