// Checks the Windows layer on a Windows system (Wine in practice): the drive-type test and the volume label call of
// drives/win/VolumesWindows.cpp, the device identity of drives/win/DeviceIdentityWindows.cpp, and the icon group and
// version record that resources/OrvaConfigurator.rc gives an executable (this program is linked with it).
// run_windows_check.sh prepares the drives listed below and runs
//
//   windows_check.exe label <icon.ico>   drive types, label calls, resources against the icon file
//   windows_check.exe labels-applied     the labels, read back after the volume manager has restarted
//
// Every check prints PASS or FAIL; the exit status is the number of failures.
#include "base/FilesWindows.h"
#include "drives/win/DeviceIdentityWindows.h"
#include "drives/win/VolumesWindows.h"
#include "orva_version.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {
int failures = 0;

void check(bool passed, const std::string& what, const std::string& detail = std::string())
{
    std::printf("%s %s%s%s\n", passed ? "PASS" : "FAIL", what.c_str(), detail.empty() ? "" : ": ", detail.c_str());
    if (!passed)
        ++failures;
}

std::string narrow(const std::wstring& text)
{
    std::string result;
    for (wchar_t c : text)
        result += c >= 0x20 && c < 0x7F ? static_cast<char>(c) : '?';
    return result;
}

std::string quoted(const std::wstring& text)
{
    return '"' + narrow(text) + '"';
}

std::string hex(unsigned long value)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%lx", value);
    return text;
}

// The drives as run_windows_check.sh maps them, each a root path in the form Qt's volume enumeration gives.
struct Drive
{
    const wchar_t* root;
    const char* kind;
    UINT type;
    const wchar_t* label;         // handed to setVolumeLabelOnRoot
    const wchar_t* expectedLabel; // read back afterwards; null where Windows refuses labels (or there is no drive)
};

const Drive drives[] = {
    {L"E:/", "removable", DRIVE_REMOVABLE, L"Orva Config", L"Orva Config"},
    {L"F:/", "fixed", DRIVE_FIXED, L"Orva Configurator", L"Orva Config"},
    {L"G:/", "network", DRIVE_REMOTE, L"Orva Config", nullptr},
    {L"H:/", "optical", DRIVE_CDROM, L"Orva Config", nullptr},
    {L"I:/", "RAM disk", DRIVE_RAMDISK, L"Orva Config", nullptr},
    {L"J:/", "removable with a long label", DRIVE_REMOVABLE, L"Orva Confi\xD83D\xDCBE", L"Orva Confi"},
    {L"Q:/", "unmapped", DRIVE_NO_ROOT_DIR, L"Orva Config", nullptr},
};

std::wstring backslashed(const wchar_t* root)
{
    std::wstring path(root);
    for (wchar_t& c : path)
        if (c == L'/')
            c = L'\\';
    return path;
}

// The label as Windows reports it, or "?" when the volume cannot be asked.
std::wstring volumeLabel(const wchar_t* root)
{
    wchar_t label[MAX_PATH + 1] = L"";
    if (!GetVolumeInformationW(backslashed(root).c_str(), label, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr, 0))
        return L"?";
    return label;
}

void checkDriveTypes()
{
    for (const Drive& drive : drives) {
        const std::string name = narrow(drive.root) + " (" + drive.kind + ")";
        const UINT type = GetDriveTypeW(drive.root);
        // Without this the other answers could be right for the wrong reason (a drive that is not there at all).
        check(type == drive.type, "drive " + name + " is set up", "type " + std::to_string(type));
        check(isRemovableDriveRoot(drive.root) == (drive.type == DRIVE_REMOVABLE), "removable test for " + name);
        check(isRemovableDriveRoot(backslashed(drive.root).c_str()) == (drive.type == DRIVE_REMOVABLE),
              "removable test for " + name + " with a backslash");
    }
    check(!isRemovableDriveRoot(nullptr), "removable test for no path");
}

void applyLabels()
{
    for (const Drive& drive : drives) {
        if (drive.expectedLabel) {
            const std::wstring before = volumeLabel(drive.root);
            check(before.empty(), "drive " + narrow(drive.root) + " starts without a label", quoted(before));
        }
        // Must come back whatever the drive; refusals are ignored.
        setVolumeLabelOnRoot(drive.root, drive.label);
        check(true, "label call on " + narrow(drive.root) + " (" + drive.kind + ") returned");
    }
    setVolumeLabelOnRoot(nullptr, L"Orva Config");
    setVolumeLabelOnRoot(L"E:/", nullptr);
    check(true, "label calls without a path or a label returned");
}

