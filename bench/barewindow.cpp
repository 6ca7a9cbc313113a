// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "barewindow.h"

#include "match/basVDTimer.h"
#include "window/layout.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

BareWindow::BareWindow(QWidget* parent)
    : QWidget(parent)
{
    setWindowTitle(QStringLiteral("bare window"));
    setFixedSize(layout::clientSize);
    m_controls = layout::build(this);
    m_controls.cmdStart->setFocus();
    connect(&m_timer, &QTimer::timeout, this, &BareWindow::tick);
    m_timer.start(1000);
}

void BareWindow::startCountdown()
{
    const Controls& c = m_controls;
    for (QLineEdit* box : {c.txtPlayer, c.txtGameJoken, c.txtTurnJoken})
        box->setVisible(false);
    for (QPushButton* button : {c.cmdTurnEnd, c.cmdPause, c.cmdEnd})
        button->setEnabled(true);
    c.cmdStart->setEnabled(false);
    QPalette palette = c.lblGameNokori->palette();
    palette.setColor(c.lblGameNokori->backgroundRole(), Qt::green);
    c.lblGameNokori->setPalette(palette);
    m_seconds = 3000;
}

void BareWindow::tick()
{
    if (m_seconds < 0)
        return;
    --m_seconds;
    m_controls.lblGameNokori->setText(basVDTimer::FormatTime(qint16(m_seconds)));
    m_controls.lblTurnNokori->setText(
        basVDTimer::FormatTime(qint16(120 - (3000 - m_seconds) % 120)));
}
