// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "settings.h"

#include "checked.h"
#include "conversions.h"

#include <cmath>

namespace {

// True when the conversion raises no error.
template <typename Convert> bool converts(Convert convert)
{
    try {
        convert();
        return true;
    } catch (const MatchError&) {
        return false;
    }
}

bool isPlayerCount(QStringView text)
{
    double count = 0.0;
    return converts([&] { count = textToDouble(text); }) && count >= 1.0 && count <= 4.0 &&
           count == std::floor(count);
}

} // namespace

QString refusal(Setting setting)
{
    switch (setting) {
    case Setting::Player:
        return QStringLiteral("「参加人数」には 1 から 4 までの整数を入力してください。");
    case Setting::GameMinutes:
        return QStringLiteral(
            "「試合の総時間（分）」には -546.14 から 546.12 までの数値を入力してください。");
    case Setting::TurnSeconds:
        return QStringLiteral(
            "「１ターンの制限時間（秒）」には -32768 から 32767 までの数値を入力してください。");
    }
    return QString();
}

std::optional<SettingFault> checkSettings(QStringView player, QStringView gameMinutes,
                                          QStringView turnSeconds)
{
    if (!isPlayerCount(player))
        return SettingFault{Setting::Player, refusal(Setting::Player)};
    if (!converts([&] { minutesToSeconds(textToDouble(gameMinutes)); }))
        return SettingFault{Setting::GameMinutes, refusal(Setting::GameMinutes)};
    if (!converts([&] { textToInt16(turnSeconds); }))
        return SettingFault{Setting::TurnSeconds, refusal(Setting::TurnSeconds)};
    return std::nullopt;
}
