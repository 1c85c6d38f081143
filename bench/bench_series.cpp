// Time from a card's mount to its end as prepared during a series ("Prepare each card put in"), on real cards: ext4
// images on loop devices in a private mount namespace, found by the real drive platform and its volume notifications.
//
// bench_series [--runs N]
//
//  one    From the mount of one card until the series tells that it is prepared (the file written durably, read back,
//         recorded; the card stays mounted, nobody ejects a loop device).
//  three  From the first of three cards put in together until the last of them is prepared.
// Prints one summary line per measure with the median and the largest time in milliseconds, in key=value form.
// Needs root (loop devices, mounts); exits with 77 elsewhere.
#include "drives/VolumeWatcher.h"
#include "generation/CardSeries.h"
#include "support/CardLab.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {
void fail(const QString& what)
{
    std::fprintf(stderr, "bench_series: %s\n", qPrintable(what));
    std::exit(1);
}

// Waits until the series has ended count cards in all, within ten seconds.
void waitForCards(CardSeries& series, int& ended, int count)
{
    QEventLoop loop;
    const QMetaObject::Connection each = QObject::connect(&series, &CardSeries::cardEnded, &loop, [&] {
        if (ended >= count)
            loop.quit();
    });
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    if (ended < count)
        loop.exec();
    QObject::disconnect(each);
    if (ended < count)
        fail(QStringLiteral("the series did not end the card within ten seconds"));
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}
} // namespace

int main(int argc, char* argv[])
{
    int runs = 10;
    for (int i = 1; i < argc; ++i) {
        if (QByteArray(argv[i]) == "--runs" && i + 1 < argc)
            runs = std::atoi(argv[++i]);
        else
            fail(QStringLiteral("usage: bench_series [--runs N]"));
    }
    if (runs < 1)
        fail(QStringLiteral("runs must be at least 1"));
    const QString why = CardLab::enter();
    if (!why.isEmpty()) {
        std::printf("SKIP: %s\n", qPrintable(why));
        return 77;
    }
    // A home of its own: the record of prepared cards and the run's identifiers go there.
    QTemporaryDir home;
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.filePath(QStringLiteral("data"))));
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("ORVA Configurator bench"));

    CardLab lab;
    CardRun run;
    CardSeries series(createNativeDrivePlatform(), run);
    int ended = 0;
    int prepared = 0;
    QObject::connect(&series, &CardSeries::cardEnded, [&](const RunCard& card) {
        ++ended;
        if (card.result == RunCard::Result::Prepared)
            ++prepared;
    });
    CardSeries::Settings settings;
    settings.values.ejectCardWhenDone = false;
    if (series.start(settings).problem)
        fail(QStringLiteral("the series did not start"));

    std::vector<double> one;
    std::vector<double> three;
    int cards = 0;
    const auto newCard = [&] {
        const QString name = QStringLiteral("card%1").arg(cards++);
        const QString error = lab.makeCard(name);
        if (!error.isEmpty())
            fail(error);
        return name;
    };
    for (int round = 0; round < runs; ++round) {
        const QString single = newCard();
        QElapsedTimer timer;
        timer.start();
        if (const QString error = lab.plug(single); !error.isEmpty())
            fail(error);
        timer.restart(); // from the mount on
        waitForCards(series, ended, ended + 1);
        one.push_back(double(timer.nsecsElapsed()) / 1e6);

        const QStringList together{newCard(), newCard(), newCard()};
        const int before = ended;
        timer.restart();
        for (const QString& name : together) {
            if (const QString error = lab.plug(name); !error.isEmpty())
                fail(error);
        }
        waitForCards(series, ended, before + 3);
        three.push_back(double(timer.nsecsElapsed()) / 1e6);
        for (const QString& name : QStringList{single} + together)
            lab.unplug(name);
        // The next round's cards may take the same loop devices: the series sees these gone first, as a hand that
        // swaps cards gives it time to.
        QEventLoop settle;
        QTimer::singleShot(2 * VolumeWatcher::settleMilliseconds + 100, &settle, &QEventLoop::quit);
        settle.exec();
    }
    if (prepared != ended)
        fail(QStringLiteral("%1 of %2 cards were not prepared").arg(ended - prepared).arg(ended));
    std::printf("summary name=one median_ms=%.1f max_ms=%.1f runs=%d\n", median(one),
                *std::max_element(one.begin(), one.end()), runs);
    std::printf("summary name=three median_ms=%.1f max_ms=%.1f runs=%d\n", median(three),
                *std::max_element(three.begin(), three.end()), runs);
    return 0;
}
