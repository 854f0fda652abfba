// What the journal of a running segment keeps of each clock screen: saved mid-segment, written
// out, read back and put up on a fresh screen of the style, which then shows what the first one
// shows once paused, and goes on from there as it does. A damaged or hostile journal is refused.

#include <QAction>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QtTest>

#include "support/clock_screen_fixture.h"
#include "support/data_rows.h"
#include "timing/per_speech_countdown.h"
#include "timing/question_answer_countdown.h"
#include "timing/questioner_answerer_countdown.h"
#include "timing/segment_journal.h"
#include "timing/side_timer.h"
#include "timing/single_countdown.h"
#include "timing/two_side_countdown.h"

namespace {

void Run(FullScreenWindow* screen, const QStringList& steps) {
    for (const QString& step : steps) {
        if (step == QLatin1String("tick")) {
            FireRunningTickers(screen);
        } else {
            OperatorStep(screen, step);
        }
    }
}

// The state without its time of writing, which two saves never share, nor, when `began` is
// false, the wall-clock starts of turns the two screens began each at its own moment.
SegmentState Timeless(SegmentState state, bool began = true) {
    state.written = {};
    for (TurnProgress& turn : state.turns) {
        turn.began = began ? turn.began : QDateTime();
    }
    return state;
}

// The lost screen runs `before` and is saved mid-tick; a fresh screen restores the journal and
// equals the lost one once that is paused. Then both go on with `after` and stay equal.
template <typename Screen>
void Resume(const QStringList& before, const QString& pause, const QStringList& after) {
    ClockScreenFixture<Screen> fixture("1", "90", "30");
    fixture.setTurnLimits("20", "30", "60", "45", "45");
    Screen lost(fixture.context);
    lost.show();
    Run(&lost, before);
    const QByteArray journal = SegmentStateToJson(lost.saveState());
    QVERIFY(!lost.saveState().running.isEmpty());

    Screen resumed(fixture.context);
    resumed.show();
    const std::optional<SegmentState> read = SegmentStateFromJson(journal);
    QVERIFY(read);
    QVERIFY(resumed.restoreState(*read));
    QVERIFY(!resumed.clockRunning());
    OperatorStep(&lost, pause);
    QCOMPARE(Timeless(resumed.saveState()), Timeless(lost.saveState()));

    Run(&lost, after);
    Run(&resumed, after);
    QCOMPARE(Timeless(resumed.saveState(), false), Timeless(lost.saveState(), false));
}

}  // namespace

class SegmentStateTest : public QObject {
    Q_OBJECT

  private slots:
    // Each style with what it counts: warning colours, turn clocks run out and refilled.
    void singleCountdown() {
        Resume<Form17>(QStringList{"Command3"} + QStringList(65, "tick"), "Command2",
                       {"Command3", "tick", "tick"});
    }
    void twoSides() {
        Resume<Form6>(QStringList{"Left", "tick", "tick", "Right"} + QStringList(70, "tick"),
                      "Command3", {"Left", "tick", "Right", "tick"});
    }
    void questionAndAnswer() {
        Resume<Form5>(QStringList{"Left", "tick", "Right"} + QStringList(40, "tick"), "Command2",
                      {"Left", "tick", "tick"});
    }
    void questionerAndAnswerer() {
        Resume<Form18>(QStringList{"Left", "tick", "tick", "Right", "tick"}, "Command2",
                       {"Right", "tick", "Left", "tick"});
    }
    void perSpeech() {
        Resume<Form22>(QStringList{"Command3", "tick", "Left"} + QStringList(70, "tick"),
                       "Command2", {"Command3", "tick", "Left", "tick"});
    }

