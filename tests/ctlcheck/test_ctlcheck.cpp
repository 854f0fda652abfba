#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "control_check.h"
#include "qt_control_system.h"
#include "support/folder_rights.h"

namespace {

class FakeSystem : public ControlSystem {
  public:
    bool anotherCopy = false;
    QString folder;
    QByteArray copy;
    QStringList messages;
    QList<MessageKind> kinds;

    bool AnotherCopyRunning() override { return anotherCopy; }
    QString SystemFolder() override { return folder; }
    QByteArray EmbeddedCopy() override { return copy; }
    void ShowMessage(const QString& text, MessageKind kind) override {
        messages << text;
        kinds << kind;
    }
};

// Counts how often a window named Form1 was shown, even one that is gone by the time we look.
class ShowCounter : public QObject {
  public:
    int shown = 0;
    ShowCounter() { qApp->installEventFilter(this); }
    ~ShowCounter() override { qApp->removeEventFilter(this); }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched->objectName() == QLatin1String("Form1")) {
            ++shown;
        }
        return false;
    }
};

QByteArray SomeBytes(int length) {
    QByteArray bytes(length, Qt::Uninitialized);
    QRandomGenerator generator(7);
    for (char& byte : bytes) {
        byte = char(generator.bounded(256));
    }
    return bytes;
}

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

// Runs the check to its end and returns its exit status.
int Run(ControlCheck& check) {
    QSignalSpy finished(&check, &ControlCheck::Finished);
    check.Start();
    if (finished.isEmpty() && !finished.wait(10000)) {
        return -1;
    }
    return finished.first().first().toInt();
}

}  // namespace

