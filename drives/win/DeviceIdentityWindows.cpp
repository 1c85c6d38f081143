#include "drives/win/DeviceIdentityWindows.h"

#include <windows.h>

#include <cfgmgr32.h>
#include <setupapi.h>
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

// GUID_DEVINTERFACE_DISK, spelt out: the headers define it only where INITGUID is defined first.
const GUID diskInterface = {0x53f56307, 0xb6bf, 0x11d0, {0x94, 0xf2, 0x00, 0xa0, 0xc9, 0x1e, 0xfb, 0x8b}};

// The disk that holds the volume or disk at path, opened for no access at all.
bool deviceNumberAt(const wchar_t* path, STORAGE_DEVICE_NUMBER& number, unsigned long& error)
{
    HANDLE handle = CreateFileW(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        error = GetLastError();
        return false;
    }
    DWORD returned = 0;
    const bool known = DeviceIoControl(handle, IOCTL_STORAGE_GET_DEVICE_NUMBER, nullptr, 0, &number, sizeof number,
                                       &returned, nullptr) != 0;
    error = known ? 0 : GetLastError();
    CloseHandle(handle);
    return known;
}

// The first location path of the device node, or else its instance path.
std::wstring locationOf(DEVINST node)
{
    ULONG type = 0;
    ULONG size = 0;
    if (CM_Get_DevNode_Registry_PropertyW(node, CM_DRP_LOCATION_PATHS, &type, nullptr, &size, 0) == CR_BUFFER_SMALL &&
        size > 0) {
        std::vector<wchar_t> paths(size / sizeof(wchar_t) + 2, L'\0');
        if (CM_Get_DevNode_Registry_PropertyW(node, CM_DRP_LOCATION_PATHS, &type, paths.data(), &size, 0) ==
                CR_SUCCESS &&
            paths[0] != L'\0')
            return std::wstring(paths.data());
    }
    ULONG length = 0;
    if (CM_Get_Device_ID_Size(&length, node, 0) != CR_SUCCESS)
        return {};
    std::vector<wchar_t> id(length + 1, L'\0');
    if (CM_Get_Device_IDW(node, id.data(), ULONG(id.size()), 0) != CR_SUCCESS)
        return {};
    return std::wstring(id.data());
}

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

unsigned long queryReaderLocation(const wchar_t* rootPath, std::wstring& location)
{
    location.clear();
    if (!rootPath || !rootPath[0] || rootPath[1] != L':')
        return ERROR_INVALID_PARAMETER;
    const std::wstring volume = std::wstring(L"\\\\.\\") + rootPath[0] + L':';
    STORAGE_DEVICE_NUMBER wanted{};
    unsigned long error = 0;
    if (!deviceNumberAt(volume.c_str(), wanted, error))
        return error;
    // The disk of that number among the present disks, and the device that holds it: the reader (a USB device, an SD
    // host controller), whose slots are disks of their own.
    HDEVINFO disks = SetupDiGetClassDevsW(&diskInterface, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    if (disks == INVALID_HANDLE_VALUE)
        return GetLastError();
    error = ERROR_NOT_FOUND;
    for (DWORD index = 0; error == ERROR_NOT_FOUND; ++index) {
        SP_DEVICE_INTERFACE_DATA disk{};
        disk.cbSize = sizeof disk;
        if (!SetupDiEnumDeviceInterfaces(disks, nullptr, &diskInterface, index, &disk))
            break;
        DWORD needed = 0;
        SetupDiGetDeviceInterfaceDetailW(disks, &disk, nullptr, 0, &needed, nullptr);
        if (needed < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W))
            continue;
        std::vector<unsigned char> buffer(needed);
        auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(buffer.data());
        detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
        SP_DEVINFO_DATA device{};
        device.cbSize = sizeof device;
        if (!SetupDiGetDeviceInterfaceDetailW(disks, &disk, detail, needed, nullptr, &device))
            continue;
        STORAGE_DEVICE_NUMBER number{};
        unsigned long ignored = 0;
        if (!deviceNumberAt(detail->DevicePath, number, ignored) || number.DeviceType != wanted.DeviceType ||
            number.DeviceNumber != wanted.DeviceNumber)
            continue;
        DEVINST reader = 0;
        if (CM_Get_Parent(&reader, device.DevInst, 0) == CR_SUCCESS)
            location = locationOf(reader);
        error = location.empty() ? ERROR_NOT_FOUND : 0;
        break;
    }
    SetupDiDestroyDeviceInfoList(disks);
    return error;
}