void checkLabelsApplied()
{
    for (const Drive& drive : drives) {
        if (!drive.expectedLabel)
            continue;
        const std::wstring label = volumeLabel(drive.root);
        check(label == drive.expectedLabel,
              "drive " + narrow(drive.root) + " is labelled " + quoted(drive.expectedLabel), quoted(label));
    }
}

// --- The device that holds a volume ---

// A STORAGE_DEVICE_DESCRIPTOR as a driver returns it: the 36-byte head, then the texts at the offsets it gives (0 for
// a text not given). sizeField is what the descriptor says of its own size (the whole of it when 0).
std::vector<unsigned char> descriptor(const char* vendor, const char* product, const char* serial, DWORD sizeField = 0)
{
    std::vector<unsigned char> bytes(36, 0);
    const auto place = [&bytes](const char* text, std::size_t offsetAt) {
        if (!text)
            return;
        const DWORD offset = DWORD(bytes.size());
        std::memcpy(&bytes[offsetAt], &offset, sizeof offset);
        bytes.insert(bytes.end(), text, text + std::strlen(text) + 1);
    };
    place(vendor, 12);
    place(product, 16);
    place(serial, 24);
    const DWORD size = sizeField ? sizeField : DWORD(bytes.size());
    std::memcpy(&bytes[4], &size, sizeof size);
    return bytes;
}

std::string described(const StorageIdentity& identity)
{
    return quoted(identity.vendor) + " " + quoted(identity.product) + " " + quoted(identity.serial);
}

void checkDeviceIdentity()
{
    StorageIdentity identity;
    std::vector<unsigned char> bytes = descriptor("Generic ", "STORAGE DEVICE  ", " 058F63666485");
    bool read = readStorageDescriptor(bytes.data(), bytes.size(), identity);
    check(read && identity.vendor == L"Generic" && identity.product == L"STORAGE DEVICE" &&
              identity.serial == L"058F63666485",
          "a descriptor's texts, trimmed", described(identity));
    // A driver's offsets are not trusted: none outside what it returned, nor past the size it gives.
    bytes = descriptor("Vendor", "Product", "SERIAL", 36 + 7);
    read = readStorageDescriptor(bytes.data(), bytes.size(), identity);
    check(read && identity.vendor == L"Vendor" && identity.product.empty() && identity.serial.empty(),
          "nothing past the descriptor's own size", described(identity));
    bytes.resize(36 + 7 + 3);
    const DWORD beyond = 4000;
    std::memcpy(&bytes[24], &beyond, sizeof beyond);
    bytes[36 + 7 + 2] = 'X';
    read = readStorageDescriptor(bytes.data(), bytes.size(), identity);
    check(read && identity.serial.empty(), "an offset outside the bytes", described(identity));
    check(!readStorageDescriptor(bytes.data(), 35, identity) && !readStorageDescriptor(nullptr, 64, identity),
          "fewer bytes than a descriptor's head");

    // Wine's volume manager answers for its drives, with empty texts: the volume opened without access, asked for the
    // descriptor's size, then for the whole of it.
    const unsigned long removable = queryStorageIdentity(L"E:/", identity);
    check(removable == 0, "the removable drive's storage driver answers",
          described(identity) + " error " + std::to_string(removable));
    check(queryStorageIdentity(L"Q:/", identity) != 0 && identity.vendor.empty(), "no device for an unmapped drive");
    check(queryStorageIdentity(nullptr, identity) == ERROR_INVALID_PARAMETER &&
              queryStorageIdentity(L"E", identity) == ERROR_INVALID_PARAMETER,
          "no device for no drive");
}

// --- The version record ---

std::wstring ownPath()
{
    wchar_t path[MAX_PATH + 1];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH + 1);
    return std::wstring(path, length);
}

// The children of one node of the version record: {key, value as text, child nodes}, walked from the raw block.
struct VersionNode
{
    std::wstring key;
    std::wstring text;
    std::vector<VersionNode> children;
};

std::size_t alignedToFour(std::size_t offset)
{
    return (offset + 3) & ~std::size_t(3);
}

