// Start-up time and peak memory of X11 programs, watched from outside: the program runs unchanged.
//
// startup_watch [--runs N] [--warmup N] [--settle-ms MS] [--timeout-ms MS] [--terminate] [--verbose] NAME=PROGRAM...
//
// The programs take turns (A B A B ...), each run in a fresh empty HOME, so that none finds what an earlier run
// remembered. One run:
//  1. The watcher has selected SubstructureNotify on the root window, so the server tells it about every top-level
//     window that is created or mapped. The clock (CLOCK_MONOTONIC) is read right before fork(); the child execs the
//     program.
//  2. CreateNotify of a top-level window: a Damage object (XDamage, level NonEmpty) is put on it at once, before the
//     program can map it, so that no paint can slip past between the map and the watcher's reaction.
//  3. MapNotify of a top-level window whose _NET_WM_PID is the child's pid: that is the program's window.
//  4. The first DamageNotify on that window after its map is its first paint: the server reports it when it has
//     executed the program's first image upload (the backing store flush after the first Expose). A mapped Qt window
//     has no background of its own (background None), so the map itself draws nothing and causes no damage; damage
//     on a window before it is mapped is thrown away (the region is emptied so the next paint reports again).
//     Right then the processor time that all the program's threads have used so far is read from
//     /proc/<pid>/task/*/schedstat: unlike the clock, it hardly grows when other programs share the processors.
//  5. Memory: after a short settle (the program is idle then), VmHWM and VmRSS from /proc/<pid>/status.
//  6. The window is closed as a window manager would (WM_DELETE_WINDOW), so the program ends normally (and saves its
//     settings into the temporary HOME); wait4() gives its exit status and ru_maxrss. SIGKILL after a time-out.
//     With --terminate it gets SIGTERM instead, which ends it where it stands: for a program run under a profiler
//     (valgrind --tool=callgrind), whose counts then end at the first paint and the idle settle after it.
// Prints one line per run and a summary line per program with the medians, in key=value form.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

namespace {
struct Program
{
    std::string name;
    std::string path;
};

struct Options
{
    int runs = 20;
    int warmup = 2;
    int settleMs = 500;
    int timeoutMs = 20000;
    bool terminate = false;
    bool verbose = false;
    std::vector<Program> programs;
};

struct RunResult
{
    bool ok = false;
    double mapMs = 0;
    double paintMs = 0;
    double cpuMs = 0;
    long vmHwmKb = 0;
    long vmRssKb = 0;
    long maxRssKb = 0;
    int exitStatus = -1;
};

double nowMs()
{
    timespec time{};
    clock_gettime(CLOCK_MONOTONIC, &time);
    return double(time.tv_sec) * 1e3 + double(time.tv_nsec) / 1e6;
}

// A window may be gone before a request about it arrives (a short-lived helper window): that is not an error here.
int ignoreXErrors(Display*, XErrorEvent*)
{
    return 0;
}

long statusFieldKb(pid_t pid, const char* field)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    const std::string prefix = std::string(field) + ":";
    while (std::getline(status, line)) {
        if (line.compare(0, prefix.size(), prefix) == 0)
            return std::strtol(line.c_str() + prefix.size(), nullptr, 10);
    }
    return -1;
}

// Processor time used by every thread of the process so far (the first field of each thread's schedstat, in
// nanoseconds); -1 when the kernel does not tell.
double cpuMs(pid_t pid)
{
    std::error_code error;
    double total = 0;
    bool found = false;
    for (const auto& task : std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/task", error)) {
        std::ifstream schedstat(task.path() / "schedstat");
        unsigned long long runNs = 0;
        if (schedstat >> runNs) {
            total += double(runNs) / 1e6;
            found = true;
        }
    }
    return found ? total : -1;
}

class Watcher
{
public:
    explicit Watcher(const Options& options) : options(options) {}

    bool open()
    {
        display = XOpenDisplay(nullptr);
        if (!display) {
            std::fprintf(stderr, "startup_watch: cannot open the display (DISPLAY=%s)\n",
                         std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "");
            return false;
        }
        int error = 0;
        if (!XDamageQueryExtension(display, &damageEvent, &error)) {
            std::fprintf(stderr, "startup_watch: the X server has no DAMAGE extension\n");
            return false;
        }
        XSetErrorHandler(ignoreXErrors);
        // The programs must not inherit the watcher's connection.
        fcntl(ConnectionNumber(display), F_SETFD, FD_CLOEXEC);
        root = DefaultRootWindow(display);
        wmPid = XInternAtom(display, "_NET_WM_PID", False);
        wmProtocols = XInternAtom(display, "WM_PROTOCOLS", False);
        wmDeleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
        XSelectInput(display, root, SubstructureNotifyMask);
        XSync(display, False);
        return true;
    }

