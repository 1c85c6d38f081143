#pragma once

#include <QtGlobal>

#include <array>
#include <cstddef>

// The seven text fields of the form. This table is the one place that names them: the window finds its widgets by
// the object names, the settings store files the texts under the keys, and the parameter file carries them as
// records 5 to 11 in this order.
namespace FormField {
enum Id : int
{
    AccessPointName,
    Username,
    Password,
    PinCode,
    SimCardPhoneNumber,
    OwnerPhoneNumber,
    UserKey,
};
constexpr std::size_t count = 7;

// The longest text a line edit takes unless told otherwise: what the window has always let the user type into the
// fields without a length of their own.
constexpr int lineEditLength = 32767;

// What the parameter file puts between its records: no field's text can hold it.
constexpr char recordSeparator = ';';

// Whole-text patterns of the fields that have one; a prefix of a match is accepted while typing.
namespace Pattern {
constexpr char pin[] = "[0-9]{4,6}";
// A plus sign and 14 digits, or "+41 79 123 45 67" with "+" or "00"; the owner's number may leave out the plus sign.
constexpr char simPhone[] = R"((\+)(\d{14})|(\+|00)(\d{2}) (\d{2}) ((\d{3})) (\d{2}) (\d{2}))";
constexpr char ownerPhone[] = R"((\+|)(\d{14})|(\+|00)(\d{2}) (\d{2}) ((\d{3})) (\d{2}) (\d{2}))";
constexpr char userKey[] = "[A-Za-z0-9]{6,6}";
} // namespace Pattern

struct Description
{
    Id id;
    const char* objectName;      // the line edit in the form
    const char* labelObjectName; // its label in the form
    const char* label;           // the label's untranslated text, to name the field in messages
    const char* settingsKey;     // where the settings store keeps the text
    int record;                  // its record in the parameter file
    const char* recordName;      // how the parameter file's inspector names the record
    const char* pattern;         // the validator's pattern, or nullptr
    const char* acceptedForms;   // what the pattern accepts, in words for the user (untranslated), or nullptr
    // The longest text the field takes, in UTF-16 code units (one byte each in the file): the window holds no longer
    // text, the form check and vskwrite refuse one, and the loader tells the user when a file holds one.
    int maxLength;
    bool disabledByReset; // the reset option makes the field pointless
};

constexpr std::array<Description, count> fields{{
    {AccessPointName, "APN", "label_APN", QT_TRANSLATE_NOOP("Configurator", "Access Point Name (APN)"),
     "accessPointName", 5, "access point name", nullptr, nullptr, lineEditLength, false},
    {Username, "Username", "label_UserName", QT_TRANSLATE_NOOP("Configurator", "Access Point User Name"), "username", 6,
     "user name", nullptr, nullptr, lineEditLength, false},
    {Password, "Password", "label_Pswd", QT_TRANSLATE_NOOP("Configurator", "Access Point Password"), "password", 7,
     "password", nullptr, nullptr, lineEditLength, false},
    {PinCode, "PIN_Code", "label_PIN", QT_TRANSLATE_NOOP("Configurator", "PIN Code"), "pinCode", 8, "PIN code",
     Pattern::pin, QT_TRANSLATE_NOOP("Configurator", "4 to 6 digits, e.g. 5273 or 760584"), lineEditLength, true},
    {SimCardPhoneNumber, "sim_card_phone_number", "label_SIM_phone",
     QT_TRANSLATE_NOOP("Configurator", "SIM Card Phone Number"), "simCardPhoneNumber", 9, "SIM phone number",
     Pattern::simPhone, QT_TRANSLATE_NOOP("Configurator", "+41 79 123 45 67, 0041 79 123 45 67, or + and 14 digits"),
     17, true},
    {OwnerPhoneNumber, "owner_phone_number", "label_owner_phone",
     QT_TRANSLATE_NOOP("Configurator", "Owner Phone Number"), "ownerPhoneNumber", 10, "owner phone number",
     Pattern::ownerPhone,
     QT_TRANSLATE_NOOP("Configurator", "+41 79 123 45 67, 0041 79 123 45 67, or 14 digits with or without +"), 17,
     true},
    {UserKey, "userKeyLineEdit", "userKeyLabel", QT_TRANSLATE_NOOP("Configurator", "User Key <key>"), "userKey", 11,
     "user key", Pattern::userKey, QT_TRANSLATE_NOOP("Configurator", "6 letters (A-Z, a-z) or digits"), 6, true},
}};

constexpr bool everyFieldHasItsLength()
{
    for (const Description& field : fields) {
        if (field.maxLength <= 0 || field.maxLength > lineEditLength)
            return false;
    }
    return true;
}
static_assert(everyFieldHasItsLength(), "every field takes a text of a bounded length, no longer than a line edit's");

constexpr const Description& describe(Id id)
{
    return fields[id];
}

// A set of fields, one bit per Id.
using Set = quint8;
constexpr Set bit(Id id)
{
    return Set(1u << id);
}

// The fields whose text is a secret: never printed on a label, never written into a list of the run.
constexpr Set secrets = Set(bit(Password) | bit(PinCode) | bit(UserKey));
} // namespace FormField
