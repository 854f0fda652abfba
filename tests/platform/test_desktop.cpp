// The desktop opener (through a stub xdg-open first on PATH), the clipboard and the
// single-instance lock.

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "foundation/platform/qt_desktop.h"
#include "foundation/platform/qt_dialogs.h"
#include "foundation/platform/qt_media_player.h"
#include "foundation/platform/qt_platform.h"
#include "foundation/platform/qt_wave_player.h"
#include "support/data_rows.h"

using Lock = InstanceLock::Result;

namespace {

QStringList LinesOf(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
}

}  // namespace

class TestDesktop : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString record_;

  private slots:
    void initTestCase() {
        QVERIFY(dir_.isValid());
        // Offscreen Qt has no desktop services, so the opener falls back to xdg-open: a stub
        // that writes down what it was given.
        const QString bin = dir_.filePath("bin");
        QVERIFY(QDir().mkpath(bin));
        record_ = dir_.filePath("opened.txt");
        QFile stub(bin + "/xdg-open");
        QVERIFY(stub.open(QIODevice::WriteOnly));
        stub.write("#!/bin/sh\nprintf '%s\\n' \"$1\" >> \"$DEBACLOCK_OPENED\"\n");
        stub.close();
        QVERIFY(stub.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        qputenv("PATH", (bin + ':').toLocal8Bit() + qgetenv("PATH"));
        qputenv("DEBACLOCK_OPENED", record_.toLocal8Bit());
        QFile presentation(dir_.filePath("ppt/开幕.ppt"));
        QVERIFY(QDir().mkpath(dir_.filePath("ppt")));
        QVERIFY(presentation.open(QIODevice::WriteOnly));
    }

    void init() { QFile::remove(record_); }

    void open_data() {
        QTest::addColumn<QString>("given");
        QTest::addColumn<QString>("handedOver");
        const QString file = dir_.filePath("ppt/开幕.ppt");
        AddRow("a file by its full path", file, file);
        AddRow("a file by a path with dots", dir_.filePath("ppt/../ppt/开幕.ppt"), file);
        const QString web = "http://www.example.org/download?v=4.1";
        AddRow("a web address as it is", web, web);
        AddRow("a secure web address", "https://example.org/", "https://example.org/");
    }
    void open() {
        QFETCH(QString, given);
        QFETCH(QString, handedOver);
        QtDesktopOpener opener;
        QElapsedTimer clock;
        clock.start();
        QVERIFY(opener.Open(given));
        QVERIFY2(clock.elapsed() < 2000, "the opener must not wait for the program");
        QTRY_COMPARE(LinesOf(record_), QStringList{handedOver});
    }

    void missingFileIsNotHandedOver() {
        QtDesktopOpener opener;
        QVERIFY(!opener.Open(dir_.filePath("ppt/gone.ppt")));
        QVERIFY(!opener.Open(QString()));
        // Only this one may reach the stub.
        QVERIFY(opener.Open("https://example.org/after"));
        QTRY_VERIFY(!LinesOf(record_).isEmpty());
        QCOMPARE(LinesOf(record_), QStringList{"https://example.org/after"});
    }

    void clipboardRoundTrip() {
        QtClipboard clipboard;
        clipboard.SetText(QStringLiteral("正方 3 : 1 反方"));
        QCOMPARE(clipboard.Text(), QStringLiteral("正方 3 : 1 反方"));
        QCOMPARE(QtClipboard().Text(), QStringLiteral("正方 3 : 1 反方"));
    }

    void secondCopyOfOneFolderRefused() {
        QTemporaryDir locks;
        const QString app = dir_.path();
        auto first = std::make_unique<QtInstanceLock>(app, locks.path());
        QCOMPARE(first->TryLock(), Lock::Acquired);
        QCOMPARE(first->TryLock(), Lock::Acquired);  // holding it already
        QtInstanceLock second(app, locks.path());
        QCOMPARE(second.TryLock(), Lock::HeldElsewhere);
        QCOMPARE(second.lockFilePath(), first->lockFilePath());
        QtInstanceLock otherFolder(dir_.filePath("b"), locks.path());
        QCOMPARE(otherFolder.TryLock(), Lock::Acquired);
        QVERIFY(otherFolder.lockFilePath() != first->lockFilePath());
        first.reset();  // the first copy ends
        QCOMPARE(second.TryLock(), Lock::Acquired);
    }

    void lockOfACopyThatDied() {
        QTemporaryDir locks;
        const QString app = dir_.path();
        QProcess holder;
        holder.start(LOCK_HOLDER, {app, locks.path()});
        QVERIFY(holder.waitForStarted(5000));
        QVERIFY(holder.waitForReadyRead(5000));
        QCOMPARE(holder.readAllStandardOutput().trimmed(), QByteArray("locked"));

        QtInstanceLock next(app, locks.path());
        QCOMPARE(next.TryLock(), Lock::HeldElsewhere);  // the other copy is alive

        holder.kill();
        QVERIFY(holder.waitForFinished(5000));
        QVERIFY(QFile::exists(next.lockFilePath()));  // left behind by the dead copy
        QCOMPARE(next.TryLock(), Lock::Acquired);
    }

    void garbledLock_data() {
        QTest::addColumn<int>("ageSeconds");
        QTest::addColumn<Lock>("result");
        AddRow("old: left by a crash while it was written", 60, Lock::Acquired);
        AddRow("fresh: may still be being written", 0, Lock::HeldElsewhere);
    }
    void garbledLock() {
        QFETCH(int, ageSeconds);
        QFETCH(Lock, result);
        QTemporaryDir locks;
        QtInstanceLock lock(dir_.path(), locks.path());
        QFile file(lock.lockFilePath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(-ageSeconds),
                                 QFileDevice::FileModificationTime));
        file.close();
        QCOMPARE(lock.TryLock(), result);
    }

    void lockThatCannotBeMadeRefusesNobody() {
        // A plain file where the lock folder should be: no lock can be made there, even by
        // root, who may write anywhere.
        QTemporaryDir locks;
        QFile blocker(locks.filePath("not-a-folder"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        QtInstanceLock lock(dir_.path(), blocker.fileName() + "/locks");
        QCOMPARE(lock.TryLock(), Lock::Unavailable);
    }

    void platformHandsOutTheQtServices() {
        QtPlatform platform(dir_.path());
        QVERIFY(dynamic_cast<QtWavePlayer*>(&platform.Wave()));
        QVERIFY(dynamic_cast<QtMessageBoxes*>(&platform.Messages()));
        QVERIFY(dynamic_cast<QtDesktopOpener*>(&platform.Desktop()));
        QVERIFY(dynamic_cast<QtClipboard*>(&platform.ClipboardText()));
        QCOMPARE(dynamic_cast<QtInstanceLock&>(platform.Instance()).lockFilePath(),
                 QtInstanceLock(dir_.path()).lockFilePath());
        auto* screen = new QWidget;
        QPointer<MediaPlayer> player = platform.NewMediaPlayer(screen);
        QVERIFY(qobject_cast<QtMediaPlayer*>(player));
        QVERIFY(dynamic_cast<QtFileOpenDialog*>(platform.NewFileOpenDialog(screen).get()));
        QVERIFY(dynamic_cast<QtSaveFileDialog*>(platform.NewSaveFileDialog(screen).get()));
        QVERIFY(dynamic_cast<QtColourDialog*>(platform.NewColourDialog(screen).get()));
        QVERIFY(dynamic_cast<QtFontDialog*>(platform.NewFontDialog(screen).get()));
        delete screen;
        QVERIFY(!player);  // owned by the screen
    }
};

QTEST_MAIN(TestDesktop)
#include "test_desktop.moc"
