// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "controls.h"
#include "match/periodictimer.h"

#include <QWidget>

#include <functional>

class Announcer;
class KeepAwake;
class KeyGuard;

// The one main window: the settings, the match status, the four buttons, the
// information area and the one-second timer. Its controls are the members of
// Controls, named as in the design; the window owns them all.
class frmVDTimer : public QWidget, public Controls {
    Q_OBJECT

public:
    // The timer runs on the given clock (by default a monotonic one that stops
    // while the machine sleeps), so that tests can hold it still and tick by hand.
    explicit frmVDTimer(QWidget* parent = nullptr, PeriodicTimer::Clock clock = {});

    PeriodicTimer* Timer1 = nullptr;
    // Holds the screen on while a match runs, and only then.
    KeepAwake* keepAwake = nullptr;

    void Form_Load();
    void cmdStart_Click();
    void cmdPause_Click();
    void cmdTurnEnd_Click();
    void cmdEnd_Click();
    void Timer1_Timer();

protected:
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void wireHandlers();
    void followPalette();
    void keepDesignSize();
    void redrawAfterRestore();
    // Runs a handler's steps; an error stops them and is shown in the window.
    void run(const char* handler, const std::function<void()>& steps);
    void announceInformation(const QString& before);
    void guardResults(bool wasRunning);
    bool refuseBadSettings();
    void startMatch();
    void endTurn();

    static constexpr Qt::WindowStates grownStates = Qt::WindowMaximized | Qt::WindowFullScreen;

    Announcer* m_announcer = nullptr;
    KeyGuard* m_startGuard = nullptr;
    bool m_turnOverAnnounced = false; // in the turn under way
    // Resizes back to the design size still allowed after leaving a grown
    // state: bounded, so that a window manager that insists cannot make a loop.
    int m_sizeCorrections = 0;
};
