// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

// CPU time and event-loop wakeups of the program's window, first in the
// set-up state and then through a running match, beside the bare window
// doing the least a countdown must. Both run at once, each in its own process.
#include "barewindow.h"
#include "benchutil.h"

#include "window/frmVDTimer.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QPushButton>

#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <stdexcept>
#include <thread>

namespace {

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

int runChild(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const bool real = qstrcmp(argv[2], "real") == 0;
    const int setupMs = std::atoi(argv[3]);
    const int matchMs = std::atoi(argv[4]);
    std::unique_ptr<QWidget> window;
    std::function<void()> start;
    if (real) {
        auto w = std::make_unique<frmVDTimer>();
        start = [p = w.get()] { p->cmdStart->click(); };
        window = std::move(w);
    } else {
        auto w = std::make_unique<BareWindow>();
        start = [p = w.get()] { p->startCountdown(); };
        window = std::move(w);
    }
    long awakes = 0;
    QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::awake,
                     window.get(), [&awakes] { ++awakes; });
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
    QTimer::singleShot(1000, window.get(), [&] {
        begin();
        QTimer::singleShot(setupMs, Qt::PreciseTimer, window.get(), [&] {
            end("setup");
            start();
            QTimer::singleShot(500, window.get(), [&] {
                begin();
                QTimer::singleShot(matchMs, Qt::PreciseTimer, window.get(), [&] {
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
        return runChild(argc, argv);
    QCoreApplication app(argc, argv);
    const QString setupMs = QString::number((argc > 1 ? std::atoi(argv[1]) : 20) * 1000);
    const QString matchMs = QString::number((argc > 2 ? std::atoi(argv[2]) : 60) * 1000);
    bench::Figures real, bare;
    try {
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

    const auto ratio = [&](const char* label, const char* key, double target, int decimals) {
        return bench::reportRatio(label, bench::number(real, QLatin1String(key)),
                                  bench::number(bare, QLatin1String(key)), target, decimals);
    };
    std::printf("== Running cost, the window beside the bare window, run at once (%s platform)\n",
                qPrintable(qEnvironmentVariable("QT_QPA_PLATFORM")));
    std::printf("   %-40s %10s %10s %7s\n", "", "window", "bare", "ratio");
    std::printf("   set-up state, %.0f s:\n", bench::number(real, QStringLiteral("setup.seconds")));
    bool met = ratio("  wakeups per second", "setup.awake_per_s", 1.2, 2);
    ratio("  CPU ms per minute", "setup.cpu_ms_per_min", -1, 1);
    std::printf("   running match, %.0f s:\n",
                bench::number(real, QStringLiteral("match.seconds")));
    met &= ratio("  CPU ms per minute", "match.cpu_ms_per_min", 1.05, 1);
    ratio("  wakeups per second", "match.awake_per_s", -1, 2);
    return met ? 0 : 3;
}
