// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

class DesktopIdle;
class QWidget;

// Keeps the screen on while a match runs: the players leave the laptop alone
// for whole turns, and the clock must not dim, blank, lock or sleep under
// them. Linux: the desktop's own interfaces over D-Bus, and the X server's
// screen saver; Windows: a power request. Nothing here waits for the desktop,
// and what it holds goes with the program, however that ends.
class KeepAwake : public QObject {
    Q_OBJECT

public:
    explicit KeepAwake(QWidget* window);
    ~KeepAwake() override;

    // Holds or lets go; nothing is asked when it is so already.
    void setHeld(bool held);
    bool isHeld() const { return m_held; }

private:
    void hold();
    void release();
    // When nothing holds: one line on standard error, once, and the match goes on.
    void refused();

    QWidget* m_window;
    bool m_held = false;
    bool m_complained = false;
#ifdef Q_OS_WIN
    void* m_request = nullptr; // the power request's handle, made at the first hold
#else
    DesktopIdle* m_desktop = nullptr; // made at the first hold: no bus at start-up
    bool m_xSaverSuspended = false;
#endif
};
