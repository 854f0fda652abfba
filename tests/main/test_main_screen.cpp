// The main screen: captions, background, reveal strips, refresh, navigation and leaving.

#include <QGroupBox>
#include <QKeyEvent>
#include <QResizeEvent>
#include <QScrollBar>
#include <QtTest>

#include "foundation/platform/colours.h"
#include "foundation/widgets/layout.h"
#include "foundation/widgets/twips.h"
#include "foundation/widgets/widget_colours.h"
#include "main_screen_fixture.h"
#include "support/data_rows.h"

Q_DECLARE_METATYPE(ScreenId)

namespace {

const QString kMain = QStringLiteral("\\config\\main.ini");

QStringList ColumnNames() {
    QStringList names{"Command1", "Command2", "Command3"};
    for (int i = 0; i < 8; ++i) {
        names << QStringLiteral("Command4_%1").arg(i);
    }
    return names + QStringList{"Command10", "Command11", "Command12", "Command13", "Command14",
                               "Frame1",    "Command16", "Command19", "Command15"};
}

// True when every control of the column is shown (false: every one hidden; else fails).
bool ColumnShown(Form4& form) {
    int shown = 0;
    for (const QString& name : ColumnNames()) {
        shown += form.findChild<QWidget*>(name)->isVisibleTo(&form) ? 1 : 0;
    }
    [&] { QVERIFY2(shown == 0 || shown == ColumnNames().size(), "column split"); }();
    return shown > 0;
}

}  // namespace

class TestMainScreen : public QObject {
    Q_OBJECT

  private slots:
    void controlsAtTheirDesignGeometry() {
        MainScreenFixture f;
        Form4& form = f.form();
        QCOMPARE(form.objectName(), QString("Form4"));
        QCOMPARE(RememberedDesignSize(), QSize(11880, 8490));
        QCOMPARE(BackgroundColour(&form), QColor(130, 199, 35));
        const QList<std::pair<QString, QRect>> design{
            {"Image1", {0, 0, 11880, 8985}},     {"Command1", {0, 480, 975, 310}},
            {"Command3", {0, 1200, 975, 310}},   {"Command4_0", {0, 1560, 975, 310}},
            {"Command4_7", {0, 4080, 975, 310}}, {"Command11", {0, 4800, 975, 310}},
            {"Command14", {0, 5880, 975, 310}},  {"Frame1", {0, 6240, 975, 735}},
            {"Command16", {0, 7020, 975, 310}},  {"Command15", {0, 7755, 975, 310}},
            {"Frame2", {9360, 7920, 2415, 495}},
        };
        for (const auto& [name, twips] : design) {
            QCOMPARE(form.findChild<QWidget*>(name)->geometry(),
                     RectFromTwips(twips.x(), twips.y(), twips.width(), twips.height()));
        }
        QCOMPARE(f.text(&form, "Command15"), QString("退  出"));
        QCOMPARE(form.Frame1->title(), QString("背景声音"));
        QCOMPARE(form.Frame2->title(), QString("背景音乐音量调节"));
        QCOMPARE(form.Command17->parentWidget(), form.Frame1);
        QCOMPARE(f.text(&form, "Command18"), QString("停止■"));
        QCOMPARE(form.Hl1->parentWidget(), form.Frame2);
        QCOMPARE(std::tuple(form.Hl1->minimum(), form.Hl1->maximum(), form.Hl1->singleStep(),
                            form.Hl1->pageStep()),
                 std::tuple(0, 100, 2, 5));
    }

    void captionsFromTheProfiles_data() {
        QTest::addColumn<bool>("configured");
        AddRow("fresh install: all empty", false);
        AddRow("configured", true);
    }
    void captionsFromTheProfiles() {
        QFETCH(bool, configured);
        MainScreenFixture f;
        QStringList expected;  // in the column's order
        const auto store = [&](const QString& file, const QString& key, const QString& name,
                               const QString& section = kConfigSection) {
            if (configured) {
                f.setProfile(file, key, name, section);
            }
            expected << (configured ? name : QString());
        };
        for (int k = 1; k <= 3; ++k) {
            store("\\config\\PPT.ini", QStringLiteral("%1_名称").arg(k),
                  QStringLiteral("演示%1").arg(k));
        }
        for (int n = 1; n <= 8; ++n) {
            store(QStringLiteral("\\config\\tache\\%1.ini").arg(n), "环节名称",
                  QStringLiteral("环节%1").arg(n));
        }
        store("\\config\\tw&dp.ini", "环节名称", "观众提问", "配置信息TW");
        store("\\config\\tw&dp.ini", "环节名称", "Q&A 点评", "配置信息DP");
        QStringList shown;
        for (const QString& name : ColumnNames().mid(0, 13)) {
            shown << f.form().findChild<QPushButton*>(name)->text().replace("&&", "&");
        }
        QCOMPARE(shown, expected);
        // An '&' in a name is shown as typed, not taken as an accelerator.
        QCOMPARE(f.text(&f.form(), "Command11"), configured ? "Q&&A 点评" : QString());
    }

