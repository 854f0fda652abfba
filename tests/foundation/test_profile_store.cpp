#include <QFile>
#include <QThread>
#include <QtTest>
#include <atomic>

#include "foundation/foundation.h"
#include "support/data_rows.h"
#include "support/temp_app_dir.h"

class ProfileStoreTest : public QObject {
    Q_OBJECT

  private slots:
    void readsLikeTheDesktop_data() {
        QTest::addColumn<QString>("content");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        AddRow("plain", "[配置信息]\r\n限时=120\r\n", "配置信息", "限时", "120");
        AddRow("key letter case", "[s]\r\nl4_left=5\r\n", "s", "L4_left", "5");
        AddRow("section letter case", "[Sec]\r\nk=5\r\n", "sEC", "k", "5");
        AddRow("blanks around section in file", "[ 配置信息 ]\r\nk=v\r\n", "配置信息", "k", "v");
        AddRow("blanks around section in call", "[配置信息]\r\nk=v\r\n", " 配置信息", "k", "v");
        AddRow("blanks around key", "[s]\r\n  k  = v\r\n", "s", " k ", "v");
        AddRow("blanks around value", "[s]\r\nk=   v v \t\r\n", "s", "k", "v v");
        AddRow("equals inside value", "[s]\r\nk=a=b\r\n", "s", "k", "a=b");
        AddRow("double quotes dropped", "[s]\r\nk=\"val2\"\r\n", "s", "k", "val2");
        AddRow("blanks inside quotes kept", "[s]\r\nk=\" x \"\r\n", "s", "k", " x ");
        AddRow("single quotes dropped", "[s]\r\nk='v'\r\n", "s", "k", "v");
        AddRow("lone quote kept", "[s]\r\nk=\"abc\r\n", "s", "k", "\"abc");
        AddRow("unbalanced quotes kept", "[s]\r\nk=\"abc'\r\n", "s", "k", "\"abc'");
        AddRow("line without equals is no key", "[s]\r\nk\r\n", "s", "k", "");
        AddRow("key after a line without equals", "[s]\r\nk\r\nk=2\r\n", "s", "k", "2");
        AddRow("empty value", "[s]\r\nk=\r\n", "s", "k", "");
        AddRow("LF line ends", "[s]\nk=v\nj=w\n", "s", "j", "w");
        AddRow("lone CR line ends", "[s]\rk=v\rj=w", "s", "j", "w");
        AddRow("mixed line ends", "[s]\r\rk=v\n\r\nj=w\r", "s", "j", "w");
        AddRow("first of two keys", "[s]\r\nk=1\r\nK=2\r\n", "s", "k", "1");
        AddRow("only first of two sections", "[s]\r\na=1\r\n[t]\r\n[S]\r\nb=2\r\n", "s", "b", "");
        AddRow("missing section", "[s]\r\nk=v\r\n", "t", "k", "");
        AddRow("missing key", "[s]\r\nk=v\r\n", "s", "j", "");
        AddRow("empty key name", "[s]\r\n=v\r\n", "s", "", "");
        AddRow("semicolon key", "[s]\r\n;name=v\r\n", "s", ";name", "v");
        AddRow("keys before first section", "k=v\r\n[s]\r\n", "s", "k", "");
        AddRow("key of next section not leaked", "[a]\r\nk=1\r\n[b]\r\n", "b", "k", "");
        AddRow("no final line break", "[s]\r\nk=v", "s", "k", "v");
        AddRow("double-byte value", "[s]\r\nk=中文\r\n", "s", "k", "中文");
        AddRow("double-byte key and section", "[配置信息TW]\r\n倒序限时=90s\r\n", "配置信息tw",
               "倒序限时", "90s");
    }
    void readsLikeTheDesktop() {
        QFETCH(QString, content);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        TempAppDir dir;
        QCOMPARE(ReadProfileString(dir.write("p.ini", content), section, key), expected);
    }

