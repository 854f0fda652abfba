// Launching a segment from the main screen, and the transition screen between main screen and
// clock.

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPushButton>
#include <QtTest>
#include <optional>

#include "foundation/platform/colours.h"
#include "foundation/setup_applying.h"
#include "foundation/widgets/picture.h"
#include "foundation/widgets/twips.h"
#include "foundation/widgets/widget_colours.h"
#include "support/screen_fixture.h"
#include "timing/segment_launch.h"
#include "timing/transition_screen.h"

Q_DECLARE_METATYPE(std::optional<ScreenId>)

namespace {

const QString kActive = QStringLiteral("\\config\\Timetemp.ini");

QString SegmentFile(int segment) {
    return QStringLiteral("\\config\\tache\\%1.ini").arg(segment);
}

// Records the active copy as it was at the moment a screen was asked for.
class SnoopingNavigator : public FakeNavigator {
  public:
    explicit SnoopingNavigator(QString activeProfile) : active(std::move(activeProfile)) {}
    void Replace(QWidget* from, ScreenId to) override {
        nameWhenOpened = ReadProfileString(active, kConfigSection, SegmentKey::ActiveName);
        FakeNavigator::Replace(from, to);
    }
    QString active;
    QString nameWhenOpened;
};

void MoveMouse(QWidget* over, QPoint position) {
    QMouseEvent move(QEvent::MouseMove, position, over->mapToGlobal(position), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(over, &move);
}

}  // namespace

class LaunchTest : public QObject {
    Q_OBJECT

  private slots:
    void styleToScreen_data() {
        QTest::addColumn<QString>("style");
        QTest::addColumn<std::optional<ScreenId>>("screen");
        QTest::newRow("Mode-1") << "Mode-1" << std::optional(ScreenId::SingleCountdown);
        QTest::newRow("Mode-2") << "Mode-2" << std::optional(ScreenId::TwoSide);
        QTest::newRow("Mode-3") << "Mode-3" << std::optional(ScreenId::QuestionAnswer);
        QTest::newRow("Mode-4") << "Mode-4" << std::optional(ScreenId::QuestionerAnswerer);
        QTest::newRow("Mode-5") << "Mode-5" << std::optional(ScreenId::PerSpeech);
        QTest::newRow("empty") << "" << std::optional<ScreenId>();
        QTest::newRow("lower case") << "mode-1" << std::optional<ScreenId>();
        QTest::newRow("leading blank") << " Mode-1" << std::optional<ScreenId>();
    }

    void styleToScreen() {
        QFETCH(QString, style);
        QFETCH(std::optional<ScreenId>, screen);
        QCOMPARE(ClockScreenFor(style), screen);
        if (const std::optional<TimingStyle> parsed = TimingStyleOf(style)) {
            QCOMPARE(ClockScreenOf(*parsed), *screen);
        }
    }

    void launchOpens_data() {
        QTest::addColumn<QString>("transition");
        QTest::addColumn<QString>("style");
        QTest::addColumn<std::optional<ScreenId>>("opened");
        const auto row = [](const char* name, const char* transition, const char* style,
                            std::optional<ScreenId> opened) {
            QTest::newRow(name) << QString(transition) << QString(style) << opened;
        };
        row("picture on", "1", "Mode-1", ScreenId::Transition);
        row("picture on, no style", "1", "", ScreenId::Transition);
        row("picture on as 1.0", "1.0", "Mode-2", ScreenId::Transition);
        row("picture off, Mode-1", "0", "Mode-1", ScreenId::SingleCountdown);
        row("picture off, Mode-5", "0", "Mode-5", ScreenId::PerSpeech);
        // Decided here: a value that is not a number counts as a box never ticked.
        row("never ticked", "", "Mode-2", ScreenId::TwoSide);
        row("not a number", "abc", "Mode-3", ScreenId::QuestionAnswer);
        row("number then text", "1abc", "Mode-4", ScreenId::QuestionerAnswerer);
        row("picture off, no style", "0", "", std::nullopt);
        row("never ticked, no style", "", "", std::nullopt);
        row("picture off, unknown style", "0", "Mode-6", std::nullopt);
        row("another number", "2", "Mode-1", std::nullopt);
    }

