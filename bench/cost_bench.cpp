// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The running cost of the program's window, first in the set-up state and then
// through a running match, beside the bare window doing the least a countdown
// must. Counted in instructions per tick under callgrind, the ticks delivered
// by hand, which gives the same count run after run; and, for information, CPU
// time and wakeups in real time, both windows at once, each in its own process.
#include "barewindow.h"
#include "benchutil.h"
#include "callgrind.h"

#include "match/basVDTimer.h"
#include "window/frmVDTimer.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimerEvent>

#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <stdexcept>
#include <thread>

using namespace std::chrono_literals;

namespace {

// One of the two windows, and what the benchmark drives of it.
struct Subject {
    std::unique_ptr<QWidget> window;
    QTimer* timer = nullptr; // the one-second timer
    QLabel* clock = nullptr; // the game's time left
    std::function<void()> start;
};

Subject subject(bool real, PeriodicTimer::Clock clock = {})
{
    Subject s;
    if (real) {
        basVDTimer::resetState();
        auto w = std::make_unique<frmVDTimer>(nullptr, std::move(clock));
        s.timer = w->Timer1->findChild<QTimer*>(QString(), Qt::FindDirectChildrenOnly);
        s.clock = w->lblGameNokori;
        s.start = [p = w.get()] { p->cmdStart->click(); };
        s.window = std::move(w);
    } else {
        auto w = std::make_unique<BareWindow>();
        s.timer = w->timer();
        s.clock = w->controls().lblGameNokori;
        s.start = [p = w.get()] { p->startCountdown(); };
        s.window = std::move(w);
    }
    if (!s.timer)
        throw std::runtime_error("the window has no timer to drive");
    return s;
}

class PaintCounter : public QObject {
public:
    using QObject::QObject;
    int paints = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        paints += event->type() == QEvent::Paint;
        return QObject::eventFilter(watched, event);
    }
};

// Under callgrind: the window on a clock that moves only when a tick is
// delivered, so that no real time enters the count.
int runCounted(int argc, char* argv[])
{
    // Not X: its event thread reads what the server sends when it comes,
    // and the count would move with it.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const bool real = qstrcmp(argv[2], "real") == 0;
    const int setupTicks = std::atoi(argv[3]);
    const int matchTicks = std::atoi(argv[4]);
    std::chrono::nanoseconds now{};
    const Subject s = subject(real, [&now] { return now; });
    PaintCounter counter;
    s.clock->installEventFilter(&counter);
    std::printf("platform=%s\n", qPrintable(QGuiApplication::platformName()));
    s.window->show();
    // To the first frame without timers: whether one came by then would
    // depend on real time.
    for (int i = 0; i < 100 && counter.paints == 0; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::X11ExcludeTimers);
    if (counter.paints == 0) {
        std::fprintf(stderr, "the window was not painted\n");
        return 2;
    }

    // What the event loop does for a tick: the timer's event, then the
    // repaint it asked for. The loop itself is left out, as it is the same
    // for both windows: one timer each.
    const auto tick = [&] {
        now += 1s;
        QTimerEvent event(s.timer->timerId());
        QCoreApplication::sendEvent(s.timer, &event);
        QCoreApplication::sendPostedEvents();
    };
    const auto phase = [&](const char* name, int ticks) {
        // The first ticks of a state lay out text and fill the glyph cache.
        for (int i = 0; i < 10; ++i)
            tick();
        const int paints = counter.paints;
        bench::callgrind::zero();
        for (int i = 0; i < ticks; ++i)
            tick();
        bench::callgrind::endPhase(name);
        bench::printFigure(QByteArray(name) + ".paints", counter.paints - paints);
    };
    bench::callgrind::instrument();
    phase("setup", setupTicks);
    s.start();
    QCoreApplication::sendPostedEvents();
    if (real && basVDTimer::intGameNokori <= 0) {
        std::fprintf(stderr, "the match did not start\n");
        return 2;
    }
    phase("match", matchTicks);
    return 0;
}

struct Reading {
    std::int64_t wallNs = bench::nowNs();
    std::int64_t cpuNs = bench::processCpuNs();
    long awakes = 0;
};

void print(const char* phase, const Reading& from, const Reading& to)
{
    const double seconds = double(to.wallNs - from.wallNs) / 1e9;
    const QByteArray prefix(phase);
    bench::printFigure(prefix + ".seconds", seconds);
    bench::printFigure(prefix + ".cpu_ms_per_min",
                       double(to.cpuNs - from.cpuNs) / 1e6 * 60 / seconds);
    // The phase's own closing timer is the benchmark's wakeup, not the window's.
    bench::printFigure(prefix + ".awake_per_s", double(to.awakes - from.awakes - 1) / seconds);
}

