#pragma once

#include <string>

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

// Closes a handle that one of the calls above returned; nullptr does nothing.
void closeHandle(void* handle);

// The system's text for an error code.
std::wstring systemMessage(unsigned long error);
