// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "controls.h"
#include "version.h"

#include <QRect>
#include <QSize>
#include <QStringList>

#include <array>

class QWidget;

// The main window's controls as the design places them. The window and the
// benchmark's bare window are both built from this one table.
namespace layout {

struct Control {
    const char* name;
    // Makes the control in its container and puts it into its typed member.
    QWidget* (*make)(Controls& controls, QWidget* container, const Control& row);
    decltype(&Controls::Frame1) container; // the frame it sits in; nullptr: the window
    const char16_t* caption;
    QRect twips;         // left, top, width, height; 15 twips to the pixel
    const char16_t* row; // the caption a screen reader gives with the control
    bool enabled;
    // What the control may show besides its caption, at its longest; the
    // font fitting makes room for it.
    QStringList (*longest)() = nullptr;
};

inline constexpr QSize clientSize{VI_WINDOW_WIDTH, VI_WINDOW_HEIGHT};

extern const std::array<Control, 23> controls;

// Pixels of a rectangle in twips.
QRect pixels(QRect twips);

// Builds every control of the table into window, in table order (that order
// also stacks each text box above its value label), gives them their fonts
// and hands them back, typed.
Controls build(QWidget* window);

} // namespace layout
