#include "settings/CredentialsWindows.h"

// windows.h first: wincred.h builds on its types.
#include <windows.h>

#include <wincred.h>

static_assert(CredentialsWindows::notFound == ERROR_NOT_FOUND, "the Credential Manager's code for no credential");

unsigned long CredentialsWindows::read(const std::wstring& target, std::wstring& secret)
{
    CREDENTIALW* credential = nullptr;
    if (!CredReadW(target.c_str(), CRED_TYPE_GENERIC, 0, &credential))
        return GetLastError();
    secret.assign(reinterpret_cast<const wchar_t*>(credential->CredentialBlob),
                  credential->CredentialBlobSize / sizeof(wchar_t));
    SecureZeroMemory(credential->CredentialBlob, credential->CredentialBlobSize);
    CredFree(credential);
    return 0;
}

unsigned long CredentialsWindows::write(const std::wstring& target, const std::wstring& secret)
{
    CREDENTIALW credential{};
    credential.Type = CRED_TYPE_GENERIC;
    credential.TargetName = const_cast<wchar_t*>(target.c_str());
    credential.CredentialBlobSize = DWORD(secret.size() * sizeof(wchar_t));
    credential.CredentialBlob = reinterpret_cast<BYTE*>(const_cast<wchar_t*>(secret.data()));
    // On this machine only: the secrets are the installation's, not for the user's other computers.
    credential.Persist = CRED_PERSIST_LOCAL_MACHINE;
    return CredWriteW(&credential, 0) ? 0 : GetLastError();
}

unsigned long CredentialsWindows::remove(const std::wstring& target)
{
    return CredDeleteW(target.c_str(), CRED_TYPE_GENERIC, 0) ? 0 : GetLastError();
}