// Reads the node at offset within block[0, end): wLength, wValueLength, wType, the key, the value, the children.
bool readNode(const std::vector<BYTE>& block, std::size_t offset, std::size_t end, VersionNode& node, std::size_t& next)
{
    if (offset + 6 > end)
        return false;
    WORD length, valueLength, type;
    std::memcpy(&length, &block[offset], 2);
    std::memcpy(&valueLength, &block[offset + 2], 2);
    std::memcpy(&type, &block[offset + 4], 2);
    if (length < 6 || offset + length > end)
        return false;
    const std::size_t nodeEnd = offset + length;
    std::size_t at = offset + 6;
    for (;;) {
        if (at + 2 > nodeEnd)
            return false;
        wchar_t c;
        std::memcpy(&c, &block[at], 2);
        at += 2;
        if (!c)
            break;
        node.key += c;
    }
    at = alignedToFour(at);
    // Text values count their length in characters (the terminator included), binary values in bytes.
    const std::size_t valueBytes = type == 1 ? valueLength * 2u : valueLength;
    if (at + valueBytes > nodeEnd)
        return false;
    if (type == 1) {
        for (std::size_t i = 0; i < valueLength; ++i) {
            wchar_t c;
            std::memcpy(&c, &block[at + 2 * i], 2);
            if (c)
                node.text += c;
        }
    }
    at = alignedToFour(at + valueBytes);
    while (at < nodeEnd) {
        VersionNode child;
        std::size_t after;
        if (!readNode(block, at, nodeEnd, child, after))
            return false;
        node.children.push_back(child);
        at = alignedToFour(after);
    }
    next = nodeEnd;
    return true;
}

std::wstring queryText(std::vector<BYTE>& block, const std::wstring& key, bool& found)
{
    void* value = nullptr;
    UINT length = 0;
    found = VerQueryValueW(block.data(), (L"\\StringFileInfo\\040904b0\\" + key).c_str(), &value, &length);
    if (!found || !value || !length)
        return std::wstring();
    const wchar_t* text = static_cast<const wchar_t*>(value);
    return std::wstring(text, wcsnlen(text, length));
}

void checkVersionRecord()
{
    const std::wstring path = ownPath();
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &handle);
    check(size > 0, "the executable has a version record");
    if (!size)
        return;
    std::vector<BYTE> block(size);
    check(GetFileVersionInfoW(path.c_str(), 0, size, block.data()), "the version record can be read");

    void* value = nullptr;
    UINT length = 0;
    const bool hasFixed = VerQueryValueW(block.data(), L"\\", &value, &length) && length >= sizeof(VS_FIXEDFILEINFO);
    check(hasFixed, "the version record has its fixed part");
    if (hasFixed) {
        VS_FIXEDFILEINFO fixed;
        std::memcpy(&fixed, value, sizeof fixed);
        const DWORD ms = MAKELONG(ORVA_VERSION_MINOR, ORVA_VERSION_MAJOR), ls = MAKELONG(0, ORVA_VERSION_PATCH);
        check(fixed.dwSignature == 0xFEEF04BD, "fixed part signature", hex(fixed.dwSignature));
        check(fixed.dwFileVersionMS == ms && fixed.dwFileVersionLS == ls, "file version " ORVA_VERSION ".0",
              hex(fixed.dwFileVersionMS) + " " + hex(fixed.dwFileVersionLS));
        check(fixed.dwProductVersionMS == ms && fixed.dwProductVersionLS == ls, "product version " ORVA_VERSION ".0",
              hex(fixed.dwProductVersionMS) + " " + hex(fixed.dwProductVersionLS));
        check(fixed.dwFileFlagsMask == 0x3F, "file flags mask 0x3f", hex(fixed.dwFileFlagsMask));
        check(fixed.dwFileFlags == 0, "file flags 0", hex(fixed.dwFileFlags));
        check(fixed.dwFileOS == VOS__WINDOWS32, "operating system VOS__WINDOWS32", hex(fixed.dwFileOS));
        check(fixed.dwFileType == VFT_APP, "file type VFT_APP", hex(fixed.dwFileType));
        check(fixed.dwFileSubtype == 0, "file subtype 0", hex(fixed.dwFileSubtype));
    }

    const bool hasTranslation =
        VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", &value, &length) && length >= 4;
    check(hasTranslation && length == 4, "one translation", std::to_string(length) + " bytes");
    if (hasTranslation) {
        WORD pair[2];
        std::memcpy(pair, value, sizeof pair);
        check(pair[0] == 0x0409 && pair[1] == 1200, "translation 0x0409, 1200",
              hex(pair[0]) + ", " + std::to_string(pair[1]));
    }

    const struct
    {
        const wchar_t* key;
        const wchar_t* text;
    } strings[] = {
        {L"CompanyName", L""},
        {L"FileDescription", L""},
        {L"FileVersion", L"" ORVA_VERSION ".0"},
        {L"LegalCopyright", L""},
        {L"OriginalFilename", L"OrvaConfigurator.exe"},
        {L"ProductName", L"OrvaConfigurator"},
        {L"ProductVersion", L"" ORVA_VERSION ".0"},
    };
    for (const auto& expected : strings) {
        bool found = false;
        const std::wstring text = queryText(block, expected.key, found);
        check(found && text == expected.text, narrow(expected.key) + " is " + quoted(expected.text),
              found ? quoted(text) : "missing");
    }

    // The record's tree, walked by hand: exactly one string table holding exactly those keys, in that order.
    VersionNode root;
    std::size_t end = 0;
    const bool parsed = readNode(block, 0, block.size(), root, end);
    check(parsed && root.key == L"VS_VERSION_INFO", "the version record is well formed");
    std::wstring layout;
    for (const VersionNode& child : root.children) {
        layout += child.key + L"{";
        for (const VersionNode& table : child.children) {
            layout += table.key + L"{";
            for (const VersionNode& entry : table.children)
                layout += entry.key + L";";
            layout += L"}";
        }
        layout += L"}";
    }
    const std::wstring expectedLayout =
        L"StringFileInfo{040904b0{CompanyName;FileDescription;FileVersion;LegalCopyright;OriginalFilename;"
        L"ProductName;ProductVersion;}}VarFileInfo{Translation{}}";
    check(layout == expectedLayout, "one string table 040904b0 and one translation list", narrow(layout));
}

