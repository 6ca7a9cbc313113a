// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QStringList>

class QPushButton;
class QWidget;

// The window's fonts: the preferred Japanese faces at the design sizes, made
// smaller, control by control, where the face the desktop gives would cut
// the longest text the control shows.
namespace fonts {

// Gives the window its standard font and ターンの終了 its own.
void apply(QWidget* window, QPushButton* turnEnd);

// Makes the control's font smaller until each of the texts fits: on one line
// in a label, text box or button; in the information area, each results line
// (of the first text) on a line of its own and every text within the area.
// Other controls keep their font.
void fit(QWidget* control, const QStringList& texts);

// Whether any installed face covers Japanese.
bool japaneseAvailable();

} // namespace fonts
