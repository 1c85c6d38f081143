#pragma once

// Free of Qt: the Windows volume calls, which a cross compiler checks, cut labels to this length too.
namespace VolumeLabel {
// FAT labels hold 11 characters; NTFS would take more, but a card is labelled the same on every file system.
constexpr int maximumLength = 11;
} // namespace VolumeLabel
