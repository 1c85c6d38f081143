#include "base/WinFiles.h"

#include <windows.h>

#include <string>

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
