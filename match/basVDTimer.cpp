// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "basVDTimer.h"

namespace basVDTimer {

void resetState()
{
    strPause.clear();
    intGameJoken = 0;
    intTurnJoken = 0;
    intGameNokori = 0;
    intTurnNokori = 0;
    lngDefaultColor = 0;
    strColor.clear();
    intNowPlayer = 0;
    intTotalTime.clear();
    intLossTime.clear();
}

QString FormatTime(qint16 seconds)
{
    // Floor division, so that negative times keep seconds from 0 to 59.
    int minutes = seconds / 60;
    int rest = seconds % 60;
    if (rest < 0) {
        rest += 60;
        --minutes;
    }
    return QString::number(minutes) + u'：' + QString::number(rest).rightJustified(2, u'0');
}

QString resultsLine(qint16 player, qint16 totalTime, qint16 lossTime)
{
    return QStringLiteral("\n\r  Player") + QString::number(player) +
           QStringLiteral("  Totaltime ") + FormatTime(totalTime) + QStringLiteral("  (Losstime ") +
           FormatTime(lossTime) + u')';
}

} // namespace basVDTimer
