#pragma once

// The Windows volume calls the drive list and the card need, behind a plain wide-character interface so that this code
// compiles without Qt and can be checked with a cross compiler. Paths and labels are null-terminated UTF-16.

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
