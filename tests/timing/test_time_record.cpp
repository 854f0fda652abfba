// The time record: every turn a clock timed, one row each, with the seconds used and the
// seconds over time, counted on from time-up until the operator's next press. Rows are read
// back exactly as written, whatever the names hold.

#include <QSignalSpy>
#include <QtTest>

#include "foundation/debate_profiles.h"
#include "support/clock_screen_fixture.h"
#include "support/data_rows.h"
#include "timing/per_speech_countdown.h"
#include "timing/question_answer_countdown.h"
#include "timing/questioner_answerer_countdown.h"
#include "timing/side_timer.h"
#include "timing/single_countdown.h"
#include "timing/time_record.h"
#include "timing/two_side_countdown.h"

Q_DECLARE_METATYPE(TurnRecord)

namespace {

// "role limit/used/over/starts" for each turn, in the order they ended.
QString Turns(const QSignalSpy& ended) {
    QStringList turns;
    for (const QList<QVariant>& signal : ended) {
        const auto turn = signal[0].value<TurnRecord>();
        turns << QStringLiteral("%1 %2/%3/%4/%5")
                     .arg(turn.role)
                     .arg(turn.limit)
                     .arg(turn.used)
                     .arg(turn.over)
                     .arg(turn.starts);
    }
    return turns.join(QStringLiteral(" | "));
}

// `steps` on a fresh screen of the style, then the screen closes; "tick" is one second of every
// running clock, "over" one second of the over-time count.
template <typename Screen>
QString TurnsOf(const QStringList& steps) {
    qRegisterMetaType<TurnRecord>();
    ClockScreenFixture<Screen> fixture("1", "60", "10");
    fixture.setTurnLimits("20", "30", "40", "45", "15");
    Screen* screen = fixture.open();
    screen->show();
    QSignalSpy ended(screen, &ClockScreen::turnEnded);
    for (const QString& step : steps) {
        if (step == QLatin1String("tick")) {
            FireRunningTickers(screen);
        } else if (step == QLatin1String("over")) {
            screen->overtimeTicker()->fire();
        } else {
            OperatorStep(screen, step);
        }
    }
    screen->close();
    return Turns(ended);
}

QStringList Repeat(const QString& step, int times) {
    return QStringList(times, step);
}

}  // namespace

class TimeRecordTest : public QObject {
    Q_OBJECT

  private slots:
    void rowsReadBackAsWritten_data() {
        QTest::addColumn<QString>("debate");
        QTest::addColumn<QString>("role");
        AddRow("plain", QStringLiteral("第五届“星河杯”大学生辩论赛"), QStringLiteral("正方"));
        AddRow("commas and quotes", QStringLiteral("A, \"B\" 杯"), QStringLiteral("第2次发言"));
        AddRow("a line break", QStringLiteral("上半场\r\n决赛"), QString());
        AddRow("looks like a formula", QStringLiteral("=HYPERLINK(\"x\")"), QStringLiteral("-1"));
    }
    void rowsReadBackAsWritten() {
        QFETCH(QString, debate);
        QFETCH(QString, role);
        QTemporaryDir dir;
        const QDateTime start(QDate(2026, 12, 10), QTime(14, 30, 5));
        const TurnRecord first{debate, 3,     QStringLiteral("驳论"), 2, role, 120, 132, 12,
                               2,      start, start.addSecs(140)};
        TurnRecord second = first;
        second.segment = 0;
        second.style = 0;
        second.end = start.addSecs(200);
        second.interrupted = true;
        QVERIFY(AppendTimeRecord(dir.path(), first).isEmpty());
        QVERIFY(AppendTimeRecord(dir.path(), second).isEmpty());

        QFile file(TimeRecordPath(dir.path(), QDate(2026, 12, 10)));
        QVERIFY(file.fileName().endsWith("/records/2026-12-10.csv"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.startsWith(TimeRecordHeading()));
        QCOMPARE(bytes.count("\xEF\xBB\xBF"), 1);
        QCOMPARE(TimeRecordRows(bytes), QList<TurnRecord>({first, second}));
        // No cell a spreadsheet would run.
        QVERIFY(!bytes.contains(",=") && !bytes.contains(",-1,"));
        QCOMPARE(bytes.count(",计时中断\r\n"), 1);
    }

    // A file begun before the last column was added goes on with rows that have it.
    void rowsOfAnOlderFileRead() {
        const QByteArray older = QByteArrayLiteral(
            "\xEF\xBB\xBF辩论赛,环节序号,环节名称,计时样式,方/角色,限时(秒),用时(秒),超时(秒),"
            "启动次数,开始时间,结束时间\r\n"
            "决赛,3,驳论,2,正方,120,95,0,1,2026-12-10 14:30:05,2026-12-10 14:31:40\r\n");
        TurnRecord interrupted{QStringLiteral("决赛"),
                               3,
                               QStringLiteral("驳论"),
                               2,
                               QStringLiteral("反方"),
                               120,
                               30,
                               0,
                               1,
                               QDateTime(QDate(2026, 12, 10), QTime(14, 32)),
                               QDateTime(QDate(2026, 12, 10), QTime(14, 32, 30)),
                               true};
        const QList<TurnRecord> rows = TimeRecordRows(older + TimeRecordRow(interrupted));
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[0].used, 95);
        QVERIFY(!rows[0].interrupted);
        QCOMPARE(rows[1], interrupted);
    }

