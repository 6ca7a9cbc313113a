// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What a screen reader is told during a match, as accessibility events: each
// new message and the results once, the next player, the pause button's new
// caption, and nothing on the ticks that change nothing. Runs under
// xvfb-run and dbus-run-session (see CMakeLists.txt), where Qt's accessibility
// is active.
#include "expected.h"
#include "windowfixture.h"

#include <QAccessible>

using namespace basVDTimer;

namespace {

// The announcements so far, as a screen reader speaks them: the name of a
// notification shown, and from Qt 6.8 on the message of an announcement that
// a notification makes. Both are recorded, so that one said both ways shows
// twice. (Qt also reports the text boxes shown again at the end of a match; a
// screen reader keeps quiet about those.)
QStringList announced;

void record(QAccessibleEvent* event)
{
    // The kind first: Qt also reports objects half destroyed, which must not
    // be asked about themselves (Qt 6.11 does so from ~QWidget).
    const QAccessible::Event kind = event->type();
    bool heard = kind == QAccessible::ObjectShow;
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    heard = heard || kind == QAccessible::Announcement;
#endif
    if (!heard)
        return;
    QAccessibleInterface* face = event->accessibleInterface();
    if (!face || face->role() != QAccessible::Notification)
        return;
    if (kind == QAccessible::ObjectShow)
        announced << face->text(QAccessible::Name);
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    else
        announced << static_cast<QAccessibleAnnouncementEvent*>(event)->message();
#endif
}

} // namespace

class TestAnnouncements : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QTRY_VERIFY2(QAccessible::isActive(),
                     "Qt's accessibility is off: run this test through ctest");
        QAccessible::installUpdateHandler(record);
    }

    void aMatchHeard()
    {
        WindowFixture f;
        frmVDTimer& w = *f.w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        announced.clear();
        f.start("5", "0.5", "3"); // refused
        f.start("2", "0.5", "3"); // 30 s, 3 s turns
        f.tick(6);                // player 1 overruns from the 4th tick
        QTest::mouseClick(w.cmdTurnEnd, Qt::LeftButton);
        QTest::mouseClick(w.cmdPause, Qt::LeftButton);
        f.tick(3);
        QTest::mouseClick(w.cmdPause, Qt::LeftButton);
        f.tick(30); // player 2 overruns from the 10th tick; the stages; the end at the 31st
        QTest::keyClick(w.cmdStart, Qt::Key_Space); // held off: the results stay
        const QString results = QStringLiteral("試合終了です。お疲れ様でした。"
                                               "\n\r  Player1  Totaltime 0：06  (Losstime 0：03)"
                                               "\n\r  Player2  Totaltime 0：24  (Losstime 0：21)");
        QCOMPARE(w.ibiInformation->text(), results);
        const QStringList expectedSequence = {
            QStringLiteral("「参加人数」には 1 から 4 までの整数を入力してください。"),
            expected::overrun,
            QStringLiteral("Player 2"),
            QStringLiteral("試合再開"),
            QStringLiteral("試合中断"),
            expected::overrun,
            expected::half,
            expected::quarter,
            expected::lastMinute,
            results,
        };
        QCOMPARE(announced, expectedSequence);

        // An error report once, though every later tick meets the same error.
        announced.clear();
        f.start("1", "1", "10");
        intNowPlayer = 5;
        f.tick(3);
        QCOMPARE(announced,
                 QStringList{QStringLiteral("エラー（Timer1_Timer）：") + expected::badIndex});
        QCOMPARE(
            QAccessible::queryAccessibleInterface(w.ibiInformation)->text(QAccessible::Description),
            QStringLiteral("インフォメーション"));
    }
};

QTEST_MAIN(TestAnnouncements)
#include "tst_announcements.moc"
