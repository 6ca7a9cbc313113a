// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QStringView>

#include <optional>

// A second, independent reading of the number syntax the settings accept:
// blanks (U+0020, U+3000) around, one optional sign, digits with at most one
// decimal point and at least one digit; full-width digits, "．", "＋" and "－"
// count as their ASCII twins. Nothing else.
namespace reference {

enum class Outcome { Value, Mismatch, Overflow, FloatingPoint };

struct Result {
    Outcome outcome = Outcome::Mismatch;
    double value = 0.0; // only for Outcome::Value
};

// The text as a double: strtod on the ASCII form, after an automaton has
// accepted the syntax.
Result toDouble(QStringView text);

// Rounded half to even by hand, then checked against the 16-bit range.
Result toInt16(QStringView text);

// Minutes to seconds: the product with 60 must be finite and round into 16 bits.
Result minutesToSeconds(QStringView text);

// The time text written out from integer arithmetic alone.
QString formatTime(int seconds);

} // namespace reference
