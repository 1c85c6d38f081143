#pragma once

#include <QDeadlineTimer>

#include <functional>
#include <memory>

// Work on a thread of its own, which its caller waits for only as long as it chooses: a card or a bus that stops
// answering holds that thread, never the caller's. Work the caller gave up on is left to end by itself (its thread
// owns everything the work uses) and is counted until it does, so that the program does not wait for it when it ends.
class DetachedWork
{
public:
    // Starts work at once.
    explicit DetachedWork(std::function<void()> work);
    // Gives the work up when it has not ended.
    ~DetachedWork();
    DetachedWork(const DetachedWork&) = delete;
    DetachedWork& operator=(const DetachedWork&) = delete;

    // Blocks the calling thread until the work ends, until condition (asked a few times a second) holds, or until
    // the deadline. True when the work has ended.
    bool waitFor(QDeadlineTimer deadline, const std::function<bool()>& condition = {}) const;
    bool hasEnded() const;
    // The caller stops waiting: the work ends by itself, whenever it does.
    void giveUp();

    // Works given up that have not ended yet, in the whole process.
    static int outstanding();
    // Ends the process with status: as std::exit does, or, while given-up work is outstanding, without running the
    // program's static destructors (which could wait for that work's thread without end).
    [[noreturn]] static void endProcess(int status);

private:
    struct State;
    std::shared_ptr<State> state;
};
