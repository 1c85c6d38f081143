#pragma once

#include <QObject>

#include <functional>
#include <memory>
#include <mutex>

// Calls that any thread hands over to be run on a receiver's thread, through its event loop, for as long as the inbox
// lives: a call handed over after the inbox went is dropped, never run on an object that is gone.
class ThreadInbox
{
public:
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
    struct State
    {
        std::mutex mutex;
        QObject* receiver = nullptr;
    };
    std::shared_ptr<State> state = std::make_shared<State>();
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
