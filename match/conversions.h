// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QStringView>
#include <QtGlobal>

// Number conversions shared by every handler. Each raises a MatchError:
// TypeMismatch for a text that is not a number, Overflow for a value outside
// its range, FloatingPoint when a product leaves the double range.
//
// Accepted number syntax: blanks (U+0020, U+3000) around, an optional sign,
// digits with an optional decimal point and fraction. The full-width digits,
// "．", "＋" and "－" that a Japanese input method types count as ASCII.

double textToDouble(QStringView text);

// Rounds half to even.
qint16 doubleToInt16(double value);

qint16 textToInt16(QStringView text);

// Minutes times 60, rounded half to even; the floating-point status is tested
// right after the multiplication.
qint16 minutesToSeconds(double minutes);

// "&H" and six hexadecimal digits, blue-green-red from the high byte down
// ("&H0080FF" is orange), as an opaque QRgb. A malformed text is a
// type-mismatch error.
quint32 colorFromText(QStringView text);
