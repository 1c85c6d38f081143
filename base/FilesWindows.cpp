#include "base/FilesWindows.h"

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

unsigned long volumeNamePath(const wchar_t* rootPath, std::wstring& volumePath)
{
    wchar_t name[MAX_PATH] = {};
    if (!GetVolumeNameForVolumeMountPointW(rootPath, name, MAX_PATH))
        return GetLastError();
    volumePath = name;
    return 0;
}

FileEntryWindows entryAtPath(const wchar_t* path)
{
    FileEntryWindows entry;
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path, GetFileExInfoStandard, &data)) {
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND)
            entry.error = error;
        return entry;
    }
    const auto wide = [](DWORD high, DWORD low) { return (static_cast<unsigned long long>(high) << 32) | low; };
    entry.exists = true;
    entry.attributes = data.dwFileAttributes;
    entry.isLink = (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    entry.isFolder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    entry.isDevice = (data.dwFileAttributes & FILE_ATTRIBUTE_DEVICE) != 0;
    entry.size = wide(data.nFileSizeHigh, data.nFileSizeLow);
    entry.written = wide(data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime);
    entry.created = wide(data.ftCreationTime.dwHighDateTime, data.ftCreationTime.dwLowDateTime);
    return entry;
}

void* createNewFile(const wchar_t* path, unsigned long& error, bool& nameTaken)
{
    // Shared for reading (a writer's claim) and writing, as Qt opens files; CREATE_NEW refuses every existing entry.
    HANDLE file = CreateFileW(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              CREATE_NEW, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    error = file == INVALID_HANDLE_VALUE ? GetLastError() : 0;
    nameTaken = error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS;
    return file == INVALID_HANDLE_VALUE ? nullptr : file;
}

void* openFileForReading(const wchar_t* path, unsigned long& error, bool& isLink)
{
    error = 0;
    isLink = isReparsePoint(path);
    if (isLink)
        return nullptr;
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    error = file == INVALID_HANDLE_VALUE ? GetLastError() : 0;
    return file == INVALID_HANDLE_VALUE ? nullptr : file;
}

std::vector<std::wstring> folderNames(const wchar_t* path)
{
    std::vector<std::wstring> names;
    std::wstring pattern = path;
    if (!pattern.empty() && pattern.back() != L'\\')
        pattern += L'\\';
    pattern += L'*';
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..")
            names.push_back(name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

bool removeFile(const wchar_t* path)
{
    return DeleteFileW(path) != 0;
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
