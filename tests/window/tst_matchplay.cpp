// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "expected.h"
#include "windowfixture.h"
#include "windowstate.h"

#include "window/colors.h"

#include <QRandomGenerator>

using namespace basVDTimer;
using namespace expected;

namespace {

// Ticks until the match ends; the working tick at which each stage began.
QMap<QString, int> playToEnd(WindowFixture& f)
{
    QMap<QString, int> began;
    for (int tick = 1; !f.w->cmdStart->isEnabled(); ++tick) {
        const QString before = strColor;
        f.tick();
        if (strColor != before)
            began[strColor] = tick;
        if (f.w->cmdStart->isEnabled())
            began[QStringLiteral("end")] = tick;
        if (tick % 100 == 0)
            QTest::mouseClick(f.w->cmdTurnEnd, Qt::LeftButton);
    }
    return began;
}

} // namespace

class TestMatchPlay : public QObject {
    Q_OBJECT

private slots:
    void workedExample()
    {
        WindowFixture f;
        frmVDTimer& w = *f.w;
        f.start("2", "2", "30");
        const auto expect = [&](int nokori, int turn, const QString& info, const QColor& infoBack) {
            QCOMPARE(int(intGameNokori), nokori);
            QCOMPARE(int(intTurnNokori), turn);
            QCOMPARE(w.lblGameNokori->text(), FormatTime(intGameNokori));
            QCOMPARE(w.lblTurnNokori->text(), FormatTime(intTurnNokori));
            QCOMPARE(w.ibiInformation->text(), info);
            QCOMPARE(f.background(w.ibiInformation), infoBack);
        };
        const QColor standard = QColor::fromRgba(lngDefaultColor);
        f.tick();
        expect(119, 29, QString(), standard);
        QCOMPARE(strColor, QStringLiteral("Green"));
        QCOMPARE(f.background(w.lblGameNokori), green);
        QCOMPARE(f.foreground(w.lblGameNokori), QColor(Qt::black));
        QCOMPARE(intTotalTime(1), qint16(1));
        f.tick(29);
        expect(90, 0, QString(), standard);
        QCOMPARE(intLossTime(1), qint16(0));
        f.tick();
        expect(89, 0, overrun, yellow);
        QCOMPARE(intLossTime(1), qint16(1));
        f.tick(29);
        expect(60, 0, overrun, yellow);
        QCOMPARE(strColor, QStringLiteral("Green")); // 60 is not less than 60
        f.tick();
        expect(59, 0, half, yellow); // the stage message replaces the overrun one
        QCOMPARE(strColor, QStringLiteral("Yellow"));
        QCOMPARE(f.background(w.lblGameNokori), yellow);
        f.tick();
        expect(58, 0, overrun, yellow);
        f.tick(29);
        expect(29, 0, quarter, orange);
        QCOMPARE(f.background(w.lblGameNokori), orange);
        QCOMPARE(f.foreground(w.lblGameNokori), QColor(Qt::black));
        f.tick();
        expect(28, 0, lastMinute, red);
        QCOMPARE(strColor, QStringLiteral("Red"));
        QCOMPARE(f.background(w.lblGameNokori), red);
        QCOMPARE(f.foreground(w.lblGameNokori), QColor(Qt::white));
        for (int left = 27; left >= 0; --left) {
            f.tick();
            expect(left, 0, overrun, yellow);
        }
        QVERIFY(!w.cmdStart->isEnabled());
        f.tick(); // tick 121 ends the match and does nothing else
        QVERIFY(w.cmdStart->isEnabled());
        QCOMPARE(w.lblGameNokori->text(), QStringLiteral("0：00"));
        QCOMPARE(f.background(w.lblGameNokori), red);
        QCOMPARE(intTotalTime(1), qint16(120));
        QCOMPARE(intLossTime(1), qint16(90));
        QCOMPARE(intTotalTime(2) + intLossTime(2), 0);
        QVERIFY(w.ibiInformation->text().endsWith(
            QStringLiteral("\n\r  Player1  Totaltime 2：00  (Losstime 1：30)"
                           "\n\r  Player2  Totaltime 0：00  (Losstime 0：00)")));
        // Later ticks change nothing.
        const QString results = w.ibiInformation->text();
        f.tick(5);
        QCOMPARE(w.ibiInformation->text(), results);
        QCOMPARE(intTotalTime(1), qint16(120));
    }

