// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QRgb>

class QLabel;
class QString;

// A label's background as the window reports it.
QRgb backColor(const QLabel* label);

// The text colour of the label's standard look, as the palette gives it.
QRgb standardForeColor(const QLabel* label);

// These write a label property, and touch the label only when the value changes.
// A stage colour behind the text makes the text black, as where the design
// was drawn; the standard background brings the standard text colour back,
// so that the text stays readable in a dark palette too.
void setBackColor(QLabel* label, QRgb color);
void setForeColor(QLabel* label, QRgb color);
void setCaption(QLabel* label, const QString& caption);
