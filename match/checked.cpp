// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "checked.h"

#include <limits>

namespace {

const char* whatOf(ErrorKind kind)
{
    switch (kind) {
    case ErrorKind::TypeMismatch:
        return "type mismatch";
    case ErrorKind::Overflow:
        return "overflow";
    case ErrorKind::SubscriptOutOfRange:
        return "subscript out of range";
    case ErrorKind::FloatingPoint:
        return "floating-point error";
    }
    return "error";
}

int checkedIndex(int player)
{
    if (player < 1 || player > 4)
        throw MatchError(ErrorKind::SubscriptOutOfRange);
    return player - 1;
}

} // namespace

MatchError::MatchError(ErrorKind kind)
    : std::runtime_error(whatOf(kind))
    , m_kind(kind)
{
}

QString errorText(ErrorKind kind)
{
    switch (kind) {
    case ErrorKind::TypeMismatch:
        return QStringLiteral("型が一致しません。");
    case ErrorKind::Overflow:
        return QStringLiteral("オーバーフローしました。");
    case ErrorKind::SubscriptOutOfRange:
        return QStringLiteral("インデックスが有効範囲にありません。");
    case ErrorKind::FloatingPoint:
        return QStringLiteral("浮動小数点演算エラーです。");
    }
    return QString();
}

QString errorReport(QLatin1String handler, const QString& text)
{
    return QStringLiteral("エラー（%1）：%2").arg(handler, text);
}

qint16 checkedAdd(qint16 value, int delta)
{
    const int sum = value + delta;
    if (sum < std::numeric_limits<qint16>::min() || sum > std::numeric_limits<qint16>::max())
        throw MatchError(ErrorKind::Overflow);
    return static_cast<qint16>(sum);
}

qint16& PlayerSeconds::operator()(int player)
{
    return m_seconds[checkedIndex(player)];
}

qint16 PlayerSeconds::operator()(int player) const
{
    return m_seconds[checkedIndex(player)];
}
