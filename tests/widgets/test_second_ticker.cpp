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
        ticker.setClock([this] { return now; });
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
        t.now = 0;  // the clock restarts with the period
        t.ticker.start();
        QVERIFY(t.ticker.isActive());
        QCOMPARE(t.dueAt(900), 3);
        // A second start while running changes nothing.
        t.ticker.start();
        QCOMPARE(t.dueAt(1900), 4);
    }
};

QTEST_MAIN(SecondTickerTest)
#include "test_second_ticker.moc"
