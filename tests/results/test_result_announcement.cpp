// The result announcement: the three steps in any order, where the labels stand, layout mode,
// fonts and colours, music and volume.

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>
#include <memory>

#include "foundation/widgets/picture.h"
#include "foundation/widgets/twips.h"
#include "screens/results/announcement_label.h"
#include "screens/results/result_announcement.h"
#include "support/data_rows.h"
#include "support/screen_fixture.h"

namespace {

const QString kResult = QStringLiteral("\\config\\Result.ini");
const QString kInfo = QStringLiteral("\\config\\BasicInfo.ini");

// The sample debate of a hall: two teams, scores 90 and 88.5, a picture for every step in its
// own colour, the default effects, and layout mode as `designMode` says.
struct Announcement : ScreenFixture {
    explicit Announcement(const QString& designMode = "Off") {
        setProfile(kInfo, "正方代表队", "星河大学", "辩论赛信息");
        setProfile(kInfo, "反方代表队", "云岭学院", "辩论赛信息");
        setProfile(kResult, "正方总成绩", "90", "得分");
        setProfile(kResult, "反方总成绩", "88.5", "得分");
        setProfile(kResult, "设计模式", designMode);
        const QList<std::pair<QString, QColor>> pictures = {{"背景图片", Qt::black},
                                                            {"公布正方得分时背景图片", Qt::red},
                                                            {"公布反方得分时背景图片", Qt::blue},
                                                            {"公布获胜方时背景图片", Qt::green}};
        for (const auto& [key, colour] : pictures) {
            const QString name = colour.name().mid(1) + ".png";
            QImage image(4, 4, QImage::Format_RGB32);
            image.fill(colour);
            dir.mkdir("background/result");
            image.save(dir.path() + "/background/result/" + name);
            setProfile(kResult, key, name);
        }
        for (const char* effect : {"Zf", "Ff", "Vic"}) {
            dir.writeBytes(QString("sound/Result/%1.wav").arg(effect), "RIFF\x04\0\0\0WAVE");
            setProfile(kResult,
                       QString("公布%1时音效")
                           .arg(QString(effect) == "Zf"   ? "正方得分"
                                : QString(effect) == "Ff" ? "反方得分"
                                                          : "获胜方"),
                       "Default");
        }
    }
    Form11& open() {
        screen = std::make_unique<Form11>(context);
        return *screen;
    }
    void press(const QString& button) {
        auto* target = screen->findChild<QPushButton*>(button);
        QVERIFY(target);
        target->click();  // the strip may be hidden; the handler is what counts here
    }
    // "L1 L3" : the labels on show, and what they say.
    QString shown() const {
        QStringList on;
        for (const char* name : {"L1", "L2", "L3", "L4"}) {
            if (auto* label = screen->findChild<QLabel*>(name); label->isVisibleTo(screen.get())) {
                on << QString("%1=%2").arg(name, label->text());
            }
        }
        return on.join(' ');
    }
    QColor picture() const {
        return screen->picture()->stretchedPicture().toImage().pixelColor(0, 0);
    }
    // The effects heard, by file name.
    QStringList effects() const {
        QStringList names;
        for (const QString& path : played()) {
            names << QFileInfo(path).baseName();
        }
        return names;
    }
    QString result(const QString& key, const QString& section = kConfigSection) const {
        return profile(kResult, key, section);
    }

