// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QString>

// What the window shows, written out once for every test that expects it.
namespace expected {

inline const QString overrun =
    QStringLiteral("ターン終了です。速やかに次のプレイヤーのターンに移行してください");
inline const QString half = QStringLiteral("残り試合時間が半分を切りました");
inline const QString quarter = QStringLiteral("残り試合時間が1/4を切りました");
inline const QString lastMinute = QStringLiteral("残り試合時間が\uFF11分を切りました");

inline const QString badIndex = QStringLiteral("インデックスが有効範囲にありません。");
inline const QString overflow = QStringLiteral("オーバーフローしました。");
inline const QString mismatch = QStringLiteral("型が一致しません。");

inline const QColor green(0, 255, 0), yellow(255, 255, 0), orange(255, 128, 0), red(255, 0, 0);

} // namespace expected
