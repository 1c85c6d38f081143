#pragma once

#include <string>

// The Windows volume and file calls the drive list and the card need, behind a plain wide-character interface so that
// this code compiles without Qt and can be checked with a cross compiler. Paths and labels are null-terminated UTF-16.

// Whether Windows reports the volume at rootPath ("E:/" or "E:\") as a removable drive. False for a null path.
bool isRemovableDriveRoot(const wchar_t* rootPath);

// Gives the volume at rootPath the label, cut to VolumeLabel::maximumLength characters. Failures are ignored; null
// arguments do nothing.
void setVolumeLabelOnRoot(const wchar_t* rootPath, const wchar_t* label);

// Whether the drive at rootPath holds a volume now (a card reader without a card answers no).
bool hasVolume(const wchar_t* rootPath);

// Lets the card at rootPath ("E:/") go as "Safely Remove" does: locks the volume (no file of it may be open),
// dismounts it, allows its medium to be removed and ejects it. Returns 0 once the volume is dismounted (a reader that
// cannot eject its medium still lets the card be taken out then), or the system's error code.
unsigned long ejectVolume(const wchar_t* rootPath);

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

// The system's text for an error code.
std::wstring systemMessage(unsigned long error);