// --- The icon group ---

#pragma pack(push, 2)
struct GroupIconDirectory
{
    WORD reserved;
    WORD type;
    WORD count;
};

struct GroupIconEntry
{
    BYTE width;
    BYTE height;
    BYTE colourCount;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytesInResource;
    WORD id;
};
#pragma pack(pop)

std::vector<BYTE> resourceBytes(const wchar_t* type, const wchar_t* name, WORD language)
{
    HRSRC found = FindResourceExW(nullptr, type, name, language);
    if (!found)
        return std::vector<BYTE>();
    HGLOBAL loaded = LoadResource(nullptr, found);
    const BYTE* data = static_cast<const BYTE*>(LockResource(loaded));
    if (!data)
        return std::vector<BYTE>();
    return std::vector<BYTE>(data, data + SizeofResource(nullptr, found));
}

std::vector<BYTE> fileBytes(const wchar_t* path)
{
    std::vector<BYTE> bytes;
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    BYTE buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read)
        bytes.insert(bytes.end(), buffer, buffer + read);
    CloseHandle(file);
    return bytes;
}

BOOL CALLBACK firstName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR result)
{
    *reinterpret_cast<std::wstring*>(result) = IS_INTRESOURCE(name) ? L"#" + std::to_wstring(LOWORD(name)) : name;
    return FALSE; // the first one is enough
}

void checkIcon(const wchar_t* iconFile)
{
    const WORD usEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
    std::wstring first;
    EnumResourceNamesW(nullptr, RT_GROUP_ICON, firstName, reinterpret_cast<LONG_PTR>(&first));
    check(first == L"IDI_ICON1", "the first icon group is IDI_ICON1", quoted(first));

    const std::vector<BYTE> group = resourceBytes(RT_GROUP_ICON, L"IDI_ICON1", usEnglish);
    const bool complete = group.size() == sizeof(GroupIconDirectory) + sizeof(GroupIconEntry);
    check(complete, "icon group IDI_ICON1 (US English) holds one entry", std::to_string(group.size()) + " bytes");
    if (!complete)
        return;
    GroupIconDirectory directory;
    GroupIconEntry entry;
    std::memcpy(&directory, group.data(), sizeof directory);
    std::memcpy(&entry, group.data() + sizeof directory, sizeof entry);
    check(directory.reserved == 0 && directory.type == 1 && directory.count == 1, "icon group header");
    check(entry.width == 48 && entry.height == 48, "icon 48 x 48",
          std::to_string(entry.width) + " x " + std::to_string(entry.height));
    check(entry.bitCount == 32 && entry.planes == 1, "icon 32 bits per pixel", std::to_string(entry.bitCount));
    check(entry.bytesInResource == 9640, "icon image of 9640 bytes", std::to_string(entry.bytesInResource));

    const std::vector<BYTE> image = resourceBytes(RT_ICON, MAKEINTRESOURCEW(entry.id), usEnglish);
    check(entry.id == 1 && image.size() == 9640, "the entry refers to icon image 1",
          "image " + std::to_string(entry.id) + " of " + std::to_string(image.size()) + " bytes");

    // The image is the bundle's icon.ico behind its 6-byte header and 16-byte directory entry.
    const std::vector<BYTE> ico = fileBytes(iconFile);
    check(ico.size() == 22 + image.size() && std::equal(image.begin(), image.end(), ico.begin() + 22),
          "the icon image is the one in " + narrow(iconFile), std::to_string(ico.size()) + " bytes in the file");
    HICON icon = CreateIconFromResourceEx(const_cast<BYTE*>(image.data()), static_cast<DWORD>(image.size()), TRUE,
                                          0x00030000, 48, 48, LR_DEFAULTCOLOR);
    check(icon != nullptr, "Windows makes an icon of the image");
    if (icon)
        DestroyIcon(icon);

    check(!resourceBytes(RT_VERSION, MAKEINTRESOURCEW(VS_VERSION_INFO), usEnglish).empty(),
          "the version record is US English");
}

