// Time of "Generate" until the parameter file is durable on the card, against a plain write + fsync of the same bytes
// into the same folder.
//
// bench_generate [--runs N] [--warmup N] [FOLDER]
//
// A folder on the disk under FOLDER (default: the current directory) stands in for the card, presented by the same
// fake drive platform as the window tests use, so that the card checks of "Generate" (the card still mounted, as the
// same volume) see what they see there; use a real disk file system, since fsync on a tmpfs costs nothing. The window
// is the real Configurator on the offscreen platform, shown, in its default mode (4), whose parameter file is the
// smallest (102 bytes). One run of each per round, in an order that turns from round to round:
//  generate  From button_Save->click() to the moment the success box is created: the window gets its first child
//            after the click then, and by then the slot has written the file durably (the box follows the write,
//            which runs on a thread of its own while the window's event loop waits for it).
//            The box is checked to be "File generated", and the file to be there with 102 to 160 bytes.
//  slot      From the click until the slot returns: also the box itself, the save of the form and the (replaced)
//            exit function.
//  raw       QFile open (create), write of the same bytes, fsync, close, of a new file in the same folder (the file
//            of the previous round is removed before the clock starts).
//  durable   writeDurably() alone, of the same bytes over the parameter file: the part of "generate" that writes.
//  cardline  From choosing the card to its line under the card list telling what the card holds (read off the GUI
//            thread): the card's parameter file of the last round.
//  replace   The durable replacement done by hand: write a temporary file, fdatasync, rename over the old file,
//            fsync the folder: the floor that any durable "Generate" has to pay, which "generate" is held against.
// Prints one summary line per measure with the median and quartiles in microseconds, in key=value form.
#include "app/WindowSetup.h"
#include "base/DurableFile.h"
#include "support/FakeDrivePlatform.h"
#include "window/Configurator.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace {
// Notes the moment the window gets a child while armed: the success box being made.
class ChildWatch : public QObject
{
public:
    bool armed = false;
    qint64 seenAtNs = -1;
    const QElapsedTimer* clock = nullptr;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (armed && event->type() == QEvent::ChildAdded) {
            seenAtNs = clock->nsecsElapsed();
            armed = false;
        }
        return QObject::eventFilter(watched, event);
    }
};

double median(std::vector<double> values, double quantile = 0.5)
{
    std::sort(values.begin(), values.end());
    return values[size_t(quantile * double(values.size() - 1) + 0.5)];
}

// The offscreen platform says on every box that it cannot pass size hints on: not news here.
void quietOffscreen(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (!message.contains(QLatin1String("does not support propagateSizeHints")))
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

void fail(const char* what)
{
    std::fprintf(stderr, "bench_generate: %s\n", what);
    std::exit(1);
}

void rawWrite(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush() ||
        ::fsync(file.handle()) != 0)
        fail("raw write failed");
    file.close();
}

void durableReplaceByHand(const QString& folder, const QString& name, const QByteArray& bytes)
{
    const QByteArray path = QFile::encodeName(folder + QLatin1Char('/') + name);
    const QByteArray temporary = path + ".tmp";
    const int file = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (file < 0 || ::write(file, bytes.constData(), size_t(bytes.size())) != bytes.size() || ::fdatasync(file) != 0)
        fail("replace: write failed");
    ::close(file);
    if (::rename(temporary.constData(), path.constData()) != 0)
        fail("replace: rename failed");
    const int directory = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (directory < 0 || ::fsync(directory) != 0)
        fail("replace: folder fsync failed");
    ::close(directory);
}

const char* fileSystemName(const QString& path)
{
    struct statfs info
    {};
    if (::statfs(QFile::encodeName(path).constData(), &info) != 0)
        return "unknown";
    switch (info.f_type) {
    case 0x01021994:
        return "tmpfs";
    case 0xEF53:
        return "ext2/3/4";
    case 0x9123683E:
        return "btrfs";
    case 0x58465342:
        return "xfs";
    case 0x4d44:
        return "vfat";
    case 0x794c7630:
        return "overlayfs";
    default:
        return "other";
    }
}
} // namespace

