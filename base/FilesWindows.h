#pragma once

#include <string>
#include <vector>

// The Windows file calls the card's files need, behind a plain wide-character interface so that this code compiles
// without Qt and can be checked with a cross compiler. Paths are null-terminated UTF-16.

// Flushes an open file's data to the medium; returns 0 or the system's error code.
unsigned long flushFileHandle(void* handle);

// Moves the file from over the entry to, replacing it, and returns once the move is on the medium; returns 0 or the
// system's error code.
unsigned long replaceFileWriteThrough(const wchar_t* from, const wchar_t* to);

// Whether the entry at path is a link (a reparse point); false when it does not exist.
bool isReparsePoint(const wchar_t* path);

// Whether path is a folder that is not a link to somewhere else.
bool isPlainFolder(const wchar_t* path);

// Makes the folder at path; returns 0 or the system's error code.
unsigned long createFolder(const wchar_t* path);

// Whether an open handle is a file on a disk (not a pipe, a console or another device).
bool isDiskFileHandle(void* handle);

// The serial number of the volume that holds the folder at path and the folder's file index on it: together they tell
// the folder from every other of the machine, however its path is spelt. Returns 0 or the system's error code.
unsigned long folderIdentity(const wchar_t* path, unsigned long& volumeSerial, unsigned long long& fileIndex);

// Takes the machine-wide lock of that name: a named kernel object that exists while its holder keeps its handle, and
// that the system removes with the last handle, when the process ends however it ends. Returns the handle, or nullptr:
// with elsewhere set when another holder (of any user) has the lock, else with the system's error code in error.
void* takeMachineLock(const wchar_t* name, bool& elsewhere, unsigned long& error);

// A second handle on the file at path, which a writer has open and keeps while it writes it and moves it onto its
// target: as long as it is open removeFileUnlessOpen leaves the file alone, and the writer's own move still works.
// nullptr when it could not be opened.
void* claimFile(const wchar_t* path);

// Removes the file at path (never through a link) unless a handle on it is open anywhere: true when removed.
bool removeFileUnlessOpen(const wchar_t* path);

// The path of the volume mounted at rootPath (a drive's root "E:\\" or a mount folder, with its trailing backslash)
// through the volume's name: "\\?\\Volume{GUID}\\", which names that volume alone and nothing once it is gone.
// Returns 0 or the system's error code.
unsigned long volumeNamePath(const wchar_t* rootPath, std::wstring& volumePath);

// What stands at path, looked at without following a link.
struct FileEntryWindows
{
    bool exists = false;
    bool isLink = false;   // a reparse point: a symbolic link, a junction, a mounted folder
    bool isFolder = false; // a folder, or a link to one
    bool isDevice = false;
    unsigned long attributes = 0;
    unsigned long long size = 0;
    unsigned long long written = 0; // the last write time, as the system keeps it
    unsigned long long created = 0;
    unsigned long error = 0; // the system's error code when it could not be looked at (not for a missing entry)
};
FileEntryWindows entryAtPath(const wchar_t* path);

// Creates the file at path anew (never over an existing entry, never through a link) for writing; returns its handle,
// or nullptr with the system's error code in error and nameTaken set when an entry of that name stands there.
void* createNewFile(const wchar_t* path, unsigned long& error, bool& nameTaken);

// Opens the file at path for reading, never through a link (isLink is then set); returns its handle, or nullptr with
// the system's error code in error.
void* openFileForReading(const wchar_t* path, unsigned long& error, bool& isLink);

// The names of the entries in the folder at path (not "." and "..").
std::vector<std::wstring> folderNames(const wchar_t* path);

// Removes the file at path; false when it could not.
bool removeFile(const wchar_t* path);

// Closes a handle that one of the calls above returned; nullptr does nothing.
void closeHandle(void* handle);

// The system's text for an error code.
std::wstring systemMessage(unsigned long error);
