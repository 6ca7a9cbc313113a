// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "checked.h"

#include <QString>
#include <QtGlobal>

// The match state shared by the window's handlers: one copy for the program,
// read and written by name. All times are 16-bit seconds. GameEnd and
// ClockTick, which write the window's controls, are in window/controls.h.
namespace basVDTimer {

inline QString strPause;            // "ON" while paused; anything else runs
inline qint16 intGameJoken = 0;     // match length in force
inline qint16 intTurnJoken = 0;     // turn limit in force
inline qint16 intGameNokori = 0;    // match time left
inline qint16 intTurnNokori = 0;    // turn time left; 0 means overrun
inline quint32 lngDefaultColor = 0; // lblGameJoken's background at load, as a QRgb
inline QString strColor;            // "Nothing", "Green", "Yellow", "Orange", "Red"
inline qint16 intNowPlayer = 0;     // whose turn; also a loop counter
inline PlayerSeconds intTotalTime;  // seconds charged per player
inline PlayerSeconds intLossTime;   // overrun seconds per player

// Every variable back to its value at program start.
void resetState();

// Minutes, the full-width colon and two-digit seconds: -61 gives "-2：59".
QString FormatTime(qint16 seconds);

// One player's line of the results, opened by a line feed then a carriage
// return: "\n\r  Player2  Totaltime 24：48  (Losstime 0：00)".
QString resultsLine(qint16 player, qint16 totalTime, qint16 lossTime);

} // namespace basVDTimer
