#include <QDirIterator>
#include <QFile>
#include <QThread>
#include <QtTest>
#include <atomic>

#include "foundation/foundation.h"
#include "support/temp_app_dir.h"

class ProfileStoreTest : public QObject {
    Q_OBJECT

  private slots:
    void readsLikeTheDesktop_data();
    void readsLikeTheDesktop();
    void writesLikeTheDesktop_data();
    void writesLikeTheDesktop();
    void missingFileReadsEmptyAndIsCreatedByAWrite();
    void writeIntoMissingFolderChangesNothing();
    void readOnlyProfileIsLeftAlone();
    void letterCaseVariantsReachOneFile();
    void longValuesAreCutAt99Bytes_data();
    void longValuesAreCutAt99Bytes();
    void invalidGbkNeverBreaksARead();
    void textGbkCannotHoldIsWrittenAsQuestionMarks();
    void writeLeavesNoTemporaryFilesBehind();
    void readersDuringWritesSeeOldOrNewValueOnly();
    void fileNameOf_data();
    void fileNameOf();
    void storedFileNamesMustBeBare_data();
    void storedFileNamesMustBeBare();
};

void ProfileStoreTest::readsLikeTheDesktop_data() {
    QTest::addColumn<QString>("content");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");

    QTest::newRow("plain") << "[配置信息]\r\n限时=120\r\n"
                           << "配置信息"
                           << "限时"
                           << "120";
    QTest::newRow("key letter case") << "[s]\r\nl4_left=5\r\n"
                                     << "s"
                                     << "L4_left"
                                     << "5";
    QTest::newRow("section letter case") << "[Sec]\r\nk=5\r\n"
                                         << "sEC"
                                         << "k"
                                         << "5";
    QTest::newRow("blanks around section in file") << "[ 配置信息 ]\r\nk=v\r\n"
                                                   << "配置信息"
                                                   << "k"
                                                   << "v";
    QTest::newRow("blanks around section in call") << "[配置信息]\r\nk=v\r\n"
                                                   << " 配置信息"
                                                   << "k"
                                                   << "v";
    QTest::newRow("blanks around key") << "[s]\r\n  k  = v\r\n"
                                       << "s"
                                       << " k "
                                       << "v";
    QTest::newRow("blanks around value") << "[s]\r\nk=   v v \t\r\n"
                                         << "s"
                                         << "k"
                                         << "v v";
    QTest::newRow("equals inside value") << "[s]\r\nk=a=b\r\n"
                                         << "s"
                                         << "k"
                                         << "a=b";
    QTest::newRow("double quotes dropped") << "[s]\r\nk=\"val2\"\r\n"
                                           << "s"
                                           << "k"
                                           << "val2";
    QTest::newRow("blanks inside quotes kept") << "[s]\r\nk=\" x \"\r\n"
                                               << "s"
                                               << "k"
                                               << " x ";
    QTest::newRow("single quotes dropped") << "[s]\r\nk='v'\r\n"
                                           << "s"
                                           << "k"
                                           << "v";
    QTest::newRow("lone quote kept") << "[s]\r\nk=\"abc\r\n"
                                     << "s"
                                     << "k"
                                     << "\"abc";
    QTest::newRow("unbalanced quotes kept") << "[s]\r\nk=\"abc'\r\n"
                                            << "s"
                                            << "k"
                                            << "\"abc'";
    QTest::newRow("line without equals is no key") << "[s]\r\nk\r\n"
                                                   << "s"
                                                   << "k"
                                                   << "";
    QTest::newRow("key after a line without equals") << "[s]\r\nk\r\nk=2\r\n"
                                                     << "s"
                                                     << "k"
                                                     << "2";
    QTest::newRow("empty value") << "[s]\r\nk=\r\n"
                                 << "s"
                                 << "k"
                                 << "";
    QTest::newRow("LF line ends") << "[s]\nk=v\nj=w\n"
                                  << "s"
                                  << "j"
                                  << "w";
    QTest::newRow("lone CR line ends") << "[s]\rk=v\rj=w"
                                       << "s"
                                       << "j"
                                       << "w";
    QTest::newRow("mixed line ends") << "[s]\r\rk=v\n\r\nj=w\r"
                                     << "s"
                                     << "j"
                                     << "w";
    QTest::newRow("first of two keys") << "[s]\r\nk=1\r\nK=2\r\n"
                                       << "s"
                                       << "k"
                                       << "1";
    QTest::newRow("only first of two sections") << "[s]\r\na=1\r\n[t]\r\n[S]\r\nb=2\r\n"
                                                << "s"
                                                << "b"
                                                << "";
    QTest::newRow("missing section") << "[s]\r\nk=v\r\n"
                                     << "t"
                                     << "k"
                                     << "";
    QTest::newRow("missing key") << "[s]\r\nk=v\r\n"
                                 << "s"
                                 << "j"
                                 << "";
    QTest::newRow("empty key name") << "[s]\r\n=v\r\n"
                                    << "s"
                                    << ""
                                    << "";
    QTest::newRow("semicolon key") << "[s]\r\n;name=v\r\n"
                                   << "s"
                                   << ";name"
                                   << "v";
    QTest::newRow("keys before first section") << "k=v\r\n[s]\r\n"
                                               << "s"
                                               << "k"
                                               << "";
    QTest::newRow("key of next section not leaked") << "[a]\r\nk=1\r\n[b]\r\n"
                                                    << "b"
                                                    << "k"
                                                    << "";
    QTest::newRow("no final line break") << "[s]\r\nk=v"
                                         << "s"
                                         << "k"
                                         << "v";
    QTest::newRow("double-byte value") << "[s]\r\nk=中文\r\n"
                                       << "s"
                                       << "k"
                                       << "中文";
    QTest::newRow("double-byte key and section") << "[配置信息TW]\r\n倒序限时=90s\r\n"
                                                 << "配置信息tw"
                                                 << "倒序限时"
                                                 << "90s";
}

