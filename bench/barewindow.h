// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "window/controls.h"

#include <QTimer>
#include <QWidget>

// The baseline: the main window's controls, fonts and size, built from the
// same layout table, with no match logic. Like Timer1 its one-second timer
// runs from the start; a countdown rewrites the two time labels.
class BareWindow : public QWidget {
public:
    explicit BareWindow(QWidget* parent = nullptr);

    // The least a countdown does: hides the settings, sets the buttons and
    // from then on rewrites the two time labels every second.
    void startCountdown();

    // For a benchmark that delivers the timer's events itself.
    QTimer* timer() { return &m_timer; }
    const Controls& controls() const { return m_controls; }

private:
    void tick();

    QTimer m_timer;
    Controls m_controls;
    int m_seconds = -1; // below zero: no countdown yet
};
