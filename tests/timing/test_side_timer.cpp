// The audience-question (Form20) and guest-commentary (Form9) timers: their own profile section
// and picture folder, counting both ways, a hidden clock and the return button at the left edge.

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QtTest>
#include <memory>

#include "foundation/widgets/picture.h"
#include "foundation/widgets/twips.h"
#include "foundation/widgets/widget_colours.h"
#include "support/screen_fixture.h"
#include "timing/side_timer.h"

namespace {

const QString kTW = QStringLiteral("配置信息TW");
const QString kDP = QStringLiteral("配置信息DP");

struct Side {
    explicit Side(const QString& section = kTW) : section(section) {}
    void set(const QString& key, const QString& value, const QString& in = {}) {
        f.setProfile("\\config\\TW&DP.ini", key, value, in.isEmpty() ? section : in);
    }
    SideTimer* open() {
        screen.reset(section == kTW ? static_cast<SideTimer*>(new Form20(f.context))
                                    : new Form9(f.context));
        return screen.get();
    }
    QString afterTicks(int times) {
        ScreenFixture::tick(screen.get(), "Timer1", times);
        return ScreenFixture::text(screen.get(), "Label1");
    }
    bool ticking() const { return screen->findChild<SecondTicker*>("Timer1")->isActive(); }
    QWidget* find(const QString& name) const { return ScreenFixture::find(screen.get(), name); }
    bool visible(const QString& name) const { return find(name)->isVisibleTo(screen.get()); }
    void moveMouse(int x) {
        QMouseEvent move(QEvent::MouseMove, QPointF(x, 300), screen->mapToGlobal(QPointF(x, 300)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(screen->picture(), &move);
    }

    QString section;
    ScreenFixture f;
    std::unique_ptr<SideTimer> screen;
};

}  // namespace

class SideTimerTest : public QObject {
    Q_OBJECT

  private slots:
    void eachScreenHasItsOwnSectionAndFolder_data() {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<int>("returnTop");
        QTest::newRow("Form20") << kTW << "background/tiwen/" << 4080;
        QTest::newRow("Form9") << kDP << "background/dianping/" << 4200;
    }

    void eachScreenHasItsOwnSectionAndFolder() {
        QFETCH(QString, section);
        QFETCH(QString, folder);
        QFETCH(int, returnTop);
        Side s(section);
        // The same picture name in both folders, in a different colour in each.
        for (const char* f : {"background/tiwen/", "background/dianping/"}) {
            QImage picture(4, 4, QImage::Format_RGB32);
            picture.fill(f == folder ? Qt::green : Qt::blue);
            s.f.dir.mkdir(f);
            picture.save(s.f.dir.path() + '/' + f + "bg.png");
        }
        for (const QString& in : {kTW, kDP}) {
            const bool own = in == section;
            s.set("倒序计时", own ? "1" : "0", in);
            s.set("倒序限时", own ? "120" : "30", in);
            s.set("显示计时", own ? "1" : "0", in);
            s.set("背景颜色", own ? "255" : "65280", in);
            s.set("背景图片", "bg.png", in);
        }
        SideTimer* screen = s.open();
        QCOMPARE(screen->objectName(), section == kTW ? "Form20" : "Form9");
        QCOMPARE(screen->size(), SizeFromTwips(11880, 8490));
        QCOMPARE(s.find("Command1")->geometry(), RectFromTwips(0, returnTop, 1095, 375));
        QVERIFY(!s.visible("Command1"));
        QCOMPARE(BackgroundColour(screen), QColor(Qt::red));
        QCOMPARE(screen->picture()->stretchedPicture().toImage().pixelColor(1, 1),
                 QColor(Qt::green));
        auto* label = qobject_cast<QLabel*>(s.find("Label1"));
        QCOMPARE(label->geometry(), RectFromTwips(9600, 120, 2175, 495));
        QVERIFY(s.visible("Label1"));
        QCOMPARE(label->font().family(), "宋体");
        QVERIFY(label->font().bold());
        QCOMPARE(label->font().pointSizeF(), 21.75);
        QCOMPARE(label->alignment(), Qt::AlignCenter);
        QVERIFY(label->autoFillBackground());
        QCOMPARE(BackgroundColour(label), QColor(255, 128, 0));
        // Counting begins on opening, but the designed text stays until the first tick.
        QVERIFY(s.ticking());
        QCOMPARE(label->text(), "99分99秒");
        QCOMPARE(s.afterTicks(1), "01分59秒");
    }

    void counts_data() {
        QTest::addColumn<QString>("direction");
        QTest::addColumn<QString>("limit");
        QTest::addColumn<int>("ticks");
        QTest::addColumn<QString>("shown");
        const auto row = [](const char* name, const char* direction, const char* limit, int ticks,
                            const char* shown) {
            QTest::newRow(name) << QString(direction) << QString(limit) << ticks << QString(shown);
        };
        row("up, first tick", "0", "120", 1, "00分01秒");
        row("up, 61st tick", "0", "", 61, "01分01秒");
        row("up stops at 32767", "0", "", 32769, "546分07秒");
        row("down, first tick", "1", "120", 1, "01分59秒");
        row("down to zero", "1", "120", 120, "00分00秒");
        row("down, three-digit minutes", "1", "6001", 1, "100分00秒");
        row("down, limit read leniently", "1", "90s", 1, "01分29秒");
        row("down goes below zero", "1", "3", 8, "-00分05秒");
        row("down, empty limit", "1", "", 61, "-01分01秒");
        row("down stops at -32768", "1", "-32767", 3, "-546分08秒");
        row("direction empty", "", "120", 3, "99分99秒");
        row("direction 2", "2", "120", 3, "99分99秒");
        row("direction not a number", "yes", "120", 3, "99分99秒");
    }

    void counts() {
        QFETCH(QString, direction);
        QFETCH(QString, limit);
        QFETCH(int, ticks);
        QFETCH(QString, shown);
        Side s;
        s.set("倒序计时", direction);
        s.set("倒序限时", limit);
        s.open();
        QCOMPARE(s.afterTicks(ticks), shown);
        QVERIFY(s.visible("Label1"));  // no display flag: the clock stays as designed, shown
    }

    void returnButton_data() {
        QTest::addColumn<int>("fromWidth");
        QTest::addColumn<bool>("shown");
        QTest::newRow("just inside the button's width") << -1 << true;
        QTest::newRow("one button width away") << 0 << false;
    }

    void returnButton() {
        QFETCH(int, fromWidth);
        QFETCH(bool, shown);
        Side s(kDP);
        s.set("倒序计时", "0");
        s.set("显示计时", "0");
        SideTimer* screen = s.open();
        screen->show();  // full screen: the strip must follow the scaled button
        for (QWidget* child : screen->findChildren<QWidget*>()) {
            QCOMPARE(child->isVisible(), child == screen->picture());
        }
        QCOMPARE(s.afterTicks(2), "00分02秒");  // a hidden clock counts on
        s.moveMouse(0);
        QVERIFY(s.visible("Command1"));
        s.moveMouse(s.find("Command1")->width() + fromWidth);
        QCOMPARE(s.visible("Command1"), shown);
        s.moveMouse(0);
        ScreenFixture::click(screen, "Command1");
        QVERIFY(!screen->isVisible());
        QCOMPARE(s.f.navigator.requests.size(), 1);
        QCOMPARE(s.f.navigator.requests[0].kind, "main");
        QVERIFY(!s.ticking());
    }
};

QTEST_MAIN(SideTimerTest)
#include "test_side_timer.moc"
