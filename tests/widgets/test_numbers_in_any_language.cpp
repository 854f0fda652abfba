// Numbers in profiles read and write the same under a system language whose decimal sign is a
// comma: the application object takes LC_NUMERIC from the user's locale, and the C library's
// number reading follows it.

#include <QApplication>
#include <QTemporaryDir>
#include <QtTest>
#include <clocale>
#include <cstdlib>

#include "foundation/foundation.h"
#include "foundation/widgets/clock_appearance.h"
#include "foundation/widgets/layout.h"
#include "foundation/widgets/single_text.h"

class TestNumbersInAnyLanguage : public QObject {
    Q_OBJECT

  private slots:
    void aCommaDecimalLanguageIsInForce() {
        QVERIFY2(std::setlocale(LC_NUMERIC, nullptr) == QByteArray("de_DE.UTF-8"),
                 "de_DE.UTF-8 is not available (scripts/deps.sh test generates it)");
        QCOMPARE(std::localeconv()->decimal_point, QByteArray(","));
        QCOMPARE(std::strtod("10.5", nullptr), 10.0);  // what a locale-bound reader would get
    }

    void readersTakeThePoint() {
        QCOMPARE(LeadingNumber("10.5"), 10.5);
        QCOMPARE(LeadingNumber("1 2.25 s"), 12.25);
        QCOMPARE(LeadingNumber("1.5d3"), 1500.0);
        QCOMPARE(StrictNumber("10.5"), std::optional(10.5));
        QCOMPARE(StrictNumber("10,5"), std::optional<double>());
        QCOMPARE(ReadSeconds("90.5"), qint16(90));
        QCOMPARE(ReadSeconds("1e9", 7), qint16(7));  // overflow still keeps the previous value
        const TaggedGeometry tag = ReadGeometryTag("1234.5   10.5   300   0.25   ");
        QCOMPARE(std::tuple(tag.left, tag.top, tag.width, tag.height),
                 std::tuple(1234.5, 10.5, 300.0, 0.25));
    }

    void writersWriteThePoint() {
        QCOMPARE(SingleText(10.5f), QString("10.5"));
        QCOMPARE(GeometryTag(1234.5f, 10.5f, 300, 0.25f), QString("1234.5   10.5   300   0.25   "));
        QCOMPARE(QString::number(0.5), QString("0.5"));
    }

    void aStoredFontSizeRoundTrips() {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("config"));
        const QString active = ActiveSegmentProfilePath(dir.path());
        WriteProfileString(active, kConfigSection, SegmentKey::FontSize, SingleText(129.75f));
        QFile file(active);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains("=129.75\r\n"));
        const ClockAppearance appearance = ReadClockAppearance(dir.path(), UnreadableColour::Black);
        QCOMPARE(appearance.pointSize, std::optional<qreal>(129.75));
    }
};

int main(int argc, char* argv[]) {
    // As an operator's German desktop would start the program.
    qputenv("LC_ALL", "de_DE.UTF-8");
    QApplication app(argc, argv);
    TestNumbersInAnyLanguage test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_numbers_in_any_language.moc"
