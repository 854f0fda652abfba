// Setup files from a shell: the real program, copied to a folder of its own, exports and
// imports without a window, says why it refuses with a non-zero status, and never works under a
// copy that is running.

#include <QtTest>

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
};

QTEST_MAIN(SetupCommandTest)
#include "test_setup_command.moc"