    void stageTicks_data()
    {
        QTest::addColumn<QString>("minutes");
        QTest::addColumn<QList<int>>("ticks"); // Green, Yellow, Orange, Red, end
        QTest::newRow("50 minutes") << "50" << QList<int>{1, 1501, 2251, 2941, 3001};
        QTest::newRow("90 s: quarter 22.5") << "1.5" << QList<int>{1, 46, 68, 69, 91};
        QTest::newRow("150 s: quarter 37.5") << "2.5" << QList<int>{1, 76, 113, 114, 151};
        QTest::newRow("2 s") << "0.0333333333333" << QList<int>{1, 2, 0, 0, 3};
    }

    void stageTicks()
    {
        QFETCH(QString, minutes);
        QFETCH(QList<int>, ticks);
        WindowFixture f;
        f.start("2", minutes, "120");
        const QMap<QString, int> began = playToEnd(f);
        const QStringList names = {"Green", "Yellow", "Orange", "Red", "end"};
        for (int i = 0; i < names.size(); ++i)
            QCOMPARE(began.value(names[i]), ticks[i]);
    }

    void zeroSecondMatchEndsAtFirstTick()
    {
        WindowFixture f;
        f.start("2", "0", "120");
        f.tick();
        QVERIFY(f.w->cmdStart->isEnabled());
        QCOMPARE(strColor, QStringLiteral("Nothing"));
        QCOMPARE(intTotalTime(1) + intTotalTime(2) + intLossTime(1), 0);
        QCOMPARE(f.w->lblGameNokori->text(), QStringLiteral("0：00"));
        QVERIFY(f.w->ibiInformation->text().startsWith(QStringLiteral("試合終了です。")));
    }

    void gateShutWhileSetUpOrPaused()
    {
        WindowFixture f;
        f.tick(100);
        QCOMPARE(intGameNokori, qint16(0));
        QCOMPARE(f.w->lblGameNokori->text(), QStringLiteral("50：00"));
        f.start("2", "50", "120");
        f.tick(10);
        QTest::mouseClick(f.w->cmdPause, Qt::LeftButton);
        QCOMPARE(strPause, QStringLiteral("ON"));
        QVERIFY(!f.w->cmdTurnEnd->isEnabled());
        f.tick(50);
        QCOMPARE(intGameNokori, qint16(2990));
        QCOMPARE(intTurnNokori, qint16(110));
        QCOMPARE(intTotalTime(1), qint16(10));
        QCOMPARE(f.w->lblGameNokori->text(), QStringLiteral("49：50"));
        QVERIFY(f.w->cmdEnd->isEnabled());
        QTest::mouseClick(f.w->cmdPause, Qt::LeftButton);
        QCOMPARE(strPause, QStringLiteral("OFF"));
        QVERIFY(f.w->cmdTurnEnd->isEnabled());
        QCOMPARE(f.w->cmdPause->text(), QStringLiteral("試合中断"));
        f.tick();
        QCOMPARE(intGameNokori, qint16(2989));
        QCOMPARE(intTotalTime(1), qint16(11));
    }

    void turnCycling_data()
    {
        QTest::addColumn<QString>("players");
        QTest::addColumn<QList<int>>("order");
        QTest::newRow("1") << "1" << QList<int>{1, 1, 1};
        QTest::newRow("2") << "2" << QList<int>{2, 1, 2};
        QTest::newRow("4") << "4" << QList<int>{2, 3, 4, 1, 2};
    }

