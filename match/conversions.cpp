// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "conversions.h"

#include "checked.h"

#include <cfenv>
#include <charconv>
#include <cmath>
#include <string>

namespace {

bool isBlank(char16_t c)
{
    return c == u' ' || c == u'\u3000';
}

// Full-width digits and signs as their ASCII twins; anything else unchanged.
char16_t toAscii(char16_t c)
{
    if (c >= u'０' && c <= u'９')
        return static_cast<char16_t>(u'0' + (c - u'０'));
    switch (c) {
    case u'．':
        return u'.';
    case u'＋':
        return u'+';
    case u'－':
        return u'-';
    default:
        return c;
    }
}

} // namespace

double textToDouble(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin].unicode()))
        ++begin;
    while (end > begin && isBlank(text[end - 1].unicode()))
        --end;

    std::string ascii;
    ascii.reserve(static_cast<size_t>(end - begin));
    if (begin < end) {
        const char16_t sign = toAscii(text[begin].unicode());
        if (sign == u'-' || sign == u'+') {
            if (sign == u'-')
                ascii.push_back('-');
            ++begin;
        }
    }

    bool point = false;
    bool digits = false;
    bool wholePartNonZero = false;
    for (qsizetype i = begin; i < end; ++i) {
        const char16_t c = toAscii(text[i].unicode());
        if (c >= u'0' && c <= u'9') {
            digits = true;
            wholePartNonZero = wholePartNonZero || (!point && c != u'0');
        } else if (c == u'.' && !point) {
            point = true;
        } else {
            throw MatchError(ErrorKind::TypeMismatch);
        }
        ascii.push_back(static_cast<char>(c));
    }
    if (!digits)
        throw MatchError(ErrorKind::TypeMismatch);

    double value = 0.0;
    const auto [last, ec] =
        std::from_chars(ascii.data(), ascii.data() + ascii.size(), value, std::chars_format::fixed);
    if (ec == std::errc::result_out_of_range) {
        // Too small for a double reads as zero; too large is an overflow.
        if (wholePartNonZero)
            throw MatchError(ErrorKind::Overflow);
        return ascii.front() == '-' ? -0.0 : 0.0;
    }
    if (ec != std::errc() || last != ascii.data() + ascii.size())
        throw MatchError(ErrorKind::TypeMismatch);
    return value;
}

qint16 doubleToInt16(double value)
{
    // nearbyint rounds half to even under the default rounding mode.
    const double rounded = std::nearbyint(value);
    if (!(rounded >= -32768.0 && rounded <= 32767.0))
        throw MatchError(ErrorKind::Overflow);
    return static_cast<qint16>(rounded);
}

qint16 textToInt16(QStringView text)
{
    return doubleToInt16(textToDouble(text));
}

qint16 minutesToSeconds(double minutes)
{
    // volatile keeps the multiplication between the clear and the test.
    volatile double factor = minutes;
    std::feclearexcept(FE_ALL_EXCEPT);
    volatile double seconds = factor * 60.0;
    if (std::fetestexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW))
        throw MatchError(ErrorKind::FloatingPoint);
    return doubleToInt16(seconds);
}

quint32 colorFromText(QStringView text)
{
    if (text.size() != 8 || !text.startsWith(u"&H"))
        throw MatchError(ErrorKind::TypeMismatch);
    bool ok = false;
    const uint bgr = text.mid(2).toUInt(&ok, 16);
    if (!ok)
        throw MatchError(ErrorKind::TypeMismatch);
    const quint32 red = bgr & 0xFF, green = (bgr >> 8) & 0xFF, blue = (bgr >> 16) & 0xFF;
    return 0xFF000000u | red << 16 | green << 8 | blue;
}
