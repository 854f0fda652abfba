// A run that ended abnormally, as the next start finds it: the journal of the running segment
// is offered back through the real navigator and screens, and is gone afterwards either way.

#include <QAction>
#include <QSignalSpy>
#include <QtTest>

#include "foundation/saved_file.h"
#include "real_program.h"
#include "resume.h"
#include "screen_navigator.h"
#include "screens_registry.h"
#include "support/clock_screen_fixture.h"
#include "timing/clock_screen.h"
#include "timing/segment_journal.h"

namespace {

struct Restart : RealProgram {
    ~Restart() { DeleteWindows(); }

    // "驳论" run for `seconds` on the affirmative side, its journal left as a crash leaves it,
    // and the program back at its main screen as after a start.
    void loseTheRunAfter(int seconds) {
        navigator.mainScreen()->findChild<QAction*>("Command4_2")->trigger();
        auto* clock = qobject_cast<ClockScreen*>(navigator.audienceScreen());
        QVERIFY(clock);
        OperatorStep(clock, "Left");
        for (int i = 0; i < seconds; ++i) {
            FireRunningTickers(clock);
        }
        const QString path = SegmentJournal::PathIn(dir.path());
        QDir().mkpath(QFileInfo(path).path());
        QVERIFY(SaveFileAtomically(path, SegmentStateToJson(clock->saveState())).isEmpty());
        clock->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(navigator.mainScreen());
    }
    bool journalLeft() const { return QFile::exists(SegmentJournal::PathIn(dir.path())); }
};

}  // namespace

class ResumeTest : public QObject {
    Q_OBJECT

  private slots:
    void resumedThePausedClockIsBack() {
        Restart r;
        r.loseTheRunAfter(20);
        const QString note =
            OfferResume(r.context, r.navigator, QDateTime::currentDateTime().addSecs(180));
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

    void notResumedTheJournalGoes() {
        Restart r;
        r.loseTheRunAfter(5);
        r.platform.messages.answers = {false};
        QVERIFY(OfferResume(r.context, r.navigator).isEmpty());
        QCOMPARE(r.navigator.audienceScreen(), r.navigator.mainScreen());
        QVERIFY(!r.journalLeft());
    }

    // The journal follows the projected screen as the program wires it; a segment ended through
    // its own "返回主界面", which puts the main screen up before the clock screen closes, leaves
    // none behind, and its turns are in the record of the day.
    void aSegmentEndedNormallyLeavesNoJournal() {
        Restart r;
        SegmentJournal journal(r.dir.path());
        QObject::connect(&r.navigator, &ScreenNavigator::audienceScreenChanged, &journal,
                         &SegmentJournal::follow);
        QSignalSpy recorded(&journal, &SegmentJournal::turnRecorded);
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
        OfferResume(r.context, r.navigator);
        QCOMPARE(r.platform.messages.texts(), QStringList{kResumeRefused});
        QCOMPARE(r.navigator.audienceScreen(), r.navigator.mainScreen());
        QVERIFY(!r.journalLeft());
    }
};

QTEST_MAIN(ResumeTest)
#include "test_resume.moc"
