#pragma once

#include "base/DetachedTask.h"
#include "drives/DrivePlatform.h"
#include "form/FormValues.h"
#include "generation/GenerateProcedure.h"
#include "generation/GenerateTexts.h"

#include <QString>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

struct CardContents;
struct RunCard;
class QWidget;

// The window as the front end of "Generate": it asks before a handed-off identifier is replaced, waits for the card
// while the window keeps painting and shows that it is busy, lets the written card go, and tells the outcome in its
// boxes (every one through MessageBox). The loads and the presets wait for their files in the same way.
class GenerateFrontEnd
{
public:
    // window: the boxes' parent; area: what takes no input while the window waits. The drive platform is shared with a
    // card write that outlives its wait: a card that stopped answering may hold it long after.
    GenerateFrontEnd(QWidget* window, QWidget* area, std::shared_ptr<DrivePlatform> drives);

    // Checks the form and writes the file onto the card listed (none: no card was chosen).
    GenerateProcedure::Result run(const FormValues& values, const std::optional<MountedVolume>& listed);
    // Lets the written card go; the platform bounds the eject itself.
    EjectOutcome letCardGo(const QString& rootPath);

    // The success box, letGo added to its text. "OK" ends the program, as always; the second answer keeps the window
    // for the next card (true). offerPortal: an answer opens the customer portal and shows the box again. A card with
    // a new GSM or LAN identifier shows it grouped and as a QR code, and offers its label ("Labels…", the box again).
    bool tellGenerated(const GenerateTexts::Message& generated, const QString& letGo, const RunCard& card,
                       bool offerPortal);
    void warn(const GenerateTexts::Message& message);

    // The window waits for the card: neither a second "Generate" nor closing the window can start meanwhile.
    bool isWaiting() const { return waiting; }
    // Runs work on a task of its own while the window waits; nothing when it was silent for longer than limit.
    template <typename T>
    std::optional<T> whileBusy(std::function<T()> work, std::chrono::milliseconds limit = TimeLimits::cardSilence)
    {
        std::optional<T> outcome;
        waitForCard([&](const DetachedWork::Pump& keepPainting) {
            DetachedTask<T> task([work = std::move(work)](const DetachedWork::Liveness&) { return work(); });
            outcome = task.waitWhile(limit, keepPainting);
        });
        return outcome;
    }
    // The same for work without an outcome: false when it was silent for longer than the card's silence limit.
    bool ranWhileBusy(const std::function<void()>& work);

private:
    bool replacementAccepted(const CardContents& held);
    void waitForCard(const std::function<void(const DetachedWork::Pump& keepPainting)>& wait);

    QWidget* window;
    QWidget* area;
    std::shared_ptr<DrivePlatform> drives;
    bool waiting = false;
};
