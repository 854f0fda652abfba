// The full-window screen base and the strips that reveal the operator's controls.

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

#include "foundation/widgets/full_screen_window.h"
#include "foundation/widgets/layout.h"
#include "foundation/widgets/picture.h"
#include "foundation/widgets/reveal_strip.h"
#include "foundation/widgets/twips.h"
#include "foundation/widgets/widget_colours.h"
#include "support/data_rows.h"

namespace {

// A screen designed for 400 x 300 pixels: a row of buttons along the bottom, a clock label.
class ClockLikeScreen : public FullScreenWindow {
  public:
    QPushButton* command1 = new QPushButton(QStringLiteral("开始计时"), this);
    QPushButton* command2 = new QPushButton(QStringLiteral("返回主界面"), this);
    QLabel* label2 = new QLabel(QStringLiteral("5分00秒"), this);

    ClockLikeScreen() : FullScreenWindow(QSize(6000, 4500)) {
        command1->setObjectName("Command1");
        command2->setObjectName("Command2");
        label2->setObjectName("Label2");
        PlaceInTwips(command1, 600, 4050, 1500, 300);  // 40, 270, 100, 20 pixels
        PlaceInTwips(command2, 2400, 4050, 1500, 300);
        PlaceInTwips(label2, 1500, 1500, 3000, 1200);
        rememberLayout();
    }
};

// The same screen with its label published as the clock, shown, as the console draws it.
class PublishedClockScreen : public ClockLikeScreen {
  public:
    PublishedClockScreen() {
        publishClocks({label2});
        SetBackgroundColour(this, QColor(12, 34, 56));
        show();
    }
};

const QSize kMiniatureSize(480, 300);

void MoveMouse(QWidget* over, QPoint position) {
    QMouseEvent move(QEvent::MouseMove, position, over->mapToGlobal(position), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(over, &move);
}

// A bare window of 800 x 600 with a background picture and a few operator controls.
struct Window {
    QWidget window{nullptr, Qt::FramelessWindowHint};
    StretchedPicture* image1 = new StretchedPicture(&window);
    QPushButton* command1 = new QPushButton(&window);
    QPushButton* command2 = new QPushButton(&window);
    QWidget* frame2 = new QWidget(&window);

    Window() {
        window.resize(800, 600);
        image1->setGeometry(0, 0, 800, 600);
        command1->setGeometry(0, 560, 120, 40);
        command2->setGeometry(130, 560, 120, 40);
        frame2->setGeometry(300, 500, 200, 100);
    }
};

// A strip measured from `reference` that shows `controls` on moves over `watched`.
void Strip(QWidget* window, RevealStrip::Edge edge, QWidget* reference,
           const QList<QWidget*>& controls, const QList<QWidget*>& watched, int depth = 1) {
    auto* strip = new RevealStrip(window, edge, reference, depth);
    for (QWidget* control : controls)
        strip->addControl(control);
    for (QWidget* source : watched)
        strip->watch(source);
}

}  // namespace

class TestFullScreenWindow : public QObject {
    Q_OBJECT

