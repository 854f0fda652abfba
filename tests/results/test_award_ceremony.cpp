// The award ceremony Form8: look and volume from "\config\cite.ini", music on demand with the
// loop rule, the volume bar that rises with its value, and the column at the left edge.

#include <QApplication>
#include <QGroupBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QtTest>
#include <memory>

#include "foundation/widgets/picture.h"
#include "foundation/widgets/widget_colours.h"
#include "screens/results/award_ceremony.h"
#include "screens/results/rising_scroll_bar.h"
#include "support/data_rows.h"
#include "support/screen_fixture.h"

namespace {

struct Ceremony {
    void set(const QString& key, const QString& value) {
        f.setProfile("\\config\\cite.ini", key, value);
    }
    Form8* open() {
        screen = std::make_unique<Form8>(f.context);
        screen->show();
        return screen.get();
    }
    FakeMediaPlayer& player() const { return *f.platform.mediaPlayer(); }
    void moveMouse(int x) {
        QMouseEvent move(QEvent::MouseMove, QPointF(x, 300), screen->mapToGlobal(QPointF(x, 300)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(screen->picture(), &move);
    }
    // The column comes out first: a hidden button takes no click.
    void press(const QString& name) {
        moveMouse(0);
        ScreenFixture::click(screen.get(), name);
    }

    ScreenFixture f;
    std::unique_ptr<Form8> screen;
};

}  // namespace

class AwardCeremonyTest : public QObject {
    Q_OBJECT

  private slots:
    void volume_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("volume");
        AddRow("stored 40", "40", 40);
        AddRow("nothing stored: designed 100", "", 100);
        AddRow("unreadable", "响", 100);
    }
    void volume() {
        QFETCH(QString, stored);
        QFETCH(int, volume);
        Ceremony c;
        c.set("音量大小", stored);
        Form8* screen = c.open();
        QCOMPARE(screen->Vl1->value(), volume);
        QCOMPARE(c.player().volume(), volume);
        QCOMPARE(c.f.profile("\\config\\cite.ini", "音量大小"), stored);
        QVERIFY(!c.player().hasMedia());  // no music until play is pressed
        screen->Vl1->setValue(60);
        QCOMPARE(c.player().volume(), 60);
        QCOMPARE(c.f.profile("\\config\\cite.ini", "音量大小"), "60");
    }

