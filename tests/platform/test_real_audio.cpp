// The real WAV cue player and music player on a real PulseAudio server with a null sink,
// started by the test in a folder of its own. Without a server only the cases that need no
// sound device run.

#ifndef _WIN32
#include <signal.h>
#include <sys/prctl.h>
#endif
#include <QAudioDevice>
#include <QAudioOutput>
#include <QMediaDevices>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>
#include <cmath>

#include "foundation/platform/music_loop.h"
#include "foundation/platform/qt_media_player.h"
#include "foundation/platform/qt_wave_player.h"

namespace {

// A mono 16-bit sine tone, header written by hand.
bool WriteTone(const QString& path, double seconds) {
    const int rate = 22050;
    const int samples = int(rate * seconds);
    QByteArray data(samples * 2, Qt::Uninitialized);
    for (int i = 0; i < samples; ++i) {
        const auto value = qint16(8000 * std::sin(2 * M_PI * 440 * i / rate));
        qToLittleEndian(value, data.data() + 2 * i);
    }
    QByteArray header;
    const auto put = [&](auto v) {
        char bytes[sizeof v];
        qToLittleEndian(v, bytes);
        header.append(bytes, sizeof v);
    };
    header.append("RIFF");
    put(quint32(36 + data.size()));
    header.append("WAVEfmt ");
    put(quint32(16));
    put(quint16(1));         // PCM
    put(quint16(1));         // mono
    put(quint32(rate));      // samples per second
    put(quint32(rate * 2));  // bytes per second
    put(quint16(2));         // bytes per frame
    put(quint16(16));        // bits per sample
    header.append("data");
    put(quint32(data.size()));
    QFile file(path);
    return file.open(QIODevice::WriteOnly) &&
           file.write(header + data) == header.size() + data.size();
}

bool WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QList<int> StatesOf(const QSignalSpy& spy) {
    QList<int> states;
    for (const QList<QVariant>& call : spy) {
        states << call.at(0).toInt();
    }
    return states;
}

constexpr double kCueSeconds = 0.5;
constexpr double kLongSeconds = 6.0;

}  // namespace

// The cases that need the test's own sound server are skipped without one.
#define SKIP_WITHOUT_SERVER()             \
    do {                                  \
        if (!noServer_.isEmpty())         \
            QSKIP(qPrintable(noServer_)); \
    } while (false)

