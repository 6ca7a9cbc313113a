// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "windowfixture.h"
#include "windowstate.h"

#include "window/colors.h"

using namespace basVDTimer;

class TestMatchStart : public QObject {
    Q_OBJECT

private slots:
    void defaultStart()
    {
        WindowFixture f;
        f.show();
        frmVDTimer& w = *f.w;
        for (int p = 1; p <= 4; ++p) {
            intTotalTime(p) = static_cast<qint16>(10 * p);
            intLossTime(p) = static_cast<qint16>(p);
        }
        QTest::mouseClick(w.cmdStart, Qt::LeftButton);
        QCOMPARE(intGameJoken, qint16(3000));
        QCOMPARE(intGameNokori, qint16(3000));
        QCOMPARE(intTurnJoken, qint16(120));
        QCOMPARE(intTurnNokori, qint16(120));
        QCOMPARE(w.lblGameNokori->text(), QStringLiteral("50：00"));
        QCOMPARE(w.lblTurnNokori->text(), QStringLiteral("2：00"));
        QCOMPARE(w.lblNowPlayer->text(), QStringLiteral("Player 1"));
        QCOMPARE(intNowPlayer, qint16(1));
        QCOMPARE(strColor, QStringLiteral("Nothing"));
        QCOMPARE(strPause, QStringLiteral("OFF"));
        QVERIFY(!w.cmdStart->isEnabled());
        QVERIFY(w.cmdTurnEnd->isEnabled() && w.cmdPause->isEnabled() && w.cmdEnd->isEnabled());
        QVERIFY(!w.txtPlayer->isVisible() && !w.txtGameJoken->isVisible() &&
                !w.txtTurnJoken->isVisible());
        QVERIFY(w.lblPlayer->isVisible() && w.lblGameJoken->isVisible() &&
                w.lblTurnJoken->isVisible());
        QCOMPARE(w.ibiInformation->text(), QString());
        QCOMPARE(backColor(w.ibiInformation), lngDefaultColor);
        QCOMPARE(backColor(w.lblGameNokori), lngDefaultColor);
        QCOMPARE(f.foreground(w.lblGameNokori), QColor(Qt::black));
        // Only the players in the match are cleared.
        QCOMPARE(intTotalTime(1) + intTotalTime(2) + intLossTime(1) + intLossTime(2), 0);
        QCOMPARE(intTotalTime(3), qint16(30));
        QCOMPARE(intLossTime(4), qint16(4));
        QCOMPARE(QApplication::focusWidget(), w.cmdTurnEnd);
    }

    void shortMatchWithLongTurns()
    {
        WindowFixture f;
        f.start("2", "1", "120");
        QCOMPARE(intGameJoken, qint16(60));
        QCOMPARE(intTurnNokori, qint16(60));
        QCOMPARE(f.w->lblTurnNokori->text(), QStringLiteral("2：00")); // the limit, until a tick
        f.tick();
        QCOMPARE(f.w->lblTurnNokori->text(), QStringLiteral("0：59"));
    }

    void threePlayersKeepTheFourth()
    {
        WindowFixture f;
        intTotalTime(4) = 77;
        intLossTime(3) = 5;
        f.start("3", "50", "120");
        QCOMPARE(intLossTime(3), qint16(0));
        QCOMPARE(intTotalTime(4), qint16(77));
    }