int main(int argc, char* argv[])
{
    int runs = 50;
    int warmup = 5;
    QString parent = QDir::currentPath();
    for (int i = 1; i < argc; ++i) {
        const QByteArray argument = argv[i];
        if (argument == "--runs" && i + 1 < argc)
            runs = std::atoi(argv[++i]);
        else if (argument == "--warmup" && i + 1 < argc)
            warmup = std::atoi(argv[++i]);
        else if (!argument.startsWith('-'))
            parent = QFile::decodeName(argument);
        else
            fail("usage: bench_generate [--runs N] [--warmup N] [FOLDER]");
    }
    if (runs < 1 || warmup < 0)
        fail("runs must be at least 1");

    // The benchmark's own surroundings, before Qt reads them: no screen, and a settings store of its own.
    QTemporaryDir home(QDir(parent).filePath(QStringLiteral("orva-bench-home-XXXXXX")));
    QTemporaryDir card(QDir(parent).filePath(QStringLiteral("orva-bench-card-XXXXXX")));
    if (!home.isValid() || !card.isValid())
        fail("cannot make the temporary folders");
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(home.path()));
    qunsetenv("XDG_CONFIG_HOME");

    qInstallMessageHandler(quietOffscreen);
    WindowSetup::apply();
    QApplication application(argc, argv);
    auto platform = std::make_unique<FakeDrivePlatform>();
    platform->addCard(card.path(), QStringLiteral("CARD"));
    Configurator window(std::move(platform));
    int exits = 0;
    window.setExitFunction([&exits](int) { ++exits; });
    // Every round writes onto the same card: it stays in.
    if (auto* eject = window.findChild<QCheckBox*>(QStringLiteral("ejectCardCheckBox")))
        eject->setChecked(false);
    window.show();
    QApplication::processEvents();
    auto* generate = window.findChild<QPushButton*>(QStringLiteral("button_Save"));
    if (!generate)
        fail("no button_Save");

    QElapsedTimer clock;
    clock.start();
    ChildWatch watch;
    watch.clock = &clock;
    window.installEventFilter(&watch);

    const QString folder = card.path() + QStringLiteral("/02");
    const QString parameterFile = folder + QStringLiteral("/GP0_0000.VSK");
    const QString rawPath = folder + QStringLiteral("/RAW_0000.VSK");
    std::map<std::string, std::vector<double>> micros;
    QByteArray bytes;

    // Generate once untimed, for the bytes that the other measures write.
    const auto clickGenerate = [&](qint64& durableAfterNs, qint64& returnedAfterNs) {
        // The box is looked for until it shows: the window's event loop also runs while the card is written.
        QString boxTitle;
        qint64 boxShownNs = -1;
        QTimer boxWatch;
        boxWatch.setInterval(1);
        QObject::connect(&boxWatch, &QTimer::timeout, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            boxWatch.stop();
            boxShownNs = clock.nsecsElapsed();
            if (box->buttons().isEmpty())
                fail("a message box without buttons after Generate");
            boxTitle = box->windowTitle();
            box->buttons().constFirst()->click();
        });
        boxWatch.start();
        const int exitsBefore = exits;
        watch.armed = true;
        watch.seenAtNs = -1;
        const qint64 clickedNs = clock.nsecsElapsed();
        generate->click();
        returnedAfterNs = clock.nsecsElapsed() - clickedNs;
        durableAfterNs = watch.seenAtNs - clickedNs;

        if (boxShownNs < 0)
            fail("no message box after Generate");
        if (boxTitle != QLatin1String("File generated") || exits != exitsBefore + 1 || watch.seenAtNs < 0 ||
            boxShownNs < watch.seenAtNs) {
            std::fprintf(stderr, "bench_generate: the box said \"%s\"\n", qPrintable(boxTitle));
            fail("Generate did not end with \"File generated\"");
        }
        QFile written(parameterFile);
        if (!written.open(QIODevice::ReadOnly))
            fail("no parameter file on the card");
        bytes = written.readAll();
        if (bytes.size() < 102 || bytes.size() > 160)
            fail("unexpected parameter file size");
    };
    qint64 unusedNs = 0;
    clickGenerate(unusedNs, unusedNs);

    // Each measure returns its time in nanoseconds. The order turns every round, so that none always follows the
    // same one (a flush can leave work behind for the next).
    using Measure = std::pair<const char*, std::function<std::vector<std::pair<const char*, qint64>>()>>;
    const std::vector<Measure> measures{
        {"generate",
         [&] {
             qint64 durableNs = 0;
             qint64 returnedNs = 0;
             clickGenerate(durableNs, returnedNs);
             return std::vector<std::pair<const char*, qint64>>{{"generate", durableNs}, {"slot", returnedNs}};
         }},
        {"raw",
         [&] {
             // The file of the previous round goes first, untimed: the plain write makes a new file.
             QFile::remove(rawPath);
             QElapsedTimer timer;
             timer.start();
             rawWrite(rawPath, bytes);
             return std::vector<std::pair<const char*, qint64>>{{"raw", timer.nsecsElapsed()}};
         }},
        {"replace",
         [&] {
             QElapsedTimer timer;
             timer.start();
             durableReplaceByHand(folder, QStringLiteral("BYHAND.VSK"), bytes);
             return std::vector<std::pair<const char*, qint64>>{{"replace", timer.nsecsElapsed()}};
         }},
        {"cardline",
         [&] {
             // The card chosen again: its line is read off the GUI thread and shown once the read answers.
             auto* cards = window.findChild<QComboBox*>(QStringLiteral("sdCardPath"));
             auto* line = window.findChild<QLabel*>(QStringLiteral("cardContentsLabel"));
             if (!cards || !line)
                 fail("no card list or card line");
             cards->setCurrentIndex(-1);
             QApplication::processEvents();
             QElapsedTimer timer;
             timer.start();
             cards->setCurrentIndex(0);
             while (!line->text().startsWith(QLatin1String("On the card: ")) && timer.elapsed() < 5000)
                 QApplication::processEvents(QEventLoop::AllEvents, 1);
             if (!line->text().startsWith(QLatin1String("On the card: ")))
                 fail("the card line did not tell what the card holds");
             return std::vector<std::pair<const char*, qint64>>{{"cardline", timer.nsecsElapsed()}};
         }},
        {"durable",
         [&] {
             QElapsedTimer timer;
             timer.start();
             if (!writeDurably(parameterFile, bytes).written())
                 fail("writeDurably failed");
             return std::vector<std::pair<const char*, qint64>>{{"durable", timer.nsecsElapsed()}};
         }},
    };
    for (int round = 0; round < warmup + runs; ++round) {
        for (size_t i = 0; i < measures.size(); ++i) {
            const auto results = measures[(size_t(round) + i) % measures.size()].second();
            if (round < warmup)
                continue;
            for (const auto& [name, nanoseconds] : results)
                micros[name].push_back(double(nanoseconds) / 1e3);
        }
    }

    std::printf("folder path=%s fs=%s bytes=%d runs=%d qt=%s\n", qPrintable(folder), fileSystemName(folder),
                int(bytes.size()), runs, qVersion());
    for (const auto& [name, values] : micros)
        std::printf("summary name=%s median_us=%.1f q1_us=%.1f q3_us=%.1f min_us=%.1f\n", name.c_str(), median(values),
                    median(values, 0.25), median(values, 0.75), *std::min_element(values.begin(), values.end()));
    return 0;
}
