#include <QRegularExpression>
#include <QSet>
#include <QTest>

#include "foundation/remote_access.h"

class TestRemoteAccess : public QObject {
    Q_OBJECT
  private slots:
    void tokensAreFreshAndFitAnAddress() {
        QSet<QString> seen;
        for (int i = 0; i < 200; ++i) {
            const QString token = NewRemoteToken();
            QCOMPARE(token.size(), 22);  // 128 bits in base64 without padding
            QVERIFY2(QRegularExpression("^[A-Za-z0-9_-]+$").match(token).hasMatch(),
                     qPrintable(token));
            seen.insert(token);
        }
        QCOMPARE(seen.size(), 200);
    }

    void onlyTheStoredTokenLetsIn_data() {
        QTest::addColumn<QString>("given");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("same");
        QTest::newRow("the token") << "Ab3_x-9"
                                   << "Ab3_x-9" << true;
        QTest::newRow("one letter off") << "Ab3_x-8"
                                        << "Ab3_x-9" << false;
        QTest::newRow("a prefix") << "Ab3_x"
                                  << "Ab3_x-9" << false;
        QTest::newRow("longer") << "Ab3_x-9z"
                                << "Ab3_x-9" << false;
        QTest::newRow("letter case") << "ab3_x-9"
                                     << "Ab3_x-9" << false;
        QTest::newRow("none given") << ""
                                    << "Ab3_x-9" << false;
        QTest::newRow("none stored lets nobody in") << ""
                                                    << "" << false;
    }
    void onlyTheStoredTokenLetsIn() {
        QFETCH(QString, given);
        QFETCH(QString, stored);
        QTEST(SameToken(given, stored), "same");
    }

    void guessingIsLimitedPerAddress() {
        WrongTokenLimit limit(3, 60000);
        for (int i = 0; i < 3; ++i) {
            QVERIFY(limit.mayTry("10.0.0.7", 1000 * i));
            limit.noteWrong("10.0.0.7", 1000 * i);
        }
        QVERIFY(!limit.mayTry("10.0.0.7", 5000));
        QVERIFY(limit.mayTry("10.0.0.8", 5000));  // the judge's tablet next to it
        QVERIFY(!limit.mayTry("10.0.0.7", 59999));
        QVERIFY(limit.mayTry("10.0.0.7", 60000));  // the first guess has left the window
    }
};

QTEST_GUILESS_MAIN(TestRemoteAccess)
#include "test_remote_access.moc"
