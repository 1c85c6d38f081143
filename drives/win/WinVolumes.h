#pragma once

// The two Windows volume calls the drive list needs, behind a plain wide-character interface so that this code
// compiles without Qt and can be checked with a cross compiler. Paths and labels are null-terminated UTF-16.

// Whether Windows reports the volume at rootPath ("E:/" or "E:\") as a removable drive. False for a null path.
bool isRemovableDriveRoot(const wchar_t* rootPath);

// Gives the volume at rootPath the label, cut to 11 characters. Failures are ignored; null arguments do nothing.
void setVolumeLabelOnRoot(const wchar_t* rootPath, const wchar_t* label);
