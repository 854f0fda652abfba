// The bells a segment rings besides its warning cue, on every clock that has a limit.

#include <QtTest>

#include "foundation/bell_points.h"
#include "support/clock_screen_fixture.h"
#include "support/data_rows.h"
#include "timing/per_speech_countdown.h"
#include "timing/question_answer_countdown.h"
#include "timing/questioner_answerer_countdown.h"
#include "timing/single_countdown.h"
#include "timing/two_side_countdown.h"

namespace {

// What one run of twelve seconds rang: "2:Bell/1 7:Bell/3" (second, then the bell), and every
// other cue, in order, which the bells must leave exactly as they were.
struct Heard {
    QString bells;
    QStringList others;
};

struct Run {
    QString limit, turnLimit, warnPoint, start;
    QString points, choice;
};

template <typename Screen>
Heard RunTwelveSeconds(const Run& run) {
    ClockScreenFixture<Screen> f("1", run.limit, run.warnPoint);
    f.setTurnLimits(run.turnLimit, "50", run.turnLimit, "50", run.turnLimit);
    f.set(SegmentKey::BellPoints, run.points);
    f.set(SegmentKey::BellCueChoice, run.choice);
    for (int rings = 1; rings <= 3; ++rings) {
        f.addWave(QStringLiteral("sound/Bell/%1.wav").arg(rings));
    }
    OperatorStep(f.open(), run.start);
    Heard heard;
    QStringList bells;
    for (int second = 1; second <= 12; ++second) {
        const qsizetype before = f.cues().size();
        f.second();
        for (const QString& cue : f.cues().mid(before)) {
            if (cue.startsWith(QLatin1String("Bell/"))) {
                bells << QStringLiteral("%1:%2").arg(second).arg(cue.chopped(4));
            } else {
                heard.others << cue;
            }
        }
    }
    heard.bells = bells.join(' ');
    return heard;
}

Heard RunTwelveSeconds(const QString& screen, const Run& run) {
    if (screen == "Form17")
        return RunTwelveSeconds<Form17>(run);
    if (screen == "Form6")
        return RunTwelveSeconds<Form6>(run);
    if (screen == "Form5")
        return RunTwelveSeconds<Form5>(run);
    if (screen == "Form18")
        return RunTwelveSeconds<Form18>(run);
    return RunTwelveSeconds<Form22>(run);
}

}  // namespace

class BellsTest : public QObject {
    Q_OBJECT

  private slots:
    void bellPointsAreReadLeniently_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("read");
        AddRow("points with rings", QString("60:2,420:1"), QString("420:1,60:2"));
        AddRow("rings left out are one", QString("30"), QString("30:1"));
        AddRow("Chinese separators and blanks", QString("60：3，30 10;5"),
               QString("60:3,30:1,10:1,5:1"));
        AddRow("rings brought into 1..3", QString("60:9,30:0"), QString("60:3,30:1"));
        AddRow("nothing usable", QString("0,-5,abc,1:2:3,99999"), QString());
        AddRow("a point named twice keeps the first", QString("30:2,30:3"), QString("30:2"));
        AddRow("absent", QString(), QString());
    }
    void bellPointsAreReadLeniently() {
        QFETCH(QString, stored);
        QFETCH(QString, read);
        QCOMPARE(BellPointsText(BellPointsFrom(stored)), read);
        QCOMPARE(BellPointsFrom(read), BellPointsFrom(stored));
    }

    void aHostileListIsBounded() {
        QStringList many;
        for (int i = 1; i <= 1000; ++i) {
            many << QString::number(i);
        }
        QCOMPARE(BellPointsFrom(many.join(',')).size(), kMostBellPoints);
    }

    void everyClockWithALimitRingsAtItsPoints_data() {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QString>("limit");
        QTest::addColumn<QString>("turnLimit");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("bells");
        // Points at 10 and 5 seconds left: the twelve-second clock under test reaches them on
        // its 2nd and 7th second, a fourteen-second total clock on its 4th and 9th.
        AddRow("one clock", QString("Form17"), QString("12"), QString("50"), QString("Command3"),
               QString("2:Bell/1 7:Bell/3"));
        AddRow("one side of two", QString("Form6"), QString("12"), QString("50"), QString("Left"),
               QString("2:Bell/1 7:Bell/3"));
        AddRow("a question", QString("Form5"), QString("100"), QString("12"), QString("Left"),
               QString("2:Bell/1 7:Bell/3"));
        AddRow("the questions' total", QString("Form5"), QString("14"), QString("50"),
               QString("Left"), QString("4:Bell/1 9:Bell/3"));
        AddRow("the questioner's side", QString("Form18"), QString("100"), QString("12"),
               QString("Left"), QString("2:Bell/1 7:Bell/3"));
        AddRow("a speech", QString("Form22"), QString("100"), QString("12"), QString("Left"),
               QString("2:Bell/1 7:Bell/3"));
        AddRow("the speeches' total", QString("Form22"), QString("14"), QString("50"),
               QString("Left"), QString("4:Bell/1 9:Bell/3"));
    }
    void everyClockWithALimitRingsAtItsPoints() {
        QFETCH(QString, screen);
        QFETCH(QString, limit);
        QFETCH(QString, turnLimit);
        QFETCH(QString, start);
        QFETCH(QString, bells);
        const Heard without = RunTwelveSeconds(screen, {limit, turnLimit, "30", start, "", ""});
        const Heard with =
            RunTwelveSeconds(screen, {limit, turnLimit, "30", start, "10:1,5:3", ""});
        QCOMPARE(without.bells, QString());
        QCOMPARE(with.bells, bells);
        QCOMPARE(with.others, without.others);
        // "None" mutes the bells and nothing else.
        const Heard muted =
            RunTwelveSeconds(screen, {limit, turnLimit, "30", start, "10:1,5:3", "None"});
        QCOMPARE(muted.bells, QString());
        QCOMPARE(muted.others, without.others);
    }

    void theWarningCueKeepsItsSecond() {
        const Heard heard =
            RunTwelveSeconds("Form17", {"12", "50", "10", "Command3", "10:2,5:1", ""});
        QCOMPARE(heard.bells, QString("7:Bell/1"));
        QCOMPARE(heard.others, (QStringList{"Warn", "Timeout"}));
    }
};

QTEST_MAIN(BellsTest)
#include "test_bells.moc"
