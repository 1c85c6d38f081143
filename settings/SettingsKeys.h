#pragma once

#include <QLatin1String>

// The keys of the remembered form, at the top level of the application's settings store.
namespace SettingsKeys {
inline const QLatin1String serialMode("serialMode"); // the mode code, not the list position
inline const QLatin1String accessPointName("accessPointName");
inline const QLatin1String username("username");
inline const QLatin1String password("password");
inline const QLatin1String pinCode("pinCode");
inline const QLatin1String driveLetter("driveLetter"); // the drive box's index, not a letter or a path
inline const QLatin1String simCardPhoneNumber("simCardPhoneNumber");
inline const QLatin1String ownerPhoneNumber("ownerPhoneNumber");
inline const QLatin1String userKey("userKey");
inline const QLatin1String resetConfig("resetConfig");
} // namespace SettingsKeys
