// The system's keychain on Windows: the Credential Manager, a generic credential of the current user per secret,
// named "<application>/<key>" ("ORVA Configurator/pinCode"). Each call returns at once; Secrets still makes it on a
// thread of its own within the limit.
#include "base/FilesWindows.h"
#include "settings/CredentialsWindows.h"
#include "settings/Keychain.h"

#include <QCoreApplication>

namespace {
std::wstring targetOf(const QString& key)
{
    const QString target = QCoreApplication::applicationName() + QLatin1Char('/') + key;
    return target.toStdWString();
}

QString reasonOf(unsigned long error)
{
    return QString::fromStdWString(systemMessage(error));
}

class SystemKeychain : public Keychain
{
public:
    Answer read(const QString& key) const override
    {
        std::wstring secret;
        const unsigned long error = CredentialsWindows::read(targetOf(key), secret);
        Answer answer;
        if (error == 0)
            answer = Answer{Answer::Outcome::Found, QString::fromStdWString(secret), QString()};
        else if (error == CredentialsWindows::notFound)
            answer.outcome = Answer::Outcome::Missing;
        else
            answer.reason = reasonOf(error);
        return answer;
    }

    std::optional<QString> write(const QString& key, const QString& secret) const override
    {
        const unsigned long error = CredentialsWindows::write(targetOf(key), secret.toStdWString());
        return error == 0 ? std::nullopt : std::optional<QString>(reasonOf(error));
    }

    std::optional<QString> remove(const QString& key) const override
    {
        const unsigned long error = CredentialsWindows::remove(targetOf(key));
        if (error == 0 || error == CredentialsWindows::notFound)
            return std::nullopt;
        return reasonOf(error);
    }
};
} // namespace

// Never destroyed: a call given up may end after the program's static objects are gone.
const Keychain& Keychain::system()
{
    static const auto* const keychain = new SystemKeychain;
    return *keychain;
}
