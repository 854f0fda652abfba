// The award ceremony Form8: its look and volume from "\config\cite.ini", music on demand with
// the loop rule, the volume bar that rises with the value, and the column at the left edge.

#include <QApplication>
#include <QGroupBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>
#include <memory>

#include "foundation/widgets/picture.h"
#include "foundation/widgets/widget_colours.h"
#include "screens/results/award_ceremony.h"
#include "screens/results/rising_scroll_bar.h"
#include "support/data_rows.h"
#include "support/screen_fixture.h"

namespace {

const QString kCite = QStringLiteral("\\config\\cite.ini");

struct Ceremony {
    void set(const QString& key, const QString& value) { f.setProfile(kCite, key, value); }
    QString stored(const QString& key) const { return f.profile(kCite, key); }
    Form8* open() {
        screen = std::make_unique<Form8>(f.context);
        screen->show();
        return screen.get();
    }
    FakeMediaPlayer& player() const { return *f.platform.mediaPlayer(); }
    void press(const QString& name) { ScreenFixture::click(screen.get(), name); }
    bool visible(QWidget* control) const { return control->isVisibleTo(screen.get()); }
    void moveMouse(int x) {
        QMouseEvent move(QEvent::MouseMove, QPointF(x, 300), screen->mapToGlobal(QPointF(x, 300)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(screen->picture(), &move);
    }
    // Pressing a hidden button does nothing: bring the column out first.
    void pressInColumn(const QString& name) {
        moveMouse(0);
        press(name);
    }

    ScreenFixture f;
    std::unique_ptr<Form8> screen;
};

void SavePicture(ScreenFixture& f, const QString& relative, Qt::GlobalColor colour) {
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(colour);
    const QString file = f.dir.path() + '/' + relative;
    QDir().mkpath(QFileInfo(file).path());
    QVERIFY(picture.save(file));
}

}  // namespace

class AwardCeremonyTest : public QObject {
    Q_OBJECT

  private slots:
    void storedVolume_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("volume");
        AddRow("40", "40", 40);
        AddRow("silent", "0", 0);
        AddRow("nothing stored: designed 100", "", 100);
        AddRow("text", "响", 100);
        AddRow("above the range", "150", 100);
        AddRow("fraction", "40.5", 100);
    }
    void storedVolume() {
        QFETCH(QString, stored);
        QFETCH(int, volume);
        Ceremony c;
        c.set("音量大小", stored);
        Form8* screen = c.open();
        QCOMPARE(screen->Vl1->value(), volume);
        QCOMPARE(c.player().volume(), volume);
        // Only a value the bar took is written back, and it is the one stored.
        QCOMPARE(c.stored("音量大小"), stored);
        QVERIFY(!c.player().hasMedia());  // nothing plays until play is pressed
    }

    void volumeBarMovesPlayerAndProfile() {
        Ceremony c;
        c.set("音量大小", "40");
        Form8* screen = c.open();
        screen->Vl1->setValue(60);
        QCOMPARE(c.player().volume(), 60);
        QCOMPARE(c.stored("音量大小"), "60");
        Ceremony next;
        next.f.dir.write("config/cite.ini", "");
        next.open()->Vl1->setValue(0);
        QCOMPARE(next.stored("音量大小"), "0");
        QCOMPARE(Form8(next.f.context).Vl1->value(), 0);
    }

    // Drawn with 100 at the top, every way of moving the bar must go the way it looks.
    void volumeBarMovesTheWayItLooks_data() {
        QTest::addColumn<int>("from");
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("to");
        AddRow("top arrow raises", 50, "top arrow", 52);
        AddRow("top arrow from the bottom", 0, "top arrow", 2);
        AddRow("top arrow stops at 100", 99, "top arrow", 100);
        AddRow("bottom arrow lowers", 50, "bottom arrow", 48);
        AddRow("bottom arrow from the top", 100, "bottom arrow", 98);
        AddRow("trough above a low handle", 0, "upper trough", 5);
        AddRow("trough below a high handle", 100, "lower trough", 95);
        AddRow("key up raises", 50, "key up", 52);
        AddRow("page down lowers", 50, "page down", 45);
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
        const int x = bar.width() / 2;
        if (how == "top arrow") {
            QTest::mouseClick(&bar, Qt::LeftButton, {}, QPoint(x, 2));
        } else if (how == "bottom arrow") {
            QTest::mouseClick(&bar, Qt::LeftButton, {}, QPoint(x, bar.height() - 3));
        } else if (how == "upper trough") {
            QTest::mouseClick(&bar, Qt::LeftButton, {}, QPoint(x, bar.height() / 4));
        } else if (how == "lower trough") {
            QTest::mouseClick(&bar, Qt::LeftButton, {}, QPoint(x, bar.height() * 3 / 4));
        } else if (how == "key up") {
            QTest::keyClick(&bar, Qt::Key_Up);
        } else if (how == "page down") {
            QTest::keyClick(&bar, Qt::Key_PageDown);
        } else if (how == "wheel up") {
            QWheelEvent wheel(QPointF(x, 60), bar.mapToGlobal(QPointF(x, 60)), QPoint(),
                              QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                              false);
            QApplication::sendEvent(&bar, &wheel);
        }
        QCOMPARE(bar.value(), to);
    }

