// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Timer1 against a plain repeating QTimer in the same process, through a
// minute of a running match, with the event thread blocked once.
#include "benchutil.h"

#include "match/basVDTimer.h"
#include "window/frmVDTimer.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

using namespace std::chrono_literals;
using std::chrono::nanoseconds;

namespace {

nanoseconds now()
{
    return nanoseconds(bench::nowNs());
}

double ms(nanoseconds value)
{
    return std::chrono::duration<double, std::milli>(value).count();
}

} // namespace

int main(int argc, char* argv[])
{
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 60;
    const int stallMs = argc > 2 ? std::atoi(argv[2]) : 2500;
    const size_t stallAfterTick = 20;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    basVDTimer::resetState();
    frmVDTimer window;

    // When each event of Timer1 came, before the window's own handler.
    std::vector<std::pair<qint64, nanoseconds>> ticks;
    QObject::disconnect(window.Timer1, &PeriodicTimer::timeout, &window, &frmVDTimer::Timer1_Timer);
    QObject::connect(window.Timer1, &PeriodicTimer::timeout, &app,
                     [&] { ticks.emplace_back(window.Timer1->delivered(), now()); });
    QObject::connect(window.Timer1, &PeriodicTimer::timeout, &window, &frmVDTimer::Timer1_Timer);

    // The plain timer's handler blocks the thread once, as a busy desktop might.
    std::vector<nanoseconds> plainTicks;
    nanoseconds stallBegin{}, stallEnd{};
    QTimer plain;
    QObject::connect(&plain, &QTimer::timeout, &app, [&] {
        plainTicks.push_back(now());
        if (plainTicks.size() == stallAfterTick) {
            stallBegin = now();
            std::this_thread::sleep_for(std::chrono::milliseconds(stallMs));
            stallEnd = now();
        }
    });
    const nanoseconds plainStart = now();
    plain.start(1000);

    window.show();
    window.cmdStart->click();
    if (basVDTimer::intGameNokori <= 0) {
        std::fprintf(stderr, "the match did not start\n");
        return 2;
    }

    // Ends between two due times, so that the count due is never in doubt.
    const nanoseconds start = window.Timer1->startedAt();
    const nanoseconds end = start + std::chrono::seconds(seconds) + 750ms;
    QTimer::singleShot(std::chrono::ceil<std::chrono::milliseconds>(end - now()), Qt::PreciseTimer,
                       &app, &QCoreApplication::quit);
    QApplication::exec();

    // A tick that fell due during the stall can only come after it: its lag
    // counts from the end of the stall.
    int early = 0;
    std::vector<double> lag;
    for (const auto& [index, came] : ticks) {
        const nanoseconds due = start + index * 1s;
        early += came < due;
        lag.push_back(ms(came - (due >= stallBegin && due < stallEnd ? stallEnd : due)));
    }
    const qint64 due = (end - start) / 1s;
    const qint64 lost = due - window.Timer1->delivered();
    const double worstLag = lag.empty() ? 0 : *std::max_element(lag.begin(), lag.end());
    const qint64 plainDue = (end - plainStart) / 1s;
    const qint64 plainLost = plainDue - qint64(plainTicks.size());
    // How far the plain timer's last tick lies behind its own schedule.
    const double plainSlip =
        plainTicks.empty() ? 0
                           : ms(plainTicks.back() - plainStart - qint64(plainTicks.size()) * 1s);

    std::printf("== Clock: %d s of a running match, the event thread blocked %.1f s once (%s)\n",
                seconds, stallMs / 1000.0, qPrintable(QGuiApplication::platformName()));
    std::printf("   Timer1      : %lld of %lld ticks, %lld s lost, %d early; lag median %.2f ms, "
                "max %.2f ms\n",
                static_cast<long long>(window.Timer1->delivered()), static_cast<long long>(due),
                static_cast<long long>(lost), early, bench::median(lag), worstLag);
    std::printf("   plain QTimer: %lld of %lld ticks, %lld s lost, schedule slipped %.1f ms\n",
                static_cast<long long>(plainTicks.size()), static_cast<long long>(plainDue),
                static_cast<long long>(plainLost), plainSlip);
    std::printf("   %-40s %10s %10s %7s\n", "", "Timer1", "plain", "ratio");
    bool met = bench::reportRatio("worst lag behind the schedule (ms)", worstLag, plainSlip, 0.05);
    met = met && lost == 0 && early == 0;
    std::printf("   no second lost and none early: %s\n",
                lost == 0 && early == 0 ? "met" : "MISSED");
    return met ? 0 : 3;
}