void ProfileStoreTest::readsLikeTheDesktop() {
    QFETCH(QString, content);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    TempAppDir dir;
    const QString file = dir.write("p.ini", content);
    const QString value = ReadProfileString(file, section, key);
    QCOMPARE(value, expected);
    QCOMPARE(value.size(), expected.size());
}

void ProfileStoreTest::writesLikeTheDesktop_data() {
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("after");

    QTest::newRow("empty file") << ""
                                << "s"
                                << "k"
                                << "v"
                                << "[s]\r\nk=v\r\n";
    QTest::newRow("in place, spelling kept") << "[s]\r\nL4_left=1\r\nb=2\r\n"
                                             << "s"
                                             << "l4_left"
                                             << "9"
                                             << "[s]\r\nL4_left=9\r\nb=2\r\n";
    QTest::newRow("in place, blanks before the name kept") << "[s]\r\n  k = 1 \r\n"
                                                           << "s"
                                                           << "k"
                                                           << "2"
                                                           << "[s]\r\n  k=2\r\n";
    QTest::newRow("first of duplicate keys") << "[s]\r\nk=1\r\nk=2\r\n"
                                             << "s"
                                             << "k"
                                             << "3"
                                             << "[s]\r\nk=3\r\nk=2\r\n";
    QTest::newRow("first of duplicate sections") << "[s]\r\na=1\r\n[s]\r\nb=2\r\n"
                                                 << "s"
                                                 << "b"
                                                 << "3"
                                                 << "[s]\r\na=1\r\nb=3\r\n[s]\r\nb=2\r\n";
    QTest::newRow("new key after last entry, before blank line")
        << "[a]\r\nx=1\r\n\r\n[b]\r\ny=2\r\n"
        << "a"
        << "z"
        << "3"
        << "[a]\r\nx=1\r\nz=3\r\n\r\n[b]\r\ny=2\r\n";
    QTest::newRow("new key under a bare header") << "[a]\r\n[b]\r\n"
                                                 << "a"
                                                 << "k"
                                                 << "v"
                                                 << "[a]\r\nk=v\r\n[b]\r\n";
    QTest::newRow("new section at end") << "[a]\r\nx=1\r\n"
                                        << "b"
                                        << "y"
                                        << "2"
                                        << "[a]\r\nx=1\r\n[b]\r\ny=2\r\n";
    QTest::newRow("new key, no final line break") << "[a]\r\nx=1"
                                                  << "a"
                                                  << "z"
                                                  << "3"
                                                  << "[a]\r\nx=1\r\nz=3\r\n";
    QTest::newRow("new section, no final line break") << "[a]\r\nx=1"
                                                      << "b"
                                                      << "y"
                                                      << "2"
                                                      << "[a]\r\nx=1\r\n[b]\r\ny=2\r\n";
    QTest::newRow("other line ends untouched") << "[a]\nx=1\n[b]\ry=2\r"
                                               << "b"
                                               << "y"
                                               << "5"
                                               << "[a]\nx=1\n[b]\ry=5\r";
    QTest::newRow("comments and stray lines untouched") << "; top\r\n[a]\r\nnote\r\nx=1\r\n"
                                                        << "a"
                                                        << "x"
                                                        << "2"
                                                        << "; top\r\n[a]\r\nnote\r\nx=2\r\n";
    QTest::newRow("empty value") << "[s]\r\nk=v\r\n"
                                 << "s"
                                 << "k"
                                 << ""
                                 << "[s]\r\nk=\r\n";
    QTest::newRow("quoted value replaced") << "[s]\r\nk=\"x\"\r\n"
                                           << "s"
                                           << "k"
                                           << "y"
                                           << "[s]\r\nk=y\r\n";
    QTest::newRow("section name trimmed") << ""
                                          << " 配置信息"
                                          << "k"
                                          << "v"
                                          << "[配置信息]\r\nk=v\r\n";
    QTest::newRow("line break in value stored as blank") << "[s]\r\n"
                                                         << "s"
                                                         << "k"
                                                         << "a\r\nb\nc"
                                                         << "[s]\r\nk=a b c\r\n";
    QTest::newRow("key with equals refused") << "[s]\r\n"
                                             << "s"
                                             << "a=b"
                                             << "v"
                                             << "[s]\r\n";
    QTest::newRow("section with bracket refused") << "[s]\r\n"
                                                  << "a]b"
                                                  << "k"
                                                  << "v"
                                                  << "[s]\r\n";
    QTest::newRow("empty key refused") << "[s]\r\n"
                                       << "s"
                                       << ""
                                       << "v"
                                       << "[s]\r\n";
}

