// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "keyguard.h"

#include <QAbstractButton>
#include <QKeyEvent>

KeyGuard::KeyGuard(QAbstractButton* button, PeriodicTimer::Clock clock,
                   std::chrono::milliseconds hold)
    : QObject(button)
    , m_clock(std::move(clock))
    , m_hold(hold)
{
    button->installEventFilter(this);
}

void KeyGuard::arm()
{
    m_until = m_clock() + m_hold;
    m_armed = true;
}

bool KeyGuard::eventFilter(QObject* watched, QEvent* event)
{
    if (!m_armed || (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease))
        return QObject::eventFilter(watched, event);
    if (m_clock() >= m_until) {
        m_armed = false;
        return false;
    }
    switch (static_cast<QKeyEvent*>(event)->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Select:
        return true;
    default:
        return false;
    }
}