    // A turn a lost run's journal shows under way is in the record when a row of the same
    // segment, role, limit and start used at least as many seconds: it had ended.
    void aTurnUnderWayIsFoundInTheRecord_data() {
        QTest::addColumn<QString>("change");
        QTest::addColumn<bool>("recorded");
        AddRow("the same turn", QString(), true);
        AddRow("fewer seconds when the journal last saw it", QString("used"), true);
        AddRow("another role", QString("role"), false);
        AddRow("another segment", QString("segment"), false);
        AddRow("begun a second later", QString("start"), false);
        AddRow("another limit", QString("limit"), false);
        AddRow("begun before midnight, ended after", QString("midnight"), true);
    }
    void aTurnUnderWayIsFoundInTheRecord() {
        QFETCH(QString, change);
        QFETCH(bool, recorded);
        QTemporaryDir dir;
        const QDateTime start(QDate(2026, 12, 10), QTime(14, 30, 5, 400));
        TurnRecord row{QStringLiteral("决赛"),
                       3,
                       QStringLiteral("驳论"),
                       2,
                       QStringLiteral("正方"),
                       120,
                       95,
                       0,
                       1,
                       start,
                       start.addSecs(95)};
        if (change == "midnight") {
            row.start = QDateTime(QDate(2026, 12, 10), QTime(23, 59, 30));
            row.end = row.start.addSecs(95);
        }
        QVERIFY(AppendTimeRecord(dir.path(), row).isEmpty());
        TurnRecord underway = row;
        underway.used = change == "used" ? 90 : row.used;
        underway.role = change == "role" ? QStringLiteral("反方") : row.role;
        underway.segment = change == "segment" ? 4 : row.segment;
        underway.start = change == "start" ? row.start.addSecs(1) : row.start;
        underway.limit = change == "limit" ? 180 : row.limit;
        QCOMPARE(IsRecorded(dir.path(), underway), recorded);
    }

