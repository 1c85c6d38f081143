#pragma once

#include <QString>

#include <optional>

// The system's keychain, where the form's secrets are kept: the Secret Service on Linux (GNOME Keyring, KWallet), the
// Credential Manager on Windows. Entries are filed under the application's name and a key of the program's choice.
// One keychain serves the whole process; a test puts one of its own in its place, as it does the clock.
//
// Every call may wait for the keychain without end (a daemon that stopped answering): callers ask it through
// Secrets, which makes each call on a thread of its own and waits only within TimeLimits::keychain.
class Keychain
{
public:
    struct Answer
    {
        enum class Outcome
        {
            Found,
            Missing, // the keychain answered that it holds no such entry
            Failed,  // no keychain answered, or it refused: reason says why
        };
        Outcome outcome = Outcome::Failed;
        QString secret; // for Found
        QString reason; // for Failed
    };

    virtual ~Keychain() = default;
    virtual Answer read(const QString& key) const = 0;
    // Nothing when the keychain confirmed the write, else why not.
    virtual std::optional<QString> write(const QString& key, const QString& secret) const = 0;
    // Nothing when the entry is gone (also when there was none), else why not.
    virtual std::optional<QString> remove(const QString& key) const = 0;

    // The keychain in place: the system's, unless another was set.
    static const Keychain& instance();
    // Puts keychain in place for the whole process; nullptr puts the system's back. The caller keeps it alive until it
    // is replaced, and until no thread asks it any more.
    static void setInstance(const Keychain* keychain);
    // How many times a keychain was put in place: what was learnt of one (that it fell silent) holds until it changes.
    static int placing();

protected:
    // The system's keychain, through QtKeychain.
    static const Keychain& system();
};