    void turnCycling()
    {
        QFETCH(QString, players);
        QFETCH(QList<int>, order);
        WindowFixture f;
        f.start(players, "50", "120");
        for (int expected : order) {
            f.tick(3);
            QTest::mouseClick(f.w->cmdTurnEnd, Qt::LeftButton);
            QCOMPARE(int(intNowPlayer), expected);
            QCOMPARE(f.w->lblNowPlayer->text(), QStringLiteral("Player %1").arg(expected));
            QCOMPARE(intTurnNokori, qint16(120));
            QCOMPARE(f.w->lblTurnNokori->text(), QStringLiteral("2：00"));
        }
    }

    void turnEndNearTheEnd_data()
    {
        QTest::addColumn<int>("ticks");
        QTest::addColumn<int>("turn");
        QTest::newRow("30 s left") << 30 << 30;
        QTest::newRow("none left") << 60 << 0;
    }

    void turnEndNearTheEnd()
    {
        QFETCH(int, ticks);
        QFETCH(int, turn);
        WindowFixture f;
        f.start("2", "1", "120");
        f.tick(ticks);
        QTest::mouseClick(f.w->cmdTurnEnd, Qt::LeftButton);
        QCOMPARE(int(intTurnNokori), turn);
        QCOMPARE(f.w->lblTurnNokori->text(), FormatTime(static_cast<qint16>(turn)));
    }

    void turnEndClearsTheOverrun()
    {
        WindowFixture f;
        f.start("2", "50", "10");
        f.tick(13);
        QCOMPARE(f.w->ibiInformation->text(), overrun);
        QCOMPARE(intLossTime(1), qint16(3));
        QTest::mouseClick(f.w->cmdTurnEnd, Qt::LeftButton);
        QCOMPARE(f.w->ibiInformation->text(), QString());
        QCOMPARE(backColor(f.w->ibiInformation), lngDefaultColor);
        QCOMPARE(intTurnNokori, qint16(10));
        f.tick();
        QCOMPARE(intLossTime(1), qint16(3));
        QCOMPARE(intTotalTime(2), qint16(1));
        QCOMPARE(intLossTime(2), qint16(0));
        QCOMPARE(strColor, QStringLiteral("Green")); // the turn end leaves the stage alone
    }

    // Player 1 uses 1512 s with 37 s over, player 2 1488 s with none.
    void fullMatchResults()
    {
        WindowFixture f;
        f.start("2", "50", "1000");
        const auto turn = [&](int seconds) {
            f.tick(seconds);
            QTest::mouseClick(f.w->cmdTurnEnd, Qt::LeftButton);
        };
        turn(475);
        turn(744);
        turn(1037);
        QCOMPARE(intTurnNokori, qint16(744)); // the match time left, not the limit
        f.tick(744);
        QVERIFY(!f.w->cmdStart->isEnabled());
        f.tick();
        QCOMPARE(f.w->ibiInformation->text(),
                 QStringLiteral("試合終了です。お疲れ様でした。"
                                "\n\r  Player1  Totaltime 25：12  (Losstime 0：37)"
                                "\n\r  Player2  Totaltime 24：48  (Losstime 0：00)"));
        QCOMPARE(f.background(f.w->ibiInformation), green);
    }

