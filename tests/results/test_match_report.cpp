// The match report Form12: the report of the moment it opened, copied or saved as GBK text, the
// animated caption, and the main screen back when it closes.

#include <QDir>
#include <QPlainTextEdit>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "screens/results/match_report_screen.h"
#include "support/data_rows.h"
#include "support/screen_fixture.h"

namespace {

struct Report {
    explicit Report(const QLocale& locale = QLocale(QLocale::Chinese, QLocale::China)) {
        f.setProfile("\\config\\BasicInfo.ini", "辩论赛名称", "星河杯", "辩论赛信息");
        f.setProfile("\\config\\Result.ini", "获胜方", "互为平手");
        const QDateTime moment(QDate(2024, 3, 5), QTime(14, 5, 9));
        screen = std::make_unique<Form12>(f.context, ReportStamp{moment, locale});
    }
    QString report(const QString& date = "2024/3/5", const QString& time = "14:05") const {
        return ReportText(f.dir.path(), date, time);
    }
    void save(const QString& relative) {
        f.platform.dialogs.answerSave(f.dir.path() + '/' + relative);
        ScreenFixture::click(screen.get(), "Command3");
    }
    QStringList messages() const { return f.platform.messages.texts(); }

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
        AddRow("Chinese", QLocale(QLocale::Chinese, QLocale::China), "2024/3/5", "14:05");
        AddRow("American", QLocale(QLocale::English, QLocale::UnitedStates), "3/5/24", "2:05 PM");
    }
    void showsTheReportOfTheMomentItOpened() {
        QFETCH(QLocale, locale);
        QFETCH(QString, date);
        QFETCH(QString, time);
        Report r(locale);
        const QString shown = r.screen->Text1->toPlainText();
        QCOMPARE(shown, r.report(date, time).replace("\r\n", "\n"));
        QCOMPARE(shown.split('\n').value(3), QString(55, ' ') + date + '-' + time);
        QVERIFY(shown.contains("\n    比赛名称：星河杯\n"));
        QVERIFY(r.screen->Text1->isReadOnly());
    }

    void copiesTheReport() {
        Report r;
        ScreenFixture::click(r.screen.get(), "Command1");
        QCOMPARE(r.f.platform.clipboard.text, r.report());
        QCOMPARE(r.messages(), QStringList{"文本已复制到剪切板"});
        QCOMPARE(r.f.platform.messages.shown[0].title, "debaclock");
    }

    void savesGbkText_data() {
        QTest::addColumn<QByteArray>("before");  // the file already there; empty for none
        AddRow("new file", QByteArray());
        AddRow("replaces a longer file", QByteArray(20000, 'x'));
    }
    void savesGbkText() {
        QFETCH(QByteArray, before);
        Report r;
        r.f.dir.writeBytes("out/辩论赛报表", before);
        r.save("out/辩论赛报表");
        const QByteArray bytes = r.f.dir.readBytes("out/辩论赛报表");
        QCOMPARE(bytes, ToGbk(r.report() + "\r\n"));
        QCOMPARE(bytes.size(), ToGbk(r.report()).size() + 2);
        QCOMPARE(QDir(r.f.dir.path() + "/out").entryList(QDir::Files), QStringList{"辩论赛报表"});
        QVERIFY(r.messages().isEmpty());
        const ShownDialog& dialog = r.f.platform.dialogs.shown.value(0);
        QCOMPARE(dialog.title + '|' + dialog.filter + '|' + dialog.fileName,
                 "另存为|文本文件(*.TXT)|*.TXT|辩论赛报表");
    }

    void cancelWritesNothing() {
        Report r;
        const QStringList before = QDir(r.f.dir.path()).entryList(QDir::AllEntries);
        r.f.platform.dialogs.cancelSave();
        ScreenFixture::click(r.screen.get(), "Command3");
        QCOMPARE(r.f.platform.dialogs.shown.size(), 1);
        QCOMPARE(QDir(r.f.dir.path()).entryList(QDir::AllEntries), before);
        QVERIFY(r.messages().isEmpty());
    }

    void failedSaveIsReported_data() {
        QTest::addColumn<QString>("target");
        AddRow("folder does not exist", "missing/report.txt");
        AddRow("folder is a regular file", "plain.txt/report.txt");
        AddRow("a folder of that name", "reports");
    }
    void failedSaveIsReported() {
        QFETCH(QString, target);
        Report r;
        r.f.dir.write("plain.txt", "notes");
        r.f.dir.write("reports/kept.txt", "notes");
        const QStringList before = QDir(r.f.dir.path()).entryList(QDir::AllEntries);
        r.save(target);
        QCOMPARE(r.messages().size(), 1);
        QVERIFY2(r.messages()[0].startsWith("报表未能保存：") && r.messages()[0].size() > 7,
                 qPrintable(r.messages()[0]));
        QCOMPARE(r.f.platform.messages.shown[0].title, "debaclock");
        // Nothing written, no temporary file left behind.
        QCOMPARE(QDir(r.f.dir.path()).entryList(QDir::AllEntries), before);
        QCOMPARE(QDir(r.f.dir.path() + "/reports").entryList(QDir::Files), QStringList{"kept.txt"});
        // The screen stays usable.
        r.save("good.txt");
        QCOMPARE(r.f.dir.readBytes("good.txt"), ToGbk(r.report() + "\r\n"));
        QCOMPARE(r.messages().size(), 1);
    }

    void captionIsRevealed() {
        Report r;
        QCOMPARE(r.screen->Timer1->interval(), 500);
        QVERIFY(r.screen->Timer1->isActive());
        QStringList captions{r.screen->windowTitle()};
        for (int i = 0; i < 3; ++i) {
            QMetaObject::invokeMethod(r.screen->Timer1, "timeout");
            captions << r.screen->windowTitle();
        }
        QCOMPARE(captions, QStringList({"debaclock", "", "d", "de"}));
    }

    void closingShowsTheMainScreenOnce() {
        Report r;
        r.screen->show();
        r.screen->close();
        r.screen->close();
        QCOMPARE(r.f.navigator.requests.size(), 1);
        QCOMPARE(r.f.navigator.requests[0].kind, "main");
    }
};

QTEST_MAIN(MatchReportTest)
#include "test_match_report.moc"
