#include "base/ThreadInbox.h"

#include "base/TimeLimits.h"

#include <QEventLoop>
#include <QTimer>

ThreadInbox::ThreadInbox(QObject* receiver)
{
    state->receiver = receiver;
}

ThreadInbox::~ThreadInbox()
{
    std::lock_guard<std::mutex> lock(state->mutex);
    state->receiver = nullptr;
}

std::function<void(std::function<void()>)> ThreadInbox::sender() const
{
    return [state = state](std::function<void()> call) {
        // Under the lock: the receiver cannot go between the look and the posting. A call posted before it went is
        // dropped by Qt with the receiver's other posted events.
        std::lock_guard<std::mutex> lock(state->mutex);
        if (state->receiver)
            QMetaObject::invokeMethod(state->receiver, std::move(call), Qt::QueuedConnection);
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
