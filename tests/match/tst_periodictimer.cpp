// SPDX-FileCopyrightText: 2026 Vandrel Vizovidiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "match/periodictimer.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTest>

#include <vector>

using namespace std::chrono_literals;
using std::chrono::nanoseconds;

// Plays the event loop on a fake clock: each wake-up comes when the armed shot
// is due plus some lateness, and a handler may block the thread for a while.
class FakeLoop {
public:
    FakeLoop()
    {
        QObject::connect(&timer, &PeriodicTimer::timeout, [this] {
            firedAt.push_back(now);
            now += blockAfter(firedAt.size());
        });
        timer.start();
    }

    void runUntil(nanoseconds end, const std::function<nanoseconds()>& lateness = {})
    {
        while (now < end) {
            // The clock never runs backwards, however early a shot comes.
            now += std::max(0ns, timer.armedDelay() + (lateness ? lateness() : 0ns));
            timer.wakeUp();
        }
    }

    nanoseconds now{};
    std::function<nanoseconds(size_t)> blockAfter = [](size_t) { return 0ns; };
    std::vector<nanoseconds> firedAt;
    PeriodicTimer timer{nullptr, 1000ms, [this] { return now; }};
};

class TestPeriodicTimer : public QObject {
    Q_OBJECT

private slots:
    // The default clock against Qt's own elapsed timer (on Windows the
    // performance counter) while the machine stays awake: a third of a second
    // of readings, each no earlier than the one before, both clocks agreeing.
    void defaultClockKeepsRealTime()
    {
        const PeriodicTimer timer(nullptr);
        QElapsedTimer reference;
        reference.start();
        const nanoseconds first = timer.now();
        nanoseconds last = first;
        while (reference.elapsed() < 300) {
            const nanoseconds reading = timer.now();
            QVERIFY(reading >= last);
            last = reading;
        }
        const qint64 referenceMs = reference.elapsed();
        const qint64 clockMs =
            std::chrono::duration_cast<std::chrono::milliseconds>(last - first).count();
        // The interrupt time Wine and older Windows have ticks in up to 16 ms steps.
        QVERIFY2(qAbs(clockMs - referenceMs) <= 20,
                 qPrintable(QStringLiteral("%1 ms against %2 ms").arg(clockMs).arg(referenceMs)));
    }

    void firesOncePerSecondOnTime()
    {
        FakeLoop loop;
        loop.runUntil(10s);
        QCOMPARE(loop.firedAt.size(), size_t(10));
        for (size_t k = 0; k < loop.firedAt.size(); ++k)
            QCOMPARE(loop.firedAt[k], nanoseconds((k + 1) * 1s));
    }

    void earlyShotDeliversNothing()
    {
        FakeLoop loop;
        loop.now = 999ms;
        loop.timer.wakeUp();
        QCOMPARE(loop.timer.delivered(), 0);
        QCOMPARE(loop.timer.armedDelay(), 1ms);
        loop.now = 999ms + 999us;
        loop.timer.wakeUp();
        QCOMPARE(loop.timer.delivered(), 0);
        QCOMPARE(loop.timer.armedDelay(), 1ms); // rounded up, never early
        loop.now = 1s;
        loop.timer.wakeUp();
        QCOMPARE(loop.timer.delivered(), 1);
    }

    void jitterNeverAccumulates()
    {
        FakeLoop loop;
        QRandomGenerator random(7);
        // Shots come up to 50 ms late, or up to 5 ms early.
        loop.runUntil(600s, [&] { return nanoseconds(random.bounded(-5'000'000, 50'000'000)); });
        QVERIFY(loop.firedAt.size() >= 599);
        for (size_t k = 0; k < loop.firedAt.size(); ++k) {
            const nanoseconds due = (k + 1) * 1s;
            QVERIFY2(loop.firedAt[k] >= due, "an event fired early");
            // At most the jitter, plus the 1 ms rounding of a re-armed early shot.
            QVERIFY2(loop.firedAt[k] - due <= 51ms, "lateness carried over to later events");
        }
    }

    void stallsLoseNoSecond_data()
    {
        QTest::addColumn<int>("stallMs");
        QTest::newRow("2.5 s") << 2500;
        QTest::newRow("10 s") << 10000;
    }

    void stallsLoseNoSecond()
    {
        QFETCH(int, stallMs);
        FakeLoop loop;
        // The handler of event 5 blocks the thread.
        loop.blockAfter = [&](size_t k) { return k == 5 ? nanoseconds(stallMs * 1ms) : 0ns; };
        loop.runUntil(30s);
        QCOMPARE(loop.firedAt.size(), size_t(30));
        const nanoseconds freed = 5s + stallMs * 1ms;
        for (size_t k = 0; k < loop.firedAt.size(); ++k) {
            const nanoseconds due = (k + 1) * 1s;
            // Events that fell due during the stall come at once when it ends,
            // and the rest keep their own due times.
            QCOMPARE(loop.firedAt[k], due > 5s && due <= freed ? freed : due);
        }
    }

    void threeThousandEventsNothingLost()
    {
        FakeLoop loop;
        QRandomGenerator random(11);
        loop.blockAfter = [&](size_t) {
            return random.bounded(100) == 0 ? nanoseconds(random.bounded(1, 4000) * 1ms) : 0ns;
        };
        loop.runUntil(3000s, [&] { return nanoseconds(random.bounded(0, 30'000'000)); });
        while (loop.timer.nextDue() <= loop.now)
            loop.timer.wakeUp(); // the catch-up after a final stall
        QCOMPARE(loop.timer.delivered(), 3000 + (loop.now - 3000s) / 1s);
        for (size_t k = 0; k < loop.firedAt.size(); ++k)
            QVERIFY(loop.firedAt[k] >= nanoseconds((k + 1) * 1s));
    }

    // The catch-up runs through the real event loop, one event at a time,
    // with waiting events let in between.
    void catchUpGoesThroughTheEventLoop()
    {
        nanoseconds now{};
        PeriodicTimer timer(nullptr, 1000ms, [&] { return now; });
        std::vector<QString> order;
        connect(&timer, &PeriodicTimer::timeout, [&] {
            order.push_back(QStringLiteral("tick"));
            QMetaObject::invokeMethod(
                &timer, [&] { order.push_back(QStringLiteral("other")); }, Qt::QueuedConnection);
        });
        timer.start();
        now = 4s;
        timer.wakeUp();
        QTRY_COMPARE(timer.delivered(), 4);
        QTRY_COMPARE(order.size(), size_t(8));
        for (size_t i = 0; i < order.size(); ++i)
            QCOMPARE(order[i], i % 2 ? QStringLiteral("other") : QStringLiteral("tick"));
        QCOMPARE(timer.armedDelay(), 1000ms);
    }
};

QTEST_GUILESS_MAIN(TestPeriodicTimer)
#include "tst_periodictimer.moc"