    RunResult run(const Program& program)
    {
        RunResult result;
        char homeTemplate[] = "/tmp/orva-startup-XXXXXX";
        const char* home = mkdtemp(homeTemplate);
        if (!home) {
            std::perror("startup_watch: mkdtemp");
            return result;
        }
        drainEvents();

        const double start = nowMs();
        const pid_t pid = fork();
        if (pid == 0) {
            setenv("HOME", home, 1);
            setenv("XDG_RUNTIME_DIR", home, 1);
            unsetenv("XDG_CONFIG_HOME");
            execl(program.path.c_str(), program.path.c_str(), static_cast<char*>(nullptr));
            std::perror("startup_watch: exec");
            _exit(127);
        }
        if (pid < 0) {
            std::perror("startup_watch: fork");
            return result;
        }

        Window window = None;
        bool painted = false;
        while (!painted) {
            const double remaining = start + options.timeoutMs - nowMs();
            if (remaining <= 0 || !waitForEvent(int(remaining)))
                break;
            while (XPending(display) && !painted) {
                XEvent event;
                XNextEvent(display, &event);
                if (event.type == CreateNotify && event.xcreatewindow.parent == root) {
                    track(event.xcreatewindow.window);
                } else if (event.type == MapNotify && event.xmap.event == root && window == None &&
                           !event.xmap.override_redirect && windowPid(event.xmap.window) == pid) {
                    window = event.xmap.window;
                    track(window);
                    result.mapMs = nowMs() - start;
                    if (options.verbose)
                        std::fprintf(stderr, "  map 0x%lx at %.2f ms\n", window, result.mapMs);
                } else if (event.type == DestroyNotify && event.xdestroywindow.event == root) {
                    damages.erase(event.xdestroywindow.window);
                } else if (event.type == damageEvent + XDamageNotify) {
                    const auto& damage = reinterpret_cast<const XDamageNotifyEvent&>(event);
                    if (options.verbose)
                        std::fprintf(stderr, "  damage 0x%lx %dx%d+%d+%d at %.2f ms\n", damage.drawable,
                                     damage.area.width, damage.area.height, damage.area.x, damage.area.y,
                                     nowMs() - start);
                    if (window != None && damage.drawable == window) {
                        result.paintMs = nowMs() - start;
                        result.cpuMs = cpuMs(pid);
                        painted = true;
                    } else {
                        XDamageSubtract(display, damage.damage, None, None);
                    }
                }
            }
        }

        if (painted) {
            settle();
            result.vmHwmKb = statusFieldKb(pid, "VmHWM");
            result.vmRssKb = statusFieldKb(pid, "VmRSS");
            if (options.terminate)
                kill(pid, SIGTERM);
            else
                closeWindow(window);
        } else {
            std::fprintf(stderr, "startup_watch: %s showed no painted window within %d ms\n", program.name.c_str(),
                         options.timeoutMs);
            kill(pid, SIGKILL);
        }
        result.ok = painted && reap(pid, result);
        forgetDamages();
        std::filesystem::remove_all(home);
        return result;
    }

private:
    void track(Window window)
    {
        if (damages.count(window) == 0)
            damages[window] = XDamageCreate(display, window, XDamageReportNonEmpty);
        XFlush(display);
    }

    void forgetDamages()
    {
        for (const auto& [window, damage] : damages)
            XDamageDestroy(display, damage);
        damages.clear();
        XSync(display, False);
        drainEvents();
    }

    long windowPid(Window window)
    {
        Atom type = None;
        int format = 0;
        unsigned long count = 0;
        unsigned long after = 0;
        unsigned char* data = nullptr;
        long pid = -1;
        if (XGetWindowProperty(display, window, wmPid, 0, 1, False, XA_CARDINAL, &type, &format, &count, &after,
                               &data) == Success &&
            data && count == 1 && format == 32)
            pid = long(*reinterpret_cast<unsigned long*>(data));
        if (data)
            XFree(data);
        return pid;
    }

    bool waitForEvent(int timeoutMs)
    {
        if (XPending(display))
            return true;
        pollfd descriptor{ConnectionNumber(display), POLLIN, 0};
        return poll(&descriptor, 1, timeoutMs) > 0;
    }

