#pragma once

#include "form/FormValues.h"

#include <QString>

#include <optional>

// What is wrong with a form before anything touches the card, naming the field.
struct FormProblem
{
    enum class Kind
    {
        PinCode,             // a PIN that is not 4 to 6 digits
        UserKey,             // "SMS" without the reset option and a key that is not 6 letters or digits
        PhoneNumber,         // a number that is not complete
        UnreadableCharacter, // ';', a control character or one outside Latin-1
        TooLong,             // longer than the field takes
    };
    Kind kind;
    FormField::Id field;
    QString character;  // the unreadable character, for UnreadableCharacter
    int length = 0;     // the text's length, for TooLong
    bool local = false; // for PhoneNumber: a number in a country's local form, without the country code
};

// True when the whole text matches the field's pattern (fields without a pattern take any text).
bool isCompleteText(FormField::Id field, const QString& text);

// True when the text is longer than the field takes.
bool isTooLong(FormField::Id field, const QString& text);

// The first problem of the form, in the order the user is told: PIN, user key, phone numbers, then the length and the
// characters of every shown field. Only the fields the mode shows are looked at.
std::optional<FormProblem> checkForm(const FormValues& values);

// What the field's text may hold in no mode, whatever the field's own rule: more than the field takes, a character that
// the module cannot read; nothing for a hidden field.
std::optional<FormProblem> checkText(const FormValues& values, FormField::Id field);

// The problem checkForm finds with that one field, whatever the other fields hold; nothing for a hidden field.
std::optional<FormProblem> checkField(const FormValues& values, FormField::Id field);
