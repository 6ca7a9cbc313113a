// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "reference.h"

#include <QString>

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <string>

namespace reference {

namespace {

// Character classes the automaton reads.
enum Class { Blank, Sign, Digit, Point, Other };

Class classOf(char16_t c, char& ascii)
{
    if (c == u' ' || c == u'\u3000')
        return Blank;
    if (c == u'+' || c == u'-' || c == u'\uFF0B' || c == u'\uFF0D') {
        ascii = (c == u'-' || c == u'\uFF0D') ? '-' : '+';
        return Sign;
    }
    if (c >= u'0' && c <= u'9') {
        ascii = static_cast<char>(c);
        return Digit;
    }
    if (c >= u'\uFF10' && c <= u'\uFF19') {
        ascii = static_cast<char>('0' + (c - u'\uFF10'));
        return Digit;
    }
    if (c == u'.' || c == u'\uFF0E') {
        ascii = '.';
        return Point;
    }
    return Other;
}

// States: 0 leading blanks, 1 after the sign, 2 whole digits, 3 point after
// digits, 4 point before any digit, 5 fraction digits, 6 trailing blanks.
// -1 rejects.
constexpr int next[7][5] = {
    // Blank Sign Digit Point Other
    {0, 1, 2, 4, -1},    // 0
    {-1, -1, 2, 4, -1},  // 1
    {6, -1, 2, 3, -1},   // 2
    {6, -1, 5, -1, -1},  // 3
    {-1, -1, 5, -1, -1}, // 4
    {6, -1, 5, -1, -1},  // 5
    {6, -1, -1, -1, -1}, // 6
};
constexpr bool accepting[7] = {false, false, true, true, false, true, true};

} // namespace

Result toDouble(QStringView text)
{
    std::string ascii;
    int state = 0;
    for (const QChar ch : text) {
        char c = 0;
        const Class cls = classOf(ch.unicode(), c);
        state = next[state][cls];
        if (state < 0)
            return {};
        if (cls != Blank)
            ascii.push_back(c);
    }
    if (!accepting[state])
        return {};
    errno = 0;
    const double value = std::strtod(ascii.c_str(), nullptr);
    if (std::isinf(value))
        return {Outcome::Overflow, 0.0};
    return {Outcome::Value, value};
}

namespace {

Result roundToInt16(double value)
{
    if (!(value > -32769.0 && value < 32768.0))
        return {Outcome::Overflow, 0.0};
    // Exact for values this small: floor and the difference lose nothing.
    const double below = std::floor(value);
    const double fraction = value - below;
    double rounded = below;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0.0))
        rounded = below + 1.0;
    if (rounded < -32768.0 || rounded > 32767.0)
        return {Outcome::Overflow, 0.0};
    return {Outcome::Value, rounded + 0.0}; // a whole number has no -0
}

} // namespace

Result toInt16(QStringView text)
{
    const Result read = toDouble(text);
    return read.outcome == Outcome::Value ? roundToInt16(read.value) : read;
}

Result minutesToSeconds(QStringView text)
{
    const Result read = toDouble(text);
    if (read.outcome != Outcome::Value)
        return read;
    const double seconds = read.value * 60.0;
    if (std::isinf(seconds))
        return {Outcome::FloatingPoint, 0.0};
    return roundToInt16(seconds);
}

QString formatTime(int seconds)
{
    int rest = seconds % 60;
    if (rest < 0)
        rest += 60;
    const int minutes = (seconds - rest) / 60;
    QString text = QString::number(minutes);
    text += QChar(0xFF1A);
    text += QChar(u'0' + rest / 10);
    text += QChar(u'0' + rest % 10);
    return text;
}

} // namespace reference
