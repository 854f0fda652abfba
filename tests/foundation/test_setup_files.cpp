// Match setup files: the sample debate goes out and comes back byte for byte, the machine's own
// files untouched; every hostile or damaged archive is refused with nothing changed; an import
// killed halfway is rolled back; a backup undoes an import.

#include <zip.h>

#include <sys/stat.h>
#include <QCryptographicHash>
#include <QDirIterator>
#include <QProcess>
#include <QtTest>
#include <csignal>

#include "foundation/gbk.h"
#include "foundation/paths.h"
#include "foundation/profile_store.h"
#include "foundation/segment_profile.h"
#include "foundation/setup_import.h"
#include "support/data_rows.h"
#include "tools/dev_support/copy_tree.h"

namespace {

// Every file of a program folder but its backups, by path, as bytes.
QMap<QString, QByteArray> Contents(const QString& appDir) {
    QMap<QString, QByteArray> files;
    QDirIterator it(appDir, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = QDir(appDir).relativeFilePath(it.next());
        QFile file(it.filePath());
        if (!path.startsWith(QLatin1String("backups/")) && file.open(QIODevice::ReadOnly)) {
            files.insert(path, file.readAll());
        }
    }
    return files;
}

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
    QString import(const QString& zip) const {
        const StagedSetup staged = StageSetup(dir.path(), zip);
        return staged.refusal.isEmpty() ? ApplyStagedSetup(dir.path()) : staged.refusal;
    }
};

// One entry of a crafted archive.
struct Crafted {
    QByteArray name;  // raw bytes
    QByteArray data;
    bool utf8 = true;  // else stored without the UTF-8 flag, as Windows' zip folders do
    mode_t unixMode = 0;
};

QByteArray Sha256(const QByteArray& data) {
    return QCryptographicHash::hash(data, QCryptographicHash::Sha256).toHex();
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
                                               entry.utf8 ? ZIP_FL_ENC_UTF_8 : ZIP_FL_ENC_CP437);
        QVERIFY(index >= 0);
        if (entry.unixMode) {
            zip_file_set_external_attributes(zip, zip_uint64_t(index), 0, ZIP_OPSYS_UNIX,
                                             zip_uint32_t(entry.unixMode) << 16);
        }
    }
    QCOMPARE(zip_close(zip), 0);
}

const QByteArray kProfile = ToGbk(QStringLiteral("[辩论赛信息]\r\n辩论赛名称=测试\r\n"));

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
        const QMap<QString, QByteArray> hallBefore = Contents(hall.dir.path());
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
        QCOMPARE(Contents(hall.dir.path()).size(), hallBefore.size() + exported.files);  // staged
        QVERIFY(ApplyStagedSetup(hall.dir.path()).isEmpty());
        const QMap<QString, QByteArray> homeFiles = Contents(home.dir.path());
        for (const QString& member : CollectSetupMembers(home.dir.path()).paths) {
            QVERIFY2(hall.bytes("\\" + member) == homeFiles.value(member), qPrintable(member));
        }
        QCOMPARE(hall.segmentName(3), home.segmentName(3));
        for (const char* own : {"config/remote.ini", "config/display.ini", "config/Theme.ini"}) {
            QCOMPARE(hall.bytes(QString("\\") + own), hallBefore.value(own));
        }
        QVERIFY(!QFileInfo::exists(SetupStagingFolder(hall.dir.path())));

        const QStringList backups = SetupBackups(hall.dir.path());
        QCOMPARE(backups.size(), 1);
        QVERIFY(hall.import(backups.first()).isEmpty());
        QCOMPARE(hall.segmentName(3), QStringLiteral("改过的名称"));
        QCOMPARE(Contents(hall.dir.path()), hallBefore);
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
    }
    void aHostileOrDamagedArchiveChangesNothing() {
        QFETCH(QList<Crafted>, entries);
        QFETCH(QByteArray, manifest);
        Folder hall;
        const QMap<QString, QByteArray> before = Contents(hall.dir.path());
        QTemporaryDir elsewhere;
        const QString zip = elsewhere.filePath("a/b/hostile.zip");
        QDir().mkpath(elsewhere.filePath("a/b"));
        Craft(zip, entries, manifest);
        QVERIFY(!StageSetup(hall.dir.path(), zip).refusal.isEmpty());
        QCOMPARE(Contents(hall.dir.path()), before);
        QCOMPARE(QDir(elsewhere.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList{"a"});  // nothing written beside the program folder either
    }

    void notAZipAtAll() {
        Folder hall;
        const QString zip = hall.dir.filePath("setup.zip");
        QFile file(zip);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("PK\x03\x04 not really") > 0);
        file.close();
        const QMap<QString, QByteArray> before = Contents(hall.dir.path());
        QVERIFY(!StageSetup(hall.dir.path(), zip).refusal.isEmpty());
        QCOMPARE(Contents(hall.dir.path()), before);
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
        const QMap<QString, QByteArray> before = Contents(hall.dir.path());
        QVERIFY(StageSetup(hall.dir.path(), zip).refusal.isEmpty());

        QProcess child;
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--die-mid-import"), hall.dir.path()});
        QVERIFY(child.waitForFinished());
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);
        QVERIFY(Contents(hall.dir.path()) != before);  // a mix, and the staging left

        QVERIFY(RollBackUnfinishedImport(hall.dir.path()));
        QCOMPARE(Contents(hall.dir.path()), before);
        QVERIFY(!RollBackUnfinishedImport(hall.dir.path()));
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

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
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