void ProfileStoreTest::writesLikeTheDesktop() {
    QFETCH(QString, before);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QString, after);
    TempAppDir dir;
    const QString file = dir.write("p.ini", before);
    WriteProfileString(file, section, key, value);
    QCOMPARE(FromGbk(dir.readBytes("p.ini")), after);
}

void ProfileStoreTest::missingFileReadsEmptyAndIsCreatedByAWrite() {
    TempAppDir dir;
    dir.mkdir("config");
    const QString file = dir.path() + "\\config\\main.ini";
    QCOMPARE(ReadProfileString(file, "配置信息", "背景颜色"), QString());
    WriteProfileString(file, "配置信息", "背景颜色", "255");
    QCOMPARE(dir.readBytes("config/main.ini"), ToGbk("[配置信息]\r\n背景颜色=255\r\n"));
    QCOMPARE(ReadProfileString(file, "配置信息", "背景颜色"), QString("255"));
}

void ProfileStoreTest::writeIntoMissingFolderChangesNothing() {
    TempAppDir dir;
    const QString file = dir.path() + "\\nowhere\\p.ini";
    WriteProfileString(file, "s", "k", "v");
    QVERIFY(!QFileInfo::exists(dir.path() + "/nowhere"));
    QCOMPARE(ReadProfileString(file, "s", "k"), QString());
}

void ProfileStoreTest::readOnlyProfileIsLeftAlone() {
    TempAppDir dir;
    const QString file = dir.write("p.ini", "[s]\r\nk=old\r\n");
    QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::ReadUser);
    WriteProfileString(file, "s", "k", "new");
    QCOMPARE(ReadProfileString(file, "s", "k"), QString("old"));
    QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

void ProfileStoreTest::letterCaseVariantsReachOneFile() {
    TempAppDir dir;
    dir.write("config/Result.ini", "[配置信息]\r\n正方得分=80\r\n");
    dir.write("config/Theme.ini", "[配置信息]\r\n主题=2\r\n");
    QCOMPARE(ReadProfileString(dir.path() + "\\config\\result.ini", "配置信息", "正方得分"),
             QString("80"));
    WriteProfileString(dir.path() + "\\CONFIG\\result.INI", "配置信息", "反方得分", "75");
    QCOMPARE(ReadProfileString(dir.path() + "\\config\\Result.ini", "配置信息", "反方得分"),
             QString("75"));
    QCOMPARE(ReadProfileString(dir.path() + "\\Config\\Theme.ini", "配置信息", "主题"),
             QString("2"));
    QCOMPARE(QDir(dir.path() + "/config").entryList(QDir::Files).size(), 2);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList{"config"});
}

