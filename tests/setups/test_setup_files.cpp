// Match setup files: the sample debate goes out and comes back byte for byte, the machine's own
// files untouched; every hostile or damaged archive is refused with nothing changed; an import
// killed halfway is rolled back; undoing walks back through the imports, each time to exactly
// the folder there was; what is compressed already is stored, and no archive of ours is one an
// import refuses.

#include <zip.h>

#include <sys/stat.h>
#ifndef _WIN32
#include <sys/resource.h>
#endif
#include <QCryptographicHash>
#include <QDirIterator>
#include <QProcess>
#include <QtTest>
#include <atomic>
#include <csignal>
#include <cstdio>

#include "foundation/gbk.h"
#include "foundation/paths.h"
#include "foundation/profile_store.h"
#include "foundation/saved_file.h"
#include "foundation/segment_profile.h"
#include "foundation/setups/setup_import.h"
#include "foundation/setups/setup_libzip.h"
#include "foundation/stored_files.h"
#include "support/data_rows.h"
#include "support/folder_tree.h"
#include "tools/dev_support/copy_tree.h"

namespace {

// The paths where two folders' contents differ, for a failure to name.
QByteArray Differences(const QMap<QString, QByteArray>& a, const QMap<QString, QByteArray>& b) {
    QStringList paths;
    for (const QString& path : a.keys() + b.keys()) {
        if (a.value(path, "none") != b.value(path, "none") && !paths.contains(path)) {
            paths << path;
        }
    }
    return paths.join(' ').toUtf8();
}
#define COMPARE_FOLDER(actual, expected) \
    QVERIFY2((actual) == (expected), Differences(actual, expected).constData())

// A program folder with the sample debate and a machine of its own.
struct Folder {
    QTemporaryDir dir;
    explicit Folder(const QString& token = QStringLiteral("token-of-this-machine")) {
        CopyTree(QStringLiteral(DEBACLOCK_DATA_DIR), dir.path());
        WriteProfileString(path("\\config\\remote.ini"), kConfigSection, "遥控口令", token);
        WriteProfileString(path("\\config\\display.ini"), kConfigSection, "投影屏幕", "HDMI-1");
    }
    QString path(const QString& relative) const { return AppPath(dir.path(), relative); }
    QString segmentName(int n) const {
        return ReadProfileString(SegmentProfilePath(dir.path(), n), kConfigSection,
                                 SegmentKey::Name);
    }
    QByteArray bytes(const QString& relative) const {
        QFile file(path(relative));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // Stages `zip` and puts it in place; the refusal or failure, or empty.
    QString import(const QString& zip) const { return apply(StageSetup(dir.path(), zip)); }
    // Undoes the last import; the refusal or failure, or empty.
    QString undo() const { return apply(StageUndo(dir.path())); }
    QString apply(const StagedSetup& staged) const {
        return staged.refusal.isEmpty() ? ApplyStagedSetup(dir.path()) : staged.refusal;
    }
    void write(const QString& relative, const QByteArray& bytes) const {
        QDir().mkpath(QFileInfo(path(relative)).path());
        QFile file(path(relative));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(bytes), bytes.size());
    }
};

// One entry of a crafted archive.
struct Crafted {
    QByteArray name;  // raw bytes
    QByteArray data;
    bool utf8 = true;  // else stored without the UTF-8 flag, as Windows' zip folders do
    mode_t unixMode = 0;
    bool stored = false;  // as it is, rather than deflated
};

QByteArray Sha256(const QByteArray& data) {
    return QCryptographicHash::hash(data, QCryptographicHash::Sha256).toHex();
}

// Clears the UTF-8 flag of the entries of the archive at `path` whose raw names (in hex) are
// `names`, in the central directory and in the local headers.
void UnmarkUtf8(const QString& path, const QStringList& names) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QByteArray zip = file.readAll();
    const auto u16 = [&](qsizetype at) {
        return int(quint8(zip[at])) | int(quint8(zip[at + 1])) << 8;
    };
    const auto u32 = [&](qsizetype at) {
        return qsizetype(u16(at)) | qsizetype(u16(at + 2)) << 16;
    };
    const qsizetype end = zip.size() - 22;  // no archive comment
    QCOMPARE(u32(end), qsizetype(0x06054b50));
    qsizetype at = u32(end + 16);
    for (int n = u16(end + 10); n > 0; --n) {
        const int nameLength = u16(at + 28);
        if (names.contains(QString::fromLatin1(zip.mid(at + 46, nameLength).toHex()))) {
            zip[at + 9] = char(zip[at + 9] & ~0x08);
            zip[u32(at + 42) + 7] = char(zip[u32(at + 42) + 7] & ~0x08);
        }
        at += 46 + nameLength + u16(at + 30) + u16(at + 32);
    }
    QVERIFY(file.seek(0));
    QCOMPARE(file.write(zip), zip.size());
}

