// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What the program checks of the desktop it starts on. Each failure is one
// line on standard error, since there may be no window to show it in.
namespace startup {

// The line the program prints when it can open no window.
inline constexpr char noDisplay[] =
    "vizovidiz: needs a graphical desktop session (X11 or Wayland), and none is reachable here; "
    "for a headless run, start it with xvfb-run.";

// Before the application object: from here until windowSystemReady(), a
// window system that none of the platforms Qt tries can open ends the
// program with status 1 and that line instead of an abort.
void watchWindowSystem();
void windowSystemReady();

// After the application object: warns when no installed face covers Japanese.
void checkJapaneseFont();

} // namespace startup
