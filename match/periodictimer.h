// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

#include <chrono>
#include <functional>

class QTimer;

// A timer whose event k falls due exactly k intervals after start() on the
// monotonic clock. It never fires early, a late event does not shift the later
// ones, and events that fell due while the event thread was busy follow one at
// a time, in order, as soon as it is free: no second is ever lost.
class PeriodicTimer : public QObject {
    Q_OBJECT

public:
    using Clock = std::function<std::chrono::nanoseconds()>;

    // The default clock is monotonic and stops while the machine sleeps.
    explicit PeriodicTimer(QObject* parent,
                           std::chrono::milliseconds interval = std::chrono::seconds(1),
                           Clock clock = {});

    void start();
    // The reading of the timer's clock.
    std::chrono::nanoseconds now() const { return m_clock(); }
    qint64 delivered() const { return m_delivered; }
    // The clock reading of start(): event k falls due k intervals after it.
    std::chrono::nanoseconds startedAt() const { return m_start; }
    std::chrono::nanoseconds nextDue() const { return m_start + (m_delivered + 1) * m_interval; }
    // Delay of the single shot that is armed now.
    std::chrono::milliseconds armedDelay() const { return m_armedDelay; }

    // Run by the shot: delivers the due event, if any, and re-arms.
    // Public so that a test with its own clock can play the event loop.
    void wakeUp();

signals:
    void timeout();

private:
    // Re-arms the shot; after a delivered event, only when it is not on time.
    void arm(bool delivered);

    Clock m_clock;
    std::chrono::nanoseconds m_interval;
    std::chrono::nanoseconds m_start{};
    qint64 m_delivered = 0;
    std::chrono::milliseconds m_armedDelay{};
    QTimer* m_shot;
};
