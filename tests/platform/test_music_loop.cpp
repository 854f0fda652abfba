// MusicLoop: a stopped piece starts again when the screen says so, and a closed player stays
// silent. Driven through the recording player.

#include <QSignalSpy>
#include <QtTest>

#include "foundation/platform/fakes/fake_media_player.h"
#include "foundation/platform/music_loop.h"

class TestMusicLoop : public QObject {
    Q_OBJECT

  private slots:
    void pieceEnd_data() {
        QTest::addColumn<bool>("loop");
        QTest::addColumn<int>("plays");
        QTest::addColumn<int>("state");
        QTest::newRow("looping: the piece starts again") << true << 1 << int(MediaPlayer::Playing);
        QTest::newRow("not looping: the piece stays stopped")
            << false << 0 << int(MediaPlayer::Stopped);
    }
    void pieceEnd() {
        QFETCH(bool, loop);
        QFETCH(int, plays);
        QFETCH(int, state);
        FakeMediaPlayer player;
        MusicLoop looper(&player, [loop] { return loop; });
        player.setURL(QStringLiteral("/music/a.mp3"));
        player.finishPiece();
        QCOMPARE(player.playCalls, plays);
        QCOMPARE(int(player.playState()), state);
        QCOMPARE(player.URL(), QStringLiteral("/music/a.mp3"));
    }

    void loopsEveryTime() {
        FakeMediaPlayer player;
        MusicLoop looper(&player, MusicLoop::Always());
        QSignalSpy states(&player, &MediaPlayer::PlayStateChange);
        player.setURL(QStringLiteral("/music/a.mp3"));
        for (int round = 0; round < 3; ++round) {
            player.finishPiece();
        }
        QCOMPARE(player.playCalls, 3);
        QCOMPARE(player.playState(), MediaPlayer::Playing);
        QCOMPARE(states.size(), 7);  // 3, then 1 and 3 for each end
    }

    void askedAtEachEnd() {
        // The screen's check box may change while the piece plays.
        FakeMediaPlayer player;
        bool loop = true;
        int asked = 0;
        MusicLoop looper(&player, [&] {
            ++asked;
            return loop;
        });
        player.setURL(QStringLiteral("/music/a.mp3"));
        player.finishPiece();
        loop = false;
        player.finishPiece();
        QCOMPARE(asked, 2);
        QCOMPARE(player.playCalls, 1);
        QCOMPARE(player.playState(), MediaPlayer::Stopped);
    }

    void onlyStoppedCounts_data() {
        QTest::addColumn<int>("state");
        QTest::newRow("undefined") << int(MediaPlayer::Undefined);
        QTest::newRow("paused") << int(MediaPlayer::Paused);
        QTest::newRow("playing") << int(MediaPlayer::Playing);
        QTest::newRow("an unknown number") << 9;
    }
    void onlyStoppedCounts() {
        QFETCH(int, state);
        FakeMediaPlayer player;
        int asked = 0;
        MusicLoop looper(&player, [&] {
            ++asked;
            return true;
        });
        emit player.PlayStateChange(state);
        QCOMPARE(asked, 0);
        QCOMPARE(player.playCalls, 0);
    }

    void closedPlayerStaysSilent() {
        // The main screen's stop button ends the music for good although that screen loops.
        FakeMediaPlayer player;
        MusicLoop looper(&player, MusicLoop::Always());
        QSignalSpy states(&player, &MediaPlayer::PlayStateChange);
        player.setURL(QStringLiteral("/music/a.mp3"));
        player.close();
        QCOMPARE(states.size(), 2);
        QCOMPARE(states.at(1).at(0).toInt(), int(MediaPlayer::Stopped));
        QCOMPARE(player.playCalls, 1);  // the loop tried
        QCOMPARE(player.playState(), MediaPlayer::Stopped);
        QVERIFY(!player.hasMedia());
    }

    void emptyUrlSilencesForGood() {
        FakeMediaPlayer player;
        MusicLoop looper(&player, MusicLoop::Always());
        player.setURL(QStringLiteral("/music/a.mp3"));
        player.setURL(QString());
        QCOMPARE(player.playState(), MediaPlayer::Stopped);
        QVERIFY(!player.hasMedia());
    }

    void unplayableFileIsNotRetried() {
        FakeMediaPlayer player;
        player.unplayable << QStringLiteral("/music/broken.mp3");
        int asked = 0;
        MusicLoop looper(&player, [&] {
            ++asked;
            return true;
        });
        player.setURL(QStringLiteral("/music/broken.mp3"));
        QCOMPARE(asked, 0);
        QCOMPARE(player.playCalls, 0);
        QVERIFY(player.playState() != MediaPlayer::Playing);
    }
};

QTEST_GUILESS_MAIN(TestMusicLoop)
#include "test_music_loop.moc"
