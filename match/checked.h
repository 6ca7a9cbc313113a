// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QtGlobal>

#include <array>
#include <stdexcept>

// The run-time errors a handler can meet. Each one stops the handler at the
// failing step; whatever the handler set before that step stays set.
enum class ErrorKind { TypeMismatch, Overflow, SubscriptOutOfRange, FloatingPoint };

class MatchError : public std::runtime_error {
public:
    explicit MatchError(ErrorKind kind);
    ErrorKind kind() const { return m_kind; }

private:
    ErrorKind m_kind;
};

// The Japanese text a player sees for an error.
QString errorText(ErrorKind kind);

// The report of an error that stopped a handler: "エラー（Timer1_Timer）：" and
// the error's text.
QString errorReport(QLatin1String handler, const QString& text);

// 16-bit addition that raises an overflow error instead of wrapping.
qint16 checkedAdd(qint16 value, int delta);

// Seconds per player, indexed by player number 1 to 4; any other index is a
// subscript-out-of-range error.
class PlayerSeconds {
public:
    qint16& operator()(int player);
    qint16 operator()(int player) const;
    void clear() { m_seconds.fill(0); }

private:
    std::array<qint16, 4> m_seconds{};
};
