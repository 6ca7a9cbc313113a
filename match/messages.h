// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The messages of the information area, shared by the handlers that write
// them and the window that sizes its font for them; and why the screen stays
// on, as the desktop shows it while a match runs.
namespace messages {

inline constexpr char16_t closing[] = u"試合終了です。お疲れ様でした。";
inline constexpr char16_t turnOver[] =
    u"ターン終了です。速やかに次のプレイヤーのターンに移行してください";
inline constexpr char16_t half[] = u"残り試合時間が半分を切りました";
inline constexpr char16_t quarter[] = u"残り試合時間が1/4を切りました";
inline constexpr char16_t lastMinute[] = u"残り試合時間が１分を切りました";
inline constexpr char16_t keepAwakeReason[] = u"試合中";

} // namespace messages
