#include <QtTest>

#include "foundation/foundation.h"
#include "support/data_rows.h"
#include "support/temp_app_dir.h"

class SegmentsAndCuesTest : public QObject {
    Q_OBJECT

  private slots:
    void timingStyles_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("style");
        AddRow("1", "Mode-1", 1);
        AddRow("5", "Mode-5", 5);
        AddRow("lower case", "mode-1", 0);
        AddRow("blank", "Mode-1 ", 0);
        AddRow("out of range", "Mode-6", 0);
        AddRow("empty", "", 0);
    }
    void timingStyles() {
        QFETCH(QString, text);
        QFETCH(int, style);
        const auto parsed = TimingStyleOf(text);
        QCOMPARE(parsed ? int(*parsed) : 0, style);
        if (parsed) {
            QCOMPARE(TimingStyleText(*parsed), text);
        }
    }

    void launchCopiesEveryKeyInOrder() {
        TempAppDir dir;
        dir.mkdir("config/tache");
        const QString segment = SegmentProfilePath(dir.path(), 3);
        WriteProfileString(segment, kConfigSection, SegmentKey::Name, "立论");
        WriteProfileString(segment, kConfigSection, SegmentKey::Limit, "180");
        WriteProfileString(segment, kConfigSection, SegmentKey::UseTransition, "1");
        CopySegmentToActive(dir.path(), 3);

        const QString active = ActiveSegmentProfilePath(dir.path());
        QCOMPARE(ReadProfileString(active, kConfigSection, "名称"), QString("立论"));
        QCOMPARE(ReadProfileString(active, kConfigSection, "环节名称"), QString());
        QCOMPARE(ReadProfileString(active, kConfigSection, "限时"), QString("180"));
        QCOMPARE(ReadProfileString(active, kConfigSection, "使用过场图片"), QString());

        // The active file lists the keys in the launch order, one line each.
        const QStringList lines = FromGbk(dir.readBytes("config/Timetemp.ini")).split("\r\n");
        QCOMPARE(lines.size(), 1 + 27 + 1);
        QCOMPARE(lines[1], QString("计时格式="));
        QCOMPARE(lines[2], QString("名称=立论"));
        QCOMPARE(lines[26], QString("计时样式="));
        QCOMPARE(lines[27], QString("过场图片="));
    }

    void bellsAreCopiedOnlyWhereASegmentHasThem() {
        TempAppDir dir;
        dir.write("config/tache/1.ini", "[配置信息]\r\n限时=480\r\n附加提示点=420:1,60:2\r\n");
        dir.write("config/tache/2.ini", "[配置信息]\r\n限时=240\r\n");
        CopySegmentToActive(dir.path(), 2);
        const QByteArray plain = dir.readBytes("config/Timetemp.ini");
        QVERIFY(!plain.contains(ToGbk("附加提示")));

        CopySegmentToActive(dir.path(), 1);
        const QString active = ActiveSegmentProfilePath(dir.path());
        QCOMPARE(ReadProfileString(active, kConfigSection, "附加提示点"), QString("420:1,60:2"));
        QCOMPARE(ActiveSegmentNumber(dir.path()), std::optional<int>(1));

        // The next segment without bells leaves none behind.
        CopySegmentToActive(dir.path(), 2);
        QCOMPARE(ReadProfileString(active, kConfigSection, "附加提示点"), QString());
        QCOMPARE(ActiveSegmentNumber(dir.path()), std::optional<int>(2));
    }

    void laterLaunchOverwritesEarlierOne() {
        TempAppDir dir;
        dir.write("config/tache/3.ini",
                  "[配置信息]\r\n限时=180\r\n计时样式=Mode-1\r\n背景图片=a.jpg\r\n");
        dir.write("config/tache/5.ini", "[配置信息]\r\n限时=240\r\n计时样式=Mode-2\r\n");
        dir.write("config/TimeTemp.ini", "[配置信息]\r\n攻辩每次发言限时=30\r\n");
        CopySegmentToActive(dir.path(), 3);
        CopySegmentToActive(dir.path(), 5);
        const QString active = ActiveSegmentProfilePath(dir.path());
        QCOMPARE(ReadProfileString(active, kConfigSection, "限时"), QString("240"));
        QCOMPARE(ReadProfileString(active, kConfigSection, "计时样式"), QString("Mode-2"));
        QCOMPARE(ReadProfileString(active, kConfigSection, "背景图片"), QString());
        // Keys outside the copy list keep what they held; the existing file (other letter
        // case) is the one updated.
        QCOMPARE(ReadProfileString(active, kConfigSection, "攻辩每次发言限时"), QString("30"));
        QCOMPARE(QDir(dir.path() + "/config").entryList(QDir::Files), QStringList{"TimeTemp.ini"});
    }

    void cuePaths_data() {
        QTest::addColumn<QString>("choice");
        QTest::addColumn<QString>("custom");
        QTest::addColumn<QString>("expected");  // relative to the program folder, "" for none
        AddRow("default", "Default", "x.wav", "/sound/Warn/Default.wav");
        AddRow("none", "None", "x.wav", "");
        AddRow("user", "User-Defined", "铃.wav", "/sound/Warn/user/铃.wav");
        AddRow("user without file", "User-Defined", "", "/sound/Warn/user/");
        AddRow("user with dots inside", "User-Defined", "结束..wav", "/sound/Warn/user/结束..wav");
        AddRow("user outside folder", "User-Defined", "..\\..\\config\\main.ini", "");
        AddRow("user folder's parent", "User-Defined", "..", "");
        AddRow("empty choice", "", "x.wav", "");
        AddRow("lower-case choice", "default", "x.wav", "");
        AddRow("other word", "Beep", "x.wav", "");
    }
    void cuePaths() {
        QFETCH(QString, choice);
        QFETCH(QString, custom);
        QFETCH(QString, expected);
        TempAppDir dir;
        dir.mkdir("sound/Warn/user");
        const QString profile =
            dir.write("config/Timetemp.ini", "[配置信息]\r\n时间不足提示音=" + choice +
                                                 "\r\n自定义时间不足提示音=" + custom + "\r\n");
        const QString path = ResolveCuePath(dir.path(), profile, WarnCue);
        QCOMPARE(path, expected.isEmpty() ? QString() : dir.path() + expected);
    }

    void cueReadsItsChoiceWhenItPlays() {
        TempAppDir dir;
        dir.mkdir("config");
        const QString profile = ActiveSegmentProfilePath(dir.path());
        WriteProfileString(profile, kConfigSection, SegmentKey::TimeUpCueChoice, "None");
        QCOMPARE(ResolveCuePath(dir.path(), profile, TimeUpCue), QString());
        WriteProfileString(profile, kConfigSection, SegmentKey::TimeUpCueChoice, "Default");
        QCOMPARE(ResolveCuePath(dir.path(), profile, TimeUpCue),
                 dir.path() + "/sound/Timeout/Default.wav");
    }

    void musicStartAndLoop_data() {
        QTest::addColumn<QString>("choice");
        QTest::addColumn<QString>("loop");
        QTest::addColumn<bool>("touches");
        QTest::addColumn<QString>("url");
        QTest::addColumn<bool>("loops");
        AddRow("default, loop", "Default", "1", true, "/sound/cite/Default.mp3", true);
        AddRow("user, no loop", "User-Defined", "0", true, "/sound/cite/user/乐.mp3", false);
        AddRow("none silences", "None", "1", true, "", true);
        AddRow("other word leaves player", "Music", "", false, "", false);
        AddRow("loop flag read as number", "Default", "1.4", true, "/sound/cite/Default.mp3", true);
    }
    void musicStartAndLoop() {
        QFETCH(QString, choice);
        QFETCH(QString, loop);
        QFETCH(bool, touches);
        QFETCH(QString, url);
        QFETCH(bool, loops);
        TempAppDir dir;
        dir.mkdir("sound/cite/user");
        dir.write("config/Cite.ini", "[配置信息]\r\n背景音乐=" + choice +
                                         "\r\n自定义背景音乐=乐.mp3\r\n循环播放=" + loop + "\r\n");
        const MusicStart start = ResolveMusicStart(dir.path(), CeremonyMusic);
        QCOMPARE(start.touchPlayer, touches);
        QCOMPARE(start.url, url.isEmpty() ? QString() : dir.path() + url);
        QCOMPARE(MusicLoops(dir.path(), CeremonyMusic), loops);
    }

    void letterCaseVariantsOfShippedFiles() {
        TempAppDir dir;
        dir.write("sound/Result/Zf.wav", "RIFF");
        dir.write("sound/Cs/Default.wav", "RIFF");
        for (const QString rel : {"\\sound\\Result\\zf.wav", "\\SOUND\\result\\ZF.WAV"}) {
            QCOMPARE(AppPath(dir.path(), rel), dir.path() + "/sound/Result/Zf.wav");
        }
        QCOMPARE(AppPath(dir.path(), "\\sound\\cs\\default.wav"),
                 dir.path() + "/sound/Cs/Default.wav");
        // A file that does not exist yet keeps the spelling of what is missing.
        QCOMPARE(AppPath(dir.path(), "\\sound\\cs\\user\\New.wav"),
                 dir.path() + "/sound/Cs/user/New.wav");
    }
};

QTEST_GUILESS_MAIN(SegmentsAndCuesTest)
#include "test_segments_and_cues.moc"