    // Drawn with 100 at the top, the bar must move the way it looks however it is worked.
    void volumeBarMovesTheWayItLooks_data() {
        QTest::addColumn<int>("from");
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("to");
        AddRow("top arrow raises", 50, "top arrow", 52);
        AddRow("top arrow from the bottom", 0, "top arrow", 2);
        AddRow("bottom arrow lowers", 50, "bottom arrow", 48);
        AddRow("trough above a low handle", 0, "upper trough", 5);
        AddRow("trough below a high handle", 100, "lower trough", 95);
        AddRow("key up raises", 50, "key up", 52);
        AddRow("wheel up raises", 50, "wheel up", 55);  // three lines, at most a page
    }
    void volumeBarMovesTheWayItLooks() {
        QFETCH(int, from);
        QFETCH(QString, how);
        QFETCH(int, to);
        RisingScrollBar bar;
        bar.setRange(0, 100);
        bar.setSingleStep(2);
        bar.setPageStep(5);
        bar.resize(17, 121);
        bar.show();
        bar.setValue(from);
        const QHash<QString, int> clickAt{
            {"top arrow", 2}, {"bottom arrow", 118}, {"upper trough", 30}, {"lower trough", 90}};
        if (clickAt.contains(how)) {
            QTest::mouseClick(&bar, Qt::LeftButton, {}, QPoint(8, clickAt[how]));
        } else if (how == "key up") {
            QTest::keyClick(&bar, Qt::Key_Up);
        } else {
            QWheelEvent wheel(QPointF(8, 60), bar.mapToGlobal(QPointF(8, 60)), {}, {0, 120},
                              Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(&bar, &wheel);
        }
        QCOMPARE(bar.value(), to);
    }

    void background() {
        Ceremony c;
        QImage blue(4, 4, QImage::Format_RGB32);
        blue.fill(Qt::blue);
        c.f.dir.mkdir("background/cite");
        QVERIFY(blue.save(c.f.dir.path() + "/background/cite/hall.png"));
        c.set("背景颜色", "255");
        c.set("背景图片", "HALL.PNG");
        Form8* screen = c.open();
        QCOMPARE(BackgroundColour(screen), QColor(Qt::red));
        QCOMPARE(screen->picture()->stretchedPicture().toImage().pixelColor(1, 1),
                 QColor(Qt::blue));
    }

    // Play twice: "Default" first, then the row's choice, read when play is pressed.
    void play_data() {
        QTest::addColumn<QString>("choice");
        QTest::addColumn<QString>("then");  // relative path handed over second; "-" for none
        AddRow("Default again restarts", "Default", "\\sound\\cite\\Default.mp3");
        AddRow("User-Defined", "User-Defined", "\\sound\\cite\\user\\march.mp3");
        AddRow("None silences", "None", "");
        AddRow("lower case is no choice", "default", "-");
        AddRow("empty is no choice", "", "-");
    }
    void play() {
        QFETCH(QString, choice);
        QFETCH(QString, then);
        Ceremony c;
        c.set("背景音乐", "Default");
        c.set("自定义背景音乐", "march.mp3");
        c.open();
        c.press("Command2");
        c.set("背景音乐", choice);
        c.press("Command2");
        QStringList urls{c.f.path("\\sound\\cite\\Default.mp3")};
        if (then != "-") {
            urls << (then.isEmpty() ? QString() : c.f.path(then));
        }
        QCOMPARE(c.player().urls, urls);
        QCOMPARE(c.player().playState() == MediaPlayer::Playing, then != "");
    }

    void loop_data() {
        QTest::addColumn<QString>("loop");
        AddRow("1 loops", "1");
        AddRow("0 falls silent", "0");
    }
    void loop() {
        QFETCH(QString, loop);
        Ceremony c;
        c.set("背景音乐", "Default");
        c.set("循环播放", loop == "1" ? "0" : "1");
        c.open();
        c.press("Command2");
        c.set("循环播放", loop);  // read when the piece ends
        c.player().finishPiece();
        QCOMPARE(c.player().playState() == MediaPlayer::Playing, loop == "1");
    }

    void stopEndsTheMusicForGood() {
        Ceremony c;
        c.set("背景音乐", "Default");
        c.set("循环播放", "1");
        c.open();
        c.press("Command2");
        c.press("Command3");
        QCOMPARE(c.player().closeCalls, 1);
        c.player().finishPiece();
        QVERIFY(!c.player().hasMedia());
        QCOMPARE(c.player().playState(), MediaPlayer::Stopped);
    }

    void columnWaitsAtTheLeftEdge() {
        Ceremony c;
        Form8* screen = c.open();  // full screen: the strip follows the scaled button
        const QList<QWidget*> column{screen->Command1, screen->Command2, screen->Command3,
                                     screen->Frame1, screen->Frame2};
        const auto shown = [&] {
            return std::count_if(column.begin(), column.end(),
                                 [](QWidget* w) { return w->isVisible(); });
        };
        QCOMPARE(shown(), 0);
        c.moveMouse(screen->Command1->width() - 1);
        QCOMPARE(shown(), 5);
        c.moveMouse(screen->Command1->width());
        QCOMPARE(shown(), 0);
    }

    void leavingShowsTheMainScreenOnce_data() {
        QTest::addColumn<bool>("byButton");
        AddRow("返回主界面", true);
        AddRow("window closed", false);
    }
    void leavingShowsTheMainScreenOnce() {
        QFETCH(bool, byButton);
        Ceremony c;
        c.set("背景音乐", "Default");
        Form8* screen = c.open();
        c.press("Command2");
        if (byButton) {
            c.press("Command1");
        } else {
            screen->close();
        }
        QVERIFY(!screen->isVisible());
        screen->close();
        QCOMPARE(c.f.navigator.requests.size(), 1);
        QCOMPARE(c.f.navigator.requests[0].kind, "main");
        QVERIFY(!c.player().hasMedia());  // the music ends with the screen
    }
};

QTEST_MAIN(AwardCeremonyTest)
#include "test_award_ceremony.moc"