    // Accepted settings start with the right seconds and keep the text as typed;
    // refused ones leave the window exactly as it was.
    void settings_data()
    {
        QTest::addColumn<QString>("players");
        QTest::addColumn<QString>("minutes");
        QTest::addColumn<QString>("turn");
        QTest::addColumn<QString>("refused"); // the box refused, or empty
        QTest::addColumn<int>("gameSeconds");
        QTest::addColumn<int>("turnSeconds");
        const auto ok = [](const char* name, const char16_t* p, const char16_t* m,
                           const char16_t* t, int game, int turn) {
            QTest::newRow(name) << QString::fromUtf16(p) << QString::fromUtf16(m)
                                << QString::fromUtf16(t) << QString() << game << turn;
        };
        const auto no = [](const char* name, const char16_t* p, const char16_t* m,
                           const char16_t* t, const char* box) {
            QTest::newRow(name) << QString::fromUtf16(p) << QString::fromUtf16(m)
                                << QString::fromUtf16(t) << QString::fromLatin1(box) << 0 << 0;
        };
        ok("defaults", u"2", u"50", u"120", 3000, 120);
        ok("1.5 minutes", u"1", u"1.5", u"30", 90, 30);
        ok("0.5 minutes", u"1", u"0.5", u"30", 30, 30);
        ok("turn 90.5 to even", u"2", u"50", u"90.5", 3000, 90);
        ok("turn 91.5 to even", u"2", u"50", u"91.5", 3000, 92);
        ok("2.0 players", u"2.0", u"50", u"120", 3000, 120);
        ok("4 players", u"4", u"10", u"60", 600, 60);
        ok("blanks kept", u" 3 ", u"  2  ", u" 45", 120, 45);
        ok("full-width", u"４", u"１．５", u"３０", 90, 30);
        ok("ideographic blanks", u"\u30002\u3000", u"50", u"120", 3000, 120);
        ok("plus signs", u"+2", u"+1", u"+10", 60, 10);
        ok("zero match", u"2", u"0", u"120", 0, 120);
        ok("negative match", u"2", u"-1", u"30", -60, 30);
        ok("zero turn", u"2", u"1", u"0", 60, 0);
        ok("negative turn", u"2", u"1", u"-5", 60, -5);
        ok("546.12 minutes", u"1", u"546.12", u"120", 32767, 120);
        ok("turn 32767", u"1", u"1", u"32767", 60, 32767);
        ok("turn -32768.5", u"1", u"1", u"-32768.5", 60, -32768);
        ok("0.1 minutes", u"1", u"0.1", u"2", 6, 2);
        no("empty players", u"", u"50", u"120", "txtPlayer");
        no("zero players", u"0", u"50", u"120", "txtPlayer");
        no("five players", u"5", u"50", u"120", "txtPlayer");
        no("negative players", u"-1", u"50", u"120", "txtPlayer");
        no("2.5 players", u"2.5", u"50", u"120", "txtPlayer");
        no("letters players", u"two", u"50", u"120", "txtPlayer");
        no("markup players", u"<b>2</b>", u"50", u"120", "txtPlayer");
        no("empty minutes", u"2", u"", u"120", "txtGameJoken");
        no("blank minutes", u"2", u"   ", u"120", "txtGameJoken");
        no("546.125 minutes", u"2", u"546.125", u"120", "txtGameJoken");
        no("exponent minutes", u"2", u"1e3", u"120", "txtGameJoken");
        no("comma minutes", u"2", u"1,5", u"120", "txtGameJoken");
        no("inf minutes", u"2", u"inf", u"120", "txtGameJoken");
        no("empty turn", u"2", u"50", u"", "txtTurnJoken");
        no("turn 32767.5", u"2", u"50", u"32767.5", "txtTurnJoken");
        no("turn -32768.6", u"2", u"50", u"-32768.6", "txtTurnJoken");
        no("hex turn", u"2", u"50", u"0x10", "txtTurnJoken");
        no("two signs turn", u"2", u"50", u"--1", "txtTurnJoken");
        no("point only turn", u"2", u"50", u".", "txtTurnJoken");
        no("all bad: players first", u"x", u"y", u"z", "txtPlayer");
    }

    void settings()
    {
        QFETCH(QString, players);
        QFETCH(QString, minutes);
        QFETCH(QString, turn);
        QFETCH(QString, refused);
        QFETCH(int, gameSeconds);
        QFETCH(int, turnSeconds);
        WindowFixture f;
        f.show();
        frmVDTimer& w = *f.w;
        f.setSettings(players, minutes, turn);
        const QStringList before = windowState(w, false);
        QTest::mouseClick(w.cmdStart, Qt::LeftButton);
        if (refused.isEmpty()) {
            QVERIFY(!w.cmdStart->isEnabled());
            QCOMPARE(int(intGameJoken), gameSeconds);
            QCOMPARE(int(intTurnJoken), turnSeconds);
            QCOMPARE(w.lblPlayer->text(), players);
            QCOMPARE(w.lblGameJoken->text(), minutes);
            QCOMPARE(w.lblTurnJoken->text(), turn);
            QCOMPARE(w.lblGameNokori->text(), FormatTime(intGameJoken));
            return;
        }
        QCOMPARE(windowState(w, false), before);
        QVERIFY(!w.ibiInformation->text().isEmpty());
        QCOMPARE(backColor(w.ibiInformation), lngDefaultColor);
        auto* box = w.findChild<QLineEdit*>(refused);
        QCOMPARE(QApplication::focusWidget(), box);
        QCOMPARE(box->selectedText(), box->text());
        // Mended, the same window starts.
        f.setSettings("2", "50", "120");
        QTest::mouseClick(w.cmdStart, Qt::LeftButton);
        QVERIFY(!w.cmdStart->isEnabled());
        QCOMPARE(w.ibiInformation->text(), QString());
    }