    void aJournalThatIsNotExactlyAScreensIsRefused_data() {
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("to");
        AddRow("not JSON", QByteArray("{"), QByteArray("{{"));
        AddRow("a format version to come", QByteArray("\"version\": 2"),
               QByteArray("\"version\": 3"));
        AddRow("seconds past 16 bits", QByteArray("\"Label2\": 90"),
               QByteArray("\"Label2\": 40000"));
        AddRow("seconds with a fraction", QByteArray("\"Label2\": 90"),
               QByteArray("\"Label2\": 1.5"));
        AddRow("a colour that is none", QByteArray("#"), QByteArray("javascript:"));
        AddRow("a name that names nothing", QByteArray("\"Label2\": 90"),
               QByteArray("\"../x\": 90"));
        AddRow("a text of a thousand characters", QByteArray("\"text\": \""),
               QByteArray("\"text\": \"") + QByteArray(1000, 'x'));
        AddRow("no time of writing", QByteArray("\"written\""), QByteArray("\"writ\""));
        AddRow("a turn's seconds below zero", QByteArray("\"ticks\": 0"),
               QByteArray("\"ticks\": -5"));
        AddRow("a style past the fifth", QByteArray("\"style\": 0"), QByteArray("\"style\": 6"));
        AddRow("a debate's name longer than any", QByteArray("\"debate\": \""),
               QByteArray("\"debate\": \"") + QByteArray(2000, 'x'));
        AddRow("a role that is no text", QByteArray("\"role\": \"\""), QByteArray("\"role\": 5"));
        AddRow("a segment past the eighth", QByteArray("\"segmentNumber\": 0"),
               QByteArray("\"segmentNumber\": 9"));
    }
    // The names are the organisers': a long one keeps the journal readable.
    void longNamesReadBack() {
        ClockScreenFixture<Form17> fixture("1", "90", "30");
        SegmentState state = fixture.open()->saveState();
        state.segment = QString(100, QChar(0x8FA9));
        state.debate = QString(1000, QChar(0x8D5B));
        state.written = QDateTime(QDate(2026, 12, 10), QTime(14, 30, 5), Qt::UTC);  // whole seconds
        const std::optional<SegmentState> read = SegmentStateFromJson(SegmentStateToJson(state));
        QVERIFY(read);
        QCOMPARE(*read, state);
    }

    // Left by the build before, which kept no style, debate or role: it resumes.
    void aJournalOfTheFirstFormatReads() {
        ClockScreenFixture<Form6> fixture("1", "90", "30");
        Form6* screen = fixture.open();
        screen->findChild<QAction*>("Left")->trigger();
        SegmentState state = screen->saveState();
        QJsonObject first = QJsonDocument::fromJson(SegmentStateToJson(state)).object();
        first.insert("version", 1);
        first.remove("style");
        first.remove("debate");
        QJsonObject turns = first.value("turns").toObject();
        for (auto turn = turns.begin(); turn != turns.end(); ++turn) {
            QJsonObject progress = turn->toObject();
            progress.remove("role");
            *turn = progress;
        }
        first.insert("turns", turns);
        const std::optional<SegmentState> read =
            SegmentStateFromJson(QJsonDocument(first).toJson());
        QVERIFY(read);
        QCOMPARE(read->counters, state.counters);
        QCOMPARE(read->running, state.running);
        QCOMPARE(read->turns.size(), state.turns.size());
        QVERIFY(screen->restoreState(*read));
    }

    void aJournalThatIsNotExactlyAScreensIsRefused() {
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        ClockScreenFixture<Form17> fixture("1", "90", "30");
        Form17* screen = fixture.open();
        QByteArray journal = SegmentStateToJson(screen->saveState());
        QVERIFY(SegmentStateFromJson(journal));
        QVERIFY(journal.contains(from));
        journal.replace(journal.indexOf(from), from.size(), to);
        QVERIFY(!SegmentStateFromJson(journal));
    }