    void launchOpens() {
        QFETCH(QString, transition);
        QFETCH(QString, style);
        QFETCH(std::optional<ScreenId>, opened);
        ScreenFixture f;
        f.setProfile(SegmentFile(3), SegmentKey::Name, "自由辩论");
        f.setProfile(SegmentFile(3), SegmentKey::Limit, "480");
        f.setProfile(SegmentFile(3), SegmentKey::Style, style);
        f.setProfile(SegmentFile(3), SegmentKey::UseTransition, transition);
        QWidget mainScreen;
        mainScreen.show();

        LaunchSegment(f.context, &mainScreen, 3);

        // The values are copied whatever opens afterwards.
        QCOMPARE(f.profile(kActive, SegmentKey::ActiveName), QString("自由辩论"));
        QCOMPARE(f.profile(kActive, SegmentKey::Limit), QString("480"));
        QCOMPARE(f.profile(kActive, SegmentKey::Style), style);
        if (opened) {
            QCOMPARE(f.navigator.requests.size(), 1);
            QCOMPARE(f.navigator.requests[0].kind, QString("replace"));
            QCOMPARE(f.navigator.requests[0].screen, *opened);
            QVERIFY(!mainScreen.isVisible());
        } else {
            QVERIFY(f.navigator.requests.isEmpty());
            QVERIFY(mainScreen.isVisible());
        }
    }

    // While an import moves a setup's files, a launch copies and opens nothing; the flag is
    // the program's own, so a program beside it (a test's, say) launches all the same.
    void nothingLaunchesWhileASetupMoves() {
        ScreenFixture f, beside;
        for (ScreenFixture* program : {&f, &beside}) {
            program->setProfile(kActive, SegmentKey::ActiveName, "上一个环节");
            program->setProfile(SegmentFile(3), SegmentKey::Name, "自由辩论");
            program->setProfile(SegmentFile(3), SegmentKey::Style, "Mode-2");
            program->setProfile(SegmentFile(3), SegmentKey::UseTransition, "0");
        }
        QWidget mainScreen;
        {
            const SetupApplyingScope applying(*f.context.setupApplying);
            LaunchSegment(f.context, &mainScreen, 3);
            QVERIFY(f.navigator.requests.isEmpty());
            QCOMPARE(f.profile(kActive, SegmentKey::ActiveName), QString("上一个环节"));
            LaunchSegment(beside.context, &mainScreen, 3);
            QCOMPARE(beside.navigator.requests.size(), 1);
        }
        LaunchSegment(f.context, &mainScreen, 3);
        QCOMPARE(f.navigator.requests.size(), 1);
        QCOMPARE(f.profile(kActive, SegmentKey::ActiveName), QString("自由辩论"));
    }

    void copiesBeforeAnythingOpens() {
        ScreenFixture f;
        SnoopingNavigator navigator(ActiveSegmentProfilePath(f.dir.path()));
        f.context.navigator = &navigator;
        f.setProfile(kActive, SegmentKey::ActiveName, "上一个环节");
        f.setProfile(SegmentFile(2), SegmentKey::Name, "反方立论");
        f.setProfile(SegmentFile(2), SegmentKey::Style, "Mode-1");
        f.setProfile(SegmentFile(2), SegmentKey::UseTransition, "0");
        QWidget mainScreen;
        LaunchSegment(f.context, &mainScreen, 2);
        QCOMPARE(navigator.count("replace"), 1);
        QCOMPARE(navigator.nameWhenOpened, QString("反方立论"));
    }

    void eachButtonReadsItsOwnSegment() {
        ScreenFixture f;
        for (int segment = 1; segment <= 8; ++segment) {
            f.setProfile(SegmentFile(segment), SegmentKey::Name, QString("环节%1").arg(segment));
            f.setProfile(SegmentFile(segment), SegmentKey::Limit, QString::number(60 * segment));
            f.setProfile(SegmentFile(segment), SegmentKey::UseTransition, "2");  // opens nothing
        }
        QWidget mainScreen;
        for (int segment : {8, 1, 5}) {
            LaunchSegment(f.context, &mainScreen, segment);
            QCOMPARE(f.profile(kActive, SegmentKey::ActiveName), QString("环节%1").arg(segment));
            QCOMPARE(f.profile(kActive, SegmentKey::Limit), QString::number(60 * segment));
        }
        QVERIFY(f.navigator.requests.isEmpty());
    }

    void missingSegmentFileBlanksTheActiveCopy() {
        ScreenFixture f;
        f.setProfile(kActive, SegmentKey::Limit, "180");
        f.setProfile(kActive, SegmentKey::Style, "Mode-1");
        f.setProfile(kActive, SegmentKey::ActiveName, "正方立论");
        QWidget mainScreen;
        mainScreen.show();
        LaunchSegment(f.context, &mainScreen, 6);  // never configured: no file at all
        QCOMPARE(f.profile(kActive, SegmentKey::Limit), QString());
        QCOMPARE(f.profile(kActive, SegmentKey::Style), QString());
        QCOMPARE(f.profile(kActive, SegmentKey::ActiveName), QString());
        QVERIFY(f.navigator.requests.isEmpty());
        QVERIFY(mainScreen.isVisible());
    }

    void segmentOutsideOneToEightDoesNothing_data() {
        QTest::addColumn<int>("segment");
        QTest::newRow("0") << 0;
        QTest::newRow("9") << 9;
        QTest::newRow("-1") << -1;
    }

