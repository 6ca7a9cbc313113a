// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringView>

#include <optional>

// The three settings typed before a match, checked with the conversions the
// start uses, so that a start that passes the check cannot fail on them.
enum class Setting { Player, GameMinutes, TurnSeconds };

struct SettingFault {
    Setting setting;
    QString message; // names the setting and what it accepts
};

// What the window says when it refuses the setting: its name and what it accepts.
QString refusal(Setting setting);

// The first refused setting, in screen order, or nothing when all are fine.
std::optional<SettingFault> checkSettings(QStringView player, QStringView gameMinutes,
                                          QStringView turnSeconds);
