// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What the program checks of the desktop it starts on. Each failure is one
// line on standard error, since there may be no window to show it in.
namespace startup {

// The line the program prints when it finds no desktop session.
inline constexpr char noDisplay[] =
    "vizovidiz: needs a graphical desktop session (X11 or Wayland), and none is reachable here; "
    "for a headless run, start it with xvfb-run.";

// Before the application object: false, after saying so, when no desktop
// session can be reached. From here until windowSystemReady(), a window
// system that cannot be opened ends the program with status 1 and that line
// instead of an abort.
bool displayReachable();
void windowSystemReady();

// After the application object: warns when no installed face covers Japanese.
void checkJapaneseFont();

} // namespace startup
