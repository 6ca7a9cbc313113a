// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "colors.h"
#include "controls.h"
#include "match/basVDTimer.h"
#include "match/conversions.h"
#include "match/messages.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace basVDTimer {

void GameEnd(const Controls& frm)
{
    setCaption(frm.ibiInformation, QString::fromUtf16(messages::closing));
    setBackColor(frm.ibiInformation, colorFromText(u"&H00FF00"));

    const qint16 count = textToInt16(frm.lblPlayer->text());
    intNowPlayer = 1;
    while (intNowPlayer <= count) {
        const QString line =
            resultsLine(intNowPlayer, intTotalTime(intNowPlayer), intLossTime(intNowPlayer));
        setCaption(frm.ibiInformation, frm.ibiInformation->text() + line);
        intNowPlayer = checkedAdd(intNowPlayer, 1);
    }

    frm.txtGameJoken->setVisible(true);
    frm.txtTurnJoken->setVisible(true);
    frm.txtPlayer->setVisible(true);

    frm.cmdStart->setEnabled(true);
    frm.cmdTurnEnd->setEnabled(false);
    frm.cmdPause->setEnabled(false);
    frm.cmdEnd->setEnabled(false);

    strPause = QStringLiteral("OFF");

    // The set-up state always shows the design caption and takes the keyboard at start.
    frm.cmdPause->setText(QStringLiteral("試合中断"));
    frm.cmdStart->setFocus();
}

} // namespace basVDTimer
