#include "base/DetachedTask.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>

namespace {
std::atomic<int> givenUpAndRunning{0};

Clock::Steady::time_point now()
{
    return Clock::instance().steadyTime();
}
} // namespace

struct DetachedWork::Liveness::State
{
    std::mutex mutex;
    std::condition_variable ended;
    bool done = false;
    bool givenUp = false;
    Clock::Steady::time_point lastSign = now();
    std::chrono::milliseconds ownBound{0}; // what the step after the last sign may take beyond the caller's limit
    std::function<void()> wake;            // the waiting caller's, told when the work ends
};

bool DetachedWork::Liveness::answered(std::chrono::milliseconds ownBound) const
{
    std::lock_guard<std::mutex> lock(state->mutex);
    state->lastSign = now();
    state->ownBound = ownBound;
    return !state->givenUp;
}

DetachedWork::DetachedWork(Run run) : state(std::make_shared<Liveness::State>())
{
    std::thread([state = state, run = std::move(run)] {
        const std::function<void()> store = run(Liveness(state));
        std::function<void()> wake;
        {
            std::lock_guard<std::mutex> lock(state->mutex);
            store();
            state->done = true;
            if (state->givenUp)
                --givenUpAndRunning;
            else
                wake = std::move(state->wake);
            state->ended.notify_all();
        }
        // Outside the lock: the waiting thread may be taking it right now.
        if (wake)
            wake();
    }).detach();
}

DetachedWork::~DetachedWork()
{
    std::lock_guard<std::mutex> lock(state->mutex);
    if (state->done || state->givenUp)
        return;
    state->givenUp = true;
    ++givenUpAndRunning;
}

bool DetachedWork::waitWhileAnswering(std::chrono::milliseconds silenceLimit, const Pump& pump,
                                      const std::function<void()>& take)
{
    std::unique_lock<std::mutex> lock(state->mutex);
    // The work's end wakes the pump, so that the caller does not wait out the rest of its turn.
    state->wake = pump.wake;
    for (;;) {
        // Decided under the lock: an outcome that came in time is the answer; else the work is given up, and
        // whatever it does afterwards goes nowhere.
        if (state->done) {
            state->wake = nullptr;
            take();
            return true;
        }
        const Clock::Steady::time_point lookedAt = now();
        const Clock::Steady::time_point giveUpAt = state->lastSign + silenceLimit + state->ownBound;
        if (lookedAt >= giveUpAt) {
            state->wake = nullptr;
            state->givenUp = true;
            ++givenUpAndRunning;
            return false;
        }
        Clock::Steady::time_point turnEnd = std::min(lookedAt + TimeLimits::watchInterval, giveUpAt);
        if (pump) {
            lock.unlock();
            pump();
            lock.lock();
            // A pump that returned at once (an event loop told to quit) must not make this a busy loop.
            turnEnd = std::min(lookedAt + TimeLimits::watchInterval, state->lastSign + silenceLimit + state->ownBound);
        }
        // The rest of the turn is waited for in real time, never longer than one watch interval: a clock that a test
        // moves by hand is looked at again that often.
        const Clock::Steady::duration rest =
            std::min<Clock::Steady::duration>(turnEnd - now(), TimeLimits::watchInterval);
        state->ended.wait_for(lock, rest, [this] { return state->done; });
    }
}

DetachedWork::Look DetachedWork::lookOnce(std::chrono::milliseconds silenceLimit, const std::function<void()>& take)
{
    std::lock_guard<std::mutex> lock(state->mutex);
    if (state->givenUp)
        return Look::GivenUp;
    if (state->done) {
        take();
        return Look::Ended;
    }
    if (now() < state->lastSign + silenceLimit + state->ownBound)
        return Look::Running;
    state->givenUp = true;
    ++givenUpAndRunning;
    return Look::GivenUp;
}

void DetachedWork::wakeWhenEnded(std::function<void()> wake)
{
    {
        std::lock_guard<std::mutex> lock(state->mutex);
        if (state->givenUp)
            return;
        if (!state->done) {
            state->wake = std::move(wake);
            return;
        }
    }
    wake();
}

int DetachedWork::outstanding()
{
    return givenUpAndRunning;
}

void DetachedWork::endProcess(int status)
{
    if (outstanding() == 0)
        std::exit(status);
    // Qt's own bus connection thread, for one, is waited for by a static destructor: a thread still connecting to
    // a bus that does not answer would keep the process from ever ending.
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(status);
}