// In real time, on the real clock.
int runTimed(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const int setupMs = std::atoi(argv[3]);
    const int matchMs = std::atoi(argv[4]);
    const Subject s = subject(qstrcmp(argv[2], "real") == 0);
    QWidget* window = s.window.get();
    long awakes = 0;
    QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::awake, window,
                     [&awakes] { ++awakes; });
    window->show();

    // The first showing settles, then each phase is read from end to end.
    Reading from;
    const auto begin = [&] {
        from = Reading();
        from.awakes = awakes;
    };
    const auto end = [&](const char* phase) {
        Reading to;
        to.awakes = awakes;
        print(phase, from, to);
    };
    QTimer::singleShot(1000, window, [&] {
        begin();
        QTimer::singleShot(setupMs, Qt::PreciseTimer, window, [&] {
            end("setup");
            s.start();
            QTimer::singleShot(500, window, [&] {
                begin();
                QTimer::singleShot(matchMs, Qt::PreciseTimer, window, [&] {
                    end("match");
                    QCoreApplication::quit();
                });
            });
        });
    });
    return QApplication::exec();
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc == 5 && qstrcmp(argv[1], "--child") == 0)
        return runTimed(argc, argv);
    if (argc == 5 && qstrcmp(argv[1], "--count") == 0)
        return runCounted(argc, argv);
    QCoreApplication app(argc, argv);
    const QString setupMs = QString::number((argc > 1 ? std::atoi(argv[1]) : 20) * 1000);
    const QString matchMs = QString::number((argc > 2 ? std::atoi(argv[2]) : 60) * 1000);
    // Ten ticks to warm up and these must all fall in the window's first turn
    // of 120 s: the bare window's turns never end.
    const int ticks = argc > 3 ? std::atoi(argv[3]) : 100;
    if (ticks < 1 || ticks > 110) {
        std::fprintf(stderr, "usage: cost_bench [set-up s] [match s] [ticks counted, 1 to 110]\n");
        return 2;
    }
    bench::Figures countedReal, countedBare, real, bare;
    try {
        // Both counted at once: a count does not depend on what the other core does.
        const auto count = [&](const char* variant) {
            return std::make_unique<bench::callgrind::Counted>(
                QStringList{QStringLiteral("--count"), QLatin1String(variant),
                            QString::number(ticks), QString::number(ticks)},
                false);
        };
        const auto realCount = count("real");
        const auto bareCount = count("bare");
        countedReal = realCount->finish();
        countedBare = bareCount->finish();
        for (const bench::Figures* counted : {&countedReal, &countedBare})
            if (bench::number(*counted, QStringLiteral("match.paints")) < ticks)
                throw std::runtime_error("a running window was counted without its repaints");

        bench::Child realChild(
            {QStringLiteral("--child"), QStringLiteral("real"), setupMs, matchMs});
        // Half a second apart, so are their ticks: a tick that comes just after
        // the other's finds Qt's shared code still in the caches, and costs less.
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        bench::Child bareChild(
            {QStringLiteral("--child"), QStringLiteral("bare"), setupMs, matchMs});
        real = realChild.finish();
        bare = bareChild.finish();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 2;
    }

    const auto perTick = [&](const char* label, const char* key, double target) {
        return bench::reportRatio(label, bench::number(countedReal, QLatin1String(key)) / ticks,
                                  bench::number(countedBare, QLatin1String(key)) / ticks, target,
                                  0);
    };
    const auto ratio = [&](const char* label, const char* key, double target, int decimals) {
        return bench::reportRatio(label, bench::number(real, QLatin1String(key)),
                                  bench::number(bare, QLatin1String(key)), target, decimals);
    };
    std::printf("== Running cost: instructions per tick, counted by callgrind, the ticks delivered "
                "by hand\n   (%s platform)\n",
                qPrintable(countedReal.value(QStringLiteral("platform"))));
    std::printf("   %-40s %10s %10s %7s\n", "", "window", "bare", "ratio");
    std::printf("   set-up state, %d ticks:\n", ticks);
    perTick("  instructions per tick", "instructions.setup", -1);
    std::printf("   running match, %d ticks:\n", ticks);
    bool met = perTick("  instructions per tick", "instructions.match", 1.05);
    perTick("  not counted: allocator's list search", "allocator.match", -1);
    std::printf("   The allocator's search of its free lists is left out: it depends on the heap\n"
                "   that start-up left, which differs from run to run, not on the tick.\n");
    std::printf("\n== Running cost in real time, the window beside the bare window, run at once "
                "(%s platform)\n",
                qPrintable(qEnvironmentVariable("QT_QPA_PLATFORM")));
    std::printf("   %-40s %10s %10s %7s\n", "", "window", "bare", "ratio");
    std::printf("   set-up state, %.0f s:\n", bench::number(real, QStringLiteral("setup.seconds")));
    met &= ratio("  wakeups per second", "setup.awake_per_s", 1.2, 2);
    ratio("  CPU ms per minute", "setup.cpu_ms_per_min", -1, 1);
    std::printf("   running match, %.0f s:\n",
                bench::number(real, QStringLiteral("match.seconds")));
    ratio("  CPU ms per minute", "match.cpu_ms_per_min", -1, 1);
    ratio("  wakeups per second", "match.awake_per_s", -1, 2);
    std::printf("   CPU time carries no target: at %.2f %% of one core, it is smeared from run to\n"
                "   run by more than the target's 5 %% by the time slices of a busy or shared\n"
                "   machine. The instruction counts above do not move with the load.\n",
                bench::number(real, QStringLiteral("match.cpu_ms_per_min")) / 600);
    return met ? 0 : 3;
}