    void segmentOutsideOneToEightDoesNothing() {
        QFETCH(int, segment);
        ScreenFixture f;
        f.setProfile(kActive, SegmentKey::Limit, "180");
        f.setProfile(SegmentFile(segment), SegmentKey::Limit, "999");
        f.setProfile(SegmentFile(segment), SegmentKey::Style, "Mode-1");
        f.setProfile(SegmentFile(segment), SegmentKey::UseTransition, "0");
        QWidget mainScreen;
        LaunchSegment(f.context, &mainScreen, segment);
        QCOMPARE(f.profile(kActive, SegmentKey::Limit), QString("180"));
        QVERIFY(f.navigator.requests.isEmpty());
    }

    void transitionOpens() {
        ScreenFixture f;
        Form15 screen(f.context);
        QCOMPARE(screen.objectName(), QString("Form15"));
        QCOMPARE(screen.windowTitle(), QString("debaclock"));
        QVERIFY(screen.windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(screen.size(), SizeFromTwips(12000, 9000));
        QCOMPARE(BackgroundColour(&screen), ColourFromValue(16776960));
        QCOMPARE(BackgroundColour(&screen), QColor(Qt::cyan));

        auto* command1 = ScreenFixture::find<QPushButton>(&screen, "Command1");
        QVERIFY(command1);
        QCOMPARE(command1->text(), QString("进入计时界面"));
        QCOMPARE(command1->geometry(), RectFromTwips(10440, 8520, 1335, 375));
        QVERIFY(command1->isVisibleTo(&screen));
        QCOMPARE(screen.picture()->geometry(), RectFromTwips(0, 0, 12015, 9015));
        QVERIFY(!screen.picture()->hasPicture());
    }

    void transitionPicture_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("shown");
        QTest::newRow("bare name") << "next.jpg" << true;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("missing file") << "gone.jpg" << false;
        QTest::newRow("reaches outside its folder") << "..\\jishi\\next.jpg" << false;
    }

    void transitionPicture() {
        QFETCH(QString, stored);
        QFETCH(bool, shown);
        ScreenFixture f;
        QImage image(8, 8, QImage::Format_RGB32);
        image.fill(Qt::red);
        f.dir.mkdir("background/guochang");
        f.dir.mkdir("background/jishi");
        QVERIFY(image.save(f.dir.path() + "/background/guochang/next.jpg"));
        QVERIFY(image.save(f.dir.path() + "/background/jishi/next.jpg"));
        f.setProfile(kActive, SegmentKey::TransitionPicture, stored);
        Form15 screen(f.context);
        QCOMPARE(screen.picture()->hasPicture(), shown);
    }

    void transitionButtonOpensTheClock_data() {
        QTest::addColumn<QString>("style");
        QTest::addColumn<std::optional<ScreenId>>("opened");
        QTest::newRow("Mode-4") << "Mode-4" << std::optional(ScreenId::QuestionerAnswerer);
        QTest::newRow("no style") << "" << std::optional<ScreenId>();
    }

    void transitionButtonOpensTheClock() {
        QFETCH(QString, style);
        QFETCH(std::optional<ScreenId>, opened);
        ScreenFixture f;
        f.setProfile(kActive, SegmentKey::Style, "Mode-1");
        Form15 screen(f.context);
        screen.show();
        // The style is read when the button is pressed, not when the screen opened.
        f.setProfile(kActive, SegmentKey::Style, style);
        ScreenFixture::click(&screen, "Command1");
        if (opened) {
            QCOMPARE(f.navigator.requests.size(), 1);
            QCOMPARE(f.navigator.requests[0].kind, QString("replace"));
            QCOMPARE(f.navigator.requests[0].screen, *opened);
            QVERIFY(!screen.isVisible());
        } else {
            QVERIFY(f.navigator.requests.isEmpty());
            QVERIFY(screen.isVisible());
            // Closed by the window system, the transition screen does not bring the main back.
            screen.close();
            QCOMPARE(f.navigator.count("main"), 0);
        }
    }

    void transitionButtonStrip_data() {
        QTest::addColumn<int>("y");
        QTest::addColumn<bool>("shown");
        // Design size 800 x 600 pixels, Command1 25 pixels high.
        QTest::newRow("just inside") << 576 << true;
        QTest::newRow("edge of the strip") << 575 << false;
    }

    void transitionButtonStrip() {
        QFETCH(int, y);
        QFETCH(bool, shown);
        ScreenFixture f;
        Form15 screen(f.context);
        auto* command1 = ScreenFixture::find(&screen, "Command1");
        command1->setVisible(!shown);
        MoveMouse(screen.picture(), QPoint(400, y));
        QCOMPARE(command1->isVisibleTo(&screen), shown);
    }
};

QTEST_MAIN(LaunchTest)
#include "test_segment_launch.moc"
