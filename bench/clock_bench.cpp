// The window's one-second timer against a plain repeating QTimer in the same
// process, for a minute of a running match, with the event thread blocked once
// and, if asked, both cores saturated by busy child processes.
#include "measure.h"

#include "match/basVDTimer.h"
#include "window/frmVDTimer.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace std::chrono_literals;
using std::chrono::nanoseconds;

namespace {

nanoseconds now()
{
    return std::chrono::steady_clock::now().time_since_epoch();
}

double ms(nanoseconds value)
{
    return std::chrono::duration<double, std::milli>(value).count();
}

struct Options {
    int seconds = 60;
    int stallMs = 2500;
    int stallAfterTick = 20;
    int hogs = 0;
};

Options parse(int argc, char* argv[])
{
    Options options;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string name = argv[i];
        const int value = std::stoi(argv[i + 1]);
        if (name == "--seconds")
            options.seconds = value;
        else if (name == "--stall-ms")
            options.stallMs = value;
        else if (name == "--stall-after")
            options.stallAfterTick = value;
        else if (name == "--hog")
            options.hogs = value;
    }
    return options;
}

// Busy child processes at normal priority. Forked before Qt starts any thread;
// they die with the benchmark, however it ends.
class CpuHog {
public:
    explicit CpuHog(int count)
    {
        const pid_t parent = getpid();
        for (int i = 0; i < count; ++i) {
            const pid_t pid = fork();
            if (pid == 0) {
                prctl(PR_SET_PDEATHSIG, SIGKILL);
                if (getppid() != parent)
                    _exit(0);
                volatile unsigned long spin = 0;
                for (;;)
                    spin = spin + 1;
            }
            m_pids.push_back(pid);
        }
    }

    // Stops the children; returns the share of the cores they kept busy.
    double stop()
    {
        const double seconds = std::chrono::duration<double>(now() - m_started).count();
        for (pid_t pid : m_pids)
            kill(pid, SIGKILL);
        for (pid_t pid : m_pids)
            waitpid(pid, nullptr, 0);
        rusage usage{};
        getrusage(RUSAGE_CHILDREN, &usage);
        const double cpu = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
        return cpu / seconds / std::thread::hardware_concurrency();
    }

private:
    nanoseconds m_started = now();
    std::vector<pid_t> m_pids;
};

struct Tick {
    qint64 index;
    nanoseconds emitted; // when Timer1 signalled, before the window's handler
    nanoseconds handled; // after the handler's work
};

struct Stall {
    nanoseconds begin{};
    nanoseconds end{};
    bool contains(nanoseconds t) const { return t >= begin && t < end; }
};

