#include "drives/DetachedWork.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>

namespace {
std::atomic<int> givenUpAndRunning{0};
// How often a condition given to waitFor is asked.
constexpr std::chrono::milliseconds conditionInterval(20);
} // namespace

struct DetachedWork::State
{
    std::mutex mutex;
    std::condition_variable ended;
    bool done = false;
    bool givenUp = false;
};

DetachedWork::DetachedWork(std::function<void()> work) : state(std::make_shared<State>())
{
    std::thread([state = state, work = std::move(work)] {
        work();
        std::lock_guard<std::mutex> lock(state->mutex);
        state->done = true;
        if (state->givenUp)
            --givenUpAndRunning;
        state->ended.notify_all();
    }).detach();
}

DetachedWork::~DetachedWork()
{
    giveUp();
}

bool DetachedWork::waitFor(QDeadlineTimer deadline, const std::function<bool()>& condition) const
{
    std::unique_lock<std::mutex> lock(state->mutex);
    while (!state->done) {
        if (condition) {
            lock.unlock();
            const bool holds = condition();
            lock.lock();
            if (holds || state->done)
                break;
        }
        const qint64 left = deadline.remainingTime();
        if (left == 0)
            break;
        std::chrono::milliseconds slice = left < 0 ? std::chrono::milliseconds::max() : std::chrono::milliseconds(left);
        if (condition)
            slice = std::min(slice, conditionInterval);
        if (slice == std::chrono::milliseconds::max())
            state->ended.wait(lock);
        else
            state->ended.wait_for(lock, slice);
    }
    return state->done;
}

bool DetachedWork::hasEnded() const
{
    std::lock_guard<std::mutex> lock(state->mutex);
    return state->done;
}

void DetachedWork::giveUp()
{
    std::lock_guard<std::mutex> lock(state->mutex);
    if (state->done || state->givenUp)
        return;
    state->givenUp = true;
    ++givenUpAndRunning;
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
