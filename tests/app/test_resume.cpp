// A run that ended abnormally, as the next start finds it: the journal of the running segment
// is offered back through the real navigator and screens, and is gone afterwards either way.

#include <QAction>
#include <QSignalSpy>
#include <QtTest>

#include "app/resume.h"
#include "app/screen_navigator.h"
#include "app/screens_registry.h"
#include "foundation/saved_file.h"
#include "support/clock_screen_fixture.h"
#include "support/real_program.h"
#include "timing/clock_screen.h"
#include "timing/segment_journal.h"

namespace {

struct Restart : RealProgram {
    SegmentJournal journal{dir.path()};

    ~Restart() { DeleteWindows(); }
    QString offer(const QDateTime& now = QDateTime::currentDateTime(), bool askFirst = true) {
        return OfferResume(context, navigator, journal, now, askFirst);
    }

    // The clock screen the main screen's `action` opens ("Command4_2" is "驳论").
    ClockScreen* launch(const QString& action) {
        navigator.mainScreen()->findChild<QAction*>(action)->trigger();
        return qobject_cast<ClockScreen*>(navigator.audienceScreen());
    }
    void tick(ClockScreen* clock, int seconds) {
        for (int i = 0; i < seconds; ++i) {
            FireRunningTickers(clock);
        }
    }
    // The journal of `clock` left as a crash leaves it, written as `journal` or as the clock
    // stands, and the program back at its main screen as after a start.
    void lose(ClockScreen* clock, const QByteArray& journal = {}) {
        const QString path = SegmentJournal::PathIn(dir.path());
        QDir().mkpath(QFileInfo(path).path());
        const QByteArray bytes =
            journal.isEmpty() ? SegmentStateToJson(clock->saveState()) : journal;
        QVERIFY(SaveFileAtomically(path, bytes).isEmpty());
        clock->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(navigator.mainScreen());
    }
    // "驳论" run for `seconds` on the affirmative side, then lost.
    void loseTheRunAfter(int seconds) {
        ClockScreen* clock = launch("Command4_2");
        QVERIFY(clock);
        OperatorStep(clock, "Left");
        tick(clock, seconds);
        lose(clock);
    }
    bool journalLeft() const { return QFile::exists(SegmentJournal::PathIn(dir.path())); }
    QByteArray journalFile() const {
        QFile file(SegmentJournal::PathIn(dir.path()));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // The record of the day, row by row.
    QList<TurnRecord> rows() const {
        QFile file(TimeRecordPath(dir.path(), QDate::currentDate()));
        return file.open(QIODevice::ReadOnly) ? TimeRecordRows(file.readAll())
                                              : QList<TurnRecord>();
    }
    // The journal follows the projected screen, as the program wires it.
    void keepJournal(SegmentJournal& keeper) {
        QObject::connect(&navigator, &ScreenNavigator::audienceScreenChanged, &keeper,
                         &SegmentJournal::follow);
        keeper.follow(navigator.audienceScreen());
    }
};

}  // namespace

class ResumeTest : public QObject {
    Q_OBJECT

  private slots:
    void resumedThePausedClockIsBack() {
        Restart r;
        r.loseTheRunAfter(20);
        const QString note = r.offer(QDateTime::currentDateTime().addSecs(180));
        QCOMPARE(note, QStringLiteral("已恢复，计时暂停中（中断时正方在计时）"));
        QCOMPARE(r.platform.messages.shown.size(), 1);
        const ShownMessage asked = r.platform.messages.shown[0];
        QCOMPARE(asked.title, QStringLiteral("恢复/不恢复"));
        QVERIFY2(
            asked.text.startsWith(QStringLiteral(
                "上次计时意外中断：第3环节「驳论」，正方剩余1分40秒，反方剩余2分00秒（中断于 ")),
            qPrintable(asked.text));
        QVERIFY(asked.text.endsWith(QStringLiteral("，3分钟前）。是否恢复？")));
        FullScreenWindow* screen = r.navigator.audienceScreen();
        QCOMPARE(screen->objectName(), QStringLiteral("Form6"));
        QCOMPARE(screen->clocks()[0].text, QStringLiteral("1分40秒"));
        QVERIFY(!screen->clockRunning());
        QVERIFY(!r.journalLeft());
    }

