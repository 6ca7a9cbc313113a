// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "match/basVDTimer.h"
#include "window/colors.h"
#include "window/frmVDTimer.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>

// Snapshots of one moment, one line per item, so that two moments compare
// line by line and a difference names its control or variable.

// Every control a player can see: texts, visibility, colours, enabled state.
// The information label is left out on request, for steps that only write there.
inline QStringList controlState(const frmVDTimer& w, bool withInformation = true)
{
    const auto flag = [](bool on) { return on ? QStringLiteral("+") : QStringLiteral("-"); };
    QStringList state{w.windowTitle()};
    for (const QLineEdit* box : w.findChildren<QLineEdit*>())
        state << box->objectName() + u'=' + box->text() + flag(box->isVisible());
    for (const QLabel* label : w.findChildren<QLabel*>()) {
        if (label == w.ibiInformation && !withInformation)
            continue;
        const QRgb fore = label->palette().color(label->foregroundRole()).rgba();
        state << label->objectName() + u'=' + label->text() + flag(label->isVisible()) +
                     QString::number(backColor(label), 16) + u'/' + QString::number(fore, 16);
    }
    for (const QPushButton* button : w.findChildren<QPushButton*>())
        state << button->objectName() + u'=' + button->text() + flag(button->isEnabled()) +
                     flag(button->isVisible());
    return state;
}

// Every variable the match keeps.
inline QStringList matchState()
{
    using namespace basVDTimer;
    QStringList state{QStringLiteral("strPause=") + strPause,
                      QStringLiteral("strColor=") + strColor,
                      QStringLiteral("lngDefaultColor=") + QString::number(lngDefaultColor, 16)};
    const QList<std::pair<const char*, qint16>> numbers = {{"intGameJoken", intGameJoken},
                                                           {"intTurnJoken", intTurnJoken},
                                                           {"intGameNokori", intGameNokori},
                                                           {"intTurnNokori", intTurnNokori},
                                                           {"intNowPlayer", intNowPlayer}};
    for (const auto& [name, value] : numbers)
        state << QString::fromLatin1(name) + u'=' + QString::number(value);
    for (int p = 1; p <= 4; ++p)
        state << QStringLiteral("player%1=%2/%3").arg(p).arg(intTotalTime(p)).arg(intLossTime(p));
    return state;
}

inline QStringList windowState(const frmVDTimer& w, bool withInformation = true)
{
    return controlState(w, withInformation) + matchState();
}
