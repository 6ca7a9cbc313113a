// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QWidget;

// The window's fonts: the preferred Japanese faces at the design sizes, made
// smaller, control by control, where the face the desktop gives would cut
// the longest text the control shows.
namespace fonts {

// Gives the window built from the layout table its standard font and
// ターンの終了 its own, then fits each control. Runs once, at start-up.
void apply(QWidget* window);

// Whether any installed face covers Japanese.
bool japaneseAvailable();

} // namespace fonts
