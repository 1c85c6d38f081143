#pragma once

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
    const char* text; // untranslated list text
};

// The mode list in the order the window shows it (not code order).
constexpr std::array<Entry, 5> entries{{
    {KervSlow, QT_TRANSLATE_NOOP("Configurator", "Kerv (38400 bps)")},
    {KervFast, QT_TRANSLATE_NOOP("Configurator", "Kerv (115200 bps)")},
    {Gsm, QT_TRANSLATE_NOOP("Configurator", "GSM")},
    {Lan, QT_TRANSLATE_NOOP("Configurator", "LAN")},
    {Sms, QT_TRANSLATE_NOOP("Configurator", "SMS")},
}};

// The list text of a code, or nullptr for a code the module does not know.
constexpr const char* name(quint8 code)
{
    for (const Entry& entry : entries) {
        if (entry.code == code)
            return entry.text;
    }
    return nullptr;
}
} // namespace ModeCode
