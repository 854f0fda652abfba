// The recording platform that screen tests stand on: it must behave as the real services do
// where screens can tell, or screen tests would prove the wrong thing.

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>

#include "foundation/platform/fakes/fake_platform.h"

namespace {

QList<int> StatesOf(const QSignalSpy& spy) {
    QList<int> states;
    for (const QList<QVariant>& call : spy) {
        states << call.at(0).toInt();
    }
    return states;
}

}  // namespace

class TestFakes : public QObject {
    Q_OBJECT

  private slots:
    // Steps: "URL=<path>", "close", "play", "end" (the piece plays to its end).
    void mediaPlayerStates_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QList<int>>("reported");
        QTest::addColumn<int>("state");
        QTest::newRow("a piece starts") << QStringList{"URL=a"} << QList<int>{3} << 3;
        QTest::newRow("and ends") << QStringList{"URL=a", "end"} << QList<int>{3, 1} << 1;
        QTest::newRow("played again after its end")
            << QStringList{"URL=a", "end", "play"} << QList<int>{3, 1, 3} << 3;
        QTest::newRow("switching reports no stop")
            << QStringList{"URL=a", "URL=b"} << QList<int>{3} << 3;
        QTest::newRow("close while playing")
            << QStringList{"URL=a", "close"} << QList<int>{3, 1} << 1;
        QTest::newRow("the empty URL closes")
            << QStringList{"URL=a", "URL="} << QList<int>{3, 1} << 1;
        QTest::newRow("close after the end reports nothing more")
            << QStringList{"URL=a", "end", "close"} << QList<int>{3, 1} << 1;
        QTest::newRow("play after close does nothing")
            << QStringList{"URL=a", "close", "play"} << QList<int>{3, 1} << 1;
        QTest::newRow("play before any URL does nothing")
            << QStringList{"play"} << QList<int>{} << 0;
        QTest::newRow("play while playing does nothing")
            << QStringList{"URL=a", "play"} << QList<int>{3} << 3;
        QTest::newRow("an unplayable file reports nothing")
            << QStringList{"URL=broken"} << QList<int>{} << 1;
        QTest::newRow("switching to an unplayable file reports nothing")
            << QStringList{"URL=a", "URL=broken", "play"} << QList<int>{3} << 1;
    }
    void mediaPlayerStates() {
        QFETCH(QStringList, steps);
        QFETCH(QList<int>, reported);
        QFETCH(int, state);
        FakeMediaPlayer player;
        player.unplayable << "broken";
        QSignalSpy spy(&player, &MediaPlayer::PlayStateChange);
        for (const QString& step : steps) {
            if (step.startsWith("URL=")) {
                player.setURL(step.mid(4));
            } else if (step == "close") {
                player.close();
            } else if (step == "play") {
                player.play();
            } else if (step == "end") {
                player.finishPiece();
            }
        }
        QCOMPARE(StatesOf(spy), reported);
        QCOMPARE(int(player.playState()), state);
    }

    void mediaPlayerRecordsCalls() {
        FakePlatform platform;
        QObject screen;
        MediaPlayer* player = platform.NewMediaPlayer(&screen);
        player->setVolume(40);
        player->setURL("/music/a.mp3");
        player->close();
        player->setURL("");
        player->play();
        QCOMPARE(platform.mediaPlayer(), player);
        FakeMediaPlayer* fake = platform.mediaPlayer();
        QCOMPARE(fake->calls,
                 (QStringList{"volume=40", "URL=/music/a.mp3", "close", "URL=", "play"}));
        QCOMPARE(fake->urls, (QStringList{"/music/a.mp3", ""}));
        QCOMPARE(fake->closeCalls, 1);
        QCOMPARE(fake->playCalls, 1);
        QCOMPARE(player->volume(), 40);
        QCOMPARE(player->URL(), QString());
    }

    void mediaPlayerGoesWithItsScreen() {
        FakePlatform platform;
        auto* screen = new QObject;
        platform.NewMediaPlayer(screen);
        QVERIFY(platform.mediaPlayer());
        delete screen;
        QCOMPARE(platform.mediaPlayer(), nullptr);
        QCOMPARE(platform.mediaPlayers.size(), 1);
    }

    void wavePlayedOnlyWhenTheFileExists() {
        QTemporaryDir dir;
        const QString cue = dir.filePath("Default.wav");
        QFile file(cue);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        FakePlatform platform;
        WavePlayer& wave = platform.Wave();
        wave.PlayWave(cue);
        wave.PlayWave("");
        wave.PlayWave(dir.filePath("gone.wav"));
        wave.PlayWave(dir.path());  // a folder: "User-Defined" with an empty name
        QCOMPARE(platform.wave.calls, (QStringList{cue, "", dir.filePath("gone.wav"), dir.path()}));
        QCOMPARE(platform.wave.played, QStringList{cue});
    }

    void messagesAnsweredFromTheScript() {
        FakePlatform platform;
        platform.messages.answers << false;
        MessageBoxes& boxes = platform.Messages();
        QVERIFY(!boxes.Ask("是否退出？"));
        QVERIFY(boxes.Ask("是否退出？", "退出", MessageIcon::Question));  // script ran out: OK
        boxes.Show("数据保存成功！");
        QCOMPARE(platform.messages.texts(),
                 (QStringList{"是否退出？", "是否退出？", "数据保存成功！"}));
        const QList<ShownMessage>& shown = platform.messages.shown;
        QCOMPARE(shown.at(0).title, QStringLiteral("debaclock"));
        QCOMPARE(shown.at(1).title, QStringLiteral("退出"));
        QCOMPARE(shown.at(1).icon, MessageIcon::Question);
        QVERIFY(shown.at(0).withCancel);
        QVERIFY(!shown.at(2).withCancel);
        QVERIFY(!shown.at(0).answer);
    }

    void desktopClipboardAndLock() {
        FakePlatform platform;
        QVERIFY(platform.Desktop().Open("/ppt/1.ppt"));
        platform.desktop.succeeds = false;
        QVERIFY(!platform.Desktop().Open("https://example.org/"));
        QCOMPARE(platform.desktop.opened, (QStringList{"/ppt/1.ppt", "https://example.org/"}));
        platform.ClipboardText().SetText("报告");
        QCOMPARE(platform.clipboard.text, QStringLiteral("报告"));
        QVERIFY(platform.Instance().TryLock());
        platform.instance.granted = false;
        QVERIFY(!platform.Instance().TryLock());
        QCOMPARE(platform.instance.attempts, 2);
    }

    void fileDialogsFollowTheScript() {
        FakePlatform platform;
        QWidget screen;
        screen.setObjectName("Form10");
        auto open = platform.NewFileOpenDialog(&screen);
        open->filter = "wav文件(*.wav)|*.wav|";
        platform.dialogs.answerFile("/home/op/a.wav");
        platform.dialogs.cancelFile();
        QVERIFY(open->Show());
        QCOMPARE(open->fileName, QStringLiteral("/home/op/a.wav"));
        QVERIFY(!open->Show());
        QCOMPARE(open->fileName, QStringLiteral("/home/op/a.wav"));  // cancel keeps it
        QVERIFY(!open->Show());                                      // nothing scripted
        QCOMPARE(platform.dialogs.shown.size(), 3);
        const ShownDialog& second = platform.dialogs.shown.at(1);
        QCOMPARE(second.kind, DialogKind::OpenFile);
        QCOMPARE(second.owner, QStringLiteral("Form10"));
        QCOMPARE(second.filter, QStringLiteral("wav文件(*.wav)|*.wav|"));
        QCOMPARE(second.fileName, QStringLiteral("/home/op/a.wav"));
        QVERIFY(platform.dialogs.shown.at(0).accepted);
        QVERIFY(!second.accepted);

        auto save = platform.NewSaveFileDialog(&screen);
        save->title = "保存";
        save->fileName = "报告.txt";
        platform.dialogs.answerSave("/home/op/报告");
        QVERIFY(save->Show());
        QCOMPARE(save->fileName, QStringLiteral("/home/op/报告"));
        QCOMPARE(platform.dialogs.shown.last().kind, DialogKind::SaveFile);
        QCOMPARE(platform.dialogs.shown.last().title, QStringLiteral("保存"));
        QCOMPARE(platform.dialogs.shown.last().fileName, QStringLiteral("报告.txt"));
    }

    void colourAndFontDialogsFollowTheScript() {
        FakePlatform platform;
        auto colour = platform.NewColourDialog(nullptr);
        QCOMPARE(colour->colour, 0u);  // black at first
        platform.dialogs.answerColour(255);
        platform.dialogs.cancelColour();
        QVERIFY(colour->Show());
        QCOMPARE(colour->colour, 255u);
        QVERIFY(!colour->Show());
        QCOMPARE(colour->colour, 255u);

        auto font = platform.NewFontDialog(nullptr);
        platform.dialogs.answerFont({"宋体", 10.5f, true, false});
        platform.dialogs.cancelFont();
        QVERIFY(font->Show());
        QVERIFY(!font->Show());
        QCOMPARE(font->font.face, QStringLiteral("宋体"));
        QCOMPARE(font->font.size, 10.5f);
        QVERIFY(font->font.bold);
        QVERIFY(!font->font.italic);
        QCOMPARE(platform.dialogs.shown.size(), 4);
        QCOMPARE(platform.dialogs.shown.at(2).kind, DialogKind::Font);
    }
};

QTEST_MAIN(TestFakes)
#include "test_fakes.moc"
