#pragma once

#include "base/DetachedTask.h"
#include "drives/DrivePlatform.h"
#include "form/FormCheck.h"
#include "form/FormValues.h"
#include "generation/CardContents.h"
#include "generation/CardWriter.h"
#include "generation/GenerateTexts.h"
#include "generation/IdentifierFile.h"

#include <QString>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

// "Generate" from the form to the card and what follows the write, once for every front end: the window shows the
// result in its boxes, vskwrite prints it and picks its exit status from it.
namespace GenerateProcedure {
// What only the front end can decide.
struct FrontEnd
{
    // Asked when the card's file carries an identifier that was handed off to the user (the portal knows it), or may
    // carry one (it cannot be read, its mode is not known): true replaces the file. Nobody asked keeps it. The card
    // stays locked against other writers while the front end asks.
    std::function<bool(const CardContents& held)> replaceHandedOff;
    // Runs wait while the front end waits for the card, handing it what keeps the front end going between its looks
    // at the card (a window keeps painting). Nobody given: wait runs without a pump, the thread sleeps.
    std::function<void(const std::function<void(const DetachedWork::Pump& pump)>& wait)> whileWaiting;
    // How long the card may stay silent while it is read or written before it is given up.
    std::chrono::milliseconds silenceLimit = TimeLimits::cardSilence;
    // The front end lets the card go once its file is written (the window's eject option): the identifier's file must
    // then stay on the computer, never go onto the card.
    bool letsCardGo = false;
    // The identifier's own file "ORVA Serial Number.txt" is saved for a card that may carry a handed-off identifier.
    // A series, whose cards end in any order, saves it itself as each card ends (CardRun), so that it holds the last
    // card's identifier.
    bool savesIdentifierFile = true;
    // Called right before the write: from then on the card's new file may go live at any moment (vskwrite keeps a
    // second Ctrl+C from ending it before the identifier is told).
    std::function<void()> beforeWrite;
    // The row of the values per card that the form holds (0: none) and its site, which the record notes.
    int valuesRow = 0;
    QString site;
};

struct Result
{
    enum class Ending
    {
        FormRefused,   // the form breaks a rule (formProblem); nothing was touched
        NoCard,        // no card was chosen
        CardInUse,     // another writer (a window, vskwrite) holds the card; nothing touched
        NotLocked,     // the card could not be locked against other writers; nothing touched
        NotResponding, // the card stopped answering while it was read or written
        Kept,          // the card's file carries a handed-off identifier, and the front end kept it
        Refused,       // the card did not take the file (card.result says how; Unconfirmed may carry it)
        Written,       // the file is on the card, read back equal
    };
    Ending ending = Ending::NoCard;
    // What to tell the user: the form's problem, the refusal, the question that kept the file, or the success.
    GenerateTexts::Message message;
    std::optional<FormProblem> formProblem; // FormRefused
    std::optional<CardContents> held;       // Kept: what the card holds
    // What became of the card (Refused, Written): where it is mounted now, the identifier written into the file.
    CardOutcome card;
    // Where the identifier's file went, when the mode hands the identifier off and the card may carry it.
    IdentifierFile::Saved identifierFile;
    bool openIdentifierFile = false; // show the identifier's file in the text editor
    bool openPortal = false;         // open the customer portal, where the identifier is registered
    // For scripts, on standard output: the identifier's digits whenever the card may carry the new file.
    QString standardOutput;
    // What the user should be told (on standard error) when the record of prepared cards missed the card.
    std::optional<QString> unrecorded;

    bool written() const { return ending == Ending::Written; }
};

// Puts the phone numbers into their accepted form, checks the form, locks the card against every other writer of the
// machine (refusing it when another holds it), reads what the card holds (asking before a handed-off identifier is
// replaced), writes the file onto the card watched (replacing only what was read; a card silent for longer than the
// front end's limit is given up), records the card, and, for a mode that hands the identifier off and a card that may
// carry it, saves the identifier's file.
Result run(const FormValues& values, const std::optional<MountedVolume>& card, std::shared_ptr<DrivePlatform> drives,
           const FrontEnd& frontEnd = {});
} // namespace GenerateProcedure