    // "不恢复": the journal goes, the turn it had under way in the record as it stood at the
    // journal's last write, said to be interrupted.
    void notResumedTheJournalGoesItsTurnRecorded() {
        Restart r;
        r.loseTheRunAfter(5);
        const std::optional<SegmentState> lost = SegmentStateFromJson(r.journalFile());
        QVERIFY(lost);
        QSignalSpy recorded(&r.journal, &SegmentJournal::turnRecorded);
        r.platform.messages.answers = {false};
        QVERIFY(r.offer().isEmpty());
        QCOMPARE(r.navigator.audienceScreen(), r.navigator.mainScreen());
        QVERIFY(!r.journalLeft());
        const QList<TurnRecord> rows = r.rows();
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0].segmentName, QStringLiteral("驳论"));
        QCOMPARE(rows[0].style, 2);
        QCOMPARE(rows[0].role, QStringLiteral("正方"));
        QCOMPARE(rows[0].limit, 120);
        QCOMPARE(rows[0].used, 5);
        QCOMPARE(rows[0].starts, 1);
        QVERIFY(rows[0].interrupted);
        QCOMPARE(rows[0].end.toString(Qt::ISODate),
                 lost->written.toLocalTime().toString(Qt::ISODate));
        QCOMPARE(recorded.count(), 1);  // the console's list hears of it
    }

    // A restore is not a start: a side timer, which counts on when resumed, lost and resumed
    // twice, records one start and every second it counted.
    void aResumedSideTimerCountsNoStart() {
        Restart r;
        ClockScreen* clock = r.launch("Command10");  // 观众提问
        QVERIFY(clock);
        r.tick(clock, 3);
        r.lose(clock);
        for (int run = 0; run < 2; ++run) {
            QCOMPARE(r.offer(QDateTime::currentDateTime(), false),
                     QStringLiteral("已恢复，计时继续"));
            clock = qobject_cast<ClockScreen*>(r.navigator.audienceScreen());
            QVERIFY(clock && clock->clockRunning());
            r.tick(clock, 2);
            r.lose(clock);
        }
        r.keepJournal(r.journal);
        r.offer(QDateTime::currentDateTime(), false);
        r.navigator.audienceScreen()->findChild<QAction*>("Command1")->trigger();
        QTRY_COMPARE(r.rows().size(), 1);
        QCOMPARE(r.rows()[0].starts, 1);
        QCOMPARE(r.rows()[0].used, 7);
        QVERIFY(!r.rows()[0].interrupted);
    }

    // The program lost after a turn's row went to the record and before the journal said the
    // turn had ended: the next run finds the row and the turn still under way. Either answer
    // leaves that turn in the record once.
    void aTurnRecordedJustBeforeTheLossIsRecordedOnce_data() {
        QTest::addColumn<bool>("resume");
        QTest::newRow("resumed") << true;
        QTest::newRow("not resumed") << false;
    }
    void aTurnRecordedJustBeforeTheLossIsRecordedOnce() {
        QFETCH(bool, resume);
        Restart r;
        auto lostRun = std::make_unique<SegmentJournal>(r.dir.path());
        r.keepJournal(*lostRun);
        ClockScreen* clock = r.launch("Command4_2");
        OperatorStep(clock, "Left");
        r.tick(clock, 3);
        QTRY_VERIFY(SegmentStateFromJson(r.journalFile()) &&
                    SegmentStateFromJson(r.journalFile())->turns["Timer1"].ticks == 3);
        const QByteArray underway = r.journalFile();
        OperatorStep(clock, "Command2");  // 初始化: the turn ends
        QTRY_COMPARE(r.rows().size(), 1);
        lostRun.reset();  // lost there: its last write never came
        r.lose(clock, underway);

        r.keepJournal(r.journal);
        r.platform.messages.answers = {resume};
        r.offer();
        if (resume) {
            FullScreenWindow* resumed = r.navigator.audienceScreen();
            QCOMPARE(resumed->objectName(), QStringLiteral("Form6"));
            // The turn the record holds is under way no more.
            QVERIFY(
                !qobject_cast<ClockScreen*>(resumed)->saveState().turns["Timer1"].began.isValid());
            resumed->findChild<QAction*>("Command1")->trigger();  // 返回主界面
            QTRY_VERIFY(!r.journalLeft());
        }
        QCoreApplication::sendPostedEvents();
        const QList<TurnRecord> rows = r.rows();
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0].used, 3);
        QVERIFY(!rows[0].interrupted);
    }

    // The journal follows the projected screen as the program wires it; a segment ended through
    // its own "返回主界面", which puts the main screen up before the clock screen closes, leaves
    // none behind, and its turns are in the record of the day.
    void aSegmentEndedNormallyLeavesNoJournal() {
        Restart r;
        QObject::connect(&r.navigator, &ScreenNavigator::audienceScreenChanged, &r.journal,
                         &SegmentJournal::follow);
        QSignalSpy recorded(&r.journal, &SegmentJournal::turnRecorded);
        r.navigator.mainScreen()->findChild<QAction*>("Command4_2")->trigger();
        FullScreenWindow* clock = r.navigator.audienceScreen();
        OperatorStep(clock, "Left");
        FireRunningTickers(clock);
        QTRY_VERIFY(r.journalLeft());
        OperatorStep(clock, "Command1");
        QCOMPARE(r.navigator.audienceScreen(), r.navigator.mainScreen());
        QTRY_COMPARE(recorded.count(), 1);
        QVERIFY(!r.journalLeft());
        QFile record(TimeRecordPath(r.dir.path(), QDate::currentDate()));
        QVERIFY(record.open(QIODevice::ReadOnly));
        const QList<TurnRecord> rows = TimeRecordRows(record.readAll());
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows[0].segment, 3);
        QCOMPARE(rows[0].segmentName, QStringLiteral("驳论"));
        QCOMPARE(rows[0].role, QStringLiteral("正方"));
        QCOMPARE(rows[0].used, 1);
    }

    void aJournalThatDoesNotFitIsRefused_data() {
        QTest::addColumn<QString>("damage");
        QTest::newRow("damaged") << QString("file");
        QTest::newRow("another segment active") << QString("segment");
    }
    void aJournalThatDoesNotFitIsRefused() {
        QFETCH(QString, damage);
        Restart r;
        r.loseTheRunAfter(5);
        if (damage == "file") {
            QFile file(SegmentJournal::PathIn(r.dir.path()));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("{\"version\": 1, \"screen\": ");
        } else {
            r.setProfile("\\config\\Timetemp.ini", "名称", "自由辩论");
        }
        r.offer();
        QCOMPARE(r.platform.messages.texts(), QStringList{kResumeRefused});
        QCOMPARE(r.navigator.audienceScreen(), r.navigator.mainScreen());
        QVERIFY(!r.journalLeft());
        // A journal that reads still gives its turn to the record.
        QCOMPARE(r.rows().size(), damage == "file" ? 0 : 1);
    }
};

QTEST_MAIN(ResumeTest)
#include "test_resume.moc"
