// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QRgb>

class QLabel;
class QString;

// A label's background as the window reports it.
QRgb backColor(const QLabel* label);

// These write a label property, and touch the label only when the value changes.
void setBackColor(QLabel* label, QRgb color);
void setForeColor(QLabel* label, QRgb color);
void setCaption(QLabel* label, const QString& caption);
