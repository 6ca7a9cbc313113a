// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "version.h"

#include <QRect>
#include <QSize>

#include <array>

class QWidget;

// The main window's controls as the design places them. The window and the
// benchmark's bare window are both built from this one table.
namespace layout {

enum class Kind { Frame, Caption, Value, TextBox, Button, Information };

struct Control {
    const char* name;
    Kind kind;
    const char* container; // nullptr: the window itself
    const char16_t* caption;
    QRect twips;         // left, top, width, height; 15 twips to the pixel
    const char16_t* row; // the caption a screen reader gives with the control
    bool enabled;
};

inline constexpr QSize clientSize{VI_WINDOW_WIDTH, VI_WINDOW_HEIGHT};

extern const std::array<Control, 23> controls;

// Pixels of a rectangle in twips.
QRect pixels(QRect twips);

// Gives window its fonts and builds every control of the table into it, in
// table order: that order also stacks each text box above its value label.
void build(QWidget* window);

} // namespace layout