bool report(const Options& options, const frmVDTimer& window, const std::vector<Tick>& ticks,
            const Stall& stall, nanoseconds plainStart, const std::vector<nanoseconds>& plainTicks,
            nanoseconds end, double hogShare)
{
    const nanoseconds start = window.Timer1->startedAt();
    const qint64 expected = (end - start) / 1s;
    const qint64 lost = expected - window.Timer1->delivered();
    int early = 0;
    bool inOrder = true;
    std::vector<double> lag;
    std::vector<double> stallLag;
    std::vector<double> work;
    for (size_t i = 0; i < ticks.size(); ++i) {
        const Tick& tick = ticks[i];
        inOrder = inOrder && tick.index == qint64(i) + 1;
        const nanoseconds due = start + tick.index * 1s;
        early += tick.emitted < due;
        if (stall.contains(due))
            stallLag.push_back(ms(tick.emitted - stall.end));
        else
            lag.push_back(ms(tick.emitted - due));
        work.push_back(ms(tick.handled - tick.emitted) * 1000);
    }
    const double lagMedian = bench::median(lag);
    const double lagMax = lag.empty() ? 0 : *std::max_element(lag.begin(), lag.end());

    std::printf(
        "== Clock: %d s of a running match, %s, %s (%s platform)\n", options.seconds,
        options.stallMs ? ("event thread blocked " + bench::format(options.stallMs / 1000.0, 1) +
                           " s after plain tick " + std::to_string(options.stallAfterTick))
                              .c_str()
                        : "no stall",
        options.hogs ? (std::to_string(options.hogs) + " busy processes").c_str() : "no CPU hog",
        qPrintable(QGuiApplication::platformName()));
    if (options.hogs)
        std::printf("   CPU hog: %d busy processes kept %.0f%% of the %u cores busy\n",
                    options.hogs, 100 * hogShare, std::thread::hardware_concurrency());
    std::printf("   Timer1 (window)     : %lld ticks of %lld due, %lld s lost, %d early%s\n",
                static_cast<long long>(window.Timer1->delivered()),
                static_cast<long long>(expected), static_cast<long long>(lost), early,
                inOrder ? "" : ", OUT OF ORDER");
    std::printf(
        "     lag behind due    : median %.3f ms, max %.3f ms (%zu ticks not due in the stall)\n",
        lagMedian, lagMax, lag.size());
    if (!stallLag.empty())
        std::printf("     due in the stall  : %zu ticks, came %.3f to %.3f ms after it ended\n",
                    stallLag.size(), *std::min_element(stallLag.begin(), stallLag.end()),
                    *std::max_element(stallLag.begin(), stallLag.end()));
    std::printf("     handler work      : median %.0f us, max %.0f us per tick\n",
                bench::median(work),
                work.empty() ? 0 : *std::max_element(work.begin(), work.end()));

    const qint64 plainExpected = (end - plainStart) / 1s;
    const long plainCount = long(plainTicks.size());
    const nanoseconds slip =
        plainTicks.empty() ? 0ns : plainTicks.back() - (plainStart + plainCount * 1s);
    std::vector<double> gaps;
    for (size_t i = 1; i < plainTicks.size(); ++i)
        gaps.push_back(ms(plainTicks[i] - plainTicks[i - 1]));
    std::printf(
        "   plain QTimer 1000 ms: %lld ticks of %lld due, %lld s lost, schedule slipped %.3f s\n",
        static_cast<long long>(plainCount), static_cast<long long>(plainExpected),
        static_cast<long long>(plainExpected - plainCount), ms(slip) / 1000);
    if (!gaps.empty())
        std::printf("     gap between ticks : shortest %.1f ms, median %.1f ms, longest %.1f ms\n",
                    *std::min_element(gaps.begin(), gaps.end()), bench::median(gaps),
                    *std::max_element(gaps.begin(), gaps.end()));

    const bool met = lost == 0 && early == 0 && inOrder && lagMedian <= 5 && lagMax <= 20;
    std::printf("   targets (0 s lost, never early, lag median <= 5 ms, max <= 20 ms): %s\n",
                met ? "met" : "MISSED");
    return met;
}

} // namespace

int main(int argc, char* argv[])
{
    const Options options = parse(argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    CpuHog hog(options.hogs);

    QApplication app(argc, argv);
    basVDTimer::resetState();
    frmVDTimer window;

    // Stamps on either side of the window's own handler, in the order Qt calls them.
    std::vector<Tick> ticks;
    ticks.reserve(size_t(options.seconds) * 2);
    Stall stall;
    if (!QObject::disconnect(window.Timer1, &PeriodicTimer::timeout, &window,
                             &frmVDTimer::Timer1_Timer)) {
        std::fprintf(stderr, "Timer1 is not wired to Timer1_Timer\n");
        return 2;
    }
    QObject::connect(window.Timer1, &PeriodicTimer::timeout, &app, [&] {
        ticks.push_back({window.Timer1->delivered(), now(), {}});
    });
    QObject::connect(window.Timer1, &PeriodicTimer::timeout, &window, &frmVDTimer::Timer1_Timer);
    QObject::connect(window.Timer1, &PeriodicTimer::timeout, &app,
                     [&] { ticks.back().handled = now(); });

    std::vector<nanoseconds> plainTicks;
    QTimer plain;
    plain.setInterval(1000);
    QObject::connect(&plain, &QTimer::timeout, &app, [&] {
        plainTicks.push_back(now());
        // A handler run right after the plain timer's tick blocks the event
        // thread once, so that the plain timer shows its usual loss.
        if (options.stallMs && plainTicks.size() == size_t(options.stallAfterTick))
            QTimer::singleShot(0, &app, [&] {
                stall.begin = now();
                std::this_thread::sleep_for(std::chrono::milliseconds(options.stallMs));
                stall.end = now();
            });
    });
    const nanoseconds plainStart = now();
    plain.start();

    window.show();
    window.cmdStart->click();
    if (basVDTimer::intGameNokori <= 0) {
        std::fprintf(stderr, "the match did not start\n");
        return 2;
    }

    // Ends between two due times, so that the count due is never in doubt.
    const nanoseconds end =
        window.Timer1->startedAt() + std::chrono::seconds(options.seconds) + 750ms;
    bool met = false;
    QTimer::singleShot(
        std::chrono::ceil<std::chrono::milliseconds>(end - now()), Qt::PreciseTimer, &app, [&] {
            const nanoseconds endedAt = now();
            const double hogShare = hog.stop();
            met = report(options, window, ticks, stall, plainStart, plainTicks, endedAt, hogShare);
            app.quit();
        });
    QApplication::exec();
    std::fflush(stdout);
    return met ? 0 : 3;
}