    void writesLikeTheDesktop_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("after");
        AddRow("empty file", "", "s", "k", "v", "[s]\r\nk=v\r\n");
        AddRow("in place, spelling kept", "[s]\r\nL4_left=1\r\nb=2\r\n", "s", "l4_left", "9",
               "[s]\r\nL4_left=9\r\nb=2\r\n");
        AddRow("in place, blanks before the name kept", "[s]\r\n  k = 1 \r\n", "s", "k", "2",
               "[s]\r\n  k=2\r\n");
        AddRow("first of duplicate keys", "[s]\r\nk=1\r\nk=2\r\n", "s", "k", "3",
               "[s]\r\nk=3\r\nk=2\r\n");
        AddRow("first of duplicate sections", "[s]\r\na=1\r\n[s]\r\nb=2\r\n", "s", "b", "3",
               "[s]\r\na=1\r\nb=3\r\n[s]\r\nb=2\r\n");
        AddRow("new key after last entry, before blank line", "[a]\r\nx=1\r\n\r\n[b]\r\ny=2\r\n",
               "a", "z", "3", "[a]\r\nx=1\r\nz=3\r\n\r\n[b]\r\ny=2\r\n");
        AddRow("new key under a bare header", "[a]\r\n[b]\r\n", "a", "k", "v",
               "[a]\r\nk=v\r\n[b]\r\n");
        AddRow("new section at end", "[a]\r\nx=1\r\n", "b", "y", "2",
               "[a]\r\nx=1\r\n[b]\r\ny=2\r\n");
        AddRow("new key, no final line break", "[a]\r\nx=1", "a", "z", "3",
               "[a]\r\nx=1\r\nz=3\r\n");
        AddRow("new section, no final line break", "[a]\r\nx=1", "b", "y", "2",
               "[a]\r\nx=1\r\n[b]\r\ny=2\r\n");
        AddRow("other line ends untouched", "[a]\nx=1\n[b]\ry=2\r", "b", "y", "5",
               "[a]\nx=1\n[b]\ry=5\r");
        AddRow("comments and stray lines untouched", "; top\r\n[a]\r\nnote\r\nx=1\r\n", "a", "x",
               "2", "; top\r\n[a]\r\nnote\r\nx=2\r\n");
        AddRow("empty value", "[s]\r\nk=v\r\n", "s", "k", "", "[s]\r\nk=\r\n");
        AddRow("quoted value replaced", "[s]\r\nk=\"x\"\r\n", "s", "k", "y", "[s]\r\nk=y\r\n");
        AddRow("section name trimmed", "", " 配置信息", "k", "v", "[配置信息]\r\nk=v\r\n");
        AddRow("line break in value stored as blank", "[s]\r\n", "s", "k", "a\r\nb\nc",
               "[s]\r\nk=a b c\r\n");
        AddRow("key with equals refused", "[s]\r\n", "s", "a=b", "v", "[s]\r\n");
        AddRow("section with bracket refused", "[s]\r\n", "a]b", "k", "v", "[s]\r\n");
        AddRow("empty key refused", "[s]\r\n", "s", "", "v", "[s]\r\n");
    }
    void writesLikeTheDesktop() {
        QFETCH(QString, before);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QString, after);
        TempAppDir dir;
        WriteProfileString(dir.write("p.ini", before), section, key, value);
        QCOMPARE(FromGbk(dir.readBytes("p.ini")), after);
    }

    // What a write stores is what the next read gives back, within GBK and 99 bytes.
    void storedValueReadsBack_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("expected");
        const QString han = QString("中").repeated(60);
        AddRow("120 single bytes cut at 99", QString("x").repeated(120), QString("x").repeated(99));
        AddRow("exactly 99 bytes", QString("x").repeated(99), QString("x").repeated(99));
        AddRow("double-byte across the cut dropped", han, QString("中").repeated(49));
        AddRow("double-byte ending at the cut kept", "a" + han, "a" + han.left(49));
        AddRow("what GBK cannot hold becomes '?'", QString::fromUtf8("a\U0001F600b"), "a?b");
    }
    void storedValueReadsBack() {
        QFETCH(QString, stored);
        QFETCH(QString, expected);
        TempAppDir dir;
        const QString file = dir.write("p.ini", "");
        WriteProfileString(file, "s", "k", stored);
        QCOMPARE(ReadProfileString(file, "s", "k"), expected);
    }

    void missingFileReadsEmptyAndIsCreatedByAWrite() {
        TempAppDir dir;
        dir.mkdir("config");
        const QString file = dir.path() + "\\config\\main.ini";
        QCOMPARE(ReadProfileString(file, "配置信息", "背景颜色"), QString());
        WriteProfileString(file, "配置信息", "背景颜色", "255");
        QCOMPARE(dir.readBytes("config/main.ini"), ToGbk("[配置信息]\r\n背景颜色=255\r\n"));
        QCOMPARE(ReadProfileString(file, "配置信息", "背景颜色"), QString("255"));
    }

    void unwritableTargetsAreLeftAloneAndSaySo() {
        TempAppDir dir;
        QString why;
        const QString nowhere = dir.path() + "\\nowhere\\p.ini";
        QVERIFY(!WriteProfileString(nowhere, "s", "k", "v", &why));
        QVERIFY2(why.contains("nowhere"), qPrintable(why));
        QVERIFY(!QFileInfo::exists(dir.path() + "/nowhere"));
        QCOMPARE(ReadProfileString(nowhere, "s", "k"), QString());

        const QString readOnly = dir.write("p.ini", "[s]\r\nk=old\r\n");
        QFile::setPermissions(readOnly, QFileDevice::ReadOwner | QFileDevice::ReadUser);
        why.clear();
        QVERIFY(!WriteProfileString(readOnly, "s", "k", "new", &why));
        QVERIFY2(why.contains("p.ini"), qPrintable(why));
        QCOMPARE(ReadProfileString(readOnly, "s", "k"), QString("old"));
        QFile::setPermissions(readOnly, QFileDevice::ReadOwner | QFileDevice::WriteOwner);

        QVERIFY(!WriteProfileString(readOnly, "s", "a=b", "v"));  // a name no line can hold
        QVERIFY(WriteProfileString(readOnly, "s", "k", "new"));
        QVERIFY(WriteProfileString(readOnly, "s", "k", "new"));  // holding it already
    }

    void letterCaseVariantsReachOneFile() {
        TempAppDir dir;
        dir.write("config/Result.ini", "[配置信息]\r\n正方得分=80\r\n");
        dir.write("config/Theme.ini", "[配置信息]\r\n主题=2\r\n");
        const auto read = [&](const QString& file, const QString& key) {
            return ReadProfileString(dir.path() + file, "配置信息", key);
        };
        QCOMPARE(read("\\config\\result.ini", "正方得分"), QString("80"));
        WriteProfileString(dir.path() + "\\CONFIG\\result.INI", "配置信息", "反方得分", "75");
        QCOMPARE(read("\\config\\Result.ini", "反方得分"), QString("75"));
        QCOMPARE(read("\\Config\\Theme.ini", "主题"), QString("2"));
        QCOMPARE(QDir(dir.path() + "/config").entryList(QDir::Files).size(), 2);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
                 QStringList{"config"});
    }

    void invalidGbkNeverBreaksARead() {
        TempAppDir dir;
        const QString file =
            dir.writeBytes("p.ini", QByteArrayLiteral("[s]\r\nk=\x81\x30ok\xff\r\nj=ab\xd6"));
        const QString k = ReadProfileString(file, "s", "k");
        QVERIFY(k.contains(QChar::ReplacementCharacter));
        QVERIFY(k.contains("ok"));
        QCOMPARE(ReadProfileString(file, "s", "j"), QString("ab") + QChar::ReplacementCharacter);
        // The damaged line stays as it was when another key is written.
        WriteProfileString(file, "s", "new", "1");
        QVERIFY(
            dir.readBytes("p.ini").startsWith(QByteArrayLiteral("[s]\r\nk=\x81\x30ok\xff\r\n")));
    }

    void writeLeavesNoTemporaryFilesBehind() {
        TempAppDir dir;
        const QString file = dir.write("config/p.ini", "[s]\r\n");
        for (int i = 0; i < 20; ++i) {
            WriteProfileString(file, "s", QString("k%1").arg(i), QString::number(i));
        }
        QCOMPARE(QDir(dir.path() + "/config").entryList(QDir::Files | QDir::Hidden),
                 QStringList{"p.ini"});
        QCOMPARE(ReadProfileString(file, "s", "k19"), QString("19"));
    }

    void readersDuringWritesSeeOldOrNewValueOnly() {
        TempAppDir dir;
        QString content = "[配置信息]\r\n";
        for (int i = 0; i < 200; ++i) {
            content += QString("键%1=值%1\r\n").arg(i);
        }
        const QString file = dir.write("p.ini", content);
        std::atomic<bool> done = false;
        std::atomic<int> bad = 0;
        std::atomic<int> reads = 0;
        QThread* reader = QThread::create([&] {
            while (!done) {
                const QString v = ReadProfileString(file, "配置信息", "键199");
                if (v != "值199" && v != "new") {
                    ++bad;
                }
                ++reads;
            }
        });
        reader->start();
        for (int i = 0; i < 300; ++i) {
            WriteProfileString(file, "配置信息", "键199", i % 2 ? "值199" : "new");
            WriteProfileString(file, "配置信息", "extra", QString::number(i));
        }
        QTRY_VERIFY(reads > 0);
        done = true;
        reader->wait();
        delete reader;
        QCOMPARE(bad.load(), 0);
    }

    void fileNameOf_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("name");
        AddRow("windows path", "D:\\music\\bell.wav", "bell.wav");
        AddRow("bare name", "bell.wav", "bell.wav");
        AddRow("trailing backslash", "D:\\music\\", "");
        AddRow("linux path", "/home/op/音乐/铃声.wav", "铃声.wav");
        AddRow("mixed separators", "/a\\b/c.jpg", "c.jpg");
        AddRow("empty", "", "");
    }
    void fileNameOf() {
        QFETCH(QString, path);
        QFETCH(QString, name);
        QCOMPARE(FileNameOf(path), name);
    }

    void storedFileNamesMustBeBare_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("usable");
        AddRow("plain", "bell.wav", true);
        AddRow("chinese", "开场.jpg", true);
        AddRow("empty", "", false);
        AddRow("parent folder", "..\\..\\config\\main.ini", false);
        AddRow("dots inside", "决赛...pptx", true);
        AddRow("double dot inside", "a..b.jpg", true);
        AddRow("double dot before the type", "结束..wav", true);
        AddRow("this folder", ".", false);
        AddRow("parent", "..", false);
        AddRow("slash", "a/b.jpg", false);
        AddRow("backslash", "a\\b.jpg", false);
        AddRow("absolute", "/etc/passwd", false);
    }
    void storedFileNamesMustBeBare() {
        QFETCH(QString, stored);
        QFETCH(bool, usable);
        QCOMPARE(IsBareFileName(stored), usable);
        const QString path = StoredFilePath("/app", "\\background\\jishi\\", stored);
        QCOMPARE(path, usable ? "/app/background/jishi/" + stored : QString());
    }
};

QTEST_GUILESS_MAIN(ProfileStoreTest)
#include "test_profile_store.moc"
