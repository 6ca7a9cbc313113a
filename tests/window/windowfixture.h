// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "match/basVDTimer.h"
#include "window/frmVDTimer.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <chrono>

// The real main window on a clock that stands still unless a test moves it,
// so that only the ticks a test calls happen.
struct WindowFixture {
    WindowFixture()
    {
        // State left by an earlier window in the same test program.
        basVDTimer::resetState();
        w = std::make_unique<frmVDTimer>(nullptr, [this] { return now; });
    }

    void show()
    {
        w->show();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
    }

    void setSettings(const QString& players, const QString& minutes, const QString& turn)
    {
        w->txtPlayer->setText(players);
        w->txtGameJoken->setText(minutes);
        w->txtTurnJoken->setText(turn);
    }

    void start(const QString& players, const QString& minutes, const QString& turn)
    {
        setSettings(players, minutes, turn);
        QTest::mouseClick(w->cmdStart, Qt::LeftButton);
    }

    void tick(int count = 1)
    {
        for (int i = 0; i < count; ++i)
            w->Timer1_Timer();
    }

    QColor background(const QLabel* label) const
    {
        return label->palette().color(label->backgroundRole());
    }

    QColor foreground(const QLabel* label) const
    {
        return label->palette().color(label->foregroundRole());
    }

    std::chrono::nanoseconds now{};
    std::unique_ptr<frmVDTimer> w;
};
