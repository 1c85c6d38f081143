// The system's keychain through QtKeychain: the Secret Service on Linux (through libsecret, which QtKeychain loads at
// run time), the Credential Manager on Windows.
#include "base/ThreadInbox.h"
#include "settings/Keychain.h"

#include <QCoreApplication>
#include <QThread>
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
#include <qt6keychain/keychain.h>
#else
#include <qt5keychain/keychain.h>
#endif

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

namespace {
// One answer waited for by the caller's thread and given by the keychain's.
class Pending
{
public:
    void give(const Keychain::Answer& given)
    {
        const std::lock_guard<std::mutex> lock(mutex);
        answer = given;
        answered.notify_all();
    }
    Keychain::Answer take()
    {
        std::unique_lock<std::mutex> lock(mutex);
        answered.wait(lock, [this] { return answer.has_value(); });
        return *answer;
    }

private:
    std::mutex mutex;
    std::condition_variable answered;
    std::optional<Keychain::Answer> answer;
};

Keychain::Answer answerOf(const QKeychain::Job& job, const QString& secret)
{
    Keychain::Answer answer;
    switch (job.error()) {
    case QKeychain::NoError:
        answer.outcome = Keychain::Answer::Outcome::Found;
        answer.secret = secret;
        break;
    case QKeychain::EntryNotFound:
        answer.outcome = Keychain::Answer::Outcome::Missing;
        break;
    default:
        answer.outcome = Keychain::Answer::Outcome::Failed;
        answer.reason = job.errorString();
        break;
    }
    return answer;
}

// The Credential Manager names a QtKeychain entry by its key alone, in one space shared by every program of the user
// (a "pinCode" of another program would be ours): there the key carries the program's name, as the service does
// elsewhere.
QString entryOf(const QString& key)
{
#ifdef Q_OS_WIN
    return QCoreApplication::applicationName() + QLatin1Char('/') + key;
#else
    return key;
#endif
}

// QtKeychain's jobs report through the event loop of the thread that started them, and it runs them one after another
// from the first thread that started one: every job of the process is started on this one thread, whose loop only
// waits for answers, so that it can be ended at once when the program ends, even with a job still unanswered.
class SystemKeychain : public Keychain
{
public:
    Answer read(const QString& key) const override
    {
        return ask([key](const std::shared_ptr<Pending>& pending) {
            auto* job = new QKeychain::ReadPasswordJob(QCoreApplication::applicationName());
            job->setKey(entryOf(key));
            QObject::connect(job, &QKeychain::Job::finished, job,
                             [job, pending] { pending->give(answerOf(*job, job->textData())); });
            return job;
        });
    }

    std::optional<QString> write(const QString& key, const QString& secret) const override
    {
        return failure(ask([key, secret](const std::shared_ptr<Pending>& pending) {
            auto* job = new QKeychain::WritePasswordJob(QCoreApplication::applicationName());
            job->setKey(entryOf(key));
            job->setTextData(secret);
            QObject::connect(job, &QKeychain::Job::finished, job,
                             [job, pending] { pending->give(answerOf(*job, QString())); });
            return job;
        }));
    }

    std::optional<QString> remove(const QString& key) const override
    {
        const Answer answer = ask([key](const std::shared_ptr<Pending>& pending) {
            auto* job = new QKeychain::DeletePasswordJob(QCoreApplication::applicationName());
            job->setKey(entryOf(key));
            QObject::connect(job, &QKeychain::Job::finished, job,
                             [job, pending] { pending->give(answerOf(*job, QString())); });
            return job;
        });
        return answer.outcome == Answer::Outcome::Missing ? std::nullopt : failure(answer);
    }

private:
    using MakeJob = std::function<QKeychain::Job*(const std::shared_ptr<Pending>& pending)>;

    static std::optional<QString> failure(const Answer& answer)
    {
        if (answer.outcome == Answer::Outcome::Failed)
            return answer.reason;
        return std::nullopt;
    }

    // Starts the job on the keychain's thread and waits for its answer, without a limit (see Keychain).
    Answer ask(const MakeJob& makeJob) const
    {
        auto pending = std::make_shared<Pending>();
        const std::function<void(std::function<void()>)> send = keychainThread();
        if (!send) {
            Answer none;
            none.reason = QStringLiteral("the program is ending");
            return none;
        }
        send([makeJob, pending] {
            QKeychain::Job* job = makeJob(pending);
            job->setAutoDelete(true);
            job->start();
        });
        return pending->take();
    }

    // How a call is handed to the keychain's thread, started at the first call (through an inbox: what the call holds
    // passes under a lock that ThreadSanitizer sees); nothing once the program ends.
    static std::function<void(std::function<void()>)> keychainThread()
    {
        static std::mutex mutex;
        static QThread* thread = nullptr;
        static QObject* agent = nullptr;
        static ThreadInbox* inbox = nullptr;
        static bool ended = false;
        const std::lock_guard<std::mutex> lock(mutex);
        if (!thread && !ended && QCoreApplication::instance()) {
            thread = new QThread;
            thread->setObjectName(QStringLiteral("keychain"));
            agent = new QObject;
            agent->moveToThread(thread);
            inbox = new ThreadInbox(agent);
            thread->start();
            // Its loop only waits for answers, so it ends at once; were it to hang, it is left to the process's end.
            qAddPostRoutine([] {
                const std::lock_guard<std::mutex> ending(mutex);
                ended = true;
                thread->quit();
                if (!thread->wait(1000))
                    return;
                delete inbox;
                delete agent;
                delete thread;
                inbox = nullptr;
                agent = nullptr;
                thread = nullptr;
            });
        }
        if (ended || !inbox)
            return {};
        return inbox->sender();
    }
};
} // namespace

// Never destroyed: a call given up may end after the program's static objects are gone.
const Keychain& Keychain::system()
{
    static const auto* const keychain = new SystemKeychain;
    return *keychain;
}
