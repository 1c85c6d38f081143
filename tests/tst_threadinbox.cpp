// The hand-over of a card thread's end to the window's thread: every call runs there, in the order each thread sent
// it, and none runs once its receiver has gone.

#include "base/ThreadInbox.h"

#include <QThread>
#include <QtTest>

#include <algorithm>
#include <memory>
#include <numeric>
#include <vector>

namespace {
// A receiver that owns its inbox, as the series and the card line do.
class Receiver : public QObject
{
public:
    ThreadInbox inbox{this};
};
} // namespace

class TestThreadInbox : public QObject
{
    Q_OBJECT

private slots:
    void callsFromManyThreadsRunOnTheReceiversThreadInOrder();
    void callsAfterTheReceiverWentAreDropped();
};

void TestThreadInbox::callsFromManyThreadsRunOnTheReceiversThreadInOrder()
{
    constexpr int Threads = 4;
    constexpr int Calls = 2000;
    Receiver receiver;
    QThread* const home = QThread::currentThread();
    std::vector<std::vector<int>> received(Threads); // touched on the receiver's thread only
    int elsewhere = 0;

    std::vector<std::unique_ptr<QThread>> threads;
    for (int t = 0; t < Threads; ++t) {
        const auto send = receiver.inbox.sender();
        threads.emplace_back(QThread::create([&, send, t] {
            for (int i = 0; i < Calls; ++i) {
                // What the call holds is made on this thread and used on the other.
                auto value = std::make_shared<int>(i);
                send([&, t, value] {
                    if (QThread::currentThread() != home)
                        ++elsewhere;
                    received[t].push_back(*value);
                });
            }
        }));
        threads.back()->start();
    }
    // Run while the threads still send: their end would otherwise order every hand-over before the run.
    QTRY_VERIFY_WITH_TIMEOUT(
        std::all_of(received.begin(), received.end(), [](const auto& r) { return r.size() >= size_t(Calls); }), 20000);
    for (const auto& thread : threads)
        QVERIFY(thread->wait(30000));
    QCOMPARE(elsewhere, 0);
    std::vector<int> inOrder(Calls);
    std::iota(inOrder.begin(), inOrder.end(), 0);
    for (const std::vector<int>& fromOne : received)
        QVERIFY(fromOne == inOrder);
}

void TestThreadInbox::callsAfterTheReceiverWentAreDropped()
{
    auto* receiver = new Receiver;
    const auto send = receiver->inbox.sender();
    int ran = 0;
    // The first call ends the receiver, as closing the window ends a series: the calls already waiting behind it and
    // those sent later never run.
    send([&] {
        ++ran;
        delete receiver;
        receiver = nullptr;
    });
    send([&] { ran += 10; });
    QTRY_VERIFY(!receiver);
    send([&] { ran += 100; });
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents();
    QCOMPARE(ran, 1);
}

QTEST_GUILESS_MAIN(TestThreadInbox)
#include "tst_threadinbox.moc"
