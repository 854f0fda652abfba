// MusicLoop: a stopped piece starts again when the screen says so, and a closed player stays
// silent. Driven through the recording player.

#include <QSignalSpy>
#include <QtTest>

#include "foundation/platform/fakes/fake_media_player.h"
#include "foundation/platform/music_loop.h"
#include "support/data_rows.h"

class TestMusicLoop : public QObject {
    Q_OBJECT

    const QString piece = QStringLiteral("/music/a.mp3");

  private slots:
    void askedAtEachEnd() {
        // The screen's check box may change while the piece plays.
        FakeMediaPlayer player;
        bool loop = true;
        int asked = 0;
        MusicLoop looper(&player, [&] {
            ++asked;
            return loop;
        });
        QSignalSpy states(&player, &MediaPlayer::PlayStateChange);
        player.setURL(piece);
        for (int round = 0; round < 3; ++round) {
            player.finishPiece();
        }
        QCOMPARE(player.playCalls, 3);
        QCOMPARE(player.playState(), MediaPlayer::Playing);
        QCOMPARE(states.size(), 7);  // 3, then 1 and 3 for each end

        loop = false;
        player.finishPiece();
        QCOMPARE(asked, 4);
        QCOMPARE(player.playCalls, 3);
        QCOMPARE(player.playState(), MediaPlayer::Stopped);
        QCOMPARE(player.URL(), piece);
    }

    void onlyStoppedCounts_data() {
        QTest::addColumn<int>("state");
        AddRow("undefined", int(MediaPlayer::Undefined));
        AddRow("paused", int(MediaPlayer::Paused));
        AddRow("playing", int(MediaPlayer::Playing));
        AddRow("an unknown number", 9);
    }
    void onlyStoppedCounts() {
        QFETCH(int, state);
        FakeMediaPlayer player;
        int asked = 0;
        MusicLoop looper(&player, [&] { return ++asked > 0; });
        emit player.PlayStateChange(state);
        QCOMPARE(asked, 0);
        QCOMPARE(player.playCalls, 0);
    }

    // The main screen's stop button ends the music for good although that screen loops.
    void silencedPlayerStaysSilent_data() {
        QTest::addColumn<bool>("byClose");
        AddRow("closed", true);
        AddRow("given the empty URL", false);
    }
    void silencedPlayerStaysSilent() {
        QFETCH(bool, byClose);
        FakeMediaPlayer player;
        MusicLoop looper(&player, MusicLoop::Always());
        QSignalSpy states(&player, &MediaPlayer::PlayStateChange);
        player.setURL(piece);
        byClose ? player.close() : player.setURL(QString());
        QCOMPARE(states.size(), 2);
        QCOMPARE(states.at(1).at(0).toInt(), int(MediaPlayer::Stopped));
        QCOMPARE(player.playCalls, 1);  // the loop tried
        QCOMPARE(player.playState(), MediaPlayer::Stopped);
        QVERIFY(!player.hasMedia());
    }

    void unplayableFileIsNotRetried() {
        FakeMediaPlayer player;
        player.unplayable << QStringLiteral("/music/broken.mp3");
        int asked = 0;
        MusicLoop looper(&player, [&] { return ++asked > 0; });
        player.setURL(QStringLiteral("/music/broken.mp3"));
        QCOMPARE(asked, 0);
        QCOMPARE(player.playCalls, 0);
        QVERIFY(player.playState() != MediaPlayer::Playing);
    }
};

QTEST_GUILESS_MAIN(TestMusicLoop)
#include "test_music_loop.moc"