    // The turns of each style, as the operator runs them: over time counts from time-up until
    // the next press, and only time spoken past the limit is over.
    void eachStyleRecordsItsTurns_data() {
        QTest::addColumn<QString>("style");
        QTest::addColumn<QString>("turns");
        AddRow("single clock run out, 12 s over, reset", QStringLiteral("Form17"),
               QStringLiteral(" 60/72/12/1"));
        AddRow("two sides, the affirmative over", QStringLiteral("Form6"),
               QStringLiteral("正方 60/65/5/2 | 反方 60/10/0/1"));
        AddRow("one answer over time", QStringLiteral("Form5"),
               QStringLiteral("提问方 20/5/0/1 | 回答方 30/42/12/1 | 提问方 20/1/0/1 | "
                              "全程 60/36/0/1"));
        AddRow("questioner and answerer", QStringLiteral("Form18"),
               QStringLiteral("提问方 40/3/0/2 | 回答方 45/2/0/1"));
        AddRow("speeches counted", QStringLiteral("Form22"),
               QStringLiteral("第1次发言 15/17/2/1 | 第2次发言 15/3/0/1 | 全程 60/18/0/1"));
        AddRow("a side timer", QStringLiteral("Form20"), QStringLiteral(" 0/4/0/1"));
    }
    void eachStyleRecordsItsTurns() {
        QFETCH(QString, style);
        QFETCH(QString, turns);
        QString recorded;
        if (style == "Form17") {
            recorded = TurnsOf<Form17>(QStringList{"Command3"} + Repeat("tick", 60) +
                                       Repeat("over", 12) + QStringList{"Command4", "over"});
        } else if (style == "Form6") {
            // Pressing the side that ran out gives it a second it has not got: one more over.
            recorded = TurnsOf<Form6>(QStringList{"Left"} + Repeat("tick", 60) + Repeat("over", 3) +
                                      QStringList{"Left", "tick", "over"} + QStringList{"Right"} +
                                      Repeat("tick", 10));
        } else if (style == "Form5") {
            recorded = TurnsOf<Form5>(QStringList{"Left"} + Repeat("tick", 5) +
                                      QStringList{"Right"} + Repeat("tick", 30) +
                                      Repeat("over", 12) + QStringList{"Left", "tick"});
        } else if (style == "Form18") {
            recorded = TurnsOf<Form18>(
                {"Left", "tick", "Right", "tick", "tick", "Left", "tick", "tick", "Command2"});
        } else if (style == "Form22") {
            recorded = TurnsOf<Form22>(QStringList{"Command3"} + Repeat("tick", 15) +
                                       Repeat("over", 2) + QStringList{"Left"} + Repeat("tick", 3));
        } else {
            recorded = TurnsOf<Form20>(Repeat("tick", 4));
        }
        QCOMPARE(recorded, turns);
    }

    // While a turn is over time its count shows beside its own clock, which the screen
    // publishes with the total; a press stops the count but the turn stays over until it ends.
    void overTimeIsPublishedWithTheClocks() {
        ClockScreenFixture<Form5> fixture("1", "90", "10");
        fixture.set(SegmentKey::QuestionLimit, "20");
        fixture.set(SegmentKey::AnswerLimit, "3");
        Form5* screen = fixture.open();
        screen->show();
        const auto answer = [screen] {
            for (const ClockReading& clock : screen->clocks()) {
                if (clock.name == QLatin1String("Label5")) {
                    return clock;
                }
            }
            return ClockReading{};
        };
        for (const QString& step : {"Right", "tick", "tick", "tick"}) {
            step == QLatin1String("tick") ? FireRunningTickers(screen) : OperatorStep(screen, step);
        }
        QVERIFY(screen->overtimeTicker()->isActive());
        QCOMPARE(answer().overtime, 0);
        screen->overtimeTicker()->fire();
        screen->overtimeTicker()->fire();
        QCOMPARE(answer().overtime, 2);
        QCOMPARE(answer().overtimeRole, QString());
        OperatorStep(screen, "Command2");
        QVERIFY(!screen->overtimeTicker()->isActive());
        QCOMPARE(answer().overtime, 2);
        OperatorStep(screen, "Left");  // the answerer's clock is refilled: its turn has ended
        QCOMPARE(answer().overtime, 0);
    }
};

QTEST_MAIN(TimeRecordTest)
#include "test_time_record.moc"