  private slots:
    void openedAtItsDesignSize() {
        ClockLikeScreen screen;
        QCOMPARE(screen.windowTitle(), QString("debaclock"));
        QVERIFY(screen.windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(screen.windowState() & Qt::WindowFullScreen);
        QVERIFY(screen.autoFillBackground());
        QCOMPARE(screen.size(), QSize(400, 300));
        QCOMPARE(RememberedDesignSize(), QSize(6000, 4500));
        QCOMPARE(screen.picture()->objectName(), QString("Image1"));
        QCOMPARE(screen.picture()->geometry(), QRect(0, 0, 400, 300));
        // Behind every control.
        QCOMPARE(screen.children().first(), screen.picture());
        QCOMPARE(TagOf(screen.command1), QString("600   4050   1500   300   "));
    }

    void showsFullScreenInDesignedProportions() {
        ClockLikeScreen screen;
        Strip(&screen, RevealStrip::Edge::Bottom, screen.command1,
              {screen.command1, screen.command2}, {screen.picture()});
        screen.show();
        QVERIFY(QTest::qWaitForWindowExposed(&screen));
        const QSize full = screen.screen()->geometry().size();
        QTRY_COMPARE(screen.size(), full);

        const double across = full.width() / 400.0;
        const double down = full.height() / 300.0;
        QCOMPARE(screen.command1->geometry(), QRect(qRound(40 * across), qRound(270 * down),
                                                    qRound(100 * across), qRound(20 * down)));
        QCOMPARE(screen.picture()->geometry(), QRect(QPoint(0, 0), full));

        // The strip is as deep as the grown button.
        const int buttonHeight = screen.command1->height();
        QVERIFY(buttonHeight > 20);
        MoveMouse(screen.picture(), QPoint(10, full.height() - buttonHeight + 1));
        QVERIFY(screen.command1->isVisible());
        MoveMouse(screen.picture(), QPoint(10, full.height() - buttonHeight));
        QVERIFY(!screen.command1->isVisible());
        QVERIFY(!screen.command2->isVisible());

        // Leaving full screen gives the designed window back, every control as designed.
        screen.setWindowState(Qt::WindowNoState);
        QTRY_COMPARE(screen.size(), QSize(400, 300));
        QCOMPARE(screen.command1->geometry(), QRect(40, 270, 100, 20));
        QCOMPARE(screen.label2->geometry(), QRect(100, 100, 200, 80));
        QCOMPARE(screen.picture()->geometry(), QRect(0, 0, 400, 300));
    }

    void activationRefillsThePicture() {
        ClockLikeScreen screen;
        screen.picture()->setGeometry(10, 10, 50, 50);
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(&screen, &activate);
        QCOMPARE(screen.picture()->geometry(), QRect(0, 0, 400, 300));
    }

    void backgroundColourShowsWithoutAPicture() {
        ClockLikeScreen screen;
        SetBackgroundColour(&screen, QColor(12, 34, 56));
        QCOMPARE(screen.grab().toImage().pixelColor(5, 5), QColor(12, 34, 56));
    }

    void miniatureIsDrawnAgainOnlyWhenSomethingShownChanged_data() {
        QTest::addColumn<QString>("change");
        for (const char* change : {"clock text", "clock colour", "caption", "background"}) {
            QTest::newRow(change) << QString::fromLatin1(change);
        }
    }
    void miniatureIsDrawnAgainOnlyWhenSomethingShownChanged() {
        QFETCH(QString, change);
        PublishedClockScreen screen;
        QVERIFY(QTest::qWaitForWindowExposed(&screen));
        const QPixmap before = screen.miniature(kMiniatureSize);
        QCOMPARE(before.size(), kMiniatureSize);
        QCOMPARE(screen.miniature(kMiniatureSize).cacheKey(), before.cacheKey());

        if (change == "clock text") {
            screen.label2->setText(QStringLiteral("4分59秒"));
        } else if (change == "clock colour") {
            SetTextColour(screen.label2, Qt::red);
        } else if (change == "caption") {
            screen.command1->setText(QStringLiteral("计时暂停"));
        } else {
            SetBackgroundColour(&screen, QColor(200, 0, 0));
        }
        const QPixmap after = screen.miniature(kMiniatureSize);
        QVERIFY(after.cacheKey() != before.cacheKey());
        QVERIFY(after.toImage() != before.toImage());
    }

    void miniatureKeepsTheScreensProportionsOnBlack() {
        PublishedClockScreen screen;
        QVERIFY(QTest::qWaitForWindowExposed(&screen));
        const QImage small = screen.miniature(kMiniatureSize).toImage();
        // A screen wider or narrower than 8:5 leaves black bars on two sides, never stretched.
        const qreal scale = std::min(480.0 / screen.width(), 300.0 / screen.height());
        const QPoint middleOfTop(240, int(150 - screen.height() * scale / 2) + 2);
        QCOMPARE(small.pixelColor(middleOfTop), QColor(12, 34, 56));
        if (screen.width() * scale < 478) {
            QCOMPARE(small.pixelColor(0, 150), QColor(Qt::black));
        } else if (screen.height() * scale < 298) {
            QCOMPARE(small.pixelColor(240, 0), QColor(Qt::black));
        }
    }

    void bottomStrip_data() {
        QTest::addColumn<int>("depth");
        QTest::addColumn<int>("y");
        QTest::addColumn<bool>("shown");
        // Window height 600, Command1 height 40.
        AddRow("one height: bottom row", 1, 599, true);
        AddRow("one height: just inside", 1, 561, true);
        AddRow("one height: on the edge of the strip", 1, 560, false);
        AddRow("one height: middle of the screen", 1, 300, false);
        AddRow("three heights: just inside", 3, 481, true);
        AddRow("three heights: on the edge", 3, 480, false);
        AddRow("three heights: top", 3, 0, false);
    }
    void bottomStrip() {
        QFETCH(int, depth);
        QFETCH(int, y);
        QFETCH(bool, shown);
        Window w;
        Strip(&w.window, RevealStrip::Edge::Bottom, w.command1, {w.command1, w.command2},
              {w.image1}, depth);
        QVERIFY(w.image1->hasMouseTracking());

        // Start from the opposite state, so that every row proves a change.
        w.command1->setVisible(!shown);
        w.command2->setVisible(!shown);
        MoveMouse(w.image1, QPoint(400, y));

        QCOMPARE(w.command1->isVisibleTo(&w.window), shown);
        QCOMPARE(w.command2->isVisibleTo(&w.window), shown);
        QVERIFY(w.frame2->isVisibleTo(&w.window));  // not in the strip's set
    }

    void leftStrip_data() {
        QTest::addColumn<int>("x");
        QTest::addColumn<bool>("shown");
        // Command1 width 120.
        QTest::newRow("left edge") << 0 << true;
        QTest::newRow("just inside") << 119 << true;
        QTest::newRow("one button width away") << 120 << false;
        QTest::newRow("right side") << 700 << false;
    }
    void leftStrip() {
        QFETCH(int, x);
        QFETCH(bool, shown);
        Window w;
        Strip(&w.window, RevealStrip::Edge::Left, w.command1, {w.command1}, {w.image1, &w.window});

        for (QWidget* over : {static_cast<QWidget*>(w.image1), &w.window}) {
            w.command1->setVisible(!shown);
            MoveMouse(over, QPoint(x, 300));
            QCOMPARE(w.command1->isVisibleTo(&w.window), shown);
        }
    }

    void onlyWatchedWidgetsCountAndInWindowPositions() {
        Window w;
        w.image1->setGeometry(100, 100, 600, 400);  // not at the corner
        Strip(&w.window, RevealStrip::Edge::Bottom, w.command1, {w.command2}, {w.image1});
        w.command2->hide();
        MoveMouse(&w.window, QPoint(10, 590));
        MoveMouse(w.frame2, QPoint(10, 90));
        QVERIFY(!w.command2->isVisibleTo(&w.window));
        MoveMouse(w.image1, QPoint(10, 465));  // window y 565
        QVERIFY(w.command2->isVisibleTo(&w.window));
        MoveMouse(w.image1, QPoint(10, 455));  // window y 555
        QVERIFY(!w.command2->isVisibleTo(&w.window));
    }
};

QTEST_MAIN(TestFullScreenWindow)
#include "test_full_screen_window.moc"
