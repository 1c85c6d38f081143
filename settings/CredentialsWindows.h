#pragma once

// The Windows Credential Manager, without Qt: generic credentials of the current user, kept on this machine, each a
// UTF-16 secret under its target name.
#include <string>

namespace CredentialsWindows {
// Windows's error code of each call: 0 when it succeeded; ERROR_NOT_FOUND (1168) when there is no such credential.
unsigned long read(const std::wstring& target, std::wstring& secret);
unsigned long write(const std::wstring& target, const std::wstring& secret);
unsigned long remove(const std::wstring& target);
constexpr unsigned long notFound = 1168;
} // namespace CredentialsWindows
