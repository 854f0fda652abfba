// The settings home: opening, the notice and the version result, the theme, the download
// address guard and where its buttons lead.

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTextBrowser>
#include <QtTest>
#include <memory>

#include "foundation/profile_store.h"
#include "foundation/segment_profile.h"
#include "foundation/setup_applying.h"
#include "foundation/widgets/picture.h"
#include "screens/settings/settings_home.h"
#include "screens/settings/setup_transfer.h"
#include "support/data_rows.h"
#include "support/screen_fixture.h"

namespace {

// A program folder with the four local pages, a notice address and two theme pictures.
struct Home : ScreenFixture {
    Home() {
        for (const char* page : {"loading", "error", "notice", "timeout"}) {
            dir.write(QString("html/%1.html").arg(page),
                      QString("<html><body><p>%1 page</p></body></html>").arg(page));
        }
        dir.mkdir("config");
        setProfile("\\Update\\Update.ini", "获取版本信息的网络地址", "http://127.0.0.1:9/n.html");
        for (const auto& [n, colour] : {std::pair{1, Qt::red}, std::pair{3, Qt::blue}}) {
            QImage picture(4, 4, QImage::Format_RGB32);
            picture.fill(colour);
            dir.mkdir("Theme");
            picture.save(QString("%1/Theme/Theme%2.jpg").arg(dir.path()).arg(n), "PNG");
        }
    }
    Form13& open() {
        screen = std::make_unique<Form13>(context);
        return *screen;
    }
    // The page the notice panel shows, by the words in it.
    QString panel() const { return screen->WebBrowser2->toPlainText().trimmed(); }
    QColor picture() const {
        return screen->picture()->stretchedPicture().toImage().pixelColor(1, 1);
    }
    void deliver(const QString& body) { platform.pageFetcher()->deliver(body); }

    std::unique_ptr<Form13> screen;
};

QString Page(const QString& version, const QString& notice = "<p>新公告</p>") {
    return "[*debaclock公告源码*]" + notice + "[*源码结束*]\n[*版本号*]" + version +
           "[*更新日期*]2026-12-01[*文件地址*]http://127.0.0.1:9/d.zip[*官方网站*]x[*发布方*]";
}

}  // namespace

class SettingsHomeTest : public QObject {
    Q_OBJECT

  private slots:
    void opensOnline() {
        Home h;
        Form13& home = h.open();
        QCOMPARE(home.windowTitle(), QString("debaclock"));
        QCOMPARE(home.Label2->text(), QString("主程序版本：") + kVersionText);
        QCOMPARE(home.Ver_info->text(), QString("正在获取版本信息……"));
        QVERIFY(!home.Command1->isEnabled());
        QCOMPARE(h.panel(), QString("loading page"));
        QCOMPARE(h.platform.pageFetcher()->addresses, QStringList{"http://127.0.0.1:9/n.html"});
    }

    void opensOffline() {
        Home h;
        h.platform.online = false;
        Form13& home = h.open();
        QCOMPARE(h.panel(), QString("error page"));
        QVERIFY(h.platform.pageFetcher()->addresses.isEmpty());
        QCOMPARE(home.Ver_info->text(), QString("正在获取版本信息……"));
    }

    void versionResult_data() {
        QTest::addColumn<QString>("body");
        QTest::addColumn<QString>("info");
        QTest::addColumn<bool>("download");
        QTest::addColumn<QString>("panel");
        AddRow("the same version", Page(kVersionText), QString("已是最新版本！"), false,
               QString("新公告"));
        AddRow("a blank after it is another text", Page(kVersionText + " "),
               "发现新版本：" + kVersionText + " （更新时间：2026-12-01）", true,
               QString("新公告"));
        AddRow("an older number counts as new", Page("1.0.0"),
               QString("发现新版本：1.0.0（更新时间：2026-12-01）"), true, QString("新公告"));
        AddRow("no version", Page(""), QString("抱歉，未能获取版本信息！"), false,
               QString("新公告"));
        AddRow("no page came", QString(), QString("抱歉，未能获取版本信息！"), false,
               QString("timeout page"));
        AddRow("notice markers the wrong way round",
               QString("[*源码结束*]x[*debaclock公告源码*][*版本号*]9[*更新日期*]"),
               QString("发现新版本：9（更新时间：）"), true, QString("timeout page"));
    }
    void versionResult() {
        QFETCH(QString, body);
        QFETCH(QString, info);
        QFETCH(bool, download);
        QFETCH(QString, panel);
        Home h;
        Form13& home = h.open();
        h.deliver(body);
        QCOMPARE(home.Ver_info->text(), info);
        QCOMPARE(home.Command1->isEnabled(), download);
        QCOMPARE(h.panel(), panel);
    }