    std::unique_ptr<Form11> screen;
};

void SendMouse(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButton button,
               Qt::MouseButtons held) {
    QMouseEvent event(type, at, target->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

}  // namespace

class ResultAnnouncementTest : public QObject {
    Q_OBJECT

  private slots:
    void opensWithNothingAnnounced() {
        Announcement a;
        Form11& screen = a.open();
        QCOMPARE(a.shown(), QString());
        QCOMPARE(a.picture(), QColor(Qt::black));
        QVERIFY(a.platform.wave.calls.isEmpty());
        QCOMPARE(a.platform.mediaPlayer()->URL(), QString());  // no music until ▲
        QVERIFY(!screen.Command2->isVisibleTo(&screen));       // the strip waits for the pointer
    }

    void stepsInAnyOrder_data() {
        QTest::addColumn<QStringList>("presses");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QColor>("picture");
        QTest::addColumn<QStringList>("effects");
        using L = QStringList;
        AddRow("affirmative", L{"Command2"}, QString("L1=正方 L2=星河大学 L3=90分"),
               QColor(Qt::red), L{"Zf"});
        AddRow("negative", L{"Command3"}, QString("L1=反方 L2=云岭学院 L3=88.5分"),
               QColor(Qt::blue), L{"Ff"});
        AddRow("in order", L{"Command2", "Command3", "Command4"}, QString("L1=获胜方 L4=星河大学"),
               QColor(Qt::green), L{"Zf", "Ff", "Vic"});
        AddRow("winner first keeps the caption hidden", L{"Command4"}, QString("L4=星河大学"),
               QColor(Qt::green), L{"Vic"});
        AddRow("a score after the winner", L{"Command4", "Command3"},
               QString("L1=反方 L2=云岭学院 L3=88.5分"), QColor(Qt::blue), L{"Vic", "Ff"});
    }
    void stepsInAnyOrder() {
        QFETCH(QStringList, presses);
        QFETCH(QString, shown);
        QFETCH(QColor, picture);
        QFETCH(QStringList, effects);
        Announcement a;
        a.open();
        for (const QString& button : presses) {
            a.press(button);
        }
        QCOMPARE(a.shown(), shown);
        QCOMPARE(a.picture(), picture);
        QCOMPARE(a.effects(), effects);
    }

    void winnerIsDecidedAndWrittenAgain() {
        Announcement a;
        a.setProfile(kResult, "正方总成绩", "085", "得分");
        a.setProfile(kResult, "反方总成绩", "9", "得分");
        a.setProfile(kResult, "获胜方", "旧的");
        a.open();
        a.press("Command2");
        QCOMPARE(a.shown(), QString("L1=正方 L2=星河大学 L3=085分"));  // shown as typed
        a.press("Command4");
        QCOMPARE(a.shown(), QString("L1=获胜方 L4=星河大学"));
        QCOMPARE(a.result("获胜方"), QString("星河大学"));
    }

    void labelsStandWhereTheProfileSays() {
        Announcement b;
        b.setProfile(kResult, "L1_top", "600", "控件位置");
        b.setProfile(kResult, "L3_left", "1500", "控件位置");
        b.setProfile(kResult, "l4_left", "300", "控件位置");  // the winner's keys as written
        b.setProfile(kResult, "L4_top", "zz", "控件位置");    // not a number: the edge stays
        Form11& screen = b.open();
        b.press("Command2");
        QCOMPARE(screen.L1->pos(), QPoint(0, PixelsFromTwips(600)));
        QCOMPARE(screen.L3->pos(), QPoint(PixelsFromTwips(1500), PixelsFromTwips(5040)));
        b.press("Command4");
        QCOMPARE(screen.L4->pos(), QPoint(PixelsFromTwips(300), PixelsFromTwips(3960)));
    }

    void layoutModes_data() {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("stripUsable");
        QTest::addColumn<bool>("layoutControls");
        AddRow("On: placeholders, strip off", QString("On"),
               QString("L1=正、反（获胜）方 L2=双方代表队名称 L3=999.999分 L4=获胜方名称"), false,
               true);
        AddRow("Off: the real announcement", QString("Off"), QString(), true, false);
        AddRow("anything else: both", QString(""), QString(), true, true);
        AddRow("a word in another case", QString("on"), QString(), true, true);
    }
    void layoutModes() {
        QFETCH(QString, mode);
        QFETCH(QString, shown);
        QFETCH(bool, stripUsable);
        QFETCH(bool, layoutControls);
        Announcement a(mode);
        Form11& screen = a.open();
        QCOMPARE(a.shown(), shown);
        for (QWidget* control :
             QList<QWidget*>{screen.Command1, screen.Command2, screen.Command3, screen.Command4,
                             screen.Command5, screen.Command6, screen.HS1}) {
            QCOMPARE(control->isEnabled(), stripUsable);
        }
        for (QWidget* control :
             QList<QWidget*>{screen.Frame1, screen.C1, screen.Frame2, screen.C2, screen.Command7}) {
            QCOMPARE(control->isVisibleTo(&screen), layoutControls);
        }
    }

    void leavingLayoutModeWritesOffAndReturnsToTheSettingsPage() {
        Announcement a("On");
        a.open().Command7->click();
        QCOMPARE(a.result("设计模式"), QString("Off"));
        QCOMPARE(a.navigator.count("replace"), 1);
        QCOMPARE(a.navigator.requests.last().screen, ScreenId::OtherSegmentsPage);
        // The main screen stays behind the settings; it is not brought over the page.
        QCOMPARE(a.navigator.count("main"), 0);
    }

    void layoutModeThatCannotBeWrittenOffStaysAndSaysSo() {
        Announcement a("On");
        Form11& screen = a.open();
        QFile::remove(a.path(kResult));
        a.dir.mkdir("config/Result.ini");  // a folder where the profile should be
        screen.Command7->click();
        QCOMPARE(a.navigator.count("replace"), 0);
        QCOMPARE(a.platform.messages.shown.size(), 1);
        QVERIFY(a.platform.messages.shown[0].text.startsWith("设置未能保存："));
        QCOMPARE(a.platform.messages.shown[0].icon, MessageIcon::Critical);
    }

    void dragAndRelease_data() {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("leftKey");
        QTest::addColumn<QString>("topKey");
        AddRow("score", QString("L3"), QString("L3_left"), QString("L3_top"));
        AddRow("winner, written in lower case", QString("L4"), QString("l4_left"),
               QString("l4_top"));
    }
    void dragAndRelease() {
        QFETCH(QString, label);
        QFETCH(QString, leftKey);
        QFETCH(QString, topKey);
        Announcement a("On");
        Form11& screen = a.open();
        auto* held = screen.findChild<AnnouncementLabel*>(label);
        const QPoint before = held->pos();
        const QPoint grab(10, 10);
        const QPoint by(PixelsFromTwips(300), 0);  // 300 twips to the right
        SendMouse(held, QEvent::MouseButtonPress, grab, Qt::RightButton, Qt::RightButton);
        QVERIFY(held->autoFillBackground());  // dark grey while held
        QCOMPARE(held->palette().color(QPalette::Window), QColor(50, 50, 50));
        SendMouse(held, QEvent::MouseMove, grab + by, Qt::NoButton, Qt::RightButton);
        QCOMPARE(held->pos(), before + by);
        SendMouse(held, QEvent::MouseButtonRelease, grab, Qt::RightButton, Qt::NoButton);
        QVERIFY(!held->autoFillBackground());
        QVERIFY(a.dir.readBytes("config/Result.ini").contains(ToGbk(leftKey + "=")));
        QCOMPARE(a.result(leftKey, "控件位置"), QString::number(before.x() * 15 + 300));
        QCOMPARE(a.result(topKey, "控件位置"), QString::number(before.y() * 15));
        // A move without a press drags nothing.
        SendMouse(held, QEvent::MouseMove, grab + by, Qt::NoButton, Qt::NoButton);
        QCOMPARE(held->pos(), before + by);
    }

    void fontAndColourOfALabel() {
        Announcement a("On");
        a.platform.dialogs.answerFont({"Liberation Serif", 60, true, false});
        a.platform.dialogs.cancelFont();  // cancelled: the last answer still counts
        a.platform.dialogs.answerColour(255);
        Form11& screen = a.open();
        screen.C1->setCurrentIndex(2);
        emit screen.C1->activated(2);  // "得分"
        QCOMPARE(screen.L3->font().family(), QString("Liberation Serif"));
        QCOMPARE(screen.L3->font().pointSizeF(), 60.0);
        QCOMPARE(a.result("得分字体", "字体设置"), QString("Liberation Serif"));
        QCOMPARE(a.result("得分字号", "字体设置"), QString("60"));
        QCOMPARE(a.result("得分字体加粗", "字体设置"), QString("True"));
        QCOMPARE(a.result("得分字体倾斜", "字体设置"), QString("False"));
        screen.C1->setCurrentIndex(3);
        emit screen.C1->activated(3);  // "获胜方", through the cancelled dialog
        QCOMPARE(a.result("获胜方字体", "字体设置"), QString("Liberation Serif"));
        screen.C2->setCurrentIndex(2);
        emit screen.C2->activated(2);
        QCOMPARE(a.result("得分字体颜色", "字体设置"), QString("255"));
        QCOMPARE(screen.L3->palette().color(QPalette::WindowText), QColor(Qt::red));

        // The next opening shows what was chosen.
        Announcement b;
        b.dir.writeBytes("config/Result.ini", a.dir.readBytes("config/Result.ini"));
        Form11& next = b.open();
        QCOMPARE(next.L3->font().family(), QString("Liberation Serif"));
        QVERIFY(next.L3->font().bold());
        QCOMPARE(next.L3->palette().color(QPalette::WindowText), QColor(Qt::red));
    }

    void unreadableFontValuesKeepTheDesign() {
        Announcement a;
        a.setProfile(kResult, "正反方字体", "No Such Face 123", "字体设置");
        a.setProfile(kResult, "正反方字号", "big", "字体设置");
        a.setProfile(kResult, "正反方字体加粗", "maybe", "字体设置");
        a.setProfile(kResult, "正反方字体颜色", "red", "字体设置");
        Form11& screen = a.open();
        const QColor designed = screen.L2->palette().color(QPalette::WindowText);
        QCOMPARE(screen.L1->font().pointSizeF(), 48.0);
        QVERIFY(!screen.L1->font().bold());
        QCOMPARE(screen.L1->font().family(), screen.L2->font().family());
        QCOMPARE(screen.L1->palette().color(QPalette::WindowText), designed);
    }

    void musicAndVolume() {
        Announcement a;
        a.dir.writeBytes("sound/result/BgMusic.mp3", "ID3");
        a.setProfile(kResult, "背景音乐", "Default");
        a.setProfile(kResult, "循环播放", "1");
        a.setProfile(kResult, "音量大小", "40");
        Form11& screen = a.open();
        FakeMediaPlayer& wp = *a.platform.mediaPlayer();
        QCOMPARE(screen.HS1->value(), 40);
        QCOMPARE(wp.volume(), 40);
        screen.Command5->click();
        QCOMPARE(wp.URL(), a.path("\\sound\\result\\BgMusic.mp3"));
        wp.finishPiece();
        QCOMPARE(wp.playState(), MediaPlayer::Playing);  // looped
        a.setProfile(kResult, "循环播放", "0");
        wp.finishPiece();
        QCOMPARE(wp.playState(), MediaPlayer::Stopped);
        screen.Command5->click();
        screen.Command6->click();
        QVERIFY(!wp.hasMedia());
        screen.HS1->setValue(70);
        QCOMPARE(wp.volume(), 70);
        QCOMPARE(a.result("音量大小"), QString("70"));
    }

    void emptyVolumeLeavesTheSliderAtZero() {
        Announcement a;
        Form11& screen = a.open();
        QCOMPARE(screen.HS1->value(), 0);
        QCOMPARE(a.platform.mediaPlayer()->volume(), 0);
        QCOMPARE(a.result("音量大小"), QString());  // nothing moved, nothing written
    }

    void stripAtTheBottomEdge() {
        Announcement a;
        Form11& screen = a.open();
        const auto moveTo = [&](int y) {
            SendMouse(screen.picture(), QEvent::MouseMove, QPoint(300, y), Qt::NoButton,
                      Qt::NoButton);
        };
        moveTo(screen.height() - 2);
        QVERIFY(screen.Command1->isVisibleTo(&screen) && screen.HS1->isVisibleTo(&screen));
        moveTo(screen.height() / 2);
        QVERIFY(!screen.Command1->isVisibleTo(&screen) && !screen.HS1->isVisibleTo(&screen));
    }

    void backToMainOnce() {
        Announcement a;
        Form11& screen = a.open();
        screen.show();
        screen.Command1->click();
        QVERIFY(!screen.isVisible());
        screen.close();
        QCOMPARE(a.navigator.count("main"), 1);
    }
};

QTEST_MAIN(ResultAnnouncementTest)
#include "test_result_announcement.moc"
