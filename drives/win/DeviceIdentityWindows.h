#pragma once

#include <cstddef>
#include <string>

// The device that holds a Windows volume, as its storage driver describes it, behind a plain wide-character interface
// like VolumesWindows.h, so that it compiles without Qt and can be checked under Wine.

struct StorageIdentity
{
    std::wstring vendor;  // "Generic"
    std::wstring product; // "STORAGE DEVICE"
    std::wstring serial;  // the serial number the device reports; empty when it reports none
};

// Reads a STORAGE_DEVICE_DESCRIPTOR of size bytes as IOCTL_STORAGE_QUERY_PROPERTY returns it: the vendor, product and
// serial texts at the offsets it gives, each cut at its terminator or at the end of the bytes, trimmed of the spaces
// that drivers pad them with. An offset of 0 or one outside the bytes gives an empty text. False when the bytes are
// too short to be a descriptor.
bool readStorageDescriptor(const unsigned char* bytes, std::size_t size, StorageIdentity& identity);

// Asks the storage driver of the volume at rootPath ("E:/") for its device descriptor, without asking for access to
// the volume's data. Returns 0, or the system's error code.
unsigned long queryStorageIdentity(const wchar_t* rootPath, StorageIdentity& identity);

// Asks where the reader that holds the volume at rootPath ("E:/") sits: the location path of the device that holds the
// volume's disk ("PCIROOT(0)#PCI(1400)#USBROOT(0)#USB(2)": the USB port of a card reader, the same for each of its
// slots), or that device's instance path where it has no location path. Works for a reader's empty slot too. Returns 0,
// or the system's error code.
unsigned long queryReaderLocation(const wchar_t* rootPath, std::wstring& location);