    void noticeIsWrittenInGbk() {
        Home h;
        h.open();
        h.deliver(Page(kVersionText, "<h1>公告</h1>\n<p>第二行</p>"));
        QCOMPARE(h.dir.readBytes("html/notice.html"), ToGbk("<h1>公告</h1>\n<p>第二行</p>\r\n"));
        QCOMPARE(h.panel(), QString("公告\n第二行"));
    }

    void theme() {
        Home h;
        Form13& home = h.open();
        QCOMPARE(home.C1->currentText(), QString());  // no Theme.ini: the empty text
        const QColor designed = h.picture();
        home.C1->setCurrentIndex(2);
        emit home.C1->activated(2);
        QCOMPARE(h.profile("\\Config\\Theme.ini", "设置界面主题"), QString("Theme-3"));
        QCOMPARE(h.picture(), QColor(Qt::blue));
        home.C1->setCurrentIndex(1);  // Theme-2 has no picture: the picture stays
        emit home.C1->activated(1);
        QCOMPARE(h.picture(), QColor(Qt::blue));
        QVERIFY(designed != QColor(Qt::blue));

        Home next;
        next.setProfile("\\Config\\Theme.ini", "设置界面主题", "Theme-1");
        QCOMPARE(next.open().C1->currentText(), QString("Theme-1"));
        QCOMPARE(next.picture(), QColor(Qt::red));

        // A theme that cannot be kept is said, and the home stays with the stored one.
        const QString stored = next.path("\\Config\\Theme.ini");
        QVERIFY(QFile::remove(stored) && QDir().mkpath(stored));  // a folder in its place
        next.screen->C1->setCurrentIndex(2);
        emit next.screen->C1->activated(2);
        QCOMPARE(next.platform.messages.shown.size(), 1);
        QVERIFY(next.platform.messages.shown[0].text.startsWith("设置未能保存："));
        QCOMPARE(next.picture(), QColor(Qt::red));
        QCOMPARE(next.screen->C1->currentText(), QString());
    }

    void downloadAddressGuard_data() {
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("opens");
        AddRow("a web address", QString("http://127.0.0.1:9/d.zip"), true);
        AddRow("a secure one", QString("https://example.org/d.zip"), true);
        AddRow("a local file", QString("file:///etc/passwd"), false);
        AddRow("a program", QString("/usr/bin/xterm"), false);
        AddRow("another scheme", QString("javascript:alert(1)"), false);
        AddRow("nothing", QString(""), false);
    }
    void downloadAddressGuard() {
        QFETCH(QString, address);
        QFETCH(bool, opens);
        Home h;
        Form13& home = h.open();
        h.deliver("[*版本号*]9.9.9[*更新日期*]d[*文件地址*]" + address + "[*官方网站*]");
        QVERIFY(home.Command1->isEnabled());
        home.Command1->click();
        QCOMPARE(h.platform.desktop.opened, opens ? QStringList{address} : QStringList{});
        QCOMPARE(h.platform.messages.texts(),
                 opens ? QStringList{} : QStringList{"连接原网页时出现错误！"});
        if (!opens) {
            QCOMPARE(h.platform.messages.shown[0].title, QString("错误："));
        }
    }

    void aDesktopThatRefusesIsAnError() {
        Home h;
        Form13& home = h.open();
        h.platform.desktop.succeeds = false;
        h.deliver(Page("9.9.9"));
        home.Command1->click();
        QCOMPARE(h.platform.messages.texts(), QStringList{"连接原网页时出现错误！"});
    }

