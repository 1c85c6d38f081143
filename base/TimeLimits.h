#pragma once

#include <chrono>

// How long the program waits for what is outside it: a card, the disk service, the system bus. Every front end
// waits by these, so that none of them can hang on a card or a bus that stopped answering.
namespace TimeLimits {
using std::chrono::milliseconds;

// How often a waiting caller looks at the work it waits for (and, in the window, keeps painting).
constexpr milliseconds watchInterval{20};
// How long a card may stay silent before it is taken for one that does not respond.
constexpr milliseconds cardSilence{10000};
// How long labelling the card may take in all; a disk service that does not answer in time leaves it unlabelled.
constexpr milliseconds label{15000};
// How long letting a card go (unmounting it, powering it off) may take in all.
constexpr milliseconds eject{15000};
// How long the system bus may take to accept the connection before it is taken for one that does not answer.
constexpr milliseconds busConnect{5000};
// How long one call to the disk service may take.
constexpr milliseconds busCall{5000};
// How long the system's keychain may take to answer before it is taken for one that does not answer (a daemon that
// stopped): the form's secrets then stay in the settings store.
constexpr milliseconds keychain{5000};
// What the disk service's last call may take to return after its deadline.
constexpr milliseconds diskServiceMargin{500};
} // namespace TimeLimits