void ProfileStoreTest::longValuesAreCutAt99Bytes_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("expected");
    const QString han = QString("中").repeated(60);
    QTest::newRow("120 single bytes") << QString("x").repeated(120) << QString("x").repeated(99);
    QTest::newRow("exactly 99 bytes") << QString("x").repeated(99) << QString("x").repeated(99);
    QTest::newRow("double-byte across the cut dropped") << han << QString("中").repeated(49);
    QTest::newRow("double-byte ending at the cut kept") << "a" + han << "a" + han.left(49);
}

void ProfileStoreTest::longValuesAreCutAt99Bytes() {
    QFETCH(QString, stored);
    QFETCH(QString, expected);
    TempAppDir dir;
    const QString file = dir.write("p.ini", "");
    WriteProfileString(file, "s", "k", stored);
    QCOMPARE(ReadProfileString(file, "s", "k"), expected);
    QVERIFY(ToGbk(ReadProfileString(file, "s", "k")).size() <= 99);
}

void ProfileStoreTest::invalidGbkNeverBreaksARead() {
    TempAppDir dir;
    const QString file =
        dir.writeBytes("p.ini", QByteArrayLiteral("[s]\r\nk=\x81\x30ok\xff\r\nj=ab\xd6"));
    const QString k = ReadProfileString(file, "s", "k");
    QVERIFY(k.contains(QChar::ReplacementCharacter));
    QVERIFY(k.contains("ok"));
    QCOMPARE(ReadProfileString(file, "s", "j"), QString("ab") + QChar::ReplacementCharacter);
    // The damaged line stays as it was when another key is written.
    WriteProfileString(file, "s", "new", "1");
    QVERIFY(dir.readBytes("p.ini").startsWith(QByteArrayLiteral("[s]\r\nk=\x81\x30ok\xff\r\n")));
}

void ProfileStoreTest::textGbkCannotHoldIsWrittenAsQuestionMarks() {
    TempAppDir dir;
    const QString file = dir.write("p.ini", "");
    WriteProfileString(file, "s", "k", QString::fromUtf8("a\U0001F600b"));
    QCOMPARE(ReadProfileString(file, "s", "k"), QString("a?b"));
}

void ProfileStoreTest::writeLeavesNoTemporaryFilesBehind() {
    TempAppDir dir;
    const QString file = dir.write("config/p.ini", "[s]\r\n");
    for (int i = 0; i < 20; ++i) {
        WriteProfileString(file, "s", QString("k%1").arg(i), QString::number(i));
    }
    QCOMPARE(QDir(dir.path() + "/config").entryList(QDir::Files | QDir::Hidden),
             QStringList{"p.ini"});
    QCOMPARE(ReadProfileString(file, "s", "k19"), QString("19"));
}

void ProfileStoreTest::readersDuringWritesSeeOldOrNewValueOnly() {
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

void ProfileStoreTest::fileNameOf_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("name");
    QTest::newRow("windows path") << "D:\\music\\bell.wav"
                                  << "bell.wav";
    QTest::newRow("bare name") << "bell.wav"
                               << "bell.wav";
    QTest::newRow("trailing backslash") << "D:\\music\\"
                                        << "";
    QTest::newRow("linux path") << "/home/op/音乐/铃声.wav"
                                << "铃声.wav";
    QTest::newRow("mixed separators") << "/a\\b/c.jpg"
                                      << "c.jpg";
    QTest::newRow("empty") << ""
                           << "";
}

void ProfileStoreTest::fileNameOf() {
    QFETCH(QString, path);
    QFETCH(QString, name);
    QCOMPARE(FileNameOf(path), name);
}

void ProfileStoreTest::storedFileNamesMustBeBare_data() {
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("usable");
    QTest::newRow("plain") << "bell.wav" << true;
    QTest::newRow("chinese") << "开场.jpg" << true;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("parent folder") << "..\\..\\config\\main.ini" << false;
    QTest::newRow("dots only") << ".." << false;
    QTest::newRow("slash") << "a/b.jpg" << false;
    QTest::newRow("backslash") << "a\\b.jpg" << false;
    QTest::newRow("absolute") << "/etc/passwd" << false;
}

void ProfileStoreTest::storedFileNamesMustBeBare() {
    QFETCH(QString, stored);
    QFETCH(bool, usable);
    QCOMPARE(IsBareFileName(stored), usable);
    const QString path = StoredFilePath("/app", "\\background\\jishi\\", stored);
    QCOMPARE(path.isEmpty(), !usable);
    if (usable) {
        QCOMPARE(path, "/app/background/jishi/" + stored);
    }
}

QTEST_GUILESS_MAIN(ProfileStoreTest)
#include "test_profile_store.moc"
