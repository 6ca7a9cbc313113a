// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

// libFuzzer target for the settings check, the number conversions and the
// time text. Input: UTF-8 text "players\nminutes\nturn" (a first byte 0xFF
// switches to raw UTF-16LE, to reach lone surrogates). Each rule that must
// always hold aborts with a message when broken.
#include "reference.h"

#include "match/basVDTimer.h"
#include "match/checked.h"
#include "match/conversions.h"
#include "match/settings.h"

#include <QString>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>

namespace {

void require(bool holds, const char* rule, QStringView text = {})
{
    if (holds)
        return;
    std::fprintf(stderr, "broken: %s [%s]\n", rule, text.toUtf8().constData());
    std::abort();
}

using reference::Outcome;

// What a conversion of the program did: a value, or the error it raised.
template <typename Convert> reference::Result outcomeOf(Convert convert)
{
    try {
        return {Outcome::Value, static_cast<double>(convert())};
    } catch (const MatchError& error) {
        switch (error.kind()) {
        case ErrorKind::TypeMismatch:
            return {Outcome::Mismatch, 0.0};
        case ErrorKind::Overflow:
            return {Outcome::Overflow, 0.0};
        case ErrorKind::FloatingPoint:
            return {Outcome::FloatingPoint, 0.0};
        case ErrorKind::SubscriptOutOfRange:
            break;
        }
    }
    require(false, "a conversion raised an error it never should");
    return {};
}

// Same outcome, and bit for bit the same value (so -0 stays -0).
bool same(const reference::Result& a, const reference::Result& b)
{
    if (a.outcome != b.outcome)
        return false;
    return a.outcome != Outcome::Value || std::memcmp(&a.value, &b.value, sizeof a.value) == 0;
}

void checkTimeText(qint16 seconds)
{
    const QString text = basVDTimer::FormatTime(seconds);
    const qsizetype n = text.size();
    const auto digit = [&](qsizetype i, char16_t last) {
        return text[i].unicode() >= u'0' && text[i].unicode() <= last;
    };
    require(n >= 4 && text[n - 3] == QChar(0xFF1A) && digit(n - 2, u'5') && digit(n - 1, u'9'),
            "a time text ends in U+FF1A and two digits 00 to 59", text);
    bool ok = false;
    const int minutes = text.first(n - 3).toInt(&ok);
    const int rest = (text[n - 2].unicode() - u'0') * 10 + (text[n - 1].unicode() - u'0');
    require(ok && minutes * 60 + rest == seconds, "the time text adds up to the seconds", text);
    require(minutes == int(std::floor(float(seconds) / 60.0f)),
            "the minutes are the single-precision floor", text);
    require(text == reference::formatTime(seconds), "the time text matches the reference", text);
}

void checkConversions(QStringView text)
{
    const reference::Result read = reference::toDouble(text);
    require(same(outcomeOf([&] { return textToDouble(text); }), read),
            "textToDouble accepts exactly the documented syntax, with strtod's value", text);
    const reference::Result whole = reference::toInt16(text);
    require(same(outcomeOf([&] { return textToInt16(text); }), whole),
            "textToInt16 rounds half to even into 16 bits", text);
    if (read.outcome == Outcome::Value)
        require(same(outcomeOf([&] { return doubleToInt16(read.value); }), whole),
                "doubleToInt16 agrees with textToInt16", text);
    if (whole.outcome == Outcome::Value)
        checkTimeText(static_cast<qint16>(whole.value));
}

void checkSettingsRules(QStringView player, QStringView minutes, QStringView turn)
{
    const std::optional<SettingFault> fault = checkSettings(player, minutes, turn);

    const reference::Result count = reference::toDouble(player);
    const bool playerOk = count.outcome == Outcome::Value && count.value >= 1.0 &&
                          count.value <= 4.0 && count.value == std::floor(count.value);
    const reference::Result game = reference::minutesToSeconds(minutes);
    const bool minutesOk = game.outcome == Outcome::Value;
    const bool turnOk = reference::toInt16(turn).outcome == Outcome::Value;

    std::optional<Setting> expected;
    if (!playerOk)
        expected = Setting::Player;
    else if (!minutesOk)
        expected = Setting::GameMinutes;
    else if (!turnOk)
        expected = Setting::TurnSeconds;
    require(fault.has_value() == expected.has_value() && (!fault || fault->setting == *expected),
            "the first refused setting is the first one outside its limits", player);
    if (fault) {
        require(!fault->message.isEmpty(), "a refusal says what is wrong");
        return;
    }

    // Accepted: what the start then does with the texts cannot fail.
    const qint16 players = textToInt16(player);
    require(players >= 1 && players <= 4, "an accepted player count is 1 to 4", player);
    require(textToDouble(player) == double(players),
            "an accepted count reads the same as a double, for the turn end", player);
    const reference::Result seconds =
        outcomeOf([&] { return minutesToSeconds(textToDouble(minutes)); });
    require(seconds.outcome == Outcome::Value && seconds.value == game.value,
            "accepted minutes convert to the same whole seconds", minutes);
    require(seconds.value >= -32768.0 && seconds.value <= 32767.0 &&
                seconds.value == std::floor(seconds.value) &&
                std::fabs(textToDouble(minutes) * 60.0 - seconds.value) <= 0.5,
            "accepted minutes are within half a second of whole 16-bit seconds", minutes);
    const reference::Result limit = outcomeOf([&] { return textToInt16(turn); });
    require(limit.outcome == Outcome::Value, "accepted turn seconds convert", turn);
    checkTimeText(static_cast<qint16>(seconds.value));
    checkTimeText(static_cast<qint16>(limit.value));
}

QString decode(const uint8_t* data, size_t size)
{
    if (size > 0 && data[0] == 0xFF) {
        QString text(qsizetype((size - 1) / 2), Qt::Uninitialized);
        for (qsizetype i = 0; i < text.size(); ++i)
            text[i] = QChar(char16_t(data[1 + 2 * i] | (data[2 + 2 * i] << 8)));
        return text;
    }
    return QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // Only 65536 seconds exist: every run checks them all first.
    for (int seconds = -32768; seconds <= 32767; ++seconds)
        checkTimeText(static_cast<qint16>(seconds));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = decode(data, size);
    const QStringView all(text);
    const qsizetype first = all.indexOf(u'\n');
    const qsizetype second = first < 0 ? -1 : all.indexOf(u'\n', first + 1);
    const QStringView player = first < 0 ? all : all.first(first);
    const QStringView minutes =
        first < 0 ? QStringView()
                  : all.sliced(first + 1, (second < 0 ? all.size() : second) - first - 1);
    const QStringView turn = second < 0 ? QStringView() : all.sliced(second + 1);

    for (QStringView field : {all, player, minutes, turn})
        checkConversions(field);
    require(same(outcomeOf([&] { return minutesToSeconds(textToDouble(minutes)); }),
                 reference::minutesToSeconds(minutes)),
            "minutes to seconds agrees with the reference", minutes);
    checkSettingsRules(player, minutes, turn);
    if (size >= 2)
        checkTimeText(static_cast<qint16>(data[0] | (data[1] << 8)));
    return 0;
}
