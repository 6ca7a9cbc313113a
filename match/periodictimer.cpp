// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "periodictimer.h"

#include <QTimer>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

// A clock that stops while the machine sleeps, so that a match goes on after
// the lid is opened where it was, and the seconds of the sleep are charged to
// no one. On Linux the monotonic clock (std::chrono::steady_clock) does. On
// Windows steady_clock is the performance counter, which counts through sleep
// and hibernation; the unbiased interrupt time leaves them out.
#ifdef Q_OS_WIN
std::chrono::nanoseconds monotonicNow()
{
    // The precise one has Windows 10 and later; Wine and older Windows have
    // the one that ticks with the timer interrupt.
    using Query = VOID(WINAPI*)(PULONGLONG);
    static const FARPROC found =
        GetProcAddress(GetModuleHandleW(L"kernelbase.dll"), "QueryUnbiasedInterruptTimePrecise");
    static const auto precise = reinterpret_cast<Query>(reinterpret_cast<void*>(found));
    ULONGLONG hundredNs = 0;
    if (precise)
        precise(&hundredNs);
    else
        QueryUnbiasedInterruptTime(&hundredNs);
    return std::chrono::nanoseconds(hundredNs * 100);
}
#else
std::chrono::nanoseconds monotonicNow()
{
    return std::chrono::steady_clock::now().time_since_epoch();
}
#endif

} // namespace

PeriodicTimer::PeriodicTimer(QObject* parent, std::chrono::milliseconds interval, Clock clock)
    : QObject(parent)
    , m_clock(clock ? std::move(clock) : Clock(monotonicNow))
    , m_interval(interval)
    , m_shot(new QTimer(this))
{
    // Repeating: a shot armed for one due time at a full interval comes again
    // less than 1 ms after each next one, with nothing to re-arm.
    m_shot->setTimerType(Qt::PreciseTimer);
    connect(m_shot, &QTimer::timeout, this, &PeriodicTimer::wakeUp);
}

void PeriodicTimer::start()
{
    m_start = m_clock();
    m_delivered = 0;
    arm(false);
}

void PeriodicTimer::wakeUp()
{
    // A shot that comes early delivers nothing and is armed again.
    const bool due = m_clock() >= nextDue();
    if (due) {
        ++m_delivered;
        emit timeout();
    }
    arm(due);
}

void PeriodicTimer::arm(bool delivered)
{
    const auto remaining = nextDue() - m_clock();
    // Rounded up, so that the shot never comes before the due time; an event
    // already due is armed at 0 ms, which lets waiting events in first.
    m_armedDelay = remaining.count() > 0 ? std::chrono::ceil<std::chrono::milliseconds>(remaining)
                                         : std::chrono::milliseconds(0);
    // The shot that brought this event comes again for the next one.
    if (delivered && remaining.count() > 0 && m_shot->isActive() &&
        m_shot->intervalAsDuration() == m_interval)
        return;
    m_shot->start(m_armedDelay);
}
