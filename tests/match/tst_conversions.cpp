// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "match/checked.h"
#include "match/conversions.h"
#include "match/settings.h"

#include <QTest>

#include <cmath>

namespace {

// The error a conversion raises, or -1 when it raises none.
template <typename Convert> int errorOf(Convert convert)
{
    try {
        convert();
        return -1;
    } catch (const MatchError& error) {
        return static_cast<int>(error.kind());
    }
}

constexpr int none = -1;
constexpr int mismatch = static_cast<int>(ErrorKind::TypeMismatch);
constexpr int overflow = static_cast<int>(ErrorKind::Overflow);

} // namespace

class TestConversions : public QObject {
    Q_OBJECT

private slots:
    void textToDouble_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("error");
        const auto row = [](const char* name, const char16_t* text, double value, int error) {
            QTest::newRow(name) << QString::fromUtf16(text) << value << error;
        };
        row("whole", u"50", 50, none);
        row("fraction", u"1.5", 1.5, none);
        row("leading point", u".5", 0.5, none);
        row("trailing point", u"5.", 5, none);
        row("plus", u"+3", 3, none);
        row("minus", u"-3.25", -3.25, none);
        row("blanks around", u"  42  ", 42, none);
        row("ideographic blanks", u"\u3000７\u3000", 7, none);
        row("full-width number", u"－１２．５", -12.5, none);
        row("full-width plus", u"＋２", 2, none);
        row("mixed widths", u"1２.５", 12.5, none);
        row("tiny reads as zero",
            u"0.000000000000000000000000000000000000000000000000000000000"
            u"000000000000000000000000000000000000000000000000000000000000"
            u"000000000000000000000000000000000000000000000000000000000000"
            u"000000000000000000000000000000000000000000000000000000000000"
            u"000000000000000000000000000000000000000000000000000000000000"
            u"00000000000000000000000000000000000000000000000000000001",
            0, none);
        row("empty", u"", 0, mismatch);
        row("blanks only", u"   ", 0, mismatch);
        row("sign only", u"+", 0, mismatch);
        row("point only", u".", 0, mismatch);
        row("two signs", u"--1", 0, mismatch);
        row("two points", u"1.2.3", 0, mismatch);
        row("inner blank", u"1 2", 0, mismatch);
        row("exponent", u"1e3", 0, mismatch);
        row("hex", u"0x10", 0, mismatch);
        row("thousands", u"1,000", 0, mismatch);
        row("inf", u"inf", 0, mismatch);
        row("nan", u"nan", 0, mismatch);
        row("letters", u"abc", 0, mismatch);
        row("tab", u"\t5", 0, mismatch);
        row("sign after blank inside", u"- 5", 0, mismatch);
        row("markup", u"<b>2</b>", 0, mismatch);
    }

    void textToDouble()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QFETCH(int, error);
        double result = 0;
        QCOMPARE(errorOf([&] { result = ::textToDouble(text); }), error);
        if (error == none)
            QCOMPARE(result, value);
    }

    void hugeNumberIsAnOverflow()
    {
        QCOMPARE(errorOf([] { ::textToDouble(QString(400, u'9')); }), overflow);
        QCOMPARE(errorOf([] { ::textToDouble(QString(1 << 20, u'1')); }), overflow);
        QCOMPARE(::textToDouble(QStringLiteral("0.") + QString(1 << 20, u'0') + u'1'), 0.0);
    }

    void roundsHalfToEven_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("error");
        const QList<std::tuple<const char*, int, int>> table = {
            {"90.5", 90, none},       {"91.5", 92, none},         {"2.5", 2, none},
            {"3.5", 4, none},         {"-2.5", -2, none},         {"-3.5", -4, none},
            {"0.5", 0, none},         {"1.4999", 1, none},        {"2.0", 2, none},
            {"32767", 32767, none},   {"32767.4", 32767, none},   {"32767.5", 0, overflow},
            {"-32768", -32768, none}, {"-32768.5", -32768, none}, {"-32768.6", 0, overflow},
            {"40000", 0, overflow},   {"x", 0, mismatch},
        };
        for (const auto& [text, value, error] : table)
            QTest::newRow(text) << QString::fromLatin1(text) << value << error;
    }

    void roundsHalfToEven()
    {
        QFETCH(QString, text);
        QFETCH(int, value);
        QFETCH(int, error);
        qint16 result = 0;
        QCOMPARE(errorOf([&] { result = textToInt16(text); }), error);
        if (error == none)
            QCOMPARE(int(result), value);
    }

    void minutesToSeconds_data()
    {
        QTest::addColumn<double>("minutes");
        QTest::addColumn<int>("seconds");
        QTest::addColumn<int>("error");
        QTest::newRow("50") << 50.0 << 3000 << none;
        QTest::newRow("1.5") << 1.5 << 90 << none;
        QTest::newRow("0.5") << 0.5 << 30 << none;
        QTest::newRow("0.1") << 0.1 << 6 << none;
        QTest::newRow("22.5 s to even") << 0.375 << 22 << none;
        QTest::newRow("37.5 s to even") << 0.625 << 38 << none;
        QTest::newRow("546.12") << 546.12 << 32767 << none;
        QTest::newRow("546.125") << 546.125 << 0 << overflow;
        QTest::newRow("-546.14") << -546.14 << -32768 << none;
        QTest::newRow("-546.15") << -546.15 << 0 << overflow;
        QTest::newRow("product overflows")
            << 1e307 << 0 << static_cast<int>(ErrorKind::FloatingPoint);
    }

    void minutesToSeconds()
    {
        QFETCH(double, minutes);
        QFETCH(int, seconds);
        QFETCH(int, error);
        qint16 result = 0;
        QCOMPARE(errorOf([&] { result = ::minutesToSeconds(minutes); }), error);
        if (error == none)
            QCOMPARE(int(result), seconds);
    }

    void colourTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<quint32>("rgb"); // opaque 0xAARRGGBB
        QTest::newRow("green") << "&H00FF00" << 0xFF00FF00u;
        QTest::newRow("yellow") << "&H00FFFF" << 0xFFFFFF00u;
        QTest::newRow("orange") << "&H0080FF" << 0xFFFF8000u;
        QTest::newRow("red") << "&H0000FF" << 0xFFFF0000u;
        QTest::newRow("black") << "&H000000" << 0xFF000000u;
        QTest::newRow("white") << "&HFFFFFF" << 0xFFFFFFFFu;
        QTest::newRow("blue") << "&HFF0000" << 0xFF0000FFu;
    }

    void colourTexts()
    {
        QFETCH(QString, text);
        QFETCH(quint32, rgb);
        QCOMPARE(colorFromText(text), rgb);
    }

    void badColourTextIsAMismatch()
    {
        for (const char* text : {"", "00FF00", "&H00FF0", "&H00FF0G", "#00FF00"})
            QCOMPARE(errorOf([&] { colorFromText(QString::fromLatin1(text)); }), mismatch);
    }

    void checkedArithmetic()
    {
        QCOMPARE(checkedAdd(32766, 1), qint16(32767));
        QCOMPARE(errorOf([] { checkedAdd(32767, 1); }), overflow);
        QCOMPARE(errorOf([] { checkedAdd(-32768, -1); }), overflow);
        PlayerSeconds seconds;
        seconds(4) = 9;
        QCOMPARE(seconds(4), qint16(9));
        for (int bad : {0, 5, -1, 32767})
            QCOMPARE(errorOf([&] { seconds(bad) = 1; }),
                     static_cast<int>(ErrorKind::SubscriptOutOfRange));
    }

    void settingsCheck_data()
    {
        QTest::addColumn<QString>("player");
        QTest::addColumn<QString>("minutes");
        QTest::addColumn<QString>("turn");
        QTest::addColumn<int>("refused"); // -1: accepted, else the Setting refused
        const auto row = [](const char* name, const char16_t* p, const char16_t* m,
                            const char16_t* t, int refused) {
            QTest::newRow(name) << QString::fromUtf16(p) << QString::fromUtf16(m)
                                << QString::fromUtf16(t) << refused;
        };
        const int player = int(Setting::Player);
        const int minutes = int(Setting::GameMinutes);
        const int turn = int(Setting::TurnSeconds);
        row("defaults", u"2", u"50", u"120", none);
        row("2.0 players", u"2.0", u"50", u"120", none);
        row("2.5 players", u"2.5", u"50", u"120", player);
        row("0 players", u"0", u"50", u"120", player);
        row("5 players", u"5", u"50", u"120", player);
        row("first fault wins", u"x", u"x", u"x", player);
        row("minutes then turn", u"1", u"x", u"x", minutes);
        row("546.125 minutes", u"1", u"546.125", u"1", minutes);
        row("546.12 minutes", u"1", u"546.12", u"1", none);
        row("zero minutes", u"1", u"0", u"0", none);
        row("negative times", u"1", u"-5", u"-10", none);
        row("turn 32767.5", u"1", u"1", u"32767.5", turn);
        row("turn -32768.5", u"1", u"1", u"-32768.5", none);
    }

    void settingsCheck()
    {
        QFETCH(QString, player);
        QFETCH(QString, minutes);
        QFETCH(QString, turn);
        QFETCH(int, refused);
        const auto fault = checkSettings(player, minutes, turn);
        QCOMPARE(fault ? int(fault->setting) : none, refused);
        if (fault)
            QVERIFY(!fault->message.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestConversions)
#include "tst_conversions.moc"
