#pragma once

#include "base/Clock.h"
#include "base/TimeLimits.h"

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

// Work on a thread of its own, which its caller waits for only while the work keeps giving signs of life: a card or
// a bus that stops answering holds that thread, never the caller's. Work the caller gave up on is left to end by
// itself (its thread owns everything the work uses) and is counted until it does, so that the program does not wait
// for it when it ends. The outcome and the last sign of life are kept under one lock, so that an outcome that comes
// in time is never taken for silence. Silence is measured by the clock in place (Clock::instance()).
class DetachedWork
{
public:
    // What the waiting thread does between its looks at the work, for about one watch interval: a window runs its
    // event loop there to keep painting. Without one the thread sleeps. wake, called from the work's thread as the
    // work ends, makes run return at once (an event loop told to quit), so that the caller learns of the end when it
    // comes, not at its next look.
    struct Pump
    {
        Pump() = default;
        Pump(std::function<void()> run, std::function<void()> wake = {}) : run(std::move(run)), wake(std::move(wake)) {}
        explicit operator bool() const { return bool(run); }
        void operator()() const { run(); }

        std::function<void()> run;
        std::function<void()> wake; // safe to call from any thread, also after run has returned for good
    };

    // Handed to the work: how it tells its caller that the outside answered, and learns that the caller gave up.
    class Liveness
    {
    public:
        // The outside answered. The work's next step may stay silent for ownBound beyond the caller's limit (a step
        // that bounds its own waits, such as the label). False once the caller gave up: the work stops there.
        bool answered(std::chrono::milliseconds ownBound = std::chrono::milliseconds(0)) const;

    private:
        friend class DetachedWork;
        struct State;
        explicit Liveness(std::shared_ptr<State> state) : state(std::move(state)) {}
        std::shared_ptr<State> state;
    };

    DetachedWork(const DetachedWork&) = delete;
    DetachedWork& operator=(const DetachedWork&) = delete;

    // What one look at the work found.
    enum class Look
    {
        Running, // it still answers within the limit
        Ended,   // its outcome is taken
        GivenUp  // it was silent for longer than the limit, and is given up
    };

    // wake is called once, from the work's thread, as the work ends (at once when it has ended), unless the caller gave
    // the work up first: a caller that looks at the work only when told (an event loop) learns of the end when it
    // comes.
    void wakeWhenEnded(std::function<void()> wake);

    // Works given up that have not ended yet, in the whole process.
    static int outstanding();
    // Ends the process with status: as std::exit does, or, while given-up work is outstanding, without running the
    // program's static destructors (which could wait for that work's thread without end).
    [[noreturn]] static void endProcess(int status);

protected:
    // The work returns what stores its outcome; that is called under the lock, as the work is marked ended.
    using Run = std::function<std::function<void()>(const Liveness& liveness)>;
    // Starts run at once, on a thread of its own.
    explicit DetachedWork(Run run);
    // Gives the work up when it has not ended.
    ~DetachedWork();
    // Waits until the work ends (take is then called under the lock, and true returned) or until it was silent for
    // longer than silenceLimit (the work is given up, false returned).
    bool waitWhileAnswering(std::chrono::milliseconds silenceLimit, const Pump& pump,
                            const std::function<void()>& take);
    // Looks once, without waiting: take is called under the lock when the work ended.
    Look lookOnce(std::chrono::milliseconds silenceLimit, const std::function<void()>& take);

private:
    std::shared_ptr<Liveness::State> state;
};

// Work whose outcome is a T.
template <typename T> class DetachedTask : public DetachedWork
{
public:
    using Work = std::function<T(const Liveness& liveness)>;

    explicit DetachedTask(Work work) : DetachedTask(std::move(work), std::make_shared<std::optional<T>>()) {}

    // The outcome, once the work ended; nothing when it was silent for longer than silenceLimit (plus the bound of
    // its last step), and is given up.
    std::optional<T> waitWhile(std::chrono::milliseconds silenceLimit, const Pump& pump = {})
    {
        std::optional<T> taken;
        waitWhileAnswering(silenceLimit, pump, [&] { taken = std::move(*outcome); });
        return taken;
    }

    // One look without waiting, for a caller that looks again later (a window's timer): Ended puts the outcome into
    // taken, GivenUp is the nothing of waitWhile. Both are final: the caller looks no more.
    Look look(std::chrono::milliseconds silenceLimit, std::optional<T>& taken)
    {
        return lookOnce(silenceLimit, [&] { taken = std::move(*outcome); });
    }

private:
    DetachedTask(Work work, std::shared_ptr<std::optional<T>> outcome)
        : DetachedWork([work = std::move(work), outcome](const Liveness& liveness) -> std::function<void()> {
              auto value = std::make_shared<T>(work(liveness));
              return [outcome, value] { *outcome = std::move(*value); };
          }),
          outcome(std::move(outcome))
    {}

    std::shared_ptr<std::optional<T>> outcome; // written under the work's lock
};