// An archive of `entries`, with a manifest of them unless `manifest` says otherwise ("none",
// or a JSON text of its own).
void Craft(const QString& path, const QList<Crafted>& entries, const QByteArray& manifest = {}) {
    QJsonArray files;
    for (const Crafted& entry : entries) {
        files.append(
            QJsonObject{{"path", entry.utf8 ? QString::fromUtf8(entry.name) : FromGbk(entry.name)},
                        {"size", entry.data.size()},
                        {"sha256", QString::fromLatin1(Sha256(entry.data))}});
    }
    const QByteArray ours =
        QJsonDocument(
            QJsonObject{
                {"format", 1}, {"program", "debaclock"}, {"debate", "测试"}, {"files", files}})
            .toJson();
    int error = 0;
    zip_t* zip = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    QVERIFY(zip);
    QList<Crafted> all = entries;
    if (manifest != "none") {
        all << Crafted{"manifest.json", manifest.isEmpty() ? ours : manifest};
    }
    for (const Crafted& entry : all) {
        zip_source_t* source =
            zip_source_buffer(zip, entry.data.constData(), zip_uint64_t(entry.data.size()), 0);
        const zip_int64_t index = zip_file_add(zip, entry.name.constData(), source,
                                               entry.utf8 ? ZIP_FL_ENC_UTF_8 : ZIP_FL_ENC_GUESS);
        QVERIFY(index >= 0);
        if (entry.stored) {
            QCOMPARE(zip_set_file_compression(zip, zip_uint64_t(index), ZIP_CM_STORE, 0), 0);
        }
        if (entry.unixMode) {
            zip_file_set_external_attributes(zip, zip_uint64_t(index), 0, ZIP_OPSYS_UNIX,
                                             zip_uint32_t(entry.unixMode) << 16);
        }
    }
    QCOMPARE(zip_close(zip), 0);
    // libzip marks every name that is valid UTF-8 as such; Windows' zip folders mark none.
    QStringList unmarked;
    for (const Crafted& entry : entries) {
        if (!entry.utf8) {
            unmarked << QString::fromLatin1(entry.name.toHex());
        }
    }
    if (!unmarked.isEmpty()) {
        UnmarkUtf8(path, unmarked);
    }
}

const QByteArray kProfile = ToGbk(QStringLiteral("[辩论赛信息]\r\n辩论赛名称=测试\r\n"));

QByteArray Noise(qsizetype size, quint32 seed) {
    QByteArray bytes(size + 3, Qt::Uninitialized);
    QRandomGenerator(seed).fillRange(reinterpret_cast<quint32*>(bytes.data()), bytes.size() / 4);
    bytes.truncate(size);
    return bytes;
}

// The archive at `path` with one byte of `data`, where the archive holds it as it is, changed.
void Damage(const QString& path, const QByteArray& data) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QByteArray zip = file.readAll();
    const qsizetype at = zip.indexOf(data);
    QVERIFY(at >= 0 && zip.indexOf(data, at + 1) < 0);
    zip[at + data.size() / 2] = char(zip[at + data.size() / 2] ^ 0x01);
    QVERIFY(file.seek(0));
    QCOMPARE(file.write(zip), zip.size());
}

}  // namespace

Q_DECLARE_METATYPE(Crafted)

class SetupFilesTest : public QObject {
    Q_OBJECT

  private slots:
    // Out of one machine and into another: every file of the setup arrives byte for byte, the
    // second machine keeps its own token and projector; a backup of what it had undoes it.
    void aRoundTripAndItsUndo() {
        Folder home, hall(QStringLiteral("token-of-the-hall"));
        WriteProfileString(SegmentProfilePath(hall.dir.path(), 3), kConfigSection, SegmentKey::Name,
                           "改过的名称");
        const QMap<QString, QByteArray> hallBefore = FolderTree(hall.dir.path());
        const QString zip = home.dir.filePath("setup.zip");
        const SetupExport exported = ExportSetup(home.dir.path(), zip);
        QVERIFY2(exported.problem.isEmpty(), qPrintable(exported.problem));
        QVERIFY(exported.files > 20);
        QCOMPARE(exported.leftOut, CollectSetupMembers(home.dir.path()).leftOut);

        const StagedSetup staged = StageSetup(hall.dir.path(), zip);
        QVERIFY2(staged.refusal.isEmpty(), qPrintable(staged.refusal));
        QCOMPARE(staged.question(),
                 QStringLiteral("将导入：第五届“星河杯”大学生辩论赛，8个计时环节，%1个文件（%2）。"
                                "当前设置将先备份。是否继续？")
                     .arg(exported.files)
                     .arg(ByteSizeText(exported.bytes)));
        const auto files = [](const QMap<QString, QByteArray>& contents) {
            return std::count_if(contents.cbegin(), contents.cend(),
                                 [](const QByteArray& bytes) { return bytes != "/"; });
        };
        QCOMPARE(files(FolderTree(hall.dir.path())), files(hallBefore) + exported.files);  // staged
        QVERIFY(ApplyStagedSetup(hall.dir.path()).isEmpty());
        const QMap<QString, QByteArray> homeFiles = FolderTree(home.dir.path());
        for (const QString& member : CollectSetupMembers(home.dir.path()).paths) {
            QVERIFY2(hall.bytes("\\" + member) == homeFiles.value(member), qPrintable(member));
        }
        QCOMPARE(hall.segmentName(3), home.segmentName(3));
        for (const char* own : {"config/remote.ini", "config/display.ini", "config/Theme.ini"}) {
            QCOMPARE(hall.bytes(QString("\\") + own), hallBefore.value(own));
        }
        QVERIFY(!QFileInfo::exists(SetupStagingFolder(hall.dir.path())));

        QCOMPARE(SetupBackups(hall.dir.path()).size(), 1);
        QVERIFY(hall.undo().isEmpty());
        QCOMPARE(hall.segmentName(3), QStringLiteral("改过的名称"));
        QCOMPARE(FolderTree(hall.dir.path()), hallBefore);
    }

