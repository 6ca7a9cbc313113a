// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The match state forced into values no match reaches: the handler stops at
// the failing step, the window reports it, and the program goes on.
#include "expected.h"
#include "windowfixture.h"
#include "windowstate.h"

using namespace basVDTimer;
using namespace expected;

namespace {

QString errorIn(const char* handler, const QString& message)
{
    return QStringLiteral("エラー（%1）：").arg(QLatin1String(handler)) + message;
}

} // namespace

class TestFaults : public QObject {
    Q_OBJECT

private slots:
    void tickStopsAtTheFailingStep_data()
    {
        QTest::addColumn<QString>("turn"); // "0": every tick is an overrun
        QTest::addColumn<int>("player");   // forced into intNowPlayer
        QTest::addColumn<int>("total");    // forced into its intTotalTime, when 1 to 4
        QTest::addColumn<int>("loss");     // forced into its intLossTime, when 1 to 4
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("lossCounted"); // the overrun second was charged first
        QTest::newRow("player 5 in an overrun") << "0" << 5 << 0 << 0 << badIndex << false;
        QTest::newRow("player 5 outside an overrun") << "120" << 5 << 0 << 0 << badIndex << false;
        QTest::newRow("player 0 in an overrun") << "0" << 0 << 0 << 0 << badIndex << false;
        QTest::newRow("player -1 outside an overrun") << "120" << -1 << 0 << 0 << badIndex << false;
        QTest::newRow("player 32767 in an overrun") << "0" << 32767 << 0 << 0 << badIndex << false;
        QTest::newRow("loss at 32767 in an overrun")
            << "0" << 2 << 32767 << 32767 << overflow << false;
        QTest::newRow("total at 32767 in an overrun")
            << "0" << 1 << 32767 << 12 << overflow << true;
        QTest::newRow("total at 32767 outside an overrun")
            << "120" << 2 << 32767 << 0 << overflow << false;
    }

    void tickStopsAtTheFailingStep()
    {
        QFETCH(QString, turn);
        QFETCH(int, player);
        QFETCH(int, total);
        QFETCH(int, loss);
        QFETCH(QString, message);
        QFETCH(bool, lossCounted);
        const bool inOverrun = turn == u"0";
        WindowFixture f;
        f.show();
        frmVDTimer& w = *f.w;
        f.start("2", "50", turn);
        intNowPlayer = static_cast<qint16>(player);
        if (player >= 1 && player <= 4) {
            intTotalTime(player) = static_cast<qint16>(total);
            intLossTime(player) = static_cast<qint16>(loss);
        }
        const QStringList controls = controlState(w, false);
        QStringList match = matchState();

        f.tick();
        QCOMPARE(w.ibiInformation->text(), errorIn("Timer1_Timer", message));
        // Done before the failing step: the match second, the turn second or
        // the overrun's yellow and, in the one case, the overrun second.
        QCOMPARE(intGameNokori, qint16(2999));
        QCOMPARE(int(intTurnNokori), inOverrun ? 0 : 119);
        QCOMPARE(f.background(w.ibiInformation),
                 inOverrun ? yellow : QColor::fromRgba(lngDefaultColor));
        if (lossCounted)
            QCOMPARE(int(intLossTime(player)), loss + 1);
        // Not done: every counter, the time labels and the colour stage as before.
        match.replaceInStrings(QStringLiteral("intGameNokori=3000"),
                               QStringLiteral("intGameNokori=2999"));
        match.replaceInStrings(QStringLiteral("intTurnNokori=120"),
                               QStringLiteral("intTurnNokori=119"));
        if (lossCounted)
            match.replaceInStrings(QStringLiteral("/%1").arg(loss),
                                   QStringLiteral("/%1").arg(loss + 1));
        QCOMPARE(matchState(), match);
        QCOMPARE(controlState(w, false), controls);
        QCOMPARE(strColor, QStringLiteral("Nothing"));

        // Each later tick fails the same way while the clock runs on.
        f.tick();
        QCOMPARE(w.ibiInformation->text(), errorIn("Timer1_Timer", message));
        QCOMPARE(intGameNokori, qint16(2998));

        // The end still works, and so does the next match.
        QTest::mouseClick(w.cmdEnd, Qt::LeftButton);
        QVERIFY(w.cmdStart->isEnabled());
        QVERIFY(w.ibiInformation->text().startsWith(QStringLiteral("試合終了です。")));
        QCOMPARE(w.ibiInformation->text().count(QStringLiteral("\n\r")), 2);
        f.start("2", "50", "120");
        QCOMPARE(w.ibiInformation->text(), QString());
        f.tick();
        QCOMPARE(w.ibiInformation->text(), QString());
        QCOMPARE(w.lblGameNokori->text(), QStringLiteral("49：59"));
        QCOMPARE(intTotalTime(1), qint16(1));
        QCOMPARE(strColor, QStringLiteral("Green"));
    }