    void drainEvents()
    {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
        }
    }

    void settle()
    {
        const double until = nowMs() + options.settleMs;
        for (double left = options.settleMs; left > 0; left = until - nowMs()) {
            waitForEvent(int(left) + 1);
            drainEvents();
        }
    }

    void closeWindow(Window window)
    {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = wmProtocols;
        event.xclient.format = 32;
        event.xclient.data.l[0] = long(wmDeleteWindow);
        event.xclient.data.l[1] = CurrentTime;
        XSendEvent(display, window, False, NoEventMask, &event);
        XFlush(display);
    }

    bool reap(pid_t pid, RunResult& result)
    {
        // A profiler writes its counts when the program ends: that takes a while.
        const double deadline = nowMs() + (options.terminate ? 60000 : 5000);
        int status = 0;
        rusage usage{};
        pid_t done = 0;
        while ((done = wait4(pid, &status, WNOHANG, &usage)) == 0 && nowMs() < deadline)
            usleep(2000);
        if (done == 0) {
            std::fprintf(stderr, "startup_watch: pid %d did not end after WM_DELETE_WINDOW\n", int(pid));
            kill(pid, SIGKILL);
            wait4(pid, &status, 0, &usage);
            return false;
        }
        result.maxRssKb = usage.ru_maxrss;
        result.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        return result.exitStatus == (options.terminate ? 128 + SIGTERM : 0);
    }

    const Options& options;
    Display* display = nullptr;
    Window root = None;
    int damageEvent = 0;
    Atom wmPid = None;
    Atom wmProtocols = None;
    Atom wmDeleteWindow = None;
    std::map<Window, Damage> damages;
};

template <typename T> T median(std::vector<T> values)
{
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

bool parse(int argc, char* argv[], Options& options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        const auto value = [&]() { return i + 1 < argc ? std::atoi(argv[++i]) : -1; };
        if (argument == "--runs")
            options.runs = value();
        else if (argument == "--warmup")
            options.warmup = value();
        else if (argument == "--settle-ms")
            options.settleMs = value();
        else if (argument == "--timeout-ms")
            options.timeoutMs = value();
        else if (argument == "--terminate")
            options.terminate = true;
        else if (argument == "--verbose")
            options.verbose = true;
        else if (const size_t equals = argument.find('='); equals != std::string::npos && equals > 0)
            options.programs.push_back({argument.substr(0, equals), argument.substr(equals + 1)});
        else
            return false;
    }
    return !options.programs.empty() && options.runs > 0 && options.warmup >= 0 && options.settleMs >= 0 &&
           options.timeoutMs > 0;
}
} // namespace

int main(int argc, char* argv[])
{
    Options options;
    if (!parse(argc, argv, options)) {
        std::fprintf(stderr, "usage: startup_watch [--runs N] [--warmup N] [--settle-ms MS] [--timeout-ms MS] "
                             "[--terminate] [--verbose] NAME=PROGRAM...\n");
        return 2;
    }
    Watcher watcher(options);
    if (!watcher.open())
        return 1;

    // Warm-up runs fill the page cache and the server's font and glyph caches for every program alike.
    for (int round = 0; round < options.warmup; ++round) {
        for (const Program& program : options.programs)
            watcher.run(program);
    }

    std::vector<std::vector<RunResult>> results(options.programs.size());
    for (int round = 0; round < options.runs; ++round) {
        for (size_t p = 0; p < options.programs.size(); ++p) {
            const RunResult result = watcher.run(options.programs[p]);
            std::printf("run name=%s round=%d ok=%d map_ms=%.2f paint_ms=%.2f cpu_ms=%.2f vmhwm_kb=%ld vmrss_kb=%ld "
                        "maxrss_kb=%ld exit=%d\n",
                        options.programs[p].name.c_str(), round, int(result.ok), result.mapMs, result.paintMs,
                        result.cpuMs, result.vmHwmKb, result.vmRssKb, result.maxRssKb, result.exitStatus);
            std::fflush(stdout);
            if (!result.ok)
                return 1;
            results[p].push_back(result);
        }
    }

    for (size_t p = 0; p < options.programs.size(); ++p) {
        std::vector<double> map, paint, cpu;
        std::vector<long> hwm, rss, maxRss;
        for (const RunResult& result : results[p]) {
            map.push_back(result.mapMs);
            paint.push_back(result.paintMs);
            cpu.push_back(result.cpuMs);
            hwm.push_back(result.vmHwmKb);
            rss.push_back(result.vmRssKb);
            maxRss.push_back(result.maxRssKb);
        }
        std::sort(paint.begin(), paint.end());
        const auto quartile = [&paint](double q) { return paint[size_t(q * double(paint.size() - 1) + 0.5)]; };
        std::printf("summary name=%s runs=%zu map_ms=%.2f paint_ms=%.2f paint_min_ms=%.2f paint_max_ms=%.2f "
                    "paint_q1_ms=%.2f paint_q3_ms=%.2f cpu_ms=%.2f vmhwm_kb=%ld vmrss_kb=%ld maxrss_kb=%ld\n",
                    options.programs[p].name.c_str(), results[p].size(), median(map), median(paint), paint.front(),
                    paint.back(), quartile(0.25), quartile(0.75), median(cpu), median(hwm), median(rss),
                    median(maxRss));
    }
    return 0;
}