    void refusalNamesTheSetting_data()
    {
        QTest::addColumn<QString>("players");
        QTest::addColumn<QString>("minutes");
        QTest::addColumn<QString>("turn");
        QTest::addColumn<QString>("caption");
        QTest::newRow("players") << "9"
                                 << "50"
                                 << "120"
                                 << "参加人数";
        QTest::newRow("minutes") << "2"
                                 << "x"
                                 << "120"
                                 << "試合の総時間（分）";
        QTest::newRow("turn") << "2"
                              << "50"
                              << "x"
                              << "１ターンの制限時間（秒）";
    }

    void refusalNamesTheSetting()
    {
        QFETCH(QString, players);
        QFETCH(QString, minutes);
        QFETCH(QString, turn);
        QFETCH(QString, caption);
        WindowFixture f;
        f.start("1", "0", "1");
        f.tick(); // a match of 0 seconds ends at once, its results on green
        QVERIFY(f.w->cmdStart->isEnabled());
        QVERIFY(backColor(f.w->ibiInformation) != lngDefaultColor);
        f.start(players, minutes, turn);
        QVERIFY(f.w->ibiInformation->text().contains(caption));
        QCOMPARE(backColor(f.w->ibiInformation), lngDefaultColor);
    }

    void enterInASettingStarts()
    {
        WindowFixture f;
        f.show();
        f.w->txtTurnJoken->setFocus();
        QTest::keyClick(f.w->txtTurnJoken, Qt::Key_Return);
        QVERIFY(!f.w->cmdStart->isEnabled());
        QCOMPARE(intGameJoken, qint16(3000));
    }

    void endDuringPause()
    {
        WindowFixture f;
        f.show();
        f.start("2", "50", "120");
        f.tick(3);
        QTest::mouseClick(f.w->cmdPause, Qt::LeftButton);
        QCOMPARE(f.w->cmdPause->text(), QStringLiteral("試合再開"));
        QTest::mouseClick(f.w->cmdEnd, Qt::LeftButton);
        QCOMPARE(f.w->ibiInformation->text(),
                 QStringLiteral("試合終了です。お疲れ様でした。"
                                "\n\r  Player1  Totaltime 0：03  (Losstime 0：00)"
                                "\n\r  Player2  Totaltime 0：00  (Losstime 0：00)"));
        QCOMPARE(strPause, QStringLiteral("OFF"));
        QVERIFY(f.w->cmdStart->isEnabled());
        QVERIFY(!f.w->cmdTurnEnd->isEnabled() && !f.w->cmdPause->isEnabled() &&
                !f.w->cmdEnd->isEnabled());
        QCOMPARE(f.w->cmdPause->text(), QStringLiteral("試合中断"));
        QCOMPARE(QApplication::focusWidget(), f.w->cmdStart);
        QVERIFY(f.w->txtPlayer->isVisible());
        // The next match runs at once.
        QTest::mouseClick(f.w->cmdStart, Qt::LeftButton);
        f.tick();
        QCOMPARE(intGameNokori, qint16(2999));
    }

    void startEndStartAgain()
    {
        WindowFixture f;
        f.show();
        for (int round = 1; round <= 6; ++round) {
            const QString players = QString::number(round % 4 + 1);
            f.start(players, QString::number(round), QStringLiteral("10"));
            QCOMPARE(int(intGameJoken), 60 * round);
            f.tick(round);
            QTest::mouseClick(f.w->cmdEnd, Qt::LeftButton);
            QVERIFY(f.w->cmdStart->isEnabled());
            QCOMPARE(f.w->ibiInformation->text().count(u'\n'), round % 4 + 1);
            QVERIFY(f.w->ibiInformation->text().contains(
                QStringLiteral("Player1  Totaltime 0：%1").arg(round, 2, 10, QLatin1Char('0'))));
            // The settings typed for this match are still there for the next.
            QCOMPARE(f.w->txtPlayer->text(), players);
        }
    }
};

QTEST_MAIN(TestMatchStart)
#include "tst_matchstart.moc"
