#pragma once

#include "base/DetachedTask.h"
#include "drives/DrivePlatform.h"
#include "drives/VolumeLabel.h"
#include "form/FormValues.h"
#include "base/DurableFile.h"

#include <QString>
#include <QUuid>

#include <functional>
#include <memory>
#include <optional>

// The label every card is given.
constexpr char cardVolumeLabel[] = "Orva Config";
static_assert(sizeof(cardVolumeLabel) - 1 <= VolumeLabel::maximumLength, "the label fits a FAT volume");

// Why the card's folder "02" cannot take the file.
struct CardFolderProblem
{
    enum class Kind
    {
        IsFile,         // a file is called "02"
        IsLink,         // a link is called "02"
        IsOther,        // a FIFO, a device, a socket is called "02"
        OnAnotherDrive, // "02" is where another file system is mounted
        Unusable,       // it cannot be read or created; reason says why
    };
    Kind kind = Kind::Unusable;
    QString reason; // the system's reason, for Unusable
};

// What became of the card when the parameter file was written onto it.
struct CardOutcome
{
    enum class Result
    {
        Written,      // the file is on the card, read back equal
        CardNotFound, // the card is no longer where it was listed, or its folder "02" cannot be used
        ReadOnly,     // the card is write-protected
        Full,         // the card has no room for a file of the largest size beside the one it holds
        Removed,      // the card went away while its file was written; nothing was written in its place
        NotWritten,   // the file could not be written; an earlier file of the same name is as it was
        Unconfirmed,  // the new file replaced the earlier one but could not be confirmed on the card
    };
    Result result = Result::CardNotFound;
    QString rootPath; // where the card is mounted after labelling (labelling may mount it elsewhere)
    QString folder;   // the card folder "02"
    QString fileName; // the parameter file's name in it
    QUuid identifier; // the installation identifier written into the file (Written and Unconfirmed)
    QString reason;   // the system's reason (NotWritten and Unconfirmed)
    // NotWritten because the file on the card (or its absence) was no longer what was read before the write: something
    // else changed the card meanwhile, and its file was left as it was.
    bool cardChanged = false;
    std::optional<CardFolderProblem> folderProblem; // CardNotFound because of the folder "02" itself

    // The card may carry the new file, and with it the identifier.
    bool cardHoldsNewFile() const { return result == Result::Written || result == Result::Unconfirmed; }
};

// The steps of a card write. Each is told to the caller's progress function as it begins (a step may be told again
// as it goes on, each time the card has answered); the function's false stops the write there, and the card keeps its
// earlier file.
enum class CardStep
{
    Checking,  // is the listed volume still mounted, writable, with room
    Folder,    // the folder "02": looked at before the label, entered or made after it
    Labelling, // the label, within TimeLimits::label
    Writing,   // the file: written, flushed, moved into place, read back
};
using CardProgress = std::function<bool(CardStep step)>;

// Labels the card and writes the parameter file for the form into its folder "02". Nothing is changed on a card that
// is refused: it is confirmed to be still mounted, writable, with room, and its folder "02" usable (a real folder on
// the card, never a link, or none yet) before it is labelled "Orva Config". Then its root folder is opened once, where
// the label left it, and proven to be the mounted volume's (DrivePlatform::holdsRoot); "02" is entered or made, and
// the file written durably, in that open folder, and the card is proven still mounted right before the file goes live:
// a card taken out meanwhile makes the write Removed, and nothing lands on the computer's own disk. The identifier is
// drawn and the file encoded from the form as it is: check it first. With expected (what was read at the file's name
// before), the file replaces only what was read (see writeDurably).
CardOutcome writeParameterFileToCard(const FormValues& values, const MountedVolume& listed, DrivePlatform& drives,
                                     const CardProgress& progress = {},
                                     const std::optional<StandingEntry>& expected = std::nullopt);

// Writes as writeParameterFileToCard does, on a thread of its own, while the calling thread waits: with a pump, it
// keeps doing its own work in between (a window keeps painting); without one it sleeps. A slow card is waited for as
// long as it answers; nothing is returned when it did not answer for silenceLimit (the label step, which bounds its
// own waits, may take its time limit on top). The write is then stopped at its next step should the card answer
// again, and its thread ends by itself (see DetachedWork). heldWhileWriting (the card's lock) is kept until the write's
// thread has ended, also when it was given up.
std::optional<CardOutcome> writeParameterFileWatched(const FormValues& values, const MountedVolume& listed,
                                                     std::shared_ptr<DrivePlatform> drives,
                                                     const DetachedWork::Pump& pump = {},
                                                     std::chrono::milliseconds silenceLimit = TimeLimits::cardSilence,
                                                     const std::optional<StandingEntry>& expected = std::nullopt,
                                                     std::shared_ptr<const void> heldWhileWriting = {});
