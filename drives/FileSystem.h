#pragma once

#include <QString>

#include <ctime>

class QFile;

// The few file-system calls that Qt does not offer as the card needs them. One implementation per platform.
// Functions that can fail return the system's reason, or a null string when they succeeded.
namespace FileSystem {
// Flushes the file's data to the medium and reports the medium's answer (Qt's own flush stops at the system's cache).
QString flushToMedium(QFile& file);

// Flushes the folder itself, so that a file just moved into it stays there after a power cut or an unplugged card.
QString flushFolder(const QString& path);

// Puts the file at from in the place of whatever entry is called to, in one step: a file of that name is replaced,
// and so is a symbolic link, which is never followed.
QString replaceEntry(const QString& from, const QString& to);

// Opens the file for reading as the medium holds it: a symbolic link is refused, and the system's cached copy of the
// file's data is dropped first where the platform allows it.
QString openFromMedium(QFile& file, const QString& path);

// True when path is a real folder (not a symbolic link or another kind of entry) on the same volume as rootPath.
bool isFolderOnVolume(const QString& path, const QString& rootPath);

// The local wall-clock time now, read once.
std::tm localTimeNow();
} // namespace FileSystem