class TestCtlcheck : public QObject {
    Q_OBJECT
  private slots:
    void presentCatalogueIsLeftAloneAndNoWindowShows() {
        QTemporaryDir folder;
        QFile present(folder.filePath(QStringLiteral("qtbase_zh_CN.qm")));
        QVERIFY(present.open(QIODevice::WriteOnly));
        present.write("the machine's own");
        present.close();
        FakeSystem system;
        system.folder = folder.path();
        system.copy = SomeBytes(1000);
        ShowCounter counter;
        ControlCheck check(system, 0);

        QCOMPARE(Run(check), int(ControlCheck::Fine));
        QCOMPARE(system.messages, QStringList{QStringLiteral("没有发现问题！")});
        QCOMPARE(counter.shown, 0);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("qtbase_zh_CN.qm")});
        QCOMPARE(Contents(present.fileName()), QByteArray("the machine's own"));
    }

    void missingCatalogueIsWrittenInVisibleBlocks() {
        QTemporaryDir root;
        FakeSystem system;
        // The folder goes with the package that brings it, so it may be missing too.
        system.folder = root.filePath(QStringLiteral("qt6/translations"));
        system.copy = SomeBytes(136673);
        ShowCounter counter;
        ControlCheck check(system, 0);
        QList<int> values;
        QSignalSpy finished(&check, &ControlCheck::Finished);
        check.Start();
        connect(check.Window().P1, &QProgressBar::valueChanged, this,
                [&values](int value) { values << value; });
        QVERIFY(finished.wait(10000));

        QCOMPARE(finished.first().first().toInt(), int(ControlCheck::Fine));
        const QString written = QDir(system.folder).filePath(QStringLiteral("qtbase_zh_CN.qm"));
        QCOMPARE(Contents(written), system.copy);
        QCOMPARE(QDir(system.folder).entryList(QDir::Files | QDir::Hidden).size(), 1);
        QVERIFY(QFile::permissions(written) & QFileDevice::ReadOther);
        QCOMPARE(check.Window().P1->maximum(), 136673);
        QVERIFY2(values.size() >= 32, "the bar should move in many visible steps");
        QVERIFY(std::is_sorted(values.begin(), values.end()));
        QCOMPARE(values.last(), 136672);
        QCOMPARE(counter.shown, 1);
        QCOMPARE(system.messages, QStringList{QStringLiteral("qtbase_zh_CN.qm 已成功安装！")});
    }

    void unwritableFolderIsRefusedWithItsReason_data() {
        QTest::addColumn<bool>("readOnly");
        QTest::newRow("folder without write rights") << true;
        QTest::newRow("folder path through a file") << false;
    }
    void unwritableFolderIsRefusedWithItsReason() {
        QFETCH(bool, readOnly);
        QTemporaryDir root;
        FakeSystem system;
        system.copy = SomeBytes(5000);
        QString leftBehindIn;
        if (readOnly) {
            if (const char* why = WhyFolderRightsDoNotBind()) {
                QSKIP(why);
            }
            system.folder = root.filePath(QStringLiteral("translations"));
            QVERIFY(QDir().mkpath(system.folder));
            QVERIFY(QFile::setPermissions(system.folder,
                                          QFileDevice::ReadOwner | QFileDevice::ExeOwner));
            leftBehindIn = system.folder;
        } else {
            QFile blocker(root.filePath(QStringLiteral("share")));
            QVERIFY(blocker.open(QIODevice::WriteOnly));
            system.folder = root.filePath(QStringLiteral("share/translations"));
            leftBehindIn = root.path();
        }
        ControlCheck check(system, 0);

        QCOMPARE(Run(check), int(ControlCheck::NotWritten));
        QCOMPARE(system.messages.size(), 1);
        const QString message = system.messages.first();
        QVERIFY2(message.contains(system.folder), qPrintable(message));
        QVERIFY2(message.contains(QLatin1String("sudo")), qPrintable(message));
        // The system's reason follows the folder, in whatever words the system uses.
        const QString reason = message.section(QStringLiteral("："), 1).section(u'。', 0, 0);
        QVERIFY2(!reason.trimmed().isEmpty(), qPrintable(message));
        QCOMPARE(system.kinds.first(), ControlSystem::MessageKind::Warning);
        const QStringList left = QDir(leftBehindIn).entryList(QDir::Files | QDir::Hidden);
        QVERIFY2(left.isEmpty() || left == QStringList{QStringLiteral("share")},
                 qPrintable(left.join(u' ')));
        QFile::setPermissions(system.folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                 QFileDevice::ExeOwner);
    }

    void secondCopyIsRefused() {
        QTemporaryDir folder;
        FakeSystem system;
        system.anotherCopy = true;
        system.folder = folder.path();
        system.copy = SomeBytes(1000);
        ShowCounter counter;
        ControlCheck check(system, 0);

        QCOMPARE(Run(check), int(ControlCheck::AlreadyRunning));
        QCOMPARE(system.messages, QStringList{QStringLiteral("已有一个程序在运行")});
        QCOMPARE(counter.shown, 0);
        QVERIFY(QDir(folder.path()).isEmpty());
    }

    void realClaimHoldsUntilTheFirstCopyEnds() {
        QTemporaryDir temp;
        const QByteArray oldTemp = qgetenv("TMPDIR");
        qputenv("TMPDIR", temp.path().toLocal8Bit());
        {
            QtControlSystem first;
            QVERIFY(!first.AnotherCopyRunning());
            QtControlSystem second;
            QVERIFY(second.AnotherCopyRunning());
        }
        QtControlSystem third;
        QVERIFY(!third.AnotherCopyRunning());
        if (oldTemp.isEmpty()) {
            qunsetenv("TMPDIR");
        } else {
            qputenv("TMPDIR", oldTemp);
        }
    }

    void realToolCarriesThisMachinesCatalogue() {
        QFile machine(QDir(QLibraryInfo::path(QLibraryInfo::TranslationsPath))
                          .filePath(QStringLiteral("qtbase_zh_CN.qm")));
        QVERIFY2(machine.open(QIODevice::ReadOnly), "qt6-translations-l10n is not installed");
        QtControlSystem system;
        const QByteArray carried = system.EmbeddedCopy();
        QVERIFY(!carried.isEmpty());
        QVERIFY(carried == machine.readAll());
    }

    void realMessageIsTitledAndHasOk() {
        QtControlSystem system;
        QString title;
        QList<QAbstractButton*> buttons;
        QTimer::singleShot(0, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            title = box->windowTitle();
            buttons = box->buttons();
            box->accept();
        });
        system.ShowMessage(QStringLiteral("没有发现问题！"),
                           ControlSystem::MessageKind::Information);
        QCOMPARE(title, QStringLiteral("debaclock-ctlcheck"));
        QCOMPARE(buttons.size(), 1);
    }
};

QTEST_MAIN(TestCtlcheck)
#include "test_ctlcheck.moc"
