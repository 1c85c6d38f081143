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
} // namespace

struct DetachedWork::Liveness::State
{
    std::mutex mutex;
    std::condition_variable ended;
    bool done = false;
    bool givenUp = false;
    Clock::time_point lastSign = Clock::now();
    std::chrono::milliseconds ownBound{0}; // what the step after the last sign may take beyond the caller's limit
};

bool DetachedWork::Liveness::answered(std::chrono::milliseconds ownBound) const
{
    std::lock_guard<std::mutex> lock(state->mutex);
    state->lastSign = Clock::now();
    state->ownBound = ownBound;
    return !state->givenUp;
}

DetachedWork::DetachedWork(Run run) : state(std::make_shared<Liveness::State>())
{
    std::thread([state = state, run = std::move(run)] {
        const std::function<void()> store = run(Liveness(state));
        std::lock_guard<std::mutex> lock(state->mutex);
        store();
        state->done = true;
        if (state->givenUp)
            --givenUpAndRunning;
        state->ended.notify_all();
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
    for (;;) {
        // Decided under the lock: an outcome that came in time is the answer; else the work is given up, and
        // whatever it does afterwards goes nowhere.
        if (state->done) {
            take();
            return true;
        }
        const Clock::time_point now = Clock::now();
        const Clock::time_point giveUpAt = state->lastSign + silenceLimit + state->ownBound;
        if (now >= giveUpAt) {
            state->givenUp = true;
            ++givenUpAndRunning;
            return false;
        }
        Clock::time_point turnEnd = std::min(now + TimeLimits::watchInterval, giveUpAt);
        if (pump) {
            lock.unlock();
            pump();
            lock.lock();
            // A pump that returned at once (an event loop told to quit) must not make this a busy loop.
            turnEnd = std::min(now + TimeLimits::watchInterval, state->lastSign + silenceLimit + state->ownBound);
        }
        state->ended.wait_until(lock, turnEnd, [this] { return state->done; });
    }
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
