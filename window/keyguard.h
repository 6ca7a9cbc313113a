// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "match/periodictimer.h"

#include <QObject>

#include <chrono>

class QAbstractButton;

// Keeps the keys that press a button (Space, Return, Enter) off it for a
// moment after arm(): a key meant for the button that had the focus a moment
// before cannot press this one. A mouse click goes through at once.
class KeyGuard : public QObject {
    Q_OBJECT

public:
    KeyGuard(QAbstractButton* button, PeriodicTimer::Clock clock, std::chrono::milliseconds hold);

    void arm();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    PeriodicTimer::Clock m_clock;
    std::chrono::nanoseconds m_hold;
    std::chrono::nanoseconds m_until{};
    bool m_armed = false;
};
