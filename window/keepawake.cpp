// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "keepawake.h"

#include <QGuiApplication>
#include <QWidget>
#include <QtGlobal>

namespace {

// Platforms that show nothing on a screen have no screen to keep on.
bool onScreen()
{
    const QString platform = QGuiApplication::platformName();
    return platform != u"offscreen" && platform != u"minimal";
}

} // namespace

KeepAwake::KeepAwake(QWidget* window)
    : QObject(window)
    , m_window(window)
{
}

void KeepAwake::setHeld(bool held)
{
    if (held == m_held)
        return;
    m_held = held;
    if (!onScreen())
        return;
    if (held)
        hold();
    else
        release();
}

void KeepAwake::refused()
{
    if (m_complained)
        return;
    m_complained = true;
    qWarning("vizovidiz: the desktop did not agree to keep the screen on during the match; "
             "it may dim, lock or sleep as usual.");
}
