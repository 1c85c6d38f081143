#include "drives/win/WinVolumes.h"

#include <windows.h>

#include <algorithm>
#include <string>

namespace {
// FAT labels hold 11 characters; NTFS would take more, but a card is labelled the same on every file system.
constexpr std::size_t maximumLabelLength = 11;

bool isHighSurrogate(wchar_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}
} // namespace

bool isRemovableDriveRoot(const wchar_t* rootPath)
{
    // The root path goes in as the volume enumeration gives it ("E:/"): Windows reads both separators there.
    return rootPath && GetDriveTypeW(rootPath) == DRIVE_REMOVABLE;
}

void setVolumeLabelOnRoot(const wchar_t* rootPath, const wchar_t* label)
{
    if (!rootPath || !label)
        return;
    // SetVolumeLabelW is documented for "X:\" with a trailing backslash; the enumeration gives "X:/". Both name the
    // same volume, so the separators are turned round to give the call the form it documents.
    std::wstring root(rootPath);
    std::replace(root.begin(), root.end(), L'/', L'\\');

    std::wstring text(label);
    if (text.size() > maximumLabelLength) {
        text.resize(maximumLabelLength);
        // A character outside the basic plane is not cut in half.
        if (isHighSurrogate(text.back()))
            text.pop_back();
    }
    SetVolumeLabelW(root.c_str(), text.c_str());
}
