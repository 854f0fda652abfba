// The match report Form12: the report of the profiles with the date and time of opening, copied
// or saved as GBK text, the animated caption, and the main screen back when it closes.

#include <QDir>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "screens/results/match_report_screen.h"
#include "support/data_rows.h"
#include "support/screen_fixture.h"

namespace {

const QDateTime kMoment(QDate(2024, 3, 5), QTime(14, 5, 9));
const QLocale kChina(QLocale::Chinese, QLocale::China);

struct Report {
    Report() { f.useShippedData(); }
    Form12* open(const QLocale& locale = kChina) {
        screen = std::make_unique<Form12>(f.context, ReportStamp{kMoment, locale});
        return screen.get();
    }
    QString expected(const QString& date = "2024/3/5", const QString& time = "14:05") const {
        return ReportText(f.dir.path(), date, time);
    }
    // Saves through the dialog answered with `path`.
    void saveAs(const QString& path) {
        f.platform.dialogs.answerSave(path);
        ScreenFixture::click(screen.get(), "Command3");
    }
    QByteArray saved(const QString& path) const {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QByteArray expectedFile() const { return ToGbk(expected() + "\r\n"); }

    ScreenFixture f;
    std::unique_ptr<Form12> screen;
};

}  // namespace

class MatchReportTest : public QObject {
    Q_OBJECT

  private slots:
    void showsTheReportOfTheMomentItOpened_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("time");
        AddRow("Chinese short forms", kChina, "2024/3/5", "14:05");
        AddRow("American short forms", QLocale(QLocale::English, QLocale::UnitedStates), "3/5/24",
               "2:05 PM");
    }
    void showsTheReportOfTheMomentItOpened() {
        QFETCH(QLocale, locale);
        QFETCH(QString, date);
        QFETCH(QString, time);
        Report r;
        Form12* screen = r.open(locale);
        const QString shown = screen->Text1->toPlainText();
        QCOMPARE(shown, r.expected(date, time).replace("\r\n", "\n"));
        QCOMPARE(shown.split('\n').value(3), QString(55, ' ') + date + '-' + time);
        QVERIFY(shown.contains("比赛名称：" +
                               r.f.profile("\\config\\BasicInfo.ini", "辩论赛名称", "辩论赛信息")));
        QVERIFY(screen->Text1->isReadOnly());
        QCOMPARE(screen->windowTitle(), "debaclock");
        QVERIFY(!screen->isFullScreen());
        QCOMPARE(screen->minimumSize(), screen->maximumSize());
        const QPoint offCentre = screen->geometry().center() -
                                 QGuiApplication::primaryScreen()->availableGeometry().center();
        QVERIFY(offCentre.manhattanLength() <= 2);  // odd sizes round either way
    }

    void copiesTheReport() {
        Report r;
        r.open();
        ScreenFixture::click(r.screen.get(), "Command1");
        QCOMPARE(r.f.platform.clipboard.text, r.expected());
        QCOMPARE(r.f.platform.messages.shown.size(), 1);
        QCOMPARE(r.f.platform.messages.shown[0].text, "文本已复制到剪切板");
        QCOMPARE(r.f.platform.messages.shown[0].title, "debaclock");
        QVERIFY(!r.f.platform.messages.shown[0].withCancel);
    }

    void savesGbkText_data() {
        QTest::addColumn<QByteArray>("before");  // the file already there; empty for none
        AddRow("new file", QByteArray());
        AddRow("replaces a longer file", QByteArray(20000, 'x'));
        AddRow("replaces a shorter file", QByteArray("old"));
    }
    void savesGbkText() {
        QFETCH(QByteArray, before);
        Report r;
        r.open();
        const QString path = r.f.dir.path() + "/out/辩论赛报表";
        if (!before.isEmpty()) {
            r.f.dir.writeBytes("out/辩论赛报表", before);
        } else {
            r.f.dir.mkdir("out");
        }
        r.saveAs(path);
        const QByteArray bytes = r.saved(path);
        QCOMPARE(bytes, r.expectedFile());
        QCOMPARE(bytes.size(), ToGbk(r.expected()).size() + 2);
        QVERIFY(bytes.endsWith(ToGbk("反方代表签字：\r\n")));
        QVERIFY(!bytes.endsWith("\r\n\r\n"));
        QCOMPARE(QDir(r.f.dir.path() + "/out").entryList(QDir::Files), QStringList{"辩论赛报表"});
        QVERIFY(r.f.platform.messages.shown.isEmpty());  // no message after a save

        const ShownDialog& dialog = r.f.platform.dialogs.shown.value(0);
        QCOMPARE(dialog.kind, DialogKind::SaveFile);
        QCOMPARE(dialog.owner, "Form12");
        QCOMPARE(dialog.title, "另存为");
        QCOMPARE(dialog.filter, "文本文件(*.TXT)|*.TXT");
        QCOMPARE(dialog.fileName, "辩论赛报表");
    }