    void buttonsLead_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("screen");
        AddRow("about", QString("Command2"), QString("over"), int(ScreenId::About));
        AddRow("developer", QString("Command3"), QString("over"), int(ScreenId::Developer));
        AddRow("next page", QString("Command4"), QString("aside"), int(ScreenId::BasicInfoPage));
        AddRow("main screen", QString("Command5"), QString("main"), int(ScreenId::Main));
    }
    void buttonsLead() {
        QFETCH(QString, button);
        QFETCH(QString, kind);
        QFETCH(int, screen);
        Home h;
        Form13& home = h.open();
        home.show();
        home.findChild<QPushButton*>(button)->click();
        QCOMPARE(h.navigator.requests.size(), 1);
        QCOMPARE(h.navigator.requests[0].kind, kind);
        QCOMPARE(int(h.navigator.requests[0].screen), screen);
        QCOMPARE(home.isVisible(), kind == "over");
    }

    // The home's setup buttons: out to a file, a change, the file back in (the main screen told
    // to read it, nothing launching while the files move), the change back through the undo,
    // which is then offered no more; a file that is no setup changes nothing.
    void matchSetupsOutInAndUndone() {
        Home h;
        h.useShippedData();
        Form13& home = h.open();
        QVERIFY(!home.UndoImport->isEnabled());
        QCOMPARE(home.UndoImport->toolTip(), kNothingToUndo);
        QSignalSpy applying(h.context.setupApplying, &SetupApplying::changed);
        QTemporaryDir outside;
        const QString zip = outside.filePath("方案.zip");
        const QString name = h.dir.path() + "/config/tache/3.ini";
        const auto segmentName = [&] {
            return ReadProfileString(name, kConfigSection, SegmentKey::Name);
        };
        h.platform.dialogs.answerSave(zip);
        QTest::mouseClick(home.ExportSetup, Qt::LeftButton);
        QCOMPARE(h.platform.dialogs.shown.last().fileName,
                 QStringLiteral("第五届“星河杯”大学生辩论赛.zip"));
        QVERIFY(h.platform.messages.texts().last().startsWith("比赛方案已导出：" + zip));
        WriteProfileString(name, kConfigSection, SegmentKey::Name, "改过的名称");

        h.platform.dialogs.answerFile(zip);
        h.platform.messages.answers = {true};
        QTest::mouseClick(home.ImportSetup, Qt::LeftButton);
        QCOMPARE(segmentName(), QStringLiteral("驳论"));
        QCOMPARE(h.navigator.count("refresh"), 1);
        QCOMPARE(h.platform.messages.texts().last(), kSetupImported);
        QCOMPARE(applying, (QList<QList<QVariant>>{{true}, {false}}));
        QVERIFY(home.UndoImport->isEnabled());

        h.platform.messages.answers = {true};
        QTest::mouseClick(home.UndoImport, Qt::LeftButton);
        const QStringList said = h.platform.messages.texts();
        QVERIFY2(said[said.size() - 2].contains(
                     "的导入，恢复为导入前的比赛方案：第五届“星河杯”大学生辩论赛。是否继续？"),
                 qPrintable(said[said.size() - 2]));
        QVERIFY(said.last().startsWith("已撤销 "));
        QCOMPARE(segmentName(), QStringLiteral("改过的名称"));
        QCOMPARE(applying.size(), 4);
        QVERIFY(!home.UndoImport->isEnabled());

        QFile notASetup(zip);
        QVERIFY(notASetup.open(QIODevice::WriteOnly) && notASetup.write("not a zip") > 0);
        notASetup.close();
        h.platform.dialogs.answerFile(zip);
        QTest::mouseClick(home.ImportSetup, Qt::LeftButton);
        QVERIFY(h.platform.messages.texts().last().startsWith("这不是有效的比赛方案文件"));
        QCOMPARE(segmentName(), QStringLiteral("改过的名称"));
    }
};

QTEST_MAIN(SettingsHomeTest)
#include "test_settings_home.moc"
