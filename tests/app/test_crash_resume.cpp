// The real program, killed mid-segment as a flat battery would: a copy of it runs as a child
// process, driven and watched through its hall server, is killed with SIGKILL, and started
// again. The next run puts the segment back where the journal last kept it, paused; a segment
// ended through its own "返回主界面" leaves nothing to resume. Killed between a turn's row and the
// journal write that ends the turn, the next run records that turn no second time.

#include <QtTest>

#include "tools/dev_support/child_program.h"

using child_program::Child;
using child_program::ClockSeconds;
using child_program::kStartMs;

namespace {

// The child started, "驳论" launched from its main screen, the affirmative's clock set going.
void StartTheAffirmative(Child& child) {
    QVERIFY(child.start());
    QTRY_COMPARE_WITH_TIMEOUT(child.screen(), QStringLiteral("Form4"), kStartMs);
    child.trigger(QStringLiteral("Command4_2"));
    QTRY_COMPARE(child.screen(), QStringLiteral("Form6"));
    child.trigger(QStringLiteral("Left"));
}

QList<TurnRecord> RecordOfToday(const Child& child) {
    QFile file(TimeRecordPath(child.dir.path(), QDate::currentDate()));
    return file.open(QIODevice::ReadOnly) ? TimeRecordRows(file.readAll()) : QList<TurnRecord>();
}

}  // namespace

class CrashResumeTest : public QObject {
    Q_OBJECT

  private slots:
    void killedMidSegmentTheNextRunResumesIt() {
        Child child(QStringLiteral(DEBACLOCK_APP_DIR));
        StartTheAffirmative(child);
        if (QTest::currentTestFailed()) {
            return;
        }
        QTRY_VERIFY(child.enabled(QStringLiteral("Command3")));  // running: the pause offered
        // A real second of the child's clock: only then does a resumed screen differ from a
        // fresh one.
        QTRY_VERIFY_WITH_TIMEOUT(
            child.clocks().startsWith("1分59秒|") && child.journal().contains("\"Label4\": 119"),
            5000);
        const std::optional<int> lastShown = ClockSeconds(child.clocks().section('|', 0, 0));
        child.killHard();
        QVERIFY(lastShown);

        // Started again by the hall machine itself: resumed without a question, paused, at
        // most one second above what the killed run showed (the second it was counting).
        QVERIFY(child.start({QStringLiteral("--resume")}));
        const auto restored = [&] { return ClockSeconds(child.clocks().section('|', 0, 0)); };
        QTRY_VERIFY_WITH_TIMEOUT(child.screen() == "Form6" && restored().value_or(120) < 120,
                                 kStartMs);
        QVERIFY(!child.enabled(QStringLiteral("Command3")));
        QVERIFY2(*restored() >= *lastShown && *restored() <= *lastShown + 1,
                 qPrintable(child.clocks()));

        // Ended through its own button: nothing left for the run after.
        child.trigger(QStringLiteral("Command1"));
        QTRY_COMPARE(child.screen(), QStringLiteral("Form4"));
        QTRY_VERIFY(child.journal().isEmpty());
    }

    void killedRightAfterATurnEndedTheNextRunRecordsItOnce() {
        Child child(QStringLiteral(DEBACLOCK_APP_DIR));
        StartTheAffirmative(child);
        if (QTest::currentTestFailed()) {
            return;
        }
        QTRY_VERIFY_WITH_TIMEOUT(child.journal().contains("\"ticks\": 1"), 5000);
        // The journal's folder taken away: from here no journal write of the child lands, as
        // if it were killed before the next one.
        const QString state = QFileInfo(SegmentJournal::PathIn(child.dir.path())).path();
        QVERIFY(QDir().rename(state, state + ".kept"));
        QFile blocker(state);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        child.trigger(QStringLiteral("Command2"));  // 初始化: the turn ends, its row is written
        QTRY_COMPARE(RecordOfToday(child).size(), 1);
        child.killHard();
        QVERIFY(blocker.remove() && QDir().rename(state + ".kept", state));
        const std::optional<SegmentState> left = SegmentStateFromJson(child.journal());
        QVERIFY(left && left->turns.value(QStringLiteral("Timer1")).began.isValid());

        QVERIFY(child.start({QStringLiteral("--resume")}));
        QTRY_COMPARE_WITH_TIMEOUT(child.screen(), QStringLiteral("Form6"), kStartMs);
        child.trigger(QStringLiteral("Command1"));  // 返回主界面: every turn under way ends
        QTRY_COMPARE(child.screen(), QStringLiteral("Form4"));
        QTRY_VERIFY(child.journal().isEmpty());
        const QList<TurnRecord> rows = RecordOfToday(child);
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0].role, QStringLiteral("正方"));
        QVERIFY(!rows[0].interrupted);
    }
};

QTEST_MAIN(CrashResumeTest)
#include "test_crash_resume.moc"