    void cancelWritesNothing() {
        Report r;
        r.open();
        const QStringList before = QDir(r.f.dir.path()).entryList(QDir::AllEntries);
        r.f.platform.dialogs.cancelSave();
        ScreenFixture::click(r.screen.get(), "Command3");
        QCOMPARE(r.f.platform.dialogs.shown.size(), 1);
        QCOMPARE(QDir(r.f.dir.path()).entryList(QDir::AllEntries), before);
        QVERIFY(r.f.platform.messages.shown.isEmpty());
    }

    void failedSaveIsReported_data() {
        QTest::addColumn<QString>("target");  // relative to the program folder
        QTest::addColumn<QString>("setUp");
        AddRow("folder does not exist", "missing/report.txt", "");
        AddRow("folder is a regular file", "plain.txt/report.txt", "file plain.txt");
        AddRow("a folder of that name", "reports", "folder reports");
    }
    void failedSaveIsReported() {
        QFETCH(QString, target);
        QFETCH(QString, setUp);
        Report r;
        r.open();
        if (setUp.startsWith("file ")) {
            r.f.dir.write(setUp.mid(5), "notes");
        } else if (setUp.startsWith("folder ")) {
            r.f.dir.mkdir(setUp.mid(7) + "/kept");
        }
        const QStringList before = QDir(r.f.dir.path()).entryList(QDir::AllEntries);
        r.saveAs(r.f.dir.path() + '/' + target);

        QCOMPARE(r.f.platform.messages.shown.size(), 1);
        const ShownMessage& message = r.f.platform.messages.shown[0];
        QVERIFY2(message.text.startsWith("报表未能保存：") && message.text.size() > 7,
                 qPrintable(message.text));
        QCOMPARE(message.title, "debaclock");
        // Nothing written anywhere, no temporary file left behind.
        QCOMPARE(QDir(r.f.dir.path()).entryList(QDir::AllEntries), before);
        if (setUp.startsWith("folder ")) {
            QCOMPARE(QDir(r.f.dir.path() + "/reports")
                         .entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                     QStringList{"kept"});
        }

        // The screen stays usable: the next save to a good place works.
        const QString good = r.f.dir.path() + "/good.txt";
        r.saveAs(good);
        QCOMPARE(r.saved(good), r.expectedFile());
        QCOMPARE(r.f.platform.messages.shown.size(), 1);
    }

    void captionIsRevealed() {
        Report r;
        Form12* screen = r.open();
        QVERIFY(screen->Timer1->isActive());
        QCOMPARE(screen->Timer1->interval(), 500);
        QStringList captions;
        for (int i = 0; i < 11; ++i) {
            QMetaObject::invokeMethod(screen->Timer1, "timeout");
            captions << screen->windowTitle();
        }
        QCOMPARE(captions, QStringList({"", "d", "de", "deb", "deba", "debac", "debacl", "debaclo",
                                        "debacloc", "debaclock", ""}));
    }

    void closingShowsTheMainScreenOnce() {
        Report r;
        Form12* screen = r.open();
        screen->show();
        screen->close();
        screen->close();
        QCOMPARE(r.f.navigator.requests.size(), 1);
        QCOMPARE(r.f.navigator.requests[0].kind, "main");
    }
};

QTEST_MAIN(MatchReportTest)
#include "test_match_report.moc"
