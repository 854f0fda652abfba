// What every clock screen publishes for the operator console and the hall's network: its
// buttons and side presses as actions that keep the buttons' captions and enabled states, and
// that run what the click or press runs; its clocks as the audience reads them.

#include <QAction>
#include <QSignalSpy>
#include <QtTest>

#include "support/clock_screen_fixture.h"
#include "timing/per_speech_countdown.h"
#include "timing/question_answer_countdown.h"
#include "timing/questioner_answerer_countdown.h"
#include "timing/single_countdown.h"
#include "timing/two_side_countdown.h"

namespace {

QStringList ActionNames(const QWidget* screen) {
    QStringList names;
    for (const QAction* action : screen->actions()) {
        names << action->objectName();
    }
    names.sort();
    return names;
}

// "Label4 2分00秒 #ffffff" for each clock, in the published order.
QStringList Readings(const FullScreenWindow* screen) {
    QStringList readings;
    for (const ClockReading& clock : screen->clocks()) {
        readings << QStringLiteral("%1 %2 %3").arg(clock.name, clock.text, clock.colour.name());
    }
    return readings;
}

// Every button action says what its button says and is usable exactly when the button is.
void CheckActionsFollowButtons(QWidget* screen, const QString& step) {
    for (const QAction* action : screen->actions()) {
        const auto* button = screen->findChild<QAbstractButton*>(action->objectName());
        if (!button) {
            continue;  // a side press
        }
        QVERIFY2(action->text() == button->text(), qPrintable(step + ": " + action->objectName()));
        QVERIFY2(action->isEnabled() == button->isEnabled(),
                 qPrintable(step + ": " + action->objectName()));
    }
}

// Two copies of one screen over one profile: the first driven as the operator drives the
// projected screen, the second through its actions only. After every step both show the same,
// and each one's actions match its buttons.
template <typename Screen>
void RunTwins(const QString& format, const QStringList& expectedActions, const QStringList& steps) {
    ClockScreenFixture<Screen> fixture(format, "90", "30");
    Screen clicked(fixture.context);
    Screen triggered(fixture.context);
    clicked.show();
    triggered.show();
    QCOMPARE(ActionNames(&clicked), expectedActions);
    QSignalSpy changes(&clicked, &FullScreenWindow::stateChanged);
    for (const QString& step : steps) {
        changes.clear();
        if (step == "tick") {
            FireRunningTickers(&clicked);
            FireRunningTickers(&triggered);
        } else {
            OperatorStep(&clicked, step);
            auto* action = triggered.template findChild<QAction*>(step);
            QVERIFY2(action, qPrintable("no action " + step));
            action->trigger();
        }
        QCoreApplication::sendPostedEvents();
        QVERIFY2(changes.count() == 1, qPrintable(step));
        QCOMPARE(Readings(&triggered), Readings(&clicked));
        CheckActionsFollowButtons(&clicked, step);
        CheckActionsFollowButtons(&triggered, step);
        for (const QAction* action : clicked.actions()) {
            const QAction* twin = triggered.template findChild<QAction*>(action->objectName());
            QVERIFY2(twin->text() == action->text() && twin->isEnabled() == action->isEnabled(),
                     qPrintable(step + ": " + action->objectName()));
        }
    }
    QVERIFY(!Readings(&clicked).isEmpty());
}

}  // namespace

class PublishedActionsTest : public QObject {
    Q_OBJECT

  private slots:
    void singleCountdown() {
        RunTwins<Form17>("1", {"Command1", "Command2", "Command3", "Command4"},
                         {"Command3", "tick", "tick", "Command2", "Command3", "tick", "Command4"});
    }
    void twoSides() {
        RunTwins<Form6>("2", {"Command1", "Command2", "Command3", "Left", "Right"},
                        {"Left", "tick", "tick", "Right", "tick", "Command3", "Left", "Command2"});
    }
    void questionAndAnswer() {
        RunTwins<Form5>("1", {"Command1", "Command2", "Command4", "Left", "Right"},
                        {"Left", "tick", "Right", "tick", "Command2", "Left", "Command4"});
    }
    void questionerAndAnswerer() {
        RunTwins<Form18>("1", {"Command1", "Command2", "Command4", "Left", "Right"},
                         {"Left", "tick", "Right", "tick", "Command2", "Left", "Command4"});
    }
    void perSpeech() {
        RunTwins<Form22>("2", {"Command1", "Command2", "Command3", "Command4", "Left"},
                         {"Command3", "tick", "Left", "tick", "Command2", "Command3", "Command4"});
    }

    void clocksReadTopToBottomThenLeftToRight() {
        ClockScreenFixture<Form6> fixture("2", "90", "30");
        Form6* screen = fixture.open();
        screen->show();
        const QList<ClockReading> clocks = screen->clocks();
        QCOMPARE(clocks.size(), 2);
        QCOMPARE(clocks[0].name, QStringLiteral("Label4"));  // the affirmative, above
        QCOMPARE(clocks[1].name, QStringLiteral("Label5"));
        QCOMPARE(clocks[0].text, fixture.clock("Label4"));
        QCOMPARE(clocks[0].colour, fixture.ink("Label4"));
        // Each says whose time it is, as the screen's caption beside it does.
        QCOMPARE(clocks[0].label + clocks[1].label, QStringLiteral("正方反方"));
    }

    // The question, answer and speech clocks are published with the total they sit above,
    // each captioned as on the screen.
    void turnClocksArePublishedWithTheTotal_data() {
        QTest::addColumn<QString>("screen");
        QTest::addColumn<QStringList>("clocks");
        QTest::newRow("questions and answers")
            << "Form5"
            << QStringList{"Label4 30s 一次提问剩余时间", "Label5 40s 一次回答剩余时间",
                           "Label2 1分30秒 "};
        QTest::newRow("speeches") << "Form22"
                                  << QStringList{"Label1 50s 剩余发言时间", "Label2 1分30秒 "};
    }
    void turnClocksArePublishedWithTheTotal() {
        QFETCH(QString, screen);
        QFETCH(QStringList, clocks);
        ClockScreenFixture<Form5> fixture("1", "90", "30");
        fixture.setTurnLimits("30", "40", "30", "40", "50");
        std::unique_ptr<FullScreenWindow> window;
        if (screen == "Form5") {
            window = std::make_unique<Form5>(fixture.context);
        } else {
            window = std::make_unique<Form22>(fixture.context);
        }
        window->show();
        QStringList published;
        for (const ClockReading& clock : window->clocks()) {
            published << QStringLiteral("%1 %2 %3").arg(clock.name, clock.text, clock.label);
        }
        QCOMPARE(published, clocks);
    }
};

QTEST_MAIN(PublishedActionsTest)
#include "test_published_actions.moc"
