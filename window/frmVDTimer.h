// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "match/matchcontrols.h"
#include "match/periodictimer.h"

#include <QWidget>

#include <array>
#include <functional>

class Announcer;
class KeyGuard;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The one main window: the settings, the match status, the four buttons, the
// information area and the one-second timer.
class frmVDTimer : public QWidget {
    Q_OBJECT

public:
    // The timer runs on the given clock (the steady clock by default), so that
    // tests can hold it still and tick by hand.
    explicit frmVDTimer(QWidget* parent = nullptr, PeriodicTimer::Clock clock = {});

    // The controls, named as in the design; the window owns them all.
    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QGroupBox* Frame3 = nullptr;
    std::array<QLabel*, 6> Label1{};
    QLineEdit* txtPlayer = nullptr;
    QLabel* lblPlayer = nullptr;
    QLineEdit* txtGameJoken = nullptr;
    QLabel* lblGameJoken = nullptr;
    QLineEdit* txtTurnJoken = nullptr;
    QLabel* lblTurnJoken = nullptr;
    QLabel* lblNowPlayer = nullptr;
    QLabel* lblGameNokori = nullptr;
    QLabel* lblTurnNokori = nullptr;
    QPushButton* cmdTurnEnd = nullptr;
    QPushButton* cmdStart = nullptr;
    QPushButton* cmdPause = nullptr;
    QPushButton* cmdEnd = nullptr;
    QLabel* ibiInformation = nullptr;
    PeriodicTimer* Timer1 = nullptr;

    void Form_Load();
    void cmdStart_Click();
    void cmdPause_Click();
    void cmdTurnEnd_Click();
    void cmdEnd_Click();
    void Timer1_Timer();

private:
    void findControls();
    void wireHandlers();
    // Runs a handler's steps; an error stops them and is shown in the window.
    void run(const char* handler, const std::function<void()>& steps);
    void announceInformation(const QString& before);
    void guardResults(bool wasRunning);
    bool refuseBadSettings();
    void startMatch();
    void endTurn();

    MatchControls m_controls;
    Announcer* m_announcer = nullptr;
    KeyGuard* m_startGuard = nullptr;
    bool m_turnOverAnnounced = false; // in the turn under way
};
