// The recording platform that screen tests stand on: it must behave as the real services do
// where screens can tell, or screen tests would prove the wrong thing.

#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>

#include "foundation/platform/fakes/fake_platform.h"
#include "support/data_rows.h"

class TestFakes : public QObject {
    Q_OBJECT

  private slots:
    // Steps: "URL=<path>", "close", "play", "end" (the piece plays to its end).
    void mediaPlayerStates_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QList<int>>("reported");
        QTest::addColumn<int>("state");
        using S = QStringList;
        using R = QList<int>;
        AddRow("a piece starts", S{"URL=a"}, R{3}, 3);
        AddRow("and ends", S{"URL=a", "end"}, R{3, 1}, 1);
        AddRow("played again after its end", S{"URL=a", "end", "play"}, R{3, 1, 3}, 3);
        AddRow("switching reports no stop", S{"URL=a", "URL=b"}, R{3}, 3);
        AddRow("close while playing", S{"URL=a", "close"}, R{3, 1}, 1);
        AddRow("the empty URL closes", S{"URL=a", "URL="}, R{3, 1}, 1);
        AddRow("close after the end reports nothing more", S{"URL=a", "end", "close"}, R{3, 1}, 1);
        AddRow("play after close does nothing", S{"URL=a", "close", "play"}, R{3, 1}, 1);
        AddRow("play before any URL does nothing", S{"play"}, R{}, 0);
        AddRow("play while playing does nothing", S{"URL=a", "play"}, R{3}, 3);
        AddRow("an unplayable file reports nothing", S{"URL=broken"}, R{}, 1);
        AddRow("switching to an unplayable file reports nothing", S{"URL=a", "URL=broken", "play"},
               R{3}, 1);
    }
    void mediaPlayerStates() {
        QFETCH(QStringList, steps);
        QFETCH(QList<int>, reported);
        QFETCH(int, state);
        FakeMediaPlayer player;
        player.unplayable << "broken";
        QList<int> states;
        connect(&player, &MediaPlayer::PlayStateChange, [&](int s) { states << s; });
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
        QCOMPARE(states, reported);
        QCOMPARE(int(player.playState()), state);
    }

    void latestLivePlayerGoesWithItsScreen() {
        FakePlatform platform;
        auto* first = new QObject;
        auto* second = new QObject;
        MediaPlayer* older = platform.NewMediaPlayer(first);
        MediaPlayer* newer = platform.NewMediaPlayer(second);
        QCOMPARE(platform.mediaPlayer(), newer);
        delete second;
        QCOMPARE(platform.mediaPlayer(), older);
        delete first;
        QCOMPARE(platform.mediaPlayer(), nullptr);
        QCOMPARE(platform.mediaPlayers.size(), 2);
    }

    void wavePlayedOnlyWhenTheFileExists() {
        QTemporaryDir dir;
        const QString cue = dir.filePath("Default.wav");
        QFile file(cue);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        FakePlatform platform;
        const QStringList given{cue, "", dir.filePath("gone.wav"), dir.path()};  // a folder too
        for (const QString& path : given) {
            platform.Wave().PlayWave(path);
        }
        QCOMPARE(platform.wave.calls, given);
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

    void fileDialogsFollowTheScript() {
        FakePlatform platform;
        QWidget screen;
        screen.setObjectName("Form10");
        auto open = platform.NewFileOpenDialog(&screen);
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
        QVERIFY(platform.dialogs.shown.at(0).accepted);
        QVERIFY(!second.accepted);

        auto save = platform.NewSaveFileDialog(&screen);
        platform.dialogs.answerSave("/home/op/报告");
        QVERIFY(save->Show());
        QCOMPARE(save->fileName, QStringLiteral("/home/op/报告"));
        QCOMPARE(platform.dialogs.shown.last().kind, DialogKind::SaveFile);
    }

    void colourAndFontDialogsFollowTheScript() {
        FakePlatform platform;
        auto colour = platform.NewColourDialog(nullptr);
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
