// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Long runs through the real window: whole default matches one after another,
// and long stretches of ticks in the set-up state.
#include "expected.h"
#include "windowfixture.h"
#include "windowstate.h"

#include <QRandomGenerator>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

using namespace basVDTimer;
using namespace expected;

namespace {

// The stage of a 3000-second match with this many seconds left, after its first tick.
std::pair<QString, QColor> stageOf(int left)
{
    if (left < 60)
        return {QStringLiteral("Red"), red};
    if (left < 750)
        return {QStringLiteral("Orange"), orange};
    if (left < 1500)
        return {QStringLiteral("Yellow"), yellow};
    return {QStringLiteral("Green"), green};
}

// Bytes the program holds on the heap now, where glibc counts them. The
// sanitizer's allocator keeps no such count (LeakSanitizer looks for leaks
// instead), nor does Windows' C library.
size_t heapInUse()
{
#if defined(__GLIBC__) && !defined(__SANITIZE_ADDRESS__)
    return mallinfo2().uordblks;
#else
    return 0;
#endif
}

// Paint events, counted on the window and every control in it.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* window)
    {
        window->installEventFilter(this);
        for (QWidget* child : window->findChildren<QWidget*>())
            child->installEventFilter(this);
    }
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

} // namespace

class TestLongRun : public QObject {
    Q_OBJECT

    // One default match to its ending tick, turns ending at random; the
    // invariants are checked after every tick.
    void playDefaultMatch(WindowFixture& f, QRandomGenerator& random, int& turnEnds)
    {
        frmVDTimer& w = *f.w;
        QTest::mouseClick(w.cmdStart, Qt::LeftButton);
        QCOMPARE(intGameJoken, qint16(3000));
        for (int tick = 1; tick <= 3000; ++tick) {
            if (random.bounded(100) < 2) {
                QTest::mouseClick(w.cmdTurnEnd, Qt::LeftButton);
                ++turnEnds;
            }
            f.tick();
            QCoreApplication::processEvents();
            const QByteArray at = "tick " + QByteArray::number(tick);
            QVERIFY2(!w.cmdStart->isEnabled(), at);
            QCOMPARE(int(intGameNokori), 3000 - tick);
            int charged = 0;
            for (int p = 1; p <= 2; ++p) {
                QVERIFY2(intLossTime(p) >= 0 && intLossTime(p) <= intTotalTime(p), at);
                charged += intTotalTime(p);
            }
            QVERIFY2(charged == intGameJoken - intGameNokori, at);
            QVERIFY2(intTurnNokori >= 0 && intTurnNokori <= intGameNokori, at);
            QVERIFY2(intNowPlayer >= 1 && intNowPlayer <= 2, at);
            QCOMPARE(w.lblNowPlayer->text(), QStringLiteral("Player %1").arg(intNowPlayer));
            QCOMPARE(w.lblGameNokori->text(), FormatTime(intGameNokori));
            QCOMPARE(w.lblTurnNokori->text(), FormatTime(intTurnNokori));
            const auto [stage, colour] = stageOf(intGameNokori);
            QCOMPARE(strColor, stage);
            QCOMPARE(f.background(w.lblGameNokori), colour);
            QVERIFY2(!w.ibiInformation->text().startsWith(QStringLiteral("エラー")), at);
        }
        f.tick(); // the ending tick
        QVERIFY(w.cmdStart->isEnabled());
        QStringList lines = w.ibiInformation->text().split(QStringLiteral("\n\r"));
        QCOMPARE(lines.takeFirst(), QStringLiteral("試合終了です。お疲れ様でした。"));
        QCOMPARE(lines.size(), 2);
        for (int p = 1; p <= 2; ++p)
            QCOMPARE(lines[p - 1],
                     QStringLiteral("  Player%1  Totaltime %2  (Losstime %3)")
                         .arg(p)
                         .arg(FormatTime(intTotalTime(p)), FormatTime(intLossTime(p))));
        QCOMPARE(intTotalTime(1) + intTotalTime(2), 3000);
        QCOMPARE(w.txtPlayer->text() + w.txtGameJoken->text() + w.txtTurnJoken->text(),
                 QStringLiteral("250120"));
    }

private slots:
    void twelveDefaultMatches()
    {
        WindowFixture f;
        f.show();
        QRandomGenerator random(20260501);
        int turnEnds = 0;
        int lossSeconds = 0;
        size_t warmedUp = 0;
        for (int match = 1; match <= 12; ++match) {
            playDefaultMatch(f, random, turnEnds);
            if (QTest::currentTestFailed())
                return;
            lossSeconds += intLossTime(1) + intLossTime(2);
            if (match == 4)
                warmedUp = heapInUse();
        }
        // The random turns took both paths: turn ends and overruns.
        QVERIFY(turnEnds > 100);
        QVERIFY(lossSeconds > 0);
        // Eight more matches hold no more memory than the first four left behind.
        // Qt's own caches settle slowly: they still took 4 to 10 kB over the
        // eight matches after the second, once 17 kB on Qt 6.8.
        QVERIFY2(heapInUse() <= warmedUp + 16 * 1024,
                 qPrintable(QStringLiteral("%1 bytes more").arg(qint64(heapInUse() - warmedUp))));
    }

    void setUpTicksChangeNothing_data()
    {
        QTest::addColumn<bool>("afterMatch");
        QTest::newRow("at program start") << false;
        QTest::newRow("after a match") << true;
    }

    void setUpTicksChangeNothing()
    {
        QFETCH(bool, afterMatch);
        WindowFixture f;
        f.show();
        if (afterMatch) {
            f.start("3", "0.1", "2");
            f.tick(7);
            QVERIFY(f.w->cmdStart->isEnabled());
        }
        const auto run = [&f](int ticks) {
            for (int tick = 0; tick < ticks; ++tick) {
                f.tick();
                if (tick % 100 == 0)
                    QCoreApplication::processEvents();
            }
            QCoreApplication::processEvents();
        };
        PaintCounter counter(f.w.get());
        run(1000); // the event loop's own first allocations
        const QStringList before = windowState(*f.w);
        const size_t heap = heapInUse();
        const int paints = counter.paints;
        run(100000);
        const size_t heapAfter = heapInUse(); // before the checks, which allocate themselves
        QCOMPARE(windowState(*f.w), before);
        QCOMPARE(counter.paints, paints); // a tick that changes nothing repaints nothing
        setCaption(f.w->ibiInformation, QStringLiteral("!"));
        QCoreApplication::processEvents();
        QVERIFY(counter.paints > paints); // and the count does see a change
        // A byte kept per tick would be 100 kB.
        QVERIFY2(heapAfter <= heap + 1024,
                 qPrintable(QStringLiteral("%1 bytes more").arg(qint64(heapAfter - heap))));
    }
};

QTEST_MAIN(TestLongRun)
#include "tst_longrun.moc"
