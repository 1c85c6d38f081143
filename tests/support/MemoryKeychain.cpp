#include "support/MemoryKeychain.h"

#include <QtGlobal>

MemoryKeychain& MemoryKeychain::inPlace()
{
    static MemoryKeychain keychain;
    return keychain;
}

namespace {
void putInPlace()
{
    Keychain::setInstance(&MemoryKeychain::inPlace());
}
} // namespace
Q_CONSTRUCTOR_FUNCTION(putInPlace)

bool MemoryKeychain::answers(std::unique_lock<std::mutex>& lock) const
{
    changed.wait(lock, [this] { return mode != Mode::Silent; });
    return mode == Mode::Answering;
}

Keychain::Answer MemoryKeychain::read(const QString& key) const
{
    std::unique_lock<std::mutex> lock(mutex);
    Answer answer;
    if (!answers(lock))
        answer.reason = QStringLiteral("no Secret Service");
    else if (stored.contains(key))
        answer = Answer{Answer::Outcome::Found, stored.value(key), QString()};
    else
        answer.outcome = Answer::Outcome::Missing;
    return answer;
}

std::optional<QString> MemoryKeychain::write(const QString& key, const QString& secret) const
{
    std::unique_lock<std::mutex> lock(mutex);
    if (!answers(lock))
        return QStringLiteral("no Secret Service");
    stored.insert(key, secret);
    return std::nullopt;
}

std::optional<QString> MemoryKeychain::remove(const QString& key) const
{
    std::unique_lock<std::mutex> lock(mutex);
    if (!answers(lock))
        return QStringLiteral("no Secret Service");
    stored.remove(key);
    return std::nullopt;
}

void MemoryKeychain::setMode(Mode newMode)
{
    const std::lock_guard<std::mutex> lock(mutex);
    mode = newMode;
    changed.notify_all();
}

QMap<QString, QString> MemoryKeychain::entries() const
{
    const std::lock_guard<std::mutex> lock(mutex);
    return stored;
}

void MemoryKeychain::clear()
{
    const std::lock_guard<std::mutex> lock(mutex);
    stored.clear();
}