    void background_data() {
        QTest::addColumn<QString>("colour");
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QColor>("shownColour");
        QTest::addColumn<bool>("pictureShown");
        const QColor designed = QWidget().palette().color(QPalette::Window);
        AddRow("colour and picture", "255", "hall.png", QColor(Qt::red), true);
        AddRow("picture in another letter case", "65280", "HALL.PNG", QColor(Qt::green), true);
        AddRow("nothing stored", "", "", designed, false);
        AddRow("unreadable colour, missing picture", "红", "gone.png", designed, false);
        AddRow("picture outside its folder", "255", "../hall.png", QColor(Qt::red), false);
    }
    void background() {
        QFETCH(QString, colour);
        QFETCH(QString, picture);
        QFETCH(QColor, shownColour);
        QFETCH(bool, pictureShown);
        Ceremony c;
        SavePicture(c.f, "background/cite/hall.png", Qt::blue);
        SavePicture(c.f, "background/hall.png", Qt::yellow);
        c.set("背景颜色", colour);
        c.set("背景图片", picture);
        Form8* screen = c.open();
        QCOMPARE(BackgroundColour(screen), shownColour);
        QCOMPARE(screen->picture()->hasPicture(), pictureShown);
        if (pictureShown) {
            QCOMPARE(screen->picture()->stretchedPicture().toImage().pixelColor(1, 1),
                     QColor(Qt::blue));
        }
    }

    // Play twice: first "Default", then the row's choice, read when play is pressed.
    void play_data() {
        QTest::addColumn<QString>("choice");
        QTest::addColumn<QString>("custom");
        QTest::addColumn<QString>("then");  // relative path handed over second; "-" for none
        AddRow("Default again restarts", "Default", "", "\\sound\\cite\\Default.mp3");
        AddRow("User-Defined", "User-Defined", "march.mp3", "\\sound\\cite\\user\\march.mp3");
        AddRow("None silences", "None", "march.mp3", "");
        AddRow("lower case is no choice", "default", "", "-");
        AddRow("empty is no choice", "", "march.mp3", "-");
        AddRow("another word", "Music", "march.mp3", "-");
    }
    void play() {
        QFETCH(QString, choice);
        QFETCH(QString, custom);
        QFETCH(QString, then);
        Ceremony c;
        c.set("背景音乐", "Default");
        c.open();
        c.pressInColumn("Command2");
        c.set("背景音乐", choice);
        c.set("自定义背景音乐", custom);
        c.pressInColumn("Command2");
        const QString first = c.f.path("\\sound\\cite\\Default.mp3");
        if (then == "-") {
            QCOMPARE(c.player().urls, QStringList{first});  // left as it was: playing on
        } else {
            QCOMPARE(c.player().urls,
                     QStringList({first, then.isEmpty() ? QString() : c.f.path(then)}));
        }
        QCOMPARE(c.player().playState() == MediaPlayer::Playing, then != "");
    }

    void loop_data() {
        QTest::addColumn<QString>("loop");
        QTest::addColumn<bool>("again");
        AddRow("1 loops", "1", true);
        AddRow("0 falls silent", "0", false);
        AddRow("empty falls silent", "", false);
        AddRow("rounded to 1", "0.6", true);
        AddRow("2 is not 1", "2", false);
    }
    void loop() {
        QFETCH(QString, loop);
        QFETCH(bool, again);
        Ceremony c;
        c.set("背景音乐", "Default");
        c.set("循环播放", loop == "1" ? "0" : "1");
        c.open();
        c.pressInColumn("Command2");
        c.set("循环播放", loop);  // read when the piece ends, not before
        c.player().finishPiece();
        QCOMPARE(c.player().playState() == MediaPlayer::Playing, again);
        QCOMPARE(c.player().playCalls, again ? 1 : 0);
    }

    void stopEndsTheMusicForGood() {
        Ceremony c;
        c.set("背景音乐", "Default");
        c.set("循环播放", "1");
        c.open();
        c.pressInColumn("Command2");
        c.pressInColumn("Command3");
        QCOMPARE(c.player().closeCalls, 1);
        c.player().finishPiece();
        // The loop may ask a closed player to play; it has nothing to play.
        QVERIFY(!c.player().hasMedia());
        QCOMPARE(c.player().playState(), MediaPlayer::Stopped);
        QCOMPARE(c.player().urls.size(), 1);
    }

    void columnWaitsAtTheLeftEdge_data() {
        QTest::addColumn<int>("fromWidth");
        QTest::addColumn<bool>("shown");
        AddRow("just inside the button's width", -1, true);
        AddRow("one button width away", 0, false);
    }
    void columnWaitsAtTheLeftEdge() {
        QFETCH(int, fromWidth);
        QFETCH(bool, shown);
        Ceremony c;
        Form8* screen = c.open();  // full screen: the strip must follow the scaled button
        const QList<QWidget*> column{screen->Command1, screen->Command2, screen->Command3,
                                     screen->Frame1, screen->Frame2};
        for (QWidget* control : column) {
            QVERIFY(!control->isVisible());
        }
        c.moveMouse(0);
        for (QWidget* control : column) {
            QVERIFY(control->isVisible());
        }
        QVERIFY(screen->Vl1->isVisible());
        c.moveMouse(screen->Command1->width() + fromWidth);
        for (QWidget* control : column) {
            QCOMPARE(c.visible(control), shown);
        }
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
        c.pressInColumn("Command2");
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
