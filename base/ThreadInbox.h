#pragma once

#include <QObject>

#include <deque>
#include <functional>
#include <memory>
#include <mutex>

// Calls that any thread hands over to be run on a receiver's thread, through its event loop, for as long as the inbox
// lives: a call handed over after the inbox went is dropped, never run on an object that is gone.
class ThreadInbox
{
public:
    // The calls run on the receiver's thread; the inbox goes before the receiver or with it (a member of it).
    explicit ThreadInbox(QObject* receiver);
    ~ThreadInbox();
    ThreadInbox(const ThreadInbox&) = delete;
    ThreadInbox& operator=(const ThreadInbox&) = delete;

    // A function that any thread may call, any number of times and also after the inbox went, to have call run on the
    // receiver's thread.
    std::function<void()> poster(std::function<void()> call) const;
    // The same for any call, given when it is sent.
    std::function<void(std::function<void()>)> sender() const;

private:
    // The calls wait in the inbox's own queue, under its own lock, and a wake through the event loop has them run:
    // what a call holds passes from one thread to the other under that lock (which ThreadSanitizer sees, unlike the
    // locks inside Qt).
    struct State
    {
        std::mutex mutex;
        QObject* wake = nullptr; // lives in the receiver's thread
        std::deque<std::function<void()>> calls;
    };
    std::shared_ptr<State> state = std::make_shared<State>();
    std::unique_ptr<QObject> wake;
};

// What a thread that waits for a detached work does between its looks (DetachedWork::Pump): it runs its event loop for
// one watch interval at most, and returns at once when the work's end wakes it.
class EventLoopPump : public QObject
{
public:
    EventLoopPump();
    // The pump for DetachedWork: valid as long as this object lives; its wake may outlive it.
    std::function<void()> runner();
    std::function<void()> waker() const;

private:
    void run();
    void woken();

    ThreadInbox inbox{this};
    class QEventLoop* loop = nullptr;
    bool wokenBeforeRun = false;
};
