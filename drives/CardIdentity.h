#pragma once

#include "drives/DrivePlatform.h"

#include <QString>

// How a card is named to people: by its label and by the device that holds it, so that cards that share a label
// (every prepared card is "Orva Config") are told apart in the drive list, in a run's list and in messages.
namespace CardIdentity {
// The capacity as a card's package counts it, in powers of 1000 and in the locale's form: "7.9 GB". Empty for 0.
QString capacityText(quint64 bytes);

// The device that holds the card: the reader's vendor and model and the serial number it reports; for a device
// without a maker (a loop device), the system's name for it and its image file. Empty when nothing is known.
// Control characters escaped.
QString deviceText(const MountedVolume& card);

// The text with the card's capacity and device after it in parentheses, "Orva Config (7.9 GB, Generic STORAGE
// DEVICE, serial 058F63666485)"; only the parentheses when text is empty, and text alone when nothing is known.
// text is taken as it is (escaped by the caller).
QString withDetails(const QString& text, const MountedVolume& card);

// Whether rootPath is a Windows drive, "E:/".
bool isDriveLetterRoot(const QString& rootPath);

// The card as a list of cards or a message names it: its label followed by its capacity and device as withDetails
// gives them; a drive letter comes first ("E:/ Orva Config (7.9 GB, ...)"), and a card without a label on a mount
// path is known by its path. Control characters escaped.
QString shownName(const MountedVolume& card);
} // namespace CardIdentity
