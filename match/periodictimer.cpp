// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "periodictimer.h"

#include <QTimer>

namespace {

std::chrono::nanoseconds steadyNow()
{
    return std::chrono::steady_clock::now().time_since_epoch();
}

} // namespace

PeriodicTimer::PeriodicTimer(QObject* parent, std::chrono::milliseconds interval, Clock clock)
    : QObject(parent)
    , m_clock(clock ? std::move(clock) : Clock(steadyNow))
    , m_interval(interval)
    , m_shot(new QTimer(this))
{
    m_shot->setSingleShot(true);
    m_shot->setTimerType(Qt::PreciseTimer);
    connect(m_shot, &QTimer::timeout, this, &PeriodicTimer::wakeUp);
}

void PeriodicTimer::start()
{
    m_start = m_clock();
    m_delivered = 0;
    arm();
}

void PeriodicTimer::wakeUp()
{
    // A shot that comes early delivers nothing and is armed again.
    if (m_clock() >= nextDue()) {
        ++m_delivered;
        emit timeout();
    }
    arm();
}

void PeriodicTimer::arm()
{
    const auto remaining = nextDue() - m_clock();
    // Rounded up, so that the shot never comes before the due time; an event
    // already due is armed at 0 ms, which lets waiting events in first.
    m_armedDelay = remaining.count() > 0 ? std::chrono::ceil<std::chrono::milliseconds>(remaining)
                                         : std::chrono::milliseconds(0);
    m_shot->start(m_armedDelay);
}
