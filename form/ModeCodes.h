#pragma once

#include "form/FormFields.h"

#include <QtGlobal>

#include <array>

// The module's operating modes. Each code is a single bit; the parameter file carries it as one byte.
namespace ModeCode {
constexpr quint8 KervSlow = 4; // serial line at 38400 bps, the default
constexpr quint8 Gsm = 8;
constexpr quint8 Lan = 16;
constexpr quint8 Sms = 32;
constexpr quint8 KervFast = 64; // serial line at 115200 bps
constexpr quint8 Default = KervSlow;

struct Entry
{
    quint8 code;
    const char* text;           // untranslated list text
    const char* commandName;    // vskwrite's --mode
    FormField::Set shownFields; // the text fields the mode needs; the others are hidden and not written
    bool showsReset;            // the reset option
};

using FormField::bit;
// The mode list in the order the window shows it (not code order), with what each mode shows.
constexpr std::array<Entry, 5> entries{{
    {KervSlow, QT_TRANSLATE_NOOP("Configurator", "Kerv (38400 bps)"), "kerv38400", 0, false},
    {KervFast, QT_TRANSLATE_NOOP("Configurator", "Kerv (115200 bps)"), "kerv115200", 0, false},
    {Gsm, QT_TRANSLATE_NOOP("Configurator", "GSM"), "gsm",
     bit(FormField::AccessPointName) | bit(FormField::Username) | bit(FormField::Password) | bit(FormField::PinCode),
     false},
    {Lan, QT_TRANSLATE_NOOP("Configurator", "LAN"), "lan", 0, false},
    {Sms, QT_TRANSLATE_NOOP("Configurator", "SMS"), "sms",
     bit(FormField::PinCode) | bit(FormField::SimCardPhoneNumber) | bit(FormField::OwnerPhoneNumber) |
         bit(FormField::UserKey),
     true},
}};

// The entry of a code, or nullptr for a code the module does not know (it shows nothing).
constexpr const Entry* find(quint8 code)
{
    for (const Entry& entry : entries) {
        if (entry.code == code)
            return &entry;
    }
    return nullptr;
}

// The list text of a code, or nullptr for a code the module does not know.
constexpr const char* name(quint8 code)
{
    const Entry* entry = find(code);
    return entry ? entry->text : nullptr;
}

// The name vskwrite's --mode takes for a code, or nullptr for a code the module does not know.
constexpr const char* commandName(quint8 code)
{
    const Entry* entry = find(code);
    return entry ? entry->commandName : nullptr;
}

constexpr bool showsField(quint8 code, FormField::Id field)
{
    const Entry* entry = find(code);
    return entry && (entry->shownFields & bit(field)) != 0;
}

constexpr bool showsReset(quint8 code)
{
    const Entry* entry = find(code);
    return entry && entry->showsReset;
}

// The identifier goes to the user only in the modes whose module authenticates on the maker's portal.
constexpr bool handsOffIdentifier(quint8 code)
{
    return code == Gsm || code == Lan;
}

// The form is checked only in the modes that carry a PIN.
constexpr bool checksForm(quint8 code)
{
    return code == Gsm || code == Sms;
}
} // namespace ModeCode