    // A whole match with the keyboard alone.
    void keyboardPlay()
    {
        WindowFixture f;
        f.show();
        frmVDTimer& w = *f.w;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(QApplication::focusWidget(), w.cmdTurnEnd);
        f.tick(5);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(intNowPlayer, qint16(2));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w.cmdPause);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(strPause, QStringLiteral("ON"));
        QCOMPARE(QApplication::focusWidget(), w.cmdPause);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(strPause, QStringLiteral("OFF"));
        QCOMPARE(QApplication::focusWidget(), w.cmdTurnEnd);
        f.tick(2);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), w.cmdEnd);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QVERIFY(w.cmdStart->isEnabled());
        QCOMPARE(QApplication::focusWidget(), w.cmdStart);
        QVERIFY(w.ibiInformation->text().contains(QStringLiteral("Player2  Totaltime 0：02")));
    }

    // A key meant for ターンの終了 that comes just after the end must not start a
    // match and wipe the results; a deliberate start goes through at once.
    void resultsSurviveALateKey_data()
    {
        QTest::addColumn<bool>("byClock");
        QTest::addColumn<QString>("start"); // what the player does on 試合開始
        QTest::addColumn<int>("afterMs");
        QTest::addColumn<bool>("starts");
        for (const bool byClock : {true, false}) {
            const char* end = byClock ? "clock" : "end button";
            QTest::addRow("%s, Space at once", end) << byClock << "Space" << 70 << false;
            QTest::addRow("%s, Return at 1.99 s", end) << byClock << "Return" << 1990 << false;
            QTest::addRow("%s, Space at 2 s", end) << byClock << "Space" << 2000 << true;
            QTest::addRow("%s, click at once", end) << byClock << "click" << 70 << true;
            QTest::addRow("%s, Return in a box", end) << byClock << "box" << 70 << true;
        }
    }

    void resultsSurviveALateKey()
    {
        QFETCH(bool, byClock);
        QFETCH(QString, start);
        QFETCH(int, afterMs);
        QFETCH(bool, starts);
        WindowFixture f;
        f.show();
        frmVDTimer& w = *f.w;
        f.start("2", "0.05", "1");
        QTest::keyClick(w.cmdTurnEnd, Qt::Key_Space);
        if (byClock)
            f.tick(4);
        else
            QTest::keyClick(w.cmdEnd, Qt::Key_Space);
        QVERIFY(w.cmdStart->isEnabled());
        QCOMPARE(QApplication::focusWidget(), w.cmdStart);
        const QStringList results = windowState(w);

        f.now += std::chrono::milliseconds(afterMs);
        if (start == u"Space")
            QTest::keyClick(w.cmdStart, Qt::Key_Space);
        else if (start == u"Return")
            QTest::keyClick(w.cmdStart, Qt::Key_Return);
        else if (start == u"click")
            QTest::mouseClick(w.cmdStart, Qt::LeftButton);
        else
            QTest::keyClick(w.txtTurnJoken, Qt::Key_Return);
        QCOMPARE(!w.cmdStart->isEnabled(), starts);
        if (!starts)
            QCOMPARE(windowState(w), results);
    }

    // Random turn ends and pauses; the match state stays consistent at every tick.
    void invariantsHoldInRandomMatches()
    {
        QRandomGenerator random(2026);
        WindowFixture f;
        for (int match = 0; match < 40; ++match) {
            const int players = random.bounded(1, 5);
            const int seconds = random.bounded(0, 400);
            f.start(QString::number(players), QString::number(seconds / 60.0, 'f', 10),
                    QString::number(random.bounded(0, 60)));
            QCOMPARE(int(intGameJoken), seconds);
            while (!f.w->cmdStart->isEnabled()) {
                const int roll = random.bounded(100);
                if (roll < 10 && f.w->cmdTurnEnd->isEnabled())
                    QTest::mouseClick(f.w->cmdTurnEnd, Qt::LeftButton);
                else if (roll < 14)
                    QTest::mouseClick(f.w->cmdPause, Qt::LeftButton);
                f.tick();
                if (f.w->cmdStart->isEnabled())
                    break;
                int charged = 0;
                for (int p = 1; p <= players; ++p) {
                    QVERIFY(intLossTime(p) >= 0 && intLossTime(p) <= intTotalTime(p));
                    charged += intTotalTime(p);
                }
                QCOMPARE(charged, intGameJoken - intGameNokori);
                QVERIFY(intGameNokori >= 0 && intTurnNokori >= 0);
                QVERIFY(intTurnNokori <= intGameNokori);
                QVERIFY(intNowPlayer >= 1 && intNowPlayer <= players);
                QVERIFY(!f.w->ibiInformation->text().startsWith(QStringLiteral("エラー")));
            }
            QCOMPARE(intGameNokori, qint16(0));
            QCOMPARE(f.w->ibiInformation->text().count(QStringLiteral("\n\r")), players);
        }
    }
};

QTEST_MAIN(TestMatchPlay)
#include "tst_matchplay.moc"