    // A→B→C, undone twice: exactly B, then exactly A, the fallback picture that no setting
    // names included; a folder an import made goes with it. Then nothing is left to undo.
    void undoWalksBackThroughTheImports() {
        Folder hall;
        QVERIFY(QDir(hall.path("\\sound\\Warn\\user")).removeRecursively());
        const QMap<QString, QByteArray> a = FolderTree(hall.dir.path());
        QTemporaryDir elsewhere;
        const QString b = elsewhere.filePath("b.zip"), c = elsewhere.filePath("c.zip");
        Craft(b, {{"config/main.ini", ToGbk(QStringLiteral("[配置信息]\r\n背景图片=新.jpg\r\n"))},
                  {"background/main/default.jpg", "the fallback picture of setup B"},
                  {ToGbk(QStringLiteral("background/main/新.jpg")), "B's picture", false},
                  {"sound/Warn/user/w.wav", "B's warning"}});
        Craft(c, {{"config/main.ini", ToGbk(QStringLiteral("[配置信息]\r\n背景图片=c.jpg\r\n"))},
                  {"background/main/default.jpg", "the fallback picture of setup C"},
                  {"background/main/c.jpg", "C's picture"}});
        QCOMPARE(hall.import(b), QString());
        const QMap<QString, QByteArray> afterB = FolderTree(hall.dir.path());
        QCOMPARE(afterB.value("background/main/default.jpg"),
                 QByteArray("the fallback picture of setup B"));
        QCOMPARE(hall.import(c), QString());
        QCOMPARE(SetupBackups(hall.dir.path()).size(), 2);

        const StagedSetup undoC = StageUndo(hall.dir.path());
        QVERIFY2(undoC.refusal.isEmpty(), qPrintable(undoC.refusal));
        QVERIFY(undoC.question().startsWith(
            QStringLiteral("将撤销 %1 的导入，恢复为导入前的比赛方案：").arg(undoC.undoes)));
        QVERIFY(QRegularExpression("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d$")
                    .match(undoC.undoes)
                    .hasMatch());
        QCOMPARE(hall.apply(undoC), QString());
        COMPARE_FOLDER(FolderTree(hall.dir.path()), afterB);
        QCOMPARE(hall.undo(), QString());
        COMPARE_FOLDER(FolderTree(hall.dir.path()), a);

        QVERIFY(SetupBackups(hall.dir.path()).isEmpty());
        QCOMPARE(StageUndo(hall.dir.path()).refusal, kNothingToUndo);
        COMPARE_FOLDER(FolderTree(hall.dir.path()), a);
    }

    // Backups sort by the time in their names, also past a tenth of one second, and a new one
    // comes after all of them whatever the clock says.
    void backupsSortByTime() {
        Folder home, hall;
        QDir().mkpath(hall.dir.filePath("backups"));
        const QStringList names = {"2026-12-09_14-32-05.zip", "2026-12-09_14-32-05_2.zip",
                                   "2026-12-09_14-32-05_10.zip", "2026-12-10_08-00-00.zip",
                                   "not-a-backup.zip"};
        for (const QString& name : names) {
            QFile made(hall.dir.filePath("backups/" + name));
            QVERIFY(made.open(QIODevice::WriteOnly));
        }
        const auto namesOf = [](const QStringList& paths) {
            QStringList names;
            for (const QString& path : paths) {
                names << QFileInfo(path).fileName();
            }
            return names;
        };
        QCOMPARE(namesOf(SetupBackups(hall.dir.path())),
                 (QStringList{"2026-12-10_08-00-00.zip", "2026-12-09_14-32-05_10.zip",
                              "2026-12-09_14-32-05_2.zip", "2026-12-09_14-32-05.zip"}));
        QFile later(hall.dir.filePath("backups/2999-01-01_00-00-00_10.zip"));
        QVERIFY(later.open(QIODevice::WriteOnly));
        later.close();
        const QString zip = home.dir.filePath("setup.zip");
        QVERIFY(ExportSetup(home.dir.path(), zip).problem.isEmpty());
        QVERIFY(hall.import(zip).isEmpty());
        QCOMPARE(namesOf(SetupBackups(hall.dir.path())).first(),
                 QStringLiteral("2999-01-01_00-00-00_11.zip"));
    }

