#include <QtTest>

#include "foundation/foundation.h"

class ValuesTest : public QObject {
    Q_OBJECT

  private slots:
    void leadingNumber_data();
    void leadingNumber();
    void seconds_data();
    void seconds();
    void colourValues_data();
    void colourValues();
    void flags();
    void formatClock_data();
    void formatClock();
};

void ValuesTest::leadingNumber_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("number");
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("plain") << "120" << 120.0;
    QTest::newRow("unit after number") << "90s" << 90.0;
    QTest::newRow("blanks ignored anywhere") << " 1 2 0 " << 120.0;
    QTest::newRow("negative") << "-15" << -15.0;
    QTest::newRow("decimal") << "129.75" << 129.75;
    QTest::newRow("exponent") << "1e3" << 1000.0;
    QTest::newRow("D exponent") << "2D2" << 200.0;
    QTest::newRow("dangling exponent") << "12e" << 12.0;
    QTest::newRow("text first") << "abc12" << 0.0;
    QTest::newRow("chinese after number") << "30秒" << 30.0;
    QTest::newRow("two signs") << "--1" << 0.0;
    QTest::newRow("hex") << "&HFF" << 255.0;
    QTest::newRow("short hex is 16-bit") << "&HFFFF" << -1.0;
    QTest::newRow("octal") << "&O17" << 15.0;
    QTest::newRow("lone point") << "." << 0.0;
}

void ValuesTest::leadingNumber() {
    QFETCH(QString, text);
    QFETCH(double, number);
    QCOMPARE(LeadingNumber(text), number);
}

void ValuesTest::seconds_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("previous");
    QTest::addColumn<int>("seconds");
    QTest::newRow("empty is 0") << "" << 7 << 0;
    QTest::newRow("non-numeric is 0") << "abc" << 7 << 0;
    QTest::newRow("plain") << "125" << 0 << 125;
    QTest::newRow("half rounds to even down") << "2.5" << 0 << 2;
    QTest::newRow("half rounds to even up") << "3.5" << 0 << 4;
    QTest::newRow("largest") << "32767" << 0 << 32767;
    QTest::newRow("smallest") << "-32768" << 0 << -32768;
    QTest::newRow("too large keeps previous") << "32768" << 42 << 42;
    QTest::newRow("rounds out of range keeps previous") << "32767.5" << 42 << 42;
    QTest::newRow("too small keeps previous") << "-40000" << 42 << 42;
    QTest::newRow("huge keeps previous") << "1e300" << 5 << 5;
}

void ValuesTest::seconds() {
    QFETCH(QString, text);
    QFETCH(int, previous);
    QFETCH(int, seconds);
    QCOMPARE(int(ReadSeconds(text, qint16(previous))), seconds);
}

void ValuesTest::colourValues_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("readable");
    QTest::addColumn<quint32>("value");
    QTest::newRow("red") << "255" << true << quint32(255);
    QTest::newRow("white") << "16777215" << true << quint32(0xFFFFFF);
    QTest::newRow("blanks around") << " 65280 " << true << quint32(0xFF00);
    QTest::newRow("system colour") << "-2147483633" << true << quint32(0x8000000F);
    QTest::newRow("long hex") << "&H00FF00" << true << quint32(0xFF00);
    QTest::newRow("short hex is 16-bit") << "&HFF00" << true << quint32(0xFFFFFF00);
    QTest::newRow("empty") << "" << false << quint32(0);
    QTest::newRow("trailing text") << "255abc" << false << quint32(0);
    QTest::newRow("words") << "red" << false << quint32(0);
    QTest::newRow("beyond 32 bits") << "4294967296" << false << quint32(0);
}

void ValuesTest::colourValues() {
    QFETCH(QString, text);
    QFETCH(bool, readable);
    QFETCH(quint32, value);
    const auto colour = ReadColourValue(text);
    QCOMPARE(colour.has_value(), readable);
    if (readable) {
        QCOMPARE(*colour, value);
    }
}

void ValuesTest::flags() {
    QVERIFY(IsYesFlag("Y"));
    for (const QString no : {"y", "N", "", "Yes", " Y"}) {
        QVERIFY2(!IsYesFlag(no), qPrintable(no));
    }
    QVERIFY(IsCheckedFlag("1"));
    QVERIFY(IsCheckedFlag("1.2"));
    QVERIFY(!IsCheckedFlag("0"));
    QVERIFY(!IsCheckedFlag(""));
    QVERIFY(!IsCheckedFlag("2"));
}

void ValuesTest::formatClock_data() {
    QTest::addColumn<int>("seconds");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("text");
    QTest::newRow("0 min-sec") << 0 << "1"
                               << "0分00秒";
    QTest::newRow("59") << 59 << "1"
                        << "0分59秒";
    QTest::newRow("60") << 60 << "1"
                        << "1分00秒";
    QTest::newRow("125") << 125 << "1"
                         << "2分05秒";
    QTest::newRow("599") << 599 << "1"
                         << "9分59秒";
    QTest::newRow("6000") << 6000 << "1"
                          << "100分00秒";
    QTest::newRow("-1") << -1 << "1"
                        << "-1分-01秒";
    QTest::newRow("-65") << -65 << "1"
                         << "-2分-05秒";
    QTest::newRow("-60") << -60 << "1"
                         << "-1分00秒";
    QTest::newRow("largest") << 32767 << "1"
                             << "546分07秒";
    QTest::newRow("smallest") << -32768 << "1"
                              << "-547分-08秒";
    QTest::newRow("seconds format") << 125 << "2"
                                    << "125s";
    QTest::newRow("5s") << 5 << "2"
                        << "5s";
    QTest::newRow("negative seconds") << -1 << "2"
                                      << "-1s";
    QTest::newRow("other format") << 125 << "3"
                                  << "";
    QTest::newRow("empty format") << 125 << ""
                                  << "";
    QTest::newRow("format with blank") << 125 << " 1"
                                       << "";
}

void ValuesTest::formatClock() {
    QFETCH(int, seconds);
    QFETCH(QString, format);
    QFETCH(QString, text);
    QCOMPARE(FormatClock(qint16(seconds), format), text);
}

QTEST_GUILESS_MAIN(ValuesTest)
#include "test_values.moc"