// --- A card's files through its volume's name ---

// The steps of a card write, each taken through "\\?\Volume{GUID}\" rather than the drive letter: the same files.
void checkVolumeFiles()
{
    std::wstring volume;
    const unsigned long error = volumeNamePath(L"E:\\", volume);
    check(error == 0 && volume.rfind(L"\\\\?\\Volume{", 0) == 0 && volume.back() == L'\\',
          "E: is named through its volume", quoted(volume) + " error " + hex(error));
    CreateDirectoryW(L"E:\\plain", nullptr);
    std::wstring none;
    check(volumeNamePath(L"E:\\plain\\", none) != 0, "a plain folder is no volume's mount point", quoted(none));
    if (error != 0)
        return;
    // Wine names the volumes of its drives but reaches no file through those names (a Windows system does): the
    // steps below are then left to a Windows system.
    const FileEntryWindows root = entryAtPath(volume.c_str());
    if (!root.exists || !root.isFolder) {
        std::printf("SKIP the card's files through the volume's name: this system reaches no file through it (%s)\n",
                    hex(root.error).c_str());
        return;
    }
    const std::wstring folder = volume + L"02";
    check(createFolder(folder.c_str()) == 0, "a folder is made through the volume's name");
    const std::wstring fresh = folder + L"\\GP0_0000.VSK.orva-0000000";
    const std::wstring target = folder + L"\\GP0_0000.VSK";
    unsigned long failure = 0;
    bool taken = false;
    void* file = createNewFile(fresh.c_str(), failure, taken);
    check(file != nullptr, "a new file is created through the volume's name", hex(failure));
    DWORD written = 0;
    check(file && WriteFile(file, "card", 4, &written, nullptr) && written == 4, "the new file takes its bytes");
    closeHandle(file);
    check(!createNewFile(fresh.c_str(), failure, taken) && taken, "a taken name is not created again", hex(failure));
    check(replaceFileWriteThrough(fresh.c_str(), target.c_str()) == 0, "the new file takes the target's name");
    const std::vector<std::wstring> names = folderNames(folder.c_str());
    check(names == std::vector<std::wstring>{L"GP0_0000.VSK"}, "the folder lists the target alone");
    const FileEntryWindows byLetter = entryAtPath(L"E:\\02\\GP0_0000.VSK");
    check(byLetter.exists && !byLetter.isFolder && !byLetter.isLink && byLetter.size == 4,
          "the drive letter shows the same file");
    bool isLink = false;
    void* reading = openFileForReading(target.c_str(), failure, isLink);
    char back[8] = {};
    DWORD read = 0;
    check(reading && ReadFile(reading, back, sizeof back, &read, nullptr) && read == 4 &&
              std::memcmp(back, "card", 4) == 0,
          "the file reads back through the volume's name");
    closeHandle(reading);
    check(removeFile(target.c_str()) && RemoveDirectoryW(folder.c_str()), "the file and its folder are removed");
    RemoveDirectoryW(L"E:\\plain");
}
} // namespace

int wmain(int argc, wchar_t** argv)
{
    const std::wstring phase = argc > 1 ? argv[1] : L"";
    if (phase == L"label" && argc == 3) {
        checkDriveTypes();
        checkDeviceIdentity();
        applyLabels();
        checkVolumeFiles();
        checkVersionRecord();
        checkIcon(argv[2]);
    } else if (phase == L"labels-applied" && argc == 2) {
        checkLabelsApplied();
    } else {
        std::printf("usage: windows_check.exe label <icon.ico> | labels-applied\n");
        return 2;
    }
    std::printf("%d failure(s)\n", failures);
    return failures;
}
