// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QList>
#include <QVersionNumber>

#include <functional>

// What the program checks of the desktop it starts on. Each failure is one
// line on standard error, since there may be no window to show it in.
namespace startup {

// The line the program prints when it can open no window.
inline constexpr char noDisplay[] =
    "vizovidiz: needs a graphical desktop session (X11 or Wayland), and none is reachable here; "
    "for a headless run, start it with xvfb-run.";

// Qt before 6.8 draws its own title bar on Wayland, which maximises a fixed
// window anyway (or, fixed, loses the connection); through XWayland the
// desktop draws the frame and keeps the window fixed. The platform list that
// sends such a Qt there when an X server is beside the Wayland session, or
// empty where Qt's own choice stands; a choice made by the user always does.
QByteArray preferredPlatform(const QVersionNumber& qt, const QList<QByteArray>& arguments,
                             const std::function<QByteArray(const char*)>& environment);

// Before the application object: gives Qt the platform above, if any.
void choosePlatform(int argc, char** argv);

// Before the application object: from here until windowSystemReady(), a
// window system that none of the platforms Qt tries can open ends the
// program with status 1 and that line instead of an abort.
void watchWindowSystem();
void windowSystemReady();

// After the application object: warns when no installed face covers Japanese.
void checkJapaneseFont();

} // namespace startup
