#include <QSignalSpy>
#include <QtTest>

#include "foundation/widgets/second_ticker.h"

namespace {

// A ticker on a clock the test moves by hand, counting its ticks.
struct StagedTicker {
    SecondTicker ticker;
    qint64 now = 0;
    QSignalSpy ticks{&ticker, &SecondTicker::tick};

    StagedTicker() {
        ticker.group()->setClock([this] { return now; });
    }
    // The timer comes due at `ms` after start(); the ticks so far.
    qsizetype dueAt(qint64 ms) {
        now = ms;
        ticker.onTimerDue();
        return ticks.size();
    }
};

}  // namespace

class SecondTickerTest : public QObject {
    Q_OBJECT

  private slots:
    void firesOnlyWhileRunning() {
        StagedTicker t;
        t.ticker.fire();
        QCOMPARE(t.ticks.size(), 0);
        t.ticker.start();
        t.ticker.fire();
        t.ticker.fire();
        QCOMPARE(t.ticks.size(), 2);
        t.ticker.stop();
        t.ticker.fire();
        QCOMPARE(t.dueAt(5000), 2);
    }

    void stallAppliesEverySecondThatPassed() {
        StagedTicker t;
        t.ticker.start();
        QCOMPARE(t.dueAt(1000), 1);
        QCOMPARE(t.dueAt(4600), 4);  // the event loop was blocked for more than three seconds
        QCOMPARE(t.dueAt(5001), 5);
        // A timeout that comes a little early still stands for its own second.
        QCOMPARE(t.dueAt(5990), 6);
    }

    void stopInsideATickEndsTheCatchUp() {
        StagedTicker t;
        int remaining = 2;
        connect(&t.ticker, &SecondTicker::tick, [&] {
            if (--remaining < 1) {
                t.ticker.stop();  // time up
            }
        });
        t.ticker.start();
        t.dueAt(10000);
        QCOMPARE(remaining, 0);
        QVERIFY(!t.ticker.isActive());
    }

    void startBeginsAFreshPeriod() {
        StagedTicker t;
        t.ticker.start();
        QCOMPARE(t.dueAt(2500), 2);
        t.ticker.stop();
        t.now = 2700;  // the period restarts with the start
        t.ticker.start();
        QVERIFY(t.ticker.isActive());
        QCOMPARE(t.dueAt(3600), 3);
        // A second start while running changes nothing.
        t.ticker.start();
        QCOMPARE(t.dueAt(4600), 4);
    }

    // A total clock with 3 s left stops a turn clock at its time up; both started together, the
    // total first, and the loop stalled for 3.5 s. Whichever timer comes due first, the seconds
    // come in the order they fell due: the turn clock counts the two seconds before time up.
    // A count the time up starts (the over time) begins at that second.
    void aGroupMakesUpAStallTogether_data() {
        QTest::addColumn<bool>("totalDueFirst");
        QTest::newRow("the total clock's timer comes due") << true;
        QTest::newRow("the turn clock's timer comes due") << false;
    }
    void aGroupMakesUpAStallTogether() {
        QFETCH(bool, totalDueFirst);
        TickerGroup group;
        qint64 now = 0;
        group.setClock([&] { return now; });
        SecondTicker total(nullptr, &group), turn(nullptr, &group), overtime(nullptr, &group);
        int left = 3, turnTicks = 0, overtimeTicks = 0;
        connect(&total, &SecondTicker::tick, [&] {
            if (--left == 0) {
                total.stop();
                turn.stop();
                overtime.start();
            }
        });
        connect(&turn, &SecondTicker::tick, [&] { ++turnTicks; });
        connect(&overtime, &SecondTicker::tick, [&] { ++overtimeTicks; });
        total.start();
        turn.start();
        now = 3500;
        (totalDueFirst ? total : turn).onTimerDue();
        QCOMPARE(left, 0);
        QCOMPARE(turnTicks, 2);
        QCOMPARE(overtimeTicks, 0);  // began at 3000, its first second due at 4000
        now = 5200;
        overtime.onTimerDue();
        QCOMPARE(overtimeTicks, 2);
    }
};

QTEST_MAIN(SecondTickerTest)
#include "test_second_ticker.moc"
