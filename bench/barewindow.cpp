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
    layout::build(this);
    m_gameLeft = findChild<QLabel*>(QStringLiteral("lblGameNokori"));
    m_turnLeft = findChild<QLabel*>(QStringLiteral("lblTurnNokori"));
    findChild<QPushButton*>(QStringLiteral("cmdStart"))->setFocus();
    connect(&m_timer, &QTimer::timeout, this, &BareWindow::tick);
    m_timer.start(1000);
}

void BareWindow::startCountdown()
{
    for (QLineEdit* box : findChildren<QLineEdit*>())
        box->setVisible(false);
    for (QPushButton* button : findChildren<QPushButton*>())
        button->setEnabled(button->objectName() != u"cmdStart");
    QPalette palette = m_gameLeft->palette();
    palette.setColor(m_gameLeft->backgroundRole(), Qt::green);
    m_gameLeft->setPalette(palette);
    m_seconds = 3000;
}

void BareWindow::tick()
{
    if (m_seconds < 0)
        return;
    --m_seconds;
    m_gameLeft->setText(basVDTimer::FormatTime(qint16(m_seconds)));
    m_turnLeft->setText(basVDTimer::FormatTime(qint16(120 - (3000 - m_seconds) % 120)));
}
