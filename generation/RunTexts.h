#pragma once

#include "generation/RunCard.h"

#include <QString>

// What the run's list, the notifications and vskwrite say of a card that ended, translated in the context
// "Configurator".
namespace RunTexts {
// The result column of the run's list and the line of vskwrite: "may be removed", "kept: GSM ...", "read only", ...
QString result(const RunCard& card);
// A word for scripts: prepared, kept, already-prepared, other-files, read-only, full, silent, in-use, failed.
QString resultCode(RunCard::Result result);
// The notification for a card that ended: its title and text, saying whether it may be removed.
QString notificationTitle(const RunCard& card);
QString notificationText(const RunCard& card);
} // namespace RunTexts