    // The journal follows the screen on every change and goes when the screen closes; a
    // program that dies leaves it behind, readable. A journal that cannot be written is said,
    // and the timing goes on.
    void theJournalFollowsTheScreenUntilItCloses() {
        ClockScreenFixture<Form6> fixture("1", "90", "30");
        fixture.set(SegmentKey::ActiveName, "驳论");
        SegmentJournal journal(fixture.dir.path());
        const QString path = SegmentJournal::PathIn(fixture.dir.path());
        // What the journal holds now; an empty state while there is none.
        const auto kept = [&] {
            QFile file(path);
            return file.open(QIODevice::ReadOnly)
                       ? SegmentStateFromJson(file.readAll()).value_or(SegmentState{})
                       : SegmentState{};
        };
        auto screen = std::make_unique<Form6>(fixture.context);
        screen->show();
        journal.follow(screen.get());
        QTRY_COMPARE(kept().segment, QStringLiteral("驳论"));
        Run(screen.get(), {"Left", "tick", "tick"});
        QCoreApplication::sendPostedEvents();
        QTRY_COMPARE(kept().counters.value("Label4"), qint16(88));
        QCOMPARE(kept().running, QStringList{"Timer1"});
        screen->close();
        QTRY_VERIFY(!QFile::exists(path));

        // Lost without closing, as in a crash: the journal stays.
        screen = std::make_unique<Form6>(fixture.context);
        screen->show();
        journal.follow(screen.get());
        Run(screen.get(), {"Right", "tick"});
        QCoreApplication::sendPostedEvents();
        QTRY_COMPARE(kept().counters.value("Label5"), qint16(89));
        screen.reset();
        QTest::qWait(50);
        QCOMPARE(kept().counters.value("Label5"), qint16(89));

        QVERIFY(QFile::remove(path) && QDir().mkpath(path));  // a folder in its place
        QSignalSpy problems(&journal, &SegmentJournal::problemChanged);
        screen = std::make_unique<Form6>(fixture.context);
        screen->show();
        journal.follow(screen.get());
        Run(screen.get(), {"Left", "tick"});
        QCoreApplication::sendPostedEvents();
        QTRY_COMPARE(problems.count(), 1);
        QVERIFY(!journal.problem().isEmpty());
        QVERIFY(screen->clockRunning());
    }

    // A side timer has no pause: put up again, it counts on from where it was.
    void aSideTimerCountsOnFromItsJournal() {
        ClockScreenFixture<Form6> fixture("1", "90", "30");
        fixture.setProfile("\\config\\TW&DP.ini", "倒序计时", "1", "配置信息TW");
        fixture.setProfile("\\config\\TW&DP.ini", "倒序限时", "90", "配置信息TW");
        fixture.setProfile("\\config\\TW&DP.ini", "环节名称", "观众提问", "配置信息TW");
        Form20 lost(fixture.context);
        for (int i = 0; i < 5; ++i) {
            FireRunningTickers(&lost);
        }
        const std::optional<SegmentState> read =
            SegmentStateFromJson(SegmentStateToJson(lost.saveState()));
        QVERIFY(read);
        QCOMPARE(read->segment, QStringLiteral("观众提问"));
        Form20 resumed(fixture.context);
        FireRunningTickers(&resumed);
        QVERIFY(resumed.restoreState(*read));
        QCOMPARE(resumed.clocks()[0].text, lost.clocks()[0].text);
        QVERIFY(resumed.clockRunning());
        FireRunningTickers(&resumed);
        FireRunningTickers(&lost);
        QCOMPARE(resumed.clocks()[0].text, lost.clocks()[0].text);
    }

    void aStateOfAnotherScreenChangesNothing() {
        ClockScreenFixture<Form6> fixture("1", "90", "30");
        Form6 twoSides(fixture.context);
        Form17 single(fixture.context);
        const SegmentState before = single.saveState();
        QVERIFY(!single.restoreState(twoSides.saveState()));
        SegmentState missingClock = single.saveState();
        missingClock.counters.clear();
        QVERIFY(!single.restoreState(missingClock));
        QCOMPARE(Timeless(single.saveState()), Timeless(before));
    }
};

QTEST_MAIN(SegmentStateTest)
#include "test_segment_state.moc"
