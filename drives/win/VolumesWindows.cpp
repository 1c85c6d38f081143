#include "drives/win/VolumesWindows.h"

#include "drives/VolumeLabel.h"

#include <windows.h>
#include <winioctl.h>

#include <algorithm>
#include <string>

namespace {
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
    if (text.size() > std::size_t(VolumeLabel::maximumLength)) {
        text.resize(std::size_t(VolumeLabel::maximumLength));
        // A character outside the basic plane is not cut in half.
        if (isHighSurrogate(text.back()))
            text.pop_back();
    }
    SetVolumeLabelW(root.c_str(), text.c_str());
}

bool hasVolume(const wchar_t* rootPath)
{
    if (!rootPath)
        return false;
    std::wstring root(rootPath);
    std::replace(root.begin(), root.end(), L'/', L'\\');
    return GetVolumeInformationW(root.c_str(), nullptr, 0, nullptr, nullptr, nullptr, nullptr, 0) != 0;
}

unsigned long ejectVolume(const wchar_t* rootPath)
{
    if (!rootPath || !rootPath[0] || rootPath[1] != L':')
        return ERROR_INVALID_PARAMETER;
    // The volume itself, "\\.\E:", not its root folder.
    const std::wstring volume = std::wstring(L"\\\\.\\") + rootPath[0] + L':';
    HANDLE handle = CreateFileW(volume.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return GetLastError();
    DWORD returned = 0;
    // A volume with an open file cannot be locked: Windows would not let it go safely either.
    unsigned long error = 0;
    if (!DeviceIoControl(handle, FSCTL_LOCK_VOLUME, nullptr, 0, nullptr, 0, &returned, nullptr) ||
        !DeviceIoControl(handle, FSCTL_DISMOUNT_VOLUME, nullptr, 0, nullptr, 0, &returned, nullptr)) {
        error = GetLastError();
    } else {
        PREVENT_MEDIA_REMOVAL allow{};
        allow.PreventMediaRemoval = FALSE;
        DeviceIoControl(handle, IOCTL_STORAGE_MEDIA_REMOVAL, &allow, sizeof allow, nullptr, 0, &returned, nullptr);
        // Card readers often cannot eject a card by themselves; dismounted, it may be taken out all the same.
        DeviceIoControl(handle, IOCTL_STORAGE_EJECT_MEDIA, nullptr, 0, nullptr, 0, &returned, nullptr);
    }
    CloseHandle(handle);
    return error;
}
