#include "drives/win/WinVolumes.h"

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

unsigned long flushFileHandle(void* handle)
{
    return FlushFileBuffers(static_cast<HANDLE>(handle)) ? 0 : GetLastError();
}

unsigned long replaceFileWriteThrough(const wchar_t* from, const wchar_t* to)
{
    return MoveFileExW(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) ? 0 : GetLastError();
}

bool isReparsePoint(const wchar_t* path)
{
    const DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

bool isPlainFolder(const wchar_t* path)
{
    const DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
           (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0;
}

unsigned long createFolder(const wchar_t* path)
{
    return CreateDirectoryW(path, nullptr) ? 0 : GetLastError();
}

bool isDiskFileHandle(void* handle)
{
    return handle != INVALID_HANDLE_VALUE && GetFileType(handle) == FILE_TYPE_DISK;
}

unsigned long folderIdentity(const wchar_t* path, unsigned long& volumeSerial, unsigned long long& fileIndex)
{
    // A folder is opened only with backup semantics; no access to its contents is asked for.
    HANDLE folder = CreateFileW(path, FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (folder == INVALID_HANDLE_VALUE)
        return GetLastError();
    BY_HANDLE_FILE_INFORMATION information{};
    const unsigned long error = GetFileInformationByHandle(folder, &information) ? 0 : GetLastError();
    CloseHandle(folder);
    volumeSerial = information.dwVolumeSerialNumber;
    fileIndex = (static_cast<unsigned long long>(information.nFileIndexHigh) << 32) | information.nFileIndexLow;
    return error;
}

void* takeMachineLock(const wchar_t* name, bool& elsewhere, unsigned long& error)
{
    elsewhere = false;
    error = 0;
    // "Global\": one name for every session of the machine. The object's existence is the lock: no thread owns it,
    // so it may be let go on any thread.
    const std::wstring global = std::wstring(L"Global\\") + name;
    HANDLE lock = CreateEventW(nullptr, TRUE, FALSE, global.c_str());
    if (!lock) {
        error = GetLastError();
        // Another user's object, which this one may not open: it exists, so its holder has the lock.
        elsewhere = error == ERROR_ACCESS_DENIED;
        return nullptr;
    }
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(lock);
        elsewhere = true;
        return nullptr;
    }
    return lock;
}

void* claimFile(const wchar_t* path)
{
    // Reading, and sharing everything: the writer's own handle and its move (which needs the file shared for
    // deletion) go on, while a removal that asks for the file alone fails.
    HANDLE claim = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    return claim == INVALID_HANDLE_VALUE ? nullptr : claim;
}

bool removeFileUnlessOpen(const wchar_t* path)
{
    // Shared with nobody: refused while any handle on the file is open. Removed as this handle closes.
    HANDLE file = CreateFileW(path, DELETE, 0, nullptr, OPEN_EXISTING,
                              FILE_FLAG_DELETE_ON_CLOSE | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return true;
}

void closeHandle(void* handle)
{
    if (handle)
        CloseHandle(static_cast<HANDLE>(handle));
}

std::wstring systemMessage(unsigned long error)
{
    wchar_t* text = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message = length ? std::wstring(text, length) : L"Windows error " + std::to_wstring(error);
    if (text)
        LocalFree(text);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' || message.back() == L' '))
        message.pop_back();
    return message;
}
