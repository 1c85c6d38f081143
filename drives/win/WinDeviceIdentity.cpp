#include "drives/win/WinDeviceIdentity.h"

#include <windows.h>
#include <winioctl.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {
// The offsets of the descriptor's fields, as winioctl.h lays STORAGE_DEVICE_DESCRIPTOR out.
constexpr std::size_t vendorOffsetAt = 12;
constexpr std::size_t productOffsetAt = 16;
constexpr std::size_t serialOffsetAt = 24;
constexpr std::size_t descriptorHead = 36;

unsigned long fieldAt(const unsigned char* bytes, std::size_t at)
{
    DWORD value = 0;
    std::memcpy(&value, bytes + at, sizeof value);
    return value;
}

// The text at offset within bytes[0, size): ANSI characters up to a terminator, spaces trimmed at both ends.
std::wstring textAt(const unsigned char* bytes, std::size_t size, unsigned long offset)
{
    if (offset == 0 || offset >= size)
        return {};
    std::wstring text;
    for (std::size_t at = offset; at < size && bytes[at] != 0; ++at)
        text += wchar_t(bytes[at]);
    const std::size_t first = text.find_first_not_of(L' ');
    if (first == std::wstring::npos)
        return {};
    return text.substr(first, text.find_last_not_of(L' ') - first + 1);
}
} // namespace

bool readStorageDescriptor(const unsigned char* bytes, std::size_t size, StorageIdentity& identity)
{
    identity = StorageIdentity();
    if (!bytes || size < descriptorHead)
        return false;
    // The descriptor says how much of it there is; what lies beyond is not its text.
    const std::size_t used = std::min<std::size_t>(size, fieldAt(bytes, 4));
    identity.vendor = textAt(bytes, used, fieldAt(bytes, vendorOffsetAt));
    identity.product = textAt(bytes, used, fieldAt(bytes, productOffsetAt));
    identity.serial = textAt(bytes, used, fieldAt(bytes, serialOffsetAt));
    return true;
}

unsigned long queryStorageIdentity(const wchar_t* rootPath, StorageIdentity& identity)
{
    identity = StorageIdentity();
    if (!rootPath || !rootPath[0] || rootPath[1] != L':')
        return ERROR_INVALID_PARAMETER;
    // The volume itself, "\\.\E:", opened for no access at all: enough to ask its driver, and never refused to an
    // ordinary user nor blocked by a file open on the card.
    const std::wstring volume = std::wstring(L"\\\\.\\") + rootPath[0] + L':';
    HANDLE handle =
        CreateFileW(volume.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return GetLastError();
    STORAGE_PROPERTY_QUERY query{};
    query.PropertyId = StorageDeviceProperty;
    query.QueryType = PropertyStandardQuery;
    // First the header, which tells the whole descriptor's size, then the whole of it.
    STORAGE_DESCRIPTOR_HEADER header{};
    DWORD returned = 0;
    unsigned long error = 0;
    if (!DeviceIoControl(handle, IOCTL_STORAGE_QUERY_PROPERTY, &query, sizeof query, &header, sizeof header, &returned,
                         nullptr)) {
        error = GetLastError();
    } else {
        std::vector<unsigned char> descriptor(std::max<std::size_t>(header.Size, descriptorHead));
        if (!DeviceIoControl(handle, IOCTL_STORAGE_QUERY_PROPERTY, &query, sizeof query, descriptor.data(),
                             DWORD(descriptor.size()), &returned, nullptr))
            error = GetLastError();
        else if (!readStorageDescriptor(descriptor.data(), returned, identity))
            error = ERROR_INVALID_DATA;
    }
    CloseHandle(handle);
    return error;
}
