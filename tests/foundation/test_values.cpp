#include <QtTest>

#include "foundation/foundation.h"
#include "support/data_rows.h"

class ValuesTest : public QObject {
    Q_OBJECT

  private slots:
    void leadingNumber_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("number");
        AddRow("empty", "", 0.0);
        AddRow("plain", "120", 120.0);
        AddRow("unit after number", "90s", 90.0);
        AddRow("blanks ignored anywhere", " 1 2 0 ", 120.0);
        AddRow("negative", "-15", -15.0);
        AddRow("decimal", "129.75", 129.75);
        AddRow("exponent", "1e3", 1000.0);
        AddRow("D exponent", "2D2", 200.0);
        AddRow("dangling exponent", "12e", 12.0);
        AddRow("text first", "abc12", 0.0);
        AddRow("chinese after number", "30秒", 30.0);
        AddRow("two signs", "--1", 0.0);
        AddRow("hex", "&HFF", 255.0);
        AddRow("short hex is 16-bit", "&HFFFF", -1.0);
        AddRow("octal", "&O17", 15.0);
        AddRow("lone point", ".", 0.0);
    }
    void leadingNumber() {
        QFETCH(QString, text);
        QFETCH(double, number);
        QCOMPARE(LeadingNumber(text), number);
    }

    void seconds_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("previous");
        QTest::addColumn<int>("seconds");
        AddRow("empty is 0", "", 7, 0);
        AddRow("non-numeric is 0", "abc", 7, 0);
        AddRow("plain", "125", 0, 125);
        AddRow("half rounds to even down", "2.5", 0, 2);
        AddRow("half rounds to even up", "3.5", 0, 4);
        AddRow("largest", "32767", 0, 32767);
        AddRow("smallest", "-32768", 0, -32768);
        AddRow("too large keeps previous", "32768", 42, 42);
        AddRow("rounds out of range keeps previous", "32767.5", 42, 42);
        AddRow("too small keeps previous", "-40000", 42, 42);
        AddRow("huge keeps previous", "1e300", 5, 5);
    }
    void seconds() {
        QFETCH(QString, text);
        QFETCH(int, previous);
        QFETCH(int, seconds);
        QCOMPARE(int(ReadSeconds(text, qint16(previous))), seconds);
    }

    void colourValues_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("readable");
        QTest::addColumn<quint32>("value");
        AddRow("red", "255", true, 255u);
        AddRow("white", "16777215", true, 0xFFFFFFu);
        AddRow("blanks around", " 65280 ", true, 0xFF00u);
        AddRow("system colour", "-2147483633", true, 0x8000000Fu);
        AddRow("long hex", "&H00FF00", true, 0xFF00u);
        AddRow("short hex is 16-bit", "&HFF00", true, 0xFFFFFF00u);
        AddRow("empty", "", false, 0u);
        AddRow("trailing text", "255abc", false, 0u);
        AddRow("words", "red", false, 0u);
        AddRow("beyond 32 bits", "4294967296", false, 0u);
    }
    void colourValues() {
        QFETCH(QString, text);
        QFETCH(bool, readable);
        QFETCH(quint32, value);
        const auto colour = ReadColourValue(text);
        QCOMPARE(colour.has_value(), readable);
        QCOMPARE(colour.value_or(0), value);
    }

    void flags() {
        QVERIFY(IsYesFlag("Y"));
        for (const QString no : {"y", "N", "", "Yes", " Y"}) {
            QVERIFY2(!IsYesFlag(no), qPrintable(no));
        }
        QVERIFY(IsCheckedFlag("1"));
        QVERIFY(IsCheckedFlag("1.2"));
        for (const QString no : {"0", "", "2"}) {
            QVERIFY2(!IsCheckedFlag(no), qPrintable(no));
        }
    }

    void formatClock_data() {
        QTest::addColumn<int>("seconds");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("text");
        AddRow("0 min-sec", 0, "1", "0分00秒");
        AddRow("59", 59, "1", "0分59秒");
        AddRow("60", 60, "1", "1分00秒");
        AddRow("125", 125, "1", "2分05秒");
        AddRow("599", 599, "1", "9分59秒");
        AddRow("6000", 6000, "1", "100分00秒");
        AddRow("-1", -1, "1", "-1分-01秒");
        AddRow("-65", -65, "1", "-2分-05秒");
        AddRow("-60", -60, "1", "-1分00秒");
        AddRow("largest", 32767, "1", "546分07秒");
        AddRow("smallest", -32768, "1", "-547分-08秒");
        AddRow("seconds format", 125, "2", "125s");
        AddRow("5s", 5, "2", "5s");
        AddRow("negative seconds", -1, "2", "-1s");
        AddRow("other format", 125, "3", "");
        AddRow("empty format", 125, "", "");
        AddRow("format with blank", 125, " 1", "");
    }
    void formatClock() {
        QFETCH(int, seconds);
        QFETCH(QString, format);
        QFETCH(QString, text);
        QCOMPARE(FormatClock(qint16(seconds), format), text);
    }
};

QTEST_GUILESS_MAIN(ValuesTest)
#include "test_values.moc"
