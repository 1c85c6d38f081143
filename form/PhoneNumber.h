#pragma once

#include "form/FormValues.h"

#include <QString>

#include <optional>

// The forms in which the module reads a phone number, and a number typed with other spacing put into one of them.
// Only spaces move: a digit is never added, dropped or reordered.
namespace PhoneNumber {
// The two phone number fields.
bool isPhoneField(FormField::Id field);

// The text in an accepted form with the same digits: the text itself when it is in one already; "+41 79 123 45 67"
// or "0041 79 123 45 67" for 11 digits after "+" or "00"; the digits without spaces for the 14-digit form. Nothing
// when no accepted form has these digits.
std::optional<QString> accepted(FormField::Id field, const QString& text);

// True when more digits, with spaces anywhere after the first character, could still make text a number in an
// accepted form (the empty text too).
bool canBecomeAccepted(FormField::Id field, const QString& text);

// True when text is in an accepted form that more digits would turn into another accepted form ("+41791234567" can
// still grow into "+" and 14 digits): while typing, such a number is left as it stands.
bool canGrow(FormField::Id field, const QString& text);

// True when text is a number in the local form of a country ("079 765 43 21"): a single leading 0, then digits and
// spaces only. The module dials it from abroad, so it needs the country code.
bool isLocalNumber(const QString& text);

// The form with both phone numbers put into an accepted form where their digits make one, as "Generate" writes them
// and the form is remembered, whichever front end gave them.
FormValues inAcceptedForm(FormValues values);
} // namespace PhoneNumber
