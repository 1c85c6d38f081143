#pragma once

#include "settings/Keychain.h"

#include <QMap>

#include <condition_variable>
#include <mutex>

// The keychain of every test that links it, in place from the program's start (no test depends on a daemon that a
// session bus could start on demand): its entries in memory, and a keychain that refuses or falls silent on demand.
class MemoryKeychain : public Keychain
{
public:
    enum class Mode
    {
        Answering,
        Refusing, // as a bare session without a Secret Service: every call fails at once
        Silent,   // as a daemon that stopped: every call waits until the mode changes
    };

    static MemoryKeychain& inPlace();

    Answer read(const QString& key) const override;
    std::optional<QString> write(const QString& key, const QString& secret) const override;
    std::optional<QString> remove(const QString& key) const override;

    void setMode(Mode mode);
    QMap<QString, QString> entries() const;
    void clear();

private:
    // Waits while silent; false when refusing.
    bool answers(std::unique_lock<std::mutex>& lock) const;

    mutable std::mutex mutex;
    mutable std::condition_variable changed;
    Mode mode = Mode::Answering;
    mutable QMap<QString, QString> stored;
};
