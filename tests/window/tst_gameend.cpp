// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "match/basVDTimer.h"
#include "window/colors.h"
#include "window/controls.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace basVDTimer;

// The controls the match end writes, standing alone without the main window.
struct StandAlone {
    QWidget parent;
    QLabel lblPlayer{&parent}, lblGameNokori{&parent}, lblTurnNokori{&parent},
        ibiInformation{&parent};
    QLineEdit txtPlayer{&parent}, txtGameJoken{&parent}, txtTurnJoken{&parent};
    QPushButton cmdStart{&parent}, cmdTurnEnd{&parent}, cmdPause{&parent}, cmdEnd{&parent};
    Controls frm{.txtPlayer = &txtPlayer,
                 .lblPlayer = &lblPlayer,
                 .txtGameJoken = &txtGameJoken,
                 .txtTurnJoken = &txtTurnJoken,
                 .lblGameNokori = &lblGameNokori,
                 .lblTurnNokori = &lblTurnNokori,
                 .cmdTurnEnd = &cmdTurnEnd,
                 .cmdStart = &cmdStart,
                 .cmdPause = &cmdPause,
                 .cmdEnd = &cmdEnd,
                 .ibiInformation = &ibiInformation};

    // A match under way, paused or not.
    explicit StandAlone(const QString& players)
    {
        lblPlayer.setText(players);
        for (QLineEdit* box : {&txtPlayer, &txtGameJoken, &txtTurnJoken})
            box->setVisible(false);
        cmdStart.setEnabled(false);
        parent.show();
    }
};

class TestGameEnd : public QObject {
    Q_OBJECT

private slots:
    void init() { resetState(); }

    void resultsOfTwoPlayers()
    {
        StandAlone c(QStringLiteral("2"));
        intTotalTime(1) = 1512;
        intLossTime(1) = 37;
        intTotalTime(2) = 1488;
        intLossTime(2) = 0;
        strPause = QStringLiteral("ON");
        GameEnd(c.frm);
        QCOMPARE(c.ibiInformation.text(),
                 QStringLiteral("試合終了です。お疲れ様でした。"
                                "\n\r  Player1  Totaltime 25：12  (Losstime 0：37)"
                                "\n\r  Player2  Totaltime 24：48  (Losstime 0：00)"));
        QCOMPARE(QColor::fromRgba(backColor(&c.ibiInformation)), QColor(0, 255, 0));
        QCOMPARE(intNowPlayer, qint16(3));
        QCOMPARE(strPause, QStringLiteral("OFF"));
        QVERIFY(c.txtPlayer.isVisible() && c.txtGameJoken.isVisible() &&
                c.txtTurnJoken.isVisible());
        QVERIFY(c.cmdStart.isEnabled());
        QVERIFY(!c.cmdTurnEnd.isEnabled() && !c.cmdPause.isEnabled() && !c.cmdEnd.isEnabled());
        QCOMPARE(c.cmdPause.text(), QStringLiteral("試合中断"));
    }

    void resultLinesPerCount_data()
    {
        QTest::addColumn<QString>("players");
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("nowPlayer");
        QTest::newRow("one") << "1" << 1 << 2;
        QTest::newRow("four") << "4" << 4 << 5;
        QTest::newRow("rounded 2.5") << "2.5" << 2 << 3;
        QTest::newRow("none below one") << "0" << 0 << 1;
    }

    void resultLinesPerCount()
    {
        QFETCH(QString, players);
        QFETCH(int, lines);
        QFETCH(int, nowPlayer);
        StandAlone c(players);
        intTotalTime(4) = 6000;
        GameEnd(c.frm);
        const QStringList parts = c.ibiInformation.text().split(QStringLiteral("\n\r"));
        QCOMPARE(parts.size(), lines + 1);
        for (int p = 1; p <= lines; ++p)
            QVERIFY(parts[p].startsWith(QStringLiteral("  Player%1  Totaltime ").arg(p)));
        if (lines == 4)
            QCOMPARE(parts[4], QStringLiteral("  Player4  Totaltime 100：00  (Losstime 0：00)"));
        QCOMPARE(int(intNowPlayer), nowPlayer);
        QVERIFY(c.cmdStart.isEnabled());
    }

    // A count past the array bounds stops at the fifth line: nothing after it runs.
    void fifthPlayerStopsTheEnd()
    {
        StandAlone c(QStringLiteral("5"));
        try {
            GameEnd(c.frm);
            QFAIL("no error raised");
        } catch (const MatchError& error) {
            QCOMPARE(error.kind(), ErrorKind::SubscriptOutOfRange);
        }
        QCOMPARE(c.ibiInformation.text().count(QStringLiteral("\n\r")), 4);
        QVERIFY(!c.cmdStart.isEnabled());
        QVERIFY(!c.txtPlayer.isVisible());
    }
};

QTEST_MAIN(TestGameEnd)
#include "tst_gameend.moc"
