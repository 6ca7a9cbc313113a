// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QLabel;
class QLineEdit;
class QPushButton;

// The controls of the main window that the match end and the clock tick read
// and write. The window owns them; this only points at them.
struct MatchControls {
    QLabel* lblPlayer = nullptr;
    QLabel* lblGameNokori = nullptr;
    QLabel* lblTurnNokori = nullptr;
    QLabel* ibiInformation = nullptr;
    QLineEdit* txtPlayer = nullptr;
    QLineEdit* txtGameJoken = nullptr;
    QLineEdit* txtTurnJoken = nullptr;
    QPushButton* cmdStart = nullptr;
    QPushButton* cmdTurnEnd = nullptr;
    QPushButton* cmdPause = nullptr;
    QPushButton* cmdEnd = nullptr;
};

namespace basVDTimer {

// Ends the match: the results into ibiInformation, the window back to set-up.
void GameEnd(const MatchControls& frm);

// One event of the one-second timer.
void ClockTick(const MatchControls& frm);

} // namespace basVDTimer
