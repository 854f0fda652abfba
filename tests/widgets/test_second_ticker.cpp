#include <QSignalSpy>
#include <QtTest>

#include "foundation/widgets/second_ticker.h"

class SecondTickerTest : public QObject {
    Q_OBJECT

  private slots:
    void firesOnlyWhileRunning();
    void stallAppliesEverySecondThatPassed();
    void stopInsideATickEndsTheCatchUp();
    void startBeginsAFreshPeriod();
};

void SecondTickerTest::firesOnlyWhileRunning() {
    SecondTicker ticker;
    QSignalSpy ticks(&ticker, &SecondTicker::tick);
    ticker.fire();
    QCOMPARE(ticks.size(), 0);
    ticker.start();
    ticker.fire();
    ticker.fire();
    QCOMPARE(ticks.size(), 2);
    ticker.stop();
    ticker.fire();
    ticker.onTimerDue();
    QCOMPARE(ticks.size(), 2);
}

void SecondTickerTest::stallAppliesEverySecondThatPassed() {
    SecondTicker ticker;
    qint64 now = 0;
    ticker.setClock([&] { return now; });
    QSignalSpy ticks(&ticker, &SecondTicker::tick);
    ticker.start();
    now = 1000;
    ticker.onTimerDue();
    QCOMPARE(ticks.size(), 1);
    now = 4600;  // the event loop was blocked for more than three seconds
    ticker.onTimerDue();
    QCOMPARE(ticks.size(), 4);
    now = 5001;
    ticker.onTimerDue();
    QCOMPARE(ticks.size(), 5);
    // A timeout that comes a little early still stands for its own second.
    now = 5990;
    ticker.onTimerDue();
    QCOMPARE(ticks.size(), 6);
}

void SecondTickerTest::stopInsideATickEndsTheCatchUp() {
    SecondTicker ticker;
    qint64 now = 0;
    ticker.setClock([&] { return now; });
    int remaining = 2;
    connect(&ticker, &SecondTicker::tick, [&] {
        if (--remaining < 1) {
            ticker.stop();  // time up
        }
    });
    ticker.start();
    now = 10000;
    ticker.onTimerDue();
    QCOMPARE(remaining, 0);
    QVERIFY(!ticker.isActive());
}

void SecondTickerTest::startBeginsAFreshPeriod() {
    SecondTicker ticker;
    qint64 now = 0;
    ticker.setClock([&] { return now; });
    QSignalSpy ticks(&ticker, &SecondTicker::tick);
    ticker.start();
    now = 2500;
    ticker.onTimerDue();
    QCOMPARE(ticks.size(), 2);
    ticker.stop();
    now = 0;  // the clock restarts with the period
    ticker.start();
    QVERIFY(ticker.isActive());
    now = 900;
    ticker.onTimerDue();
    QCOMPARE(ticks.size(), 3);
    // A second start while running changes nothing.
    ticker.start();
    now = 1900;
    ticker.onTimerDue();
    QCOMPARE(ticks.size(), 4);
}

QTEST_MAIN(SecondTickerTest)
#include "test_second_ticker.moc"