    // A player count the start never lets through, forced in for the end.
    void endStopsAtTheFailingStep_data()
    {
        QTest::addColumn<QString>("count");
        QTest::addColumn<bool>("byTick"); // ended by the clock rather than the button
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("player"); // intNowPlayer after the failure
        QTest::newRow("5 players, end button") << "5" << false << badIndex << 5;
        QTest::newRow("5 players, match time up") << "5" << true << badIndex << 5;
        QTest::newRow("not a number, end button") << "x" << false << mismatch << 1;
        QTest::newRow("40000 players, match time up") << "40000" << true << overflow << 1;
    }

    void endStopsAtTheFailingStep()
    {
        QFETCH(QString, count);
        QFETCH(bool, byTick);
        QFETCH(QString, message);
        QFETCH(int, player);
        WindowFixture f;
        f.show();
        frmVDTimer& w = *f.w;
        f.start("4", "50", "120");
        f.tick(3);
        w.lblPlayer->setText(count);
        if (byTick)
            intGameNokori = 0;
        const QStringList controls = controlState(w, false);
        const QStringList match = matchState();
        const char* handler = byTick ? "Timer1_Timer" : "cmdEnd_Click";
        const auto end = [&] {
            if (byTick)
                f.tick();
            else
                QTest::mouseClick(w.cmdEnd, Qt::LeftButton);
        };

        end();
        // The closing message and its green were written; the error replaced
        // the message. The window stays as it was: boxes hidden, the match on.
        QCOMPARE(w.ibiInformation->text(), errorIn(handler, message));
        QCOMPARE(f.background(w.ibiInformation), green);
        QCOMPARE(int(intNowPlayer), player);
        QCOMPARE(controlState(w, false), controls);
        QStringList expected = match;
        expected.replaceInStrings(QStringLiteral("intNowPlayer=1"),
                                  QStringLiteral("intNowPlayer=%1").arg(player));
        QCOMPARE(matchState(), expected);
        QVERIFY(!w.cmdStart->isEnabled() && w.cmdEnd->isEnabled());

        // No way back for the players: each end fails the same way, so the
        // match never ends; only closing the window leaves it.
        intNowPlayer = 1;
        end();
        QCOMPARE(w.ibiInformation->text(), errorIn(handler, message));
        QVERIFY(!w.cmdStart->isEnabled());
        if (!byTick) {
            f.tick();
            QCOMPARE(intGameNokori, qint16(2996));
        }

        // With the count back to a real one the same window ends and starts again.
        w.lblPlayer->setText(QStringLiteral("4"));
        end();
        QVERIFY(w.cmdStart->isEnabled());
        QCOMPARE(w.ibiInformation->text().count(QStringLiteral("\n\r")), 4);
        f.start("2", "1", "10");
        f.tick();
        QCOMPARE(w.lblGameNokori->text(), QStringLiteral("0：59"));
    }

    void turnEndStopsAtTheFailingStep()
    {
        WindowFixture f;
        f.show();
        frmVDTimer& w = *f.w;
        f.start("2", "50", "10");
        f.tick(12);
        QCOMPARE(w.ibiInformation->text(), overrun);
        w.lblPlayer->setText(QStringLiteral("two"));
        QTest::mouseClick(w.cmdTurnEnd, Qt::LeftButton);
        // The new turn's time and the cleared overrun came before the failure;
        // the next player did not.
        QCOMPARE(w.ibiInformation->text(), errorIn("cmdTurnEnd_Click", mismatch));
        QCOMPARE(f.background(w.ibiInformation), QColor::fromRgba(lngDefaultColor));
        QCOMPARE(intTurnNokori, qint16(10));
        QCOMPARE(w.lblTurnNokori->text(), QStringLiteral("0：10"));
        QCOMPARE(intNowPlayer, qint16(1));
        QCOMPARE(w.lblNowPlayer->text(), QStringLiteral("Player 1"));
        // The clock goes on charging the same player.
        f.tick();
        QCOMPARE(intTotalTime(1), qint16(13));
        QCOMPARE(intTurnNokori, qint16(9));
        QCOMPARE(w.ibiInformation->text(), errorIn("cmdTurnEnd_Click", mismatch));
    }
};

QTEST_MAIN(TestFaults)
#include "tst_faults.moc"