class TestRealAudio : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QProcess server_;
    QString noServer_;  // why there is no server, empty when there is one
    QString cue_, long_, garbage_, brokenWave_;

    // Streams the server is playing right now; -1 when it cannot be asked.
    int StreamsPlaying() {
        QProcess pactl;
        pactl.start("pactl", {"list", "short", "sink-inputs"});
        if (!pactl.waitForFinished(5000) || pactl.exitCode() != 0) {
            return -1;
        }
        int streams = 0;
        for (const QByteArray& line : pactl.readAllStandardOutput().split('\n')) {
            streams += line.trimmed().isEmpty() ? 0 : 1;
        }
        return streams;
    }

    static bool ListsNullSink(const QString& socket) {
        QProcess pactl;
        pactl.start("pactl", {"--server=unix:" + socket, "list", "short", "sinks"});
        return pactl.waitForFinished(5000) && pactl.exitCode() == 0 &&
               pactl.readAllStandardOutput().contains("debaclock_null");
    }

    void startServer() {
#ifdef _WIN32
        noServer_ = "the test's own sound server is PulseAudio, which runs on Linux only";
#else
        const QString pulseaudio = QStandardPaths::findExecutable("pulseaudio");
        if (pulseaudio.isEmpty() || QStandardPaths::findExecutable("pactl").isEmpty()) {
            noServer_ = "pulseaudio or pactl is not installed (scripts/deps.sh test)";
            return;
        }
        // Its own home and runtime folder: nothing of the user's or the machine's server is
        // touched, and running as root works without --system.
        const QString home = dir_.filePath("home");
        const QString runtime = dir_.filePath("run");
        QDir().mkpath(home);
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const QString socket = runtime + "/native";
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", home);
        env.insert("XDG_RUNTIME_DIR", runtime);
        env.remove("PULSE_SERVER");
        server_.setProcessEnvironment(env);
        server_.setProgram(pulseaudio);
        server_.setArguments(
            {"--daemonize=no", "--system=false", "--exit-idle-time=-1", "-n",
             "--use-pid-file=false", "--log-target=stderr",
             "--load=module-null-sink sink_name=debaclock_null",
             "--load=module-native-protocol-unix auth-anonymous=1 socket=" + socket});
        // To a file, not a pipe nobody reads, which could fill up and stall the server.
        const QString log = dir_.filePath("pulseaudio.log");
        server_.setStandardOutputFile(QProcess::nullDevice());
        server_.setStandardErrorFile(log);
        // The server goes with the test, even when the test crashes.
        server_.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
        server_.start();
        if (!server_.waitForStarted(5000)) {
            noServer_ = "pulseaudio could not be started: " + server_.errorString();
            return;
        }
        // The socket appears before the server answers; ready once it lists its sink.
        QDeadlineTimer deadline(10000);
        bool ready = false;
        while (!ready && !deadline.hasExpired()) {
            ready = QFileInfo::exists(socket) && ListsNullSink(socket);
            if (!ready && server_.waitForFinished(50)) {
                break;
            }
        }
        if (!ready) {
            QFile messages(log);
            messages.open(QIODevice::ReadOnly);
            noServer_ = "pulseaudio did not come up: " +
                        QString::fromLocal8Bit(messages.readAll()).trimmed();
            server_.kill();
            server_.waitForFinished(5000);
            return;
        }
        qputenv("PULSE_SERVER", ("unix:" + socket).toLocal8Bit());
#endif
    }

  private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        cue_ = dir_.filePath("cue.wav");
        long_ = dir_.filePath("long.wav");
        garbage_ = dir_.filePath("garbage.wav");
        brokenWave_ = dir_.filePath("broken.wav");
        QVERIFY(WriteTone(cue_, kCueSeconds));
        QVERIFY(WriteTone(long_, kLongSeconds));
        QVERIFY(WriteBytes(garbage_, QByteArray(4096, '\x5a')));
        QVERIFY(WriteBytes(brokenWave_, QByteArray("RIFF\x10\0\0\0WAVEjunkjunkjunk", 24)));

        // Before anything of Qt Multimedia runs: it reads PULSE_SERVER once.
        startServer();
        if (!noServer_.isEmpty()) {
            // Never the machine's own server: no device at all instead.
            qputenv("PULSE_SERVER", dir_.filePath("no-server").prepend("unix:").toLocal8Bit());
        } else {
            // Qt learns the server's devices in the background.
            QMediaDevices devices;
            QDeadlineTimer deadline(5000);
            while (QMediaDevices::audioOutputs().isEmpty() && !deadline.hasExpired()) {
                QSignalSpy(&devices, &QMediaDevices::audioOutputsChanged).wait(100);
            }
            if (QMediaDevices::audioOutputs().isEmpty()) {
                noServer_ = "the test server is running but Qt sees no audio output on it";
            }
        }
        if (!noServer_.isEmpty()) {
            qWarning("%s", qPrintable(noServer_));
        }
    }

    void cleanupTestCase() {
        if (server_.state() != QProcess::NotRunning) {
            server_.terminate();
            if (!server_.waitForFinished(3000)) {
                server_.kill();
                server_.waitForFinished(3000);
            }
        }
    }

    void cueThatCannotPlayIsSilent_data() {
        QTest::addColumn<QString>("path");
        QTest::newRow("empty path") << QString();
        QTest::newRow("missing file") << dir_.filePath("gone.wav");
        QTest::newRow("a folder") << dir_.path();
        QTest::newRow("not a WAV file") << garbage_;
        QTest::newRow("a WAV header over junk") << brokenWave_;
    }
    void cueThatCannotPlayIsSilent() {
        QFETCH(QString, path);
        QtWavePlayer player;
        QSignalSpy playing(&player, &QtWavePlayer::playingChanged);
        QElapsedTimer clock;
        clock.start();
        player.PlayWave(path);
        QVERIFY(clock.elapsed() < 1000);
        // A file that only looks like a WAV file is found out while decoding, in the
        // background; whatever happened on the way, it ends up not playing.
        QTRY_VERIFY(!player.isPlaying());
        if (playing.size() > 0) {
            QCOMPARE(playing.last().at(0).toBool(), false);
        }
    }

    void cuePlaysToItsEnd_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<double>("seconds");
        QTest::newRow("a generated tone") << cue_ << kCueSeconds;
        QTest::newRow("the shipped warning cue")
            << QStringLiteral(DEBACLOCK_DATA_DIR "/sound/Warn/Default.wav") << 0.43;
    }
    void cuePlaysToItsEnd() {
        QFETCH(QString, path);
        QFETCH(double, seconds);
        SKIP_WITHOUT_SERVER();
        QVERIFY(QFileInfo::exists(path));
        QTRY_COMPARE_WITH_TIMEOUT(StreamsPlaying(), 0, 5000);
        QtWavePlayer player;
        QSignalSpy playing(&player, &QtWavePlayer::playingChanged);
        QElapsedTimer clock;
        clock.start();
        player.PlayWave(path);
        QVERIFY(player.isPlaying());                           // returned at once, still sounding
        QTRY_VERIFY_WITH_TIMEOUT(StreamsPlaying() > 0, 5000);  // the server hears it
        QTRY_VERIFY_WITH_TIMEOUT(!player.isPlaying(), 10000);
        QVERIFY2(clock.elapsed() >= qint64(seconds * 1000 * 0.8),
                 qPrintable(QString("ended after %1 ms").arg(clock.elapsed())));
        QCOMPARE(playing.size(), 2);
        QCOMPARE(playing.at(0).at(0).toBool(), true);
        QCOMPARE(playing.at(1).at(0).toBool(), false);
    }

    void newCueCutsThePlayingOne() {
        SKIP_WITHOUT_SERVER();
        QTRY_COMPARE_WITH_TIMEOUT(StreamsPlaying(), 0, 5000);
        QtWavePlayer player;
        QElapsedTimer clock;
        clock.start();
        player.PlayWave(long_);
        QVERIFY2(clock.elapsed() < 1000, "PlayWave waited for the sound");
        QTRY_VERIFY_WITH_TIMEOUT(StreamsPlaying() > 0, 5000);
        clock.restart();
        player.PlayWave(cue_);
        QTRY_VERIFY_WITH_TIMEOUT(!player.isPlaying(), 10000);
        // Once the short cue is over nothing plays any more, long before the first would end.
        QTRY_COMPARE_WITH_TIMEOUT(StreamsPlaying(), 0, 5000);
        QVERIFY2(clock.elapsed() < qint64(kLongSeconds * 1000 * 0.8),
                 qPrintable(QString("silent after %1 ms").arg(clock.elapsed())));
    }

    void volumeScale_data() {
        QTest::addColumn<int>("given");
        QTest::addColumn<int>("kept");
        QTest::addColumn<float>("lowest");
        QTest::addColumn<float>("highest");
        QTest::newRow("silent") << 0 << 0 << 0.0f << 0.0f;
        QTest::newRow("full") << 100 << 100 << 1.0f << 1.0f;
        QTest::newRow("half way sounds half as loud, well under half the amplitude")
            << 50 << 50 << 0.05f << 0.45f;
        QTest::newRow("below the scale") << -20 << 0 << 0.0f << 0.0f;
        QTest::newRow("above the scale") << 250 << 100 << 1.0f << 1.0f;
    }
    void volumeScale() {
        QFETCH(int, given);
        QFETCH(int, kept);
        QFETCH(float, lowest);
        QFETCH(float, highest);
        QtMediaPlayer player;
        player.setVolume(given);
        QCOMPARE(player.volume(), kept);
        const float linear = player.audioOutput()->volume();
        QVERIFY2(linear >= lowest - 1e-6f && linear <= highest + 1e-6f,
                 qPrintable(QString::number(linear)));
    }

    void volumeRisesWithTheSlider() {
        float previous = -1;
        for (int volume = 0; volume <= 100; ++volume) {
            const float linear = QtMediaPlayer::LinearVolume(volume);
            QVERIFY2(linear > previous, qPrintable(QString::number(volume)));
            previous = linear;
        }
    }

    void pieceEndReportsStoppedAndLoops() {
        SKIP_WITHOUT_SERVER();
        QtMediaPlayer player;
        QSignalSpy spy(&player, &MediaPlayer::PlayStateChange);
        QList<qint64> at;  // when each state was reported
        QElapsedTimer clock;
        clock.start();
        connect(&player, &MediaPlayer::PlayStateChange, this, [&] { at << clock.elapsed(); });
        int asked = 0;
        MusicLoop loop(&player, [&] { return ++asked < 2; });  // once round again
        player.setURL(cue_);
        QCOMPARE(StatesOf(spy), QList<int>{3});
        QTRY_COMPARE_WITH_TIMEOUT(StatesOf(spy), (QList<int>{3, 1, 3, 1}), 15000);
        QCOMPARE(asked, 2);
        QCOMPARE(player.playState(), MediaPlayer::Stopped);
        // Both rounds really played the piece, none ended at once.
        const qint64 least = qint64(kCueSeconds * 1000 * 0.8);
        QVERIFY2(at[1] - at[0] >= least, qPrintable(QString::number(at[1] - at[0])));
        QVERIFY2(at[3] - at[2] >= least, qPrintable(QString::number(at[3] - at[2])));
    }

    void switchingPiecesReportsNoStop() {
        SKIP_WITHOUT_SERVER();
        QtMediaPlayer player;
        QSignalSpy spy(&player, &MediaPlayer::PlayStateChange);
        player.setURL(long_);
        player.setURL(cue_);
        QCOMPARE(player.URL(), cue_);
        QElapsedTimer clock;
        clock.start();
        QTRY_COMPARE_WITH_TIMEOUT(StatesOf(spy), (QList<int>{3, 1}), 10000);
        QVERIFY(clock.elapsed() < qint64(kLongSeconds * 1000 * 0.8));  // the short one ended
    }

    void closeReportsStoppedAndStaysSilent() {
        SKIP_WITHOUT_SERVER();
        QtMediaPlayer player;
        MusicLoop loop(&player, MusicLoop::Always());
        QSignalSpy spy(&player, &MediaPlayer::PlayStateChange);
        player.setURL(long_);
        QTRY_VERIFY_WITH_TIMEOUT(StreamsPlaying() > 0, 5000);
        player.close();
        QCOMPARE(StatesOf(spy), (QList<int>{3, 1}));  // the loop's play() found no media
        QCOMPARE(player.playState(), MediaPlayer::Stopped);
        QCOMPARE(player.URL(), QString());
        player.play();
        QCOMPARE(StatesOf(spy), (QList<int>{3, 1}));
        QTRY_COMPARE_WITH_TIMEOUT(StreamsPlaying(), 0, 5000);
    }

    void shippedMusicPlays_data() {
        QTest::addColumn<QString>("path");
        QTest::newRow("result announcement")
            << QStringLiteral(DEBACLOCK_DATA_DIR "/sound/Result/BgMusic.mp3");
        QTest::newRow("award ceremony")
            << QStringLiteral(DEBACLOCK_DATA_DIR "/sound/cite/Default.mp3");
    }
    void shippedMusicPlays() {
        // MP3 needs a decoder from the installed plugins; without one the music is silent.
        QFETCH(QString, path);
        SKIP_WITHOUT_SERVER();
        QVERIFY(QFileInfo::exists(path));
        QTRY_COMPARE_WITH_TIMEOUT(StreamsPlaying(), 0, 5000);
        QtMediaPlayer player;
        QSignalSpy spy(&player, &MediaPlayer::PlayStateChange);
        player.setURL(path);
        QTRY_VERIFY_WITH_TIMEOUT(StreamsPlaying() > 0, 5000);
        QCOMPARE(player.playState(), MediaPlayer::Playing);
        QCOMPARE(StatesOf(spy), QList<int>{3});
        player.close();
    }

    void pieceThatCannotBeOpenedIsNotRetried_data() {
        QTest::addColumn<QString>("path");
        QTest::newRow("missing file") << dir_.filePath("gone.mp3");
        QTest::newRow("a folder") << dir_.path();
        QTest::newRow("not a sound file") << garbage_;
    }
    void pieceThatCannotBeOpenedIsNotRetried() {
        QFETCH(QString, path);
        QtMediaPlayer player;
        int asked = 0;
        MusicLoop loop(&player, [&] {
            ++asked;
            return true;
        });
        QSignalSpy spy(&player, &MediaPlayer::PlayStateChange);
        player.setURL(path);
        QTRY_COMPARE_WITH_TIMEOUT(player.playState(), MediaPlayer::Stopped, 10000);
        QVERIFY(!StatesOf(spy).contains(MediaPlayer::Stopped));
        QCOMPARE(asked, 0);
        player.play();  // nothing to play
        QCOMPARE(player.playState(), MediaPlayer::Stopped);
    }
};

QTEST_MAIN(TestRealAudio)
#include "test_real_audio.moc"