    // "14:00.jpg" is refused where it would be stored, and an export that finds one says so and
    // leaves it out: the archive is one the program takes.
    void exportAndImportAgreeOnNames() {
        QVERIFY(!StorableFileName(QStringLiteral("14:00.jpg")));
        QVERIFY(StorableFileName(QStringLiteral("14点00分.jpg")));
        Folder home, hall;
        home.write("\\background\\main\\14:00.jpg", "a screenshot");
        WriteProfileString(home.path("\\config\\main.ini"), kConfigSection, "背景图片",
                           "14:00.jpg");
        const QString zip = home.dir.filePath("setup.zip");
        const SetupExport exported = ExportSetup(home.dir.path(), zip);
        QVERIFY2(exported.problem.isEmpty(), qPrintable(exported.problem));
        QCOMPARE(exported.notCarried, QStringList{"background/main/14:00.jpg"});
        QVERIFY(exported.summary().contains("未导出：background/main/14:00.jpg"));
        const StagedSetup staged = StageSetup(hall.dir.path(), zip);
        QVERIFY2(staged.refusal.isEmpty(), qPrintable(staged.refusal));
        QCOMPARE(staged.missing, QStringList{QStringLiteral("main.ini 背景图片：14:00.jpg")});
    }

    void aHostileOrDamagedArchiveChangesNothing_data() {
        QTest::addColumn<QList<Crafted>>("entries");
        QTest::addColumn<QByteArray>("manifest");
        const Crafted info{"config/BasicInfo.ini", kProfile};
        AddRow("no manifest of ours", QList<Crafted>{info}, QByteArray("none"));
        AddRow("a newer format", QList<Crafted>{info},
               QByteArray(R"({"format": 2, "program": "debaclock", "files": []})"));
        AddRow("out of the folder", QList<Crafted>{{"../../.bashrc", "rm -rf ~"}}, QByteArray());
        AddRow("an absolute path", QList<Crafted>{{"/etc/cron.d/x", "x"}}, QByteArray());
        AddRow("a drive letter", QList<Crafted>{{"C:/autoexec.bat", "x"}}, QByteArray());
        AddRow("a backslash that escapes", QList<Crafted>{{"config\\..\\..\\x.ini", "x"}},
               QByteArray());
        AddRow("a link",
               QList<Crafted>{{"background/main/a.jpg", "/etc/passwd", true, S_IFLNK | 0777}},
               QByteArray());
        AddRow("a device", QList<Crafted>{{"background/main/a.jpg", "", true, S_IFCHR | 0666}},
               QByteArray());
        AddRow("a zip bomb", QList<Crafted>{{"background/main/z.jpg", QByteArray(4 << 20, '\0')}},
               QByteArray());
        QList<Crafted> many;
        for (int i = 0; i <= kSetupMostEntries; ++i) {
            many << Crafted{QByteArray("background/main/") + QByteArray::number(i), "x"};
        }
        AddRow("more than 10,000 entries", many, QByteArray());
        const QByteArray listed = R"({"format": 1, "program": "debaclock", "files": [{"path":
                  "config/BasicInfo.ini", "size": %1, "sha256": "%2"}]})";
        AddRow("a size that does not match", QList<Crafted>{info},
               QString(listed).arg(42).arg(QString(Sha256(kProfile))).toUtf8());
        AddRow("a checksum that does not match", QList<Crafted>{info},
               QString(listed).arg(kProfile.size()).arg(QString(64, 'a')).toUtf8());
        AddRow("a profile that is not GBK",
               QList<Crafted>{{"config/BasicInfo.ini", "[\x81\x7F\x81]\r\n"}}, QByteArray());
        AddRow("the machine's own token", QList<Crafted>{info, {"config/remote.ini", kProfile}},
               QByteArray());
        const QString listedOnce = QString(R"({"path": "config/BasicInfo.ini", "size": %1,
                  "sha256": "%2"})")
                                       .arg(kProfile.size())
                                       .arg(QString(Sha256(kProfile)));
        AddRow("one file listed twice, the token not at all",
               QList<Crafted>{info, {"config/remote.ini", kProfile}},
               QString(R"({"format": 1, "program": "debaclock", "files": [%1, %1]})")
                   .arg(listedOnce)
                   .toUtf8());
        AddRow("a backup that would remove the token", QList<Crafted>{info},
               QString(R"({"format": 1, "program": "debaclock", "files": [%1],
                           "removes": ["config/remote.ini"]})")
                   .arg(listedOnce)
                   .toUtf8());
        AddRow("a backup that would remove a folder of the program", QList<Crafted>{info},
               QString(R"({"format": 1, "program": "debaclock", "files": [%1],
                           "removes": ["html/"]})")
                   .arg(listedOnce)
                   .toUtf8());
    }
    void aHostileOrDamagedArchiveChangesNothing() {
        QFETCH(QList<Crafted>, entries);
        QFETCH(QByteArray, manifest);
        Folder hall;
        const QMap<QString, QByteArray> before = FolderTree(hall.dir.path());
        QTemporaryDir elsewhere;
        const QString zip = elsewhere.filePath("a/b/hostile.zip");
        QDir().mkpath(elsewhere.filePath("a/b"));
        Craft(zip, entries, manifest);
        QVERIFY(!StageSetup(hall.dir.path(), zip).refusal.isEmpty());
        QCOMPARE(FolderTree(hall.dir.path()), before);
        QCOMPARE(QDir(elsewhere.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList{"a"});  // nothing written beside the program folder either
    }

    void notAZipAtAll() {
        Folder hall;
        const QString zip = hall.dir.filePath("setup.zip");
        QFile file(zip);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("PK\x03\x04 not really") > 0);
        file.close();
        const QMap<QString, QByteArray> before = FolderTree(hall.dir.path());
        QVERIFY(!StageSetup(hall.dir.path(), zip).refusal.isEmpty());
        QCOMPARE(FolderTree(hall.dir.path()), before);
    }

    // Zipped again by Chinese Windows' own "send to compressed folder": GBK names, no flag.
    void windowsGbkNamesArriveRight() {
        Folder hall;
        const QByteArray mainProfile =
            ToGbk(QStringLiteral("[配置信息]\r\n背景图片=主背景 图.jpg\r\n"));
        const QString zip = hall.dir.filePath("setup.zip");
        Craft(zip, {{"config/main.ini", mainProfile},
                    {ToGbk(QStringLiteral("background/main/主背景 图.jpg")), "picture", false}});
        const StagedSetup staged = StageSetup(hall.dir.path(), zip);
        QVERIFY2(staged.missing.isEmpty(), qPrintable(staged.missing.join(' ')));
        QVERIFY(ApplyStagedSetup(hall.dir.path()).isEmpty());
        QCOMPARE(hall.bytes(QStringLiteral("\\background\\main\\主背景 图.jpg")),
                 QByteArray("picture"));
    }

    // Unflagged names whose GBK bytes are valid UTF-8 too ("图片" is CD BC C6 AC): the manifest
    // says which they are.
    void gbkNamesTheManifestLists_data() {
        QTest::addColumn<QString>("name");
        AddRow("valid UTF-8 as well", QStringLiteral("图片.jpg"));
        AddRow("valid UTF-8 as well, another", QStringLiteral("学校.jpg"));
        AddRow("not valid UTF-8", QStringLiteral("背景.jpg"));
    }
    void gbkNamesTheManifestLists() {
        QFETCH(QString, name);
        Folder hall;
        const QString zip = hall.dir.filePath("setup.zip");
        Craft(zip, {{ToGbk("background/main/" + name), "picture", false}});
        const StagedSetup staged = StageSetup(hall.dir.path(), zip);
        QVERIFY2(staged.refusal.isEmpty(), qPrintable(staged.refusal));
        QVERIFY(ApplyStagedSetup(hall.dir.path()).isEmpty());
        QCOMPARE(hall.bytes("\\background\\main\\" + name), QByteArray("picture"));
    }

    // A setting naming a file the setup does not carry is no refusal, but it is said.
    void filesTheSetupLacksAreListed() {
        Folder hall;
        const QString zip = hall.dir.filePath("setup.zip");
        Craft(zip,
              {{"config/main.ini", ToGbk(QStringLiteral("[配置信息]\r\n背景图片=无.jpg\r\n"))}});
        const StagedSetup staged = StageSetup(hall.dir.path(), zip);
        QVERIFY(staged.refusal.isEmpty());
        QCOMPARE(staged.missing, QStringList{QStringLiteral("main.ini 背景图片：无.jpg")});
        QVERIFY(staged.question().contains(
            QStringLiteral("1 个设置所指的文件不在方案中：main.ini 背景图片：无.jpg。")));
        DropStagedSetup(hall.dir.path());
        QVERIFY(!QFileInfo::exists(SetupStagingFolder(hall.dir.path())));
    }

    // Killed while it puts files in place (this test, run again as a child, kills itself after
    // three renames): the next start finds the plan and puts the old setup back.
    void killedWhileRenamingItIsRolledBack() {
        Folder home, hall(QStringLiteral("token-of-the-hall"));
        WriteProfileString(SegmentProfilePath(hall.dir.path(), 3), kConfigSection, SegmentKey::Name,
                           "改过的名称");
        const QString zip = home.dir.filePath("setup.zip");
        QVERIFY(ExportSetup(home.dir.path(), zip).problem.isEmpty());
        const QMap<QString, QByteArray> before = FolderTree(hall.dir.path());
        QVERIFY(StageSetup(hall.dir.path(), zip).refusal.isEmpty());

        QProcess child;
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--die-mid-import"), hall.dir.path()});
        QVERIFY(child.waitForFinished());
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);
        QVERIFY(FolderTree(hall.dir.path()) != before);  // a mix, and the staging left

        QVERIFY(RollBackUnfinishedImport(hall.dir.path()));
        QCOMPARE(FolderTree(hall.dir.path()), before);
        QVERIFY(!RollBackUnfinishedImport(hall.dir.path()));
    }

    // Cancelled while the threads unpack, or once the last byte is unpacked, while the
    // checksums are compared: nothing changed, nothing to say.
    void aCancelledImportSaysNothing_data() {
        QTest::addColumn<bool>("atTheEnd");
        AddRow("while the files are unpacked", false);
        AddRow("once the last byte is unpacked", true);
    }
    void aCancelledImportSaysNothing() {
        QFETCH(bool, atTheEnd);
        Folder home, hall;
        const QString zip = home.dir.filePath("setup.zip");
        QVERIFY(ExportSetup(home.dir.path(), zip).problem.isEmpty());
        const QMap<QString, QByteArray> before = FolderTree(hall.dir.path());
        std::atomic<bool> cancel{false};
        SetupWork work;
        work.cancel = &cancel;
        work.progress = [&](qint64 done, qint64 total) { cancel = !atTheEnd || done == total; };
        const StagedSetup staged = StageSetup(hall.dir.path(), zip, work);
        QVERIFY(staged.cancelled);
        QCOMPARE(staged.refusal, QString());
        QCOMPARE(FolderTree(hall.dir.path()), before);
    }

    // An export cancelled or unable to write (run as a child that may write no file past
    // 64 KB) leaves neither the archive nor a part of it; the failure says why.
    void anExportThatStopsLeavesNothing() {
        Folder home;
        QTemporaryDir out;
        const QString zip = out.filePath("setup.zip");
        std::atomic<bool> cancel{false};
        SetupWork work;
        work.cancel = &cancel;
        work.progress = [&](qint64, qint64) { cancel = true; };
        QVERIFY(ExportSetup(home.dir.path(), zip, work).cancelled);
        QCOMPARE(QDir(out.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), {});

#ifdef Q_OS_WIN
        QSKIP("Windows cannot limit the size of one process's files, which stands for a full disk");
#endif
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--export-with-small-files"), home.dir.path(), zip});
        QVERIFY(child.waitForFinished());
        const QString said = QString::fromUtf8(child.readAllStandardOutput());
        QVERIFY2(!said.isEmpty() && said != "-", qPrintable(said));
        QCOMPARE(QDir(out.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), {});
    }

    // A file that cannot be written (run as a child that may write no file past 64 KB) is said
    // as such, not as a damaged setup; a full disk says so.
    void aWriteThatFailsIsNoDamage() {
#ifdef Q_OS_WIN
        QSKIP("Windows cannot limit the size of one process's files, which stands for a full disk");
#endif
        Folder hall;
        const QString zip = hall.dir.filePath("setup.zip");
        QByteArray picture(1 << 20, Qt::Uninitialized);
        QRandomGenerator(29).fillRange(reinterpret_cast<quint32*>(picture.data()),
                                       picture.size() / 4);
        Craft(zip, {{"background/main/big.jpg", picture}});
        const QMap<QString, QByteArray> before = FolderTree(hall.dir.path());
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--stage-with-small-files"), hall.dir.path(), zip});
        QVERIFY(child.waitForFinished());
        const QString said = QString::fromUtf8(child.readAllStandardOutput());
        QVERIFY2(said.startsWith(QStringLiteral("无法写入")), qPrintable(said));
        QVERIFY2(!said.contains(QStringLiteral("损坏")), qPrintable(said));
        QCOMPARE(FolderTree(hall.dir.path()), before);

        QFile full(QStringLiteral("/dev/full"));
        if (!full.open(QIODevice::WriteOnly)) {
            QSKIP("no /dev/full here");
        }
        QCOMPARE(full.write(picture), -1);
        QCOMPARE(FileProblem(full), QStringLiteral("磁盘空间不足"));
        zip_error_t libzip;
        zip_error_init(&libzip);
        zip_error_set(&libzip, ZIP_ER_WRITE, ENOSPC);
        QCOMPARE(ZipProblem(libzip), QStringLiteral("磁盘空间不足"));
        zip_error_set(&libzip, ZIP_ER_WRITE, EIO);
        QVERIFY(ZipProblem(libzip) != QStringLiteral("磁盘空间不足"));
        zip_error_fini(&libzip);
    }

    // A roll-back that cannot put a file back says which file and where it waits, keeps it
    // there, and the next start puts it back. Sabotaged after the first rename: the file moved
    // in becomes a folder, and the files still to come vanish from the staging.
    void aRollBackThatCannotPutAFileBackSaysSo() {
        Folder hall;
        const QString zip = hall.dir.filePath("setup.zip");
        const QByteArray changed = ToGbk(QStringLiteral("[配置信息]\r\n背景图片=x.jpg\r\n"));
        Craft(zip, {{"config/main.ini", changed}, {"config/BasicInfo.ini", changed}});
        const QMap<QString, QByteArray> before = FolderTree(hall.dir.path());
        QVERIFY(StageSetup(hall.dir.path(), zip).refusal.isEmpty());
        QString sabotaged;
        SetupWork work;
        work.progress = [&](qint64 done, qint64) {
            if (done != 1) {
                return;
            }
            for (const QString path : {"config/main.ini", "config/BasicInfo.ini"}) {
                if (hall.bytes("\\" + path) == changed) {
                    sabotaged = path;
                    QFile::remove(hall.dir.filePath(path));
                    QDir().mkpath(hall.dir.filePath(path + "/in the way"));
                }
            }
            QDirIterator staged(SetupStagingFolder(hall.dir.path()) + "/new", QDir::Files,
                                QDirIterator::Subdirectories);
            while (staged.hasNext()) {
                QFile::remove(staged.next());
            }
        };
        const QString said = ApplyStagedSetup(hall.dir.path(), work);
        QVERIFY(!sabotaged.isEmpty());
        QVERIFY2(said.contains(QStringLiteral("未能放回原来的“%1”").arg(sabotaged)),
                 qPrintable(said));
        QVERIFY2(!said.contains(QStringLiteral("已恢复原来的设置")), qPrintable(said));
        const QString aside = SetupStagingFolder(hall.dir.path()) + "/old/" + sabotaged;
        QCOMPARE(QFile(aside).size(), before.value(sabotaged).size());

        QVERIFY(RollBackUnfinishedImport(hall.dir.path()));  // still in the way: kept
        QVERIFY(QFileInfo::exists(aside));
        QVERIFY(QDir(hall.dir.filePath(sabotaged)).removeRecursively());
        QVERIFY(RollBackUnfinishedImport(hall.dir.path()));
        QCOMPARE(FolderTree(hall.dir.path()), before);
    }

    // Pictures, sounds and presentations that are compressed already are stored as they are;
    // what gains is deflated, unless it would deflate past the ratio an import takes.
    void compressedFormatsAreStored_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("method");
        QByteArray noise(300 * 1024, Qt::Uninitialized);
        QRandomGenerator(6).fillRange(reinterpret_cast<quint32*>(noise.data()), noise.size() / 4);
        QByteArray pattern;
        for (int i = 0; pattern.size() < 300 * 1024; ++i) {
            pattern += QByteArray::number(i % 977) + ' ';
        }
        AddRow("a JPEG", QString("background/main/a.jpg"), noise, int(ZIP_CM_STORE));
        AddRow("a PNG", QString("background/jishi/a.PNG"), noise, int(ZIP_CM_STORE));
        AddRow("an MP3", QString("sound/Warn/user/a.mp3"), noise, int(ZIP_CM_STORE));
        AddRow("a WMA", QString("sound/Warn/user/a.wma"), noise, int(ZIP_CM_STORE));
        AddRow("a presentation", QString("ppt/a.pptx"), noise, int(ZIP_CM_STORE));
        AddRow("a WAV", QString("sound/Warn/user/a.wav"), pattern, int(ZIP_CM_DEFLATE));
        AddRow("a BMP", QString("background/main/a.bmp"), pattern, int(ZIP_CM_DEFLATE));
        AddRow("a profile", QString("config/main.ini"), ToGbk("[配置信息]\r\n"),
               int(ZIP_CM_DEFLATE));
        AddRow("a BMP of one colour", QString("background/main/flat.bmp"),
               QByteArray(2 << 20, '\x7f'), int(ZIP_CM_STORE));
    }
    void compressedFormatsAreStored() {
        QFETCH(QString, path);
        QFETCH(QByteArray, bytes);
        QFETCH(int, method);
        QTemporaryDir home, hall;  // bare folders: only the file matters
        QDir().mkpath(QFileInfo(home.filePath(path)).path());
        QFile file(home.filePath(path));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        file.close();
        const QString zip = home.filePath("setup.zip");
        QVERIFY(ExportSetup(home.path(), SetupMembers{{path}, 0, {}}, zip).problem.isEmpty());
        int error = 0;
        zip_t* archive = zip_open(QFile::encodeName(zip).constData(), ZIP_RDONLY, &error);
        QVERIFY(archive);
        zip_stat_t stat;
        QCOMPARE(zip_stat(archive, path.toUtf8().constData(), 0, &stat), 0);
        zip_discard(archive);
        QCOMPARE(int(stat.comp_method), method);
        const StagedSetup staged = StageSetup(hall.path(), zip);
        QVERIFY2(staged.refusal.isEmpty(), qPrintable(staged.refusal));
        QCOMPARE(ApplyStagedSetup(hall.path()), QString());
        QFile imported(hall.filePath(path));
        QVERIFY(imported.open(QIODevice::ReadOnly));
        QCOMPARE(imported.readAll(), bytes);
    }

    // Files on either side of the megabyte the export reads and the import writes at a time,
    // stored and deflated, several threads unpacking them: each arrives byte for byte, and
    // progress is said one call at a time, rising to the whole.
    void filesOfEverySizeGoOutAndComeBack_data() {
        QTest::addColumn<QString>("suffix");
        AddRow("stored", QString(".jpg"));
        AddRow("deflated", QString(".wav"));
    }
    void filesOfEverySizeGoOutAndComeBack() {
        QFETCH(QString, suffix);
        QTemporaryDir home, hall;
        constexpr qsizetype kMegabyte = 1024 * 1024;
        SetupMembers members;
        QMap<QString, QByteArray> sent;
        qint64 total = 0;
        for (const qsizetype size : {qsizetype(0), qsizetype(1), kMegabyte - 1, kMegabyte,
                                     kMegabyte + 1, 3 * kMegabyte + 5}) {
            const QString path = QStringLiteral("background/main/%1%2").arg(size).arg(suffix);
            sent.insert(path, Noise(size, quint32(size)));
            QDir().mkpath(QFileInfo(home.filePath(path)).path());
            QFile file(home.filePath(path));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(sent[path]) == size);
            members.paths << path;
            total += size;
        }
        const QString zip = home.filePath("setup.zip");
        qint64 exportedTo = 0;
        SetupWork out;
        out.progress = [&](qint64 done, qint64) { exportedTo = done; };
        const SetupExport exported = ExportSetup(home.path(), members, zip, out);
        QVERIFY2(exported.problem.isEmpty(), qPrintable(exported.problem));
        QCOMPARE(exported.files, int(sent.size()));
        QCOMPARE(exported.bytes, total);
        QCOMPARE(exportedTo, total);

        std::atomic<int> inside{0};
        std::atomic<bool> together{false}, falling{false};
        qint64 last = 0, whole = 0;
        SetupWork in;
        in.progress = [&](qint64 done, qint64 all) {
            together = together || inside++ > 0;
            falling = falling || done < last;
            last = done;
            whole = all;
            --inside;
        };
        const StagedSetup staged = StageSetup(hall.path(), zip, in);
        QVERIFY2(staged.refusal.isEmpty(), qPrintable(staged.refusal));
        QVERIFY(!together && !falling);
        QCOMPARE(last, total);
        QCOMPARE(whole, total);
        QCOMPARE(ApplyStagedSetup(hall.path()), QString());
        for (auto file = sent.cbegin(); file != sent.cend(); ++file) {
            QFile arrived(hall.filePath(file.key()));
            QVERIFY2(arrived.open(QIODevice::ReadOnly), qPrintable(file.key()));
            QVERIFY2(arrived.readAll() == file.value(), qPrintable(file.key()));
        }
    }

    // Bytes that disagree with the CRC the archive gives them are refused as damaged, even when
    // the manifest's checksum is theirs: libzip checks each entry as it unpacks it, and the
    // other threads stop with nothing left behind.
    void anEntryThatBreaksItsCrcIsDamaged() {
        Folder hall;
        const QMap<QString, QByteArray> before = FolderTree(hall.dir.path());
        QTemporaryDir elsewhere;
        const QString zip = elsewhere.filePath("setup.zip");
        QList<Crafted> entries;
        for (int i = 0; i < 6; ++i) {
            entries << Crafted{QByteArray("background/main/") + QByteArray::number(i) + ".jpg",
                               Noise(700 * 1024, quint32(40 + i)), true, 0, true};
        }
        QByteArray damaged = entries[2].data;
        damaged[damaged.size() / 2] = char(damaged[damaged.size() / 2] ^ 0x01);
        QJsonArray files;
        for (const Crafted& entry : std::as_const(entries)) {
            const QByteArray& listed = &entry == &entries[2] ? damaged : entry.data;
            files.append(QJsonObject{{"path", QString::fromUtf8(entry.name)},
                                     {"size", listed.size()},
                                     {"sha256", QString::fromLatin1(Sha256(listed))}});
        }
        Craft(zip, entries,
              QJsonDocument(QJsonObject{{"format", 1}, {"program", "debaclock"}, {"files", files}})
                  .toJson());
        Damage(zip, entries[2].data);
        QCOMPARE(StageSetup(hall.dir.path(), zip).refusal,
                 QStringLiteral("方案文件中“background/main/2.jpg”已损坏，未导入任何内容。"));
        QCOMPARE(FolderTree(hall.dir.path()), before);
    }

    void onlyTheLastTwentyBackupsAreKept() {
        Folder home, hall;
        QDir().mkpath(hall.dir.filePath("backups"));
        for (int i = 0; i < kSetupBackupsKept; ++i) {
            QFile old(
                hall.dir.filePath(QStringLiteral("backups/2020-01-%1_00-00-00.zip").arg(i + 10)));
            QVERIFY(old.open(QIODevice::WriteOnly));
        }
        const QString zip = home.dir.filePath("setup.zip");
        QVERIFY(ExportSetup(home.dir.path(), zip).problem.isEmpty());
        QVERIFY(hall.import(zip).isEmpty());
        const QStringList kept = SetupBackups(hall.dir.path());
        QCOMPARE(kept.size(), kSetupBackupsKept);
        QVERIFY(!kept.first().contains("2020-"));  // the new one, newest first
        QVERIFY(!kept.contains(hall.dir.filePath("backups/2020-01-10_00-00-00.zip")));
    }
};

// No file of this process grows past 64 KB: a write beyond fails, as on a full disk. Windows
// has no such limit; the tests that need it skip there.
void WriteSmallFilesOnly() {
#ifndef Q_OS_WIN
    const rlimit small{64 * 1024, 64 * 1024};
    std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
#endif
}

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (argc == 4 && QByteArray(argv[1]) == "--stage-with-small-files") {
        WriteSmallFilesOnly();
        const StagedSetup staged =
            StageSetup(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
        std::fputs(staged.refusal.toUtf8().constData(), stdout);
        return 0;
    }
    if (argc == 4 && QByteArray(argv[1]) == "--export-with-small-files") {
        WriteSmallFilesOnly();
        const SetupExport exported =
            ExportSetup(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
        std::fputs(exported.problem.isEmpty() ? "-" : exported.problem.toUtf8().constData(),
                   stdout);
        return 0;
    }
    if (argc == 3 && QByteArray(argv[1]) == "--die-mid-import") {
        SetupWork work;
        work.progress = [](qint64 done, qint64) {
            if (done == 3) {
                std::raise(SIGKILL);
            }
        };
        ApplyStagedSetup(QString::fromLocal8Bit(argv[2]), work);
        return 0;
    }
    SetupFilesTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_setup_files.moc"
