// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The main window's controls, named as in the design. layout::build() makes
// them and fills this in; the window owns them, this only points at them.
struct Controls {
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
    QLabel* ibiInformation = nullptr; // an InformationLabel
};

namespace basVDTimer {

// Ends the match: the results into ibiInformation, the window back to set-up.
void GameEnd(const Controls& frm);

// One event of the one-second timer.
void ClockTick(const Controls& frm);

} // namespace basVDTimer
