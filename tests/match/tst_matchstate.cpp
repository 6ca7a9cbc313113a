// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "match/basVDTimer.h"

#include <QTest>

using namespace basVDTimer;

class TestMatchState : public QObject {
    Q_OBJECT

private slots:
    void programStartValues()
    {
        intGameNokori = 5;
        intTotalTime(3) = 7;
        strColor = QStringLiteral("Red");
        resetState();
        QCOMPARE(strPause, QString());
        QCOMPARE(strColor, QString());
        QCOMPARE(intGameJoken + intTurnJoken + intGameNokori + intTurnNokori + intNowPlayer, 0);
        for (int p = 1; p <= 4; ++p)
            QCOMPARE(intTotalTime(p) + intLossTime(p), 0);
    }

    void formatsMinutesAndSeconds_data()
    {
        QTest::addColumn<int>("seconds");
        QTest::addColumn<QString>("text");
        const QList<std::pair<int, const char16_t*>> table = {
            {0, u"0：00"},       {5, u"0：05"},     {59, u"0：59"},        {60, u"1：00"},
            {120, u"2：00"},     {3000, u"50：00"}, {3599, u"59：59"},     {6000, u"100：00"},
            {32767, u"546：07"}, {-1, u"-1：59"},   {-5, u"-1：55"},       {-60, u"-1：00"},
            {-61, u"-2：59"},    {-300, u"-5：00"}, {-32768, u"-547：52"}, {61, u"1：01"},
            {-59, u"-1：01"},    {1512, u"25：12"}, {37, u"0：37"},
        };
        for (const auto& [seconds, text] : table)
            QTest::addRow("%d", seconds) << seconds << QString::fromUtf16(text);
    }

    void formatsMinutesAndSeconds()
    {
        QFETCH(int, seconds);
        QFETCH(QString, text);
        QCOMPARE(FormatTime(static_cast<qint16>(seconds)), text);
    }

    // Every 16-bit value: floor minutes, the full-width colon, two digits 00 to 59.
    void wholeRangeMatchesFloorDivision()
    {
        for (int s = -32768; s <= 32767; ++s) {
            const QString text = FormatTime(static_cast<qint16>(s));
            const qsizetype colon = text.indexOf(u'：');
            QVERIFY(colon > 0);
            QCOMPARE(text.size() - colon, 3);
            const int minutes = text.left(colon).toInt();
            const int rest = text.mid(colon + 1).toInt();
            QVERIFY(rest >= 0 && rest <= 59);
            if (minutes * 60 + rest != s || minutes != int(std::floor(s / 60.0f)))
                QFAIL(qPrintable(QStringLiteral("wrong text %1 for %2").arg(text).arg(s)));
        }
    }
};

QTEST_GUILESS_MAIN(TestMatchState)
#include "tst_matchstate.moc"
