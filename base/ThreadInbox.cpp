#include "base/ThreadInbox.h"

#include "base/TimeLimits.h"

#include <QEventLoop>
#include <QThread>
#include <QTimer>

namespace {
// Runs the oldest call waiting in an inbox each time the event loop of its thread comes to one of its wakes.
class InboxWake : public QObject
{
    Q_OBJECT

public:
    InboxWake(std::function<void()> runNext, QThread* thread) : runNext(std::move(runNext)) { moveToThread(thread); }

    // A copy runs: a call may end the inbox, and this wake with it.
    Q_INVOKABLE void run()
    {
        const std::function<void()> next = runNext;
        next();
    }

private:
    const std::function<void()> runNext;
};
} // namespace

ThreadInbox::ThreadInbox(QObject* receiver)
{
    // The wake holds the state weakly: the state holds the wake's address. Each wake runs the call it was posted for
    // (the oldest waiting), in the order of the receiver's other events, as a call posted on its own would run.
    wake = std::make_unique<InboxWake>(
        [weak = std::weak_ptr<State>(state)] {
            const std::shared_ptr<State> held = weak.lock();
            if (!held)
                return;
            std::function<void()> call;
            {
                std::lock_guard<std::mutex> lock(held->mutex);
                if (held->calls.empty())
                    return;
                call = std::move(held->calls.front());
                held->calls.pop_front();
            }
            // Outside the lock: the call may hand over another one, or end the inbox.
            call();
        },
        receiver->thread());
    state->wake = wake.get();
}

ThreadInbox::~ThreadInbox()
{
    std::deque<std::function<void()>> dropped;
    std::lock_guard<std::mutex> lock(state->mutex);
    state->wake = nullptr;
    dropped.swap(state->calls);
    // The lock goes first, then the dropped calls (what they hold may hand over a call), then the wake and with it
    // the wakes still posted to it.
}

std::function<void(std::function<void()>)> ThreadInbox::sender() const
{
    return [state = state](std::function<void()> call) {
        // Under the lock: the inbox cannot go between the look and the posting.
        std::lock_guard<std::mutex> lock(state->mutex);
        if (!state->wake)
            return;
        state->calls.push_back(std::move(call));
        // Named, so that Qt makes the event itself: nothing of the call crosses the threads outside the lock.
        QMetaObject::invokeMethod(state->wake, "run", Qt::QueuedConnection);
    };
}

std::function<void()> ThreadInbox::poster(std::function<void()> call) const
{
    return [send = sender(), call = std::move(call)] { send(call); };
}

EventLoopPump::EventLoopPump() = default;

std::function<void()> EventLoopPump::runner()
{
    return [this] { run(); };
}

std::function<void()> EventLoopPump::waker() const
{
    return inbox.poster([this] { const_cast<EventLoopPump*>(this)->woken(); });
}

void EventLoopPump::run()
{
    // A wake that came in while no loop ran (the work ended between two looks) ends this turn at once.
    if (wokenBeforeRun) {
        wokenBeforeRun = false;
        return;
    }
    QEventLoop turn;
    loop = &turn;
    QTimer::singleShot(TimeLimits::watchInterval, &turn, &QEventLoop::quit);
    turn.exec();
    loop = nullptr;
}

void EventLoopPump::woken()
{
    if (loop)
        loop->quit();
    else
        wokenBeforeRun = true;
}

#include "ThreadInbox.moc"
