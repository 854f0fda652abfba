// Setup files from a shell: the real program, copied to a folder of its own, exports, imports
// and undoes without a window, says why it refuses with a non-zero status, and never works
// under a copy that is running.

#include <QtTest>

#include "foundation/main_profile.h"
#include "foundation/setups/setup_import.h"
#include "support/folder_tree.h"
#include "tools/dev_support/child_program.h"

using child_program::Child;

namespace {

struct Run {
    int status = -1;
    QString out, errors;
};

Run Command(const Child& child, const QStringList& arguments) {
    QProcess process;
    process.setProcessEnvironment(child.process.processEnvironment());
    process.start(child.dir.filePath(QStringLiteral("debaclock")), arguments);
    process.waitForFinished();
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

// A setup made from the shipped one: its main picture is the fallback picture, with bytes of
// its own, beside a picture of its own.
QString SetupReplacingTheFallback(const QTemporaryDir& outside, const QString& name) {
    const QString home = outside.filePath(name);
    CopyTree(QStringLiteral(DEBACLOCK_APP_DIR), home);
    const QString pictures = home + QStringLiteral("/background/main/");
    for (const QString& picture : {QStringLiteral("default.jpg"), name + QStringLiteral(".jpg")}) {
        QFile file(pictures + picture);
        file.open(QIODevice::WriteOnly);
        file.write(name.toUtf8() + " " + picture.toUtf8());
    }
    WriteProfileString(AppPath(home, kMainProfile), kConfigSection, MainKey::Picture,
                       QStringLiteral("default.jpg"));
    WriteProfileString(AppPath(home, kPresentationProfile), kConfigSection, PresentationFileKey(1),
                       name + QStringLiteral(".jpg"));
    const QString zip = outside.filePath(name + QStringLiteral(".zip"));
    ExportSetup(home, zip);
    return zip;
}

}  // namespace

class SetupCommandTest : public QObject {
    Q_OBJECT

  private slots:
    void exportImportAndRefusals() {
        Child child(QStringLiteral(DEBACLOCK_APP_DIR));
        QTemporaryDir outside;
        const QString zip = outside.filePath(QStringLiteral("setup.zip"));
        const Run exported = Command(child, {QStringLiteral("--export-setup"), zip});
        QCOMPARE(exported.status, 0);
        QVERIFY2(exported.out.startsWith(QStringLiteral("已导出比赛方案：")),
                 qPrintable(exported.out + exported.errors));

        const QString garbage = outside.filePath(QStringLiteral("garbage.zip"));
        QFile file(garbage);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("garbage") > 0);
        file.close();
        const Run refused = Command(child, {QStringLiteral("--import-setup"), garbage});
        QCOMPARE(refused.status, 1);
        QVERIFY(
            refused.errors.contains(QStringLiteral("比赛方案未导入：这不是有效的比赛方案文件")));
        QVERIFY(!QFileInfo::exists(child.dir.filePath(QStringLiteral("backups"))));

        const Run imported = Command(child, {QStringLiteral("--import-setup"), zip});
        QCOMPARE(imported.status, 0);
        QVERIFY(imported.out.contains(QStringLiteral("已导入。")));
        QCOMPARE(QDir(child.dir.filePath(QStringLiteral("backups"))).entryList(QDir::Files).size(),
                 1);

        QVERIFY(child.start());
        const Run underACopy = Command(child, {QStringLiteral("--import-setup"), zip});
        QCOMPARE(underACopy.status, 2);
        QVERIFY(underACopy.errors.contains(QStringLiteral("debaclock 正在运行")));
    }

    // Two imports that replace the fallback picture no setting names, undone one after the
    // other: the folder is exactly as it was after the first, then before both; then there is
    // nothing to undo.
    void undoFromTheShell() {
        Child child(QStringLiteral(DEBACLOCK_APP_DIR));
        QTemporaryDir outside;
        const QString b = SetupReplacingTheFallback(outside, QStringLiteral("b"));
        const QString c = SetupReplacingTheFallback(outside, QStringLiteral("c"));
        const QMap<QString, QByteArray> before = FolderTree(child.dir.path());
        QCOMPARE(Command(child, {QStringLiteral("--import-setup"), b}).status, 0);
        const QMap<QString, QByteArray> afterB = FolderTree(child.dir.path());
        QCOMPARE(afterB.value("background/main/default.jpg"), QByteArray("b default.jpg"));
        QCOMPARE(Command(child, {QStringLiteral("--import-setup"), c}).status, 0);

        const Run first = Command(child, {QStringLiteral("--undo-import")});
        QCOMPARE(first.status, 0);
        QVERIFY2(first.out.startsWith(QStringLiteral("将撤销 ")) &&
                     first.out.contains(QStringLiteral("的导入，恢复为导入前的比赛方案：")) &&
                     first.out.contains(QStringLiteral("\n已撤销 ")),
                 qPrintable(first.out + first.errors));
        QVERIFY(FolderTree(child.dir.path()) == afterB);
        QCOMPARE(Command(child, {QStringLiteral("--undo-import")}).status, 0);
        QVERIFY(FolderTree(child.dir.path()) == before);

        const Run none = Command(child, {QStringLiteral("--undo-import")});
        QCOMPARE(none.status, 1);
        QVERIFY2(none.errors.endsWith(QStringLiteral("未能撤销上次导入：") + kNothingToUndo + '\n'),
                 qPrintable(none.errors));
        QVERIFY(FolderTree(child.dir.path()) == before);
    }
};

QTEST_MAIN(SetupCommandTest)
#include "test_setup_command.moc"