    void shippedSampleDebate() {
        MainScreenFixture f;
        f.useShippedData();
        QCOMPARE(f.text(&f.form(), "Command4_0"), QString("正方立论"));
        QCOMPARE(f.text(&f.form(), "Command4_7"), QString("总结陈词"));
        QCOMPARE(f.text(&f.form(), "Command2"), QString("本场辩题"));
        QCOMPARE(f.text(&f.form(), "Command11"), QString("嘉宾点评"));
        QCOMPARE(BackgroundColour(&f.form()), ColourFromValue(2035466));
    }

    void backgroundColour_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QColor>("expected");
        AddRow("red", "255", QColor(Qt::red));
        AddRow("blue", "16711680", QColor(Qt::blue));
        AddRow("empty keeps the design", "", QColor(130, 199, 35));
        AddRow("text keeps the design", "绿色", QColor(130, 199, 35));
    }
    void backgroundColour() {
        QFETCH(QString, stored);
        QFETCH(QColor, expected);
        MainScreenFixture f;
        f.setProfile(kMain, "背景颜色", stored);
        QCOMPARE(BackgroundColour(&f.form()), expected);
    }

    void pictureRule_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QColor>("shown");  // invalid: no picture, the colour shows
        const QStringList both{"hall.jpg", "default.jpg"};
        AddRow("stored and present", "hall.jpg", both, QColor(Qt::red));
        AddRow("other letter case", "HALL.JPG", both, QColor(Qt::red));
        AddRow("stored but deleted", "gone.jpg", both, QColor(Qt::blue));
        AddRow("none stored", "", both, QColor());
        AddRow("deleted and no default", "gone.jpg", QStringList{}, QColor());
        AddRow("outside the folder", "../hall.jpg", both, QColor(Qt::blue));
    }
    void pictureRule() {
        QFETCH(QString, stored);
        QFETCH(QStringList, files);
        QFETCH(QColor, shown);
        MainScreenFixture f;
        for (const QString& file : files) {
            f.writePicture("background/main/" + file, file == "hall.jpg" ? Qt::red : Qt::blue);
        }
        f.writePicture("background/hall.jpg", Qt::red);
        f.setProfile(kMain, "背景图片", stored);
        QCOMPARE(f.shownPicture(), shown);
    }

    void revealStrips_data() {
        QTest::addColumn<QPoint>("position");
        QTest::addColumn<bool>("overPicture");
        QTest::addColumn<bool>("column");
        QTest::addColumn<bool>("frame2");
        // Design size 792 x 566 pixels; buttons 65 wide, Frame2 33 high.
        AddRow("left edge", QPoint(0, 300), true, true, false);
        AddRow("last pixel of the strip", QPoint(64, 300), true, true, false);
        AddRow("over a button's place, right of the strip", QPoint(65, 40), true, false, false);
        AddRow("bottom edge", QPoint(400, 560), true, false, true);
        AddRow("bottom strip's top line", QPoint(400, 533), true, false, false);
        AddRow("bottom left corner", QPoint(10, 565), true, true, true);
        AddRow("over the window itself: column only", QPoint(10, 565), false, true, true);
    }
    void revealStrips() {
        QFETCH(QPoint, position);
        QFETCH(bool, overPicture);
        QFETCH(bool, column);
        QFETCH(bool, frame2);
        MainScreenFixture f;
        QVERIFY(!ColumnShown(f.form()));
        QVERIFY(f.form().Frame2->isVisibleTo(&f.form()));
        f.moveMouse(position, overPicture);
        QCOMPARE(ColumnShown(f.form()), column);
        QCOMPARE(f.form().Frame2->isVisibleTo(&f.form()), frame2);
        f.moveMouse({300, 300});
        QVERIFY(!ColumnShown(f.form()));
        QVERIFY(!f.form().Frame2->isVisibleTo(&f.form()));
    }

    void refreshReadsNamesColourAndPictureNotVolume() {
        MainScreenFixture f;
        f.writePicture("background/main/hall.jpg", Qt::red);
        f.setProfile(kMain, "背景图片", "hall.jpg");
        f.setProfile(kMain, "音量大小", "30");
        Form4& form = f.form();
        f.setProfile("\\config\\tache\\3.ini", "环节名称", "驳论");
        f.setProfile(kMain, "背景颜色", "255");
        f.setProfile(kMain, "背景图片", "gone.jpg");  // and no default.jpg either
        f.setProfile(kMain, "音量大小", "80");
        f.press("Command19");
        QCOMPARE(f.text(&form, "Command4_2"), QString("驳论"));
        QCOMPARE(BackgroundColour(&form), QColor(Qt::red));
        QCOMPARE(f.shownPicture(), QColor());
        QCOMPARE(form.Hl1->value(), 30);
        QVERIFY(!ColumnShown(form));
    }

    void refreshRemembersTheCurrentLayout() {
        MainScreenFixture f;
        Form4& form = f.form();
        const QSize design = form.size();
        form.resize(design * 2);
        QResizeEvent resized(design * 2, design);
        QApplication::sendEvent(&form, &resized);
        QCOMPARE(form.Command4[1]->geometry(), QRect(0, 256, 130, 42));
        QCOMPARE(form.picture()->size(), design * 2);
        form.refresh();
        QCOMPARE(RememberedDesignSize(), design * 2 * kTwipsPerPixel);
        QCOMPARE(TagOf(form.Command4[1]), GeometryTag(0, 3840, 1950, 630));
    }

    void navigation_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<ScreenId>("screen");
        AddRow("audience question", "Command10", "replace", ScreenId::AudienceQuestion);
        AddRow("commentary", "Command11", "replace", ScreenId::Commentary);
        AddRow("score entry", "Command12", "over", ScreenId::ScoreEntry);
        AddRow("ceremony", "Command13", "replace", ScreenId::Ceremony);
        AddRow("report", "Command14", "replace", ScreenId::Report);
        AddRow("settings", "Command16", "over", ScreenId::SettingsHome);
    }
    void navigation() {
        QFETCH(QString, button);
        QFETCH(QString, kind);
        QFETCH(ScreenId, screen);
        MainScreenFixture f;
        f.form().show();
        FakeMediaPlayer& music = f.playMusic();
        f.press(button);
        QCOMPARE(f.navigator.requests.size(), 1);
        QCOMPARE(f.navigator.requests[0].kind, kind);
        QCOMPARE(f.navigator.requests[0].screen, screen);
        // A screen that replaces the main screen ends its music; one opened over it does not.
        const bool replaced = kind == "replace";
        QCOMPARE(f.form().isVisible(), !replaced);
        QCOMPARE(music.playState() == MediaPlayer::Playing, !replaced);
    }

    void segmentButtonsLaunchTheirSegment_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("transition");
        QTest::addColumn<QString>("style");
        QTest::addColumn<QList<ScreenId>>("opened");
        AddRow("1: clock", 0, "0", "Mode-1", QList{ScreenId::SingleCountdown});
        AddRow("3: transition", 2, "1", "Mode-2", QList{ScreenId::Transition});
        AddRow("8: clock", 7, "0", "Mode-5", QList{ScreenId::PerSpeech});
        AddRow("no style: stays", 4, "0", "", QList<ScreenId>{});
    }
    void segmentButtonsLaunchTheirSegment() {
        QFETCH(int, index);
        QFETCH(QString, transition);
        QFETCH(QString, style);
        QFETCH(QList<ScreenId>, opened);
        MainScreenFixture f;
        const QString segment = QStringLiteral("\\config\\tache\\%1.ini").arg(index + 1);
        f.setProfile(segment, "环节名称", QStringLiteral("环节%1").arg(index + 1));
        f.setProfile(segment, "计时样式", style);
        f.setProfile(segment, "使用过场图片", transition);
        f.form().show();
        f.press(QStringLiteral("Command4_%1").arg(index));
        QCOMPARE(f.profile("\\config\\Timetemp.ini", "名称"),
                 QStringLiteral("环节%1").arg(index + 1));
        QList<ScreenId> screens;
        for (const auto& request : f.navigator.requests) {
            QCOMPARE(request.kind, QString("replace"));
            screens << request.screen;
        }
        QCOMPARE(screens, opened);
        QCOMPARE(f.form().isVisible(), opened.isEmpty());
    }

    void leaving_data() {
        QTest::addColumn<bool>("ok");
        AddRow("OK ends the program", true);
        AddRow("Cancel changes nothing", false);
    }
    void leaving() {
        QFETCH(bool, ok);
        MainScreenFixture f;
        f.form().show();
        FakeMediaPlayer& music = f.playMusic();
        f.platform.messages.answers << ok;
        f.press("Command15");
        QCOMPARE(f.platform.messages.shown.size(), 1);
        const ShownMessage& asked = f.platform.messages.shown[0];
        QCOMPARE(std::tuple(asked.text, asked.title, asked.icon, asked.withCancel),
                 std::tuple(QString("是否退出？"), QString("提示"), MessageIcon::Question, true));
        QCOMPARE(f.navigator.count("exit"), ok ? 1 : 0);
        QCOMPARE(f.navigator.requests.size(), f.navigator.count("exit"));
        if (!ok) {
            QVERIFY(f.form().isVisible());
            QCOMPARE(music.calls, QStringList({"volume=0", "URL=/music/march.mp3"}));
        }
    }

    void f1OpensTheHelp() {
        MainScreenFixture f;
        QTest::keyClick(&f.form(), Qt::Key_F2);
        QVERIFY(f.platform.desktop.help.isEmpty());
        QTest::keyClick(&f.form(), Qt::Key_F1);
        QCOMPARE(f.platform.desktop.help, QStringList{f.path("\\help.html")});
    }
};

QTEST_MAIN(TestMainScreen)
#include "test_main_screen.moc"
