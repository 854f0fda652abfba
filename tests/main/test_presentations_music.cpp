// The presentation buttons and the background music of the main screen.

#include <QScrollBar>
#include <QtTest>

#include "main_screen_fixture.h"
#include "screens/main/background_music.h"
#include "support/data_rows.h"

namespace {

const QString kPpt = QStringLiteral("\\config\\PPT.ini");
const QString kMain = QStringLiteral("\\config\\main.ini");
const QString kMissing = QStringLiteral("没有找到相应的演示文件，请重新导入！");

}  // namespace

class TestPresentationsAndMusic : public QObject {
    Q_OBJECT

  private slots:
    void presentation_data() {
        QTest::addColumn<int>("k");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("onDisk");  // relative to AppDir; "" for none
        QTest::addColumn<bool>("opens");
        AddRow("found", 1, "intro.pptx", "ppt/intro.pptx", true);
        AddRow("other letter case", 2, "Intro.PPTX", "ppt/intro.pptx", true);
        AddRow("folder in other case", 3, "intro.pptx", "PPT/intro.pptx", true);
        AddRow("empty name", 1, "", "ppt/intro.pptx", false);
        AddRow("file gone", 2, "intro.pptx", "", false);
        AddRow("a folder of that name", 3, "intro.pptx", "ppt/intro.pptx/x", false);
        AddRow("a pattern is no name", 1, "*.pptx", "ppt/intro.pptx", false);
        AddRow("dots inside the name", 1, "决赛...pptx", "ppt/决赛...pptx", true);
        AddRow("outside the folder", 2, "../intro.pptx", "intro.pptx", false);
    }
    void presentation() {
        QFETCH(int, k);
        QFETCH(QString, stored);
        QFETCH(QString, onDisk);
        QFETCH(bool, opens);
        MainScreenFixture f;
        if (!onDisk.isEmpty()) {
            f.dir.write(onDisk, "slides");
        }
        // The other two buttons name files that exist, so only button k's key can be read.
        const QString folder = onDisk.startsWith("PPT/") ? "PPT" : "ppt";
        for (int other = 1; other <= 3; ++other) {
            f.dir.write(QStringLiteral("%1/other%2.pptx").arg(folder).arg(other), "slides");
            f.setProfile(kPpt, QStringLiteral("%1_演示文件名称").arg(other),
                         other == k ? stored : QStringLiteral("other%1.pptx").arg(other));
        }
        FakeMediaPlayer& music = f.playMusic();
        f.press(QStringLiteral("Command%1").arg(k));
        const QStringList opened = f.platform.desktop.opened;
        if (opens) {
            QCOMPARE(opened, QStringList{f.dir.path() + '/' + QString(onDisk)});
            QVERIFY(f.platform.messages.shown.isEmpty());
        } else {
            QVERIFY(opened.isEmpty());
            QCOMPARE(f.platform.messages.texts(), QStringList{kMissing});
            QCOMPARE(f.platform.messages.shown[0].withCancel, false);
        }
        // Music stops when a presentation starts, and plays on when none was found.
        QCOMPARE(music.playState() == MediaPlayer::Playing, !opens);
    }

    void musicOpenCancelStopAndLoop() {
        MainScreenFixture f;
        f.platform.dialogs.cancelFile();
        f.press("Command17");
        FakeMediaPlayer& player = *f.platform.mediaPlayer();
        QCOMPARE(player.objectName(), QString("WP"));
        QCOMPARE(f.platform.dialogs.shown[0].filter,
                 QString("mp3文件(*.mp3)|*.mp3|波形文件(*.wav)|*.wav|所有文件(*.*)|*.*|"));
        QCOMPARE(f.platform.dialogs.shown[0].owner, QString("Form4"));
        QVERIFY(!player.hasMedia());  // cancelled the first time: nothing plays

        f.playMusic("/music/march.mp3");
        f.platform.dialogs.cancelFile();
        f.press("Command17");  // cancelled: the same piece starts again
        QCOMPARE(player.urls, QStringList({"", "/music/march.mp3", "/music/march.mp3"}));
        QCOMPARE(player.playState(), MediaPlayer::Playing);

        player.finishPiece();  // the end of a piece starts it again
        QCOMPARE(player.playState(), MediaPlayer::Playing);
        QCOMPARE(player.playCalls, 1);

        f.press("Command18");
        QCOMPARE(player.closeCalls, 1);
        player.finishPiece();
        QVERIFY(!player.hasMedia());
        QCOMPARE(player.playState(), MediaPlayer::Stopped);
    }

    void closingTheScreenEndsTheMusic() {
        MainScreenFixture f;
        f.form().show();
        FakeMediaPlayer& player = f.playMusic();
        f.form().close();
        QVERIFY(!player.hasMedia());
        QCOMPARE(player.playState(), MediaPlayer::Stopped);
    }

    void volumeIsStoredAndRestored() {
        MainScreenFixture f;
        f.dir.mkdir("config");
        f.form().Hl1->setValue(40);
        QCOMPARE(f.profile(kMain, "音量大小"), QString("40"));
        QCOMPARE(f.platform.mediaPlayer()->volume(), 40);
        Form4 next(f.context);
        QCOMPARE(next.Hl1->value(), 40);
        QCOMPARE(f.platform.mediaPlayer()->volume(), 40);
    }

    void storedVolumeOnLoading_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("slider");
        AddRow("none: designed 0", "", 0);
        AddRow("in range", "75", 75);
        AddRow("top", "100", 100);
        AddRow("blanks around", " 7 ", 7);
        AddRow("above the range", "150", 0);
        AddRow("fraction", "40.5", 0);
        AddRow("text", "响", 0);
    }
    void storedVolumeOnLoading() {
        QFETCH(QString, stored);
        QFETCH(int, slider);
        MainScreenFixture f;
        f.dir.write("config/main.ini",
                    stored.isEmpty() ? QString() : "[配置信息]\r\n音量大小=" + stored + "\r\n");
        const QByteArray before = f.dir.readBytes("config/main.ini");
        QCOMPARE(f.form().Hl1->value(), slider);
        FakeMediaPlayer& player = *f.platform.mediaPlayer();
        QCOMPARE(player.volume(), slider);
        QCOMPARE(player.calls, QStringList{QStringLiteral("volume=%1").arg(slider)});
        // Loading only reads: the profile stays as it was.
        QCOMPARE(f.dir.readBytes("config/main.ini"), before);
    }
};

QTEST_MAIN(TestPresentationsAndMusic)
#include "test_presentations_music.moc"
