// Page 4-2, Form7, and through it the file rules every settings page shares: an import copies
// before it deletes, keeps files other settings still name, refuses names a profile cannot
// hold; the picture preview shows the stored picture or says why it cannot.

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <memory>

#include "foundation/platform/colours.h"
#include "foundation/widgets/picture.h"
#include "foundation/widgets/widget_colours.h"
#include "screens/settings/colour_preview.h"
#include "screens/settings/import_into_folder.h"
#include "screens/settings/main_background_page.h"
#include "screens/settings/picture_preview.h"
#include "support/data_rows.h"
#include "support/screen_fixture.h"

namespace {

const QColor kRed(255, 0, 0);

struct Page {
    Page() { f.dir.mkdir("config"); }
    Form7& form() {
        if (!form_) {
            form_ = std::make_unique<Form7>(f.context);
        }
        return *form_;
    }
    QLineEdit* box(const QString& name) { return f.find<QLineEdit>(&form(), name); }
    QColor boxColour(const QString& name) { return TextColour(box(name)); }
    void click(const QString& name) { f.click(&form(), name); }
    QString mainKey(const QString& key) { return f.profile(kMainProfile, key); }
    QString ppt(const QString& key) { return f.profile(kPresentationProfile, key); }
    bool exists(const QString& relative) { return QFileInfo::exists(f.dir.path() + relative); }
    // A file outside the program folder, as the operator picks it.
    QString outside(const QString& name, const QByteArray& bytes = "new") {
        return pickFrom.writeBytes(name, bytes);
    }
    void hover(QWidget* widget) {
        QEvent enter(QEvent::Enter);
        QCoreApplication::sendEvent(widget, &enter);
    }

    ScreenFixture f;
    TempAppDir pickFrom;

  private:
    std::unique_ptr<Form7> form_;
};

}  // namespace

class MainBackgroundPageTest : public QObject {
    Q_OBJECT

  private slots:
    void opensWithStoredNamesAndMissingFilesInRed() {
        Page p;
        p.f.dir.write("ppt/决赛...pptx", "x");
        p.f.setProfile(kPresentationProfile, "1_名称", "开场");
        p.f.setProfile(kPresentationProfile, "1_演示文件名称", "决赛...pptx");
        p.f.setProfile(kPresentationProfile, "2_演示文件名称", "gone.pps");
        p.f.setProfile(kMainProfile, "背景颜色", "16711680");  // blue
        QCOMPARE(p.box("Text1")->text(), QString("开场"));
        QCOMPARE(p.box("Text9")->text(), QString("决赛...pptx"));
        QCOMPARE(p.boxColour("Text9"), QColor(Qt::black));
        QCOMPARE(p.box("Text10")->text(), QString("您还未选择任何演示文件！"));
        QCOMPARE(p.boxColour("Text10"), kRed);
        QCOMPARE(p.ppt("2_演示文件名称"), QString("gone.pps"));  // only shown, not written
        QCOMPARE(p.box("Text6")->text(), QString("您还未选择任何图片！"));
        QCOMPARE(BackgroundColour(p.form().Label2), QColor(Qt::blue));
    }

    void importCopiesThenNamesThenDeletesTheOldFile() {
        Page p;
        p.f.dir.write("background/main/old.jpg", "old");
        p.f.setProfile(kMainProfile, "背景图片", "old.jpg");
        p.f.platform.dialogs.answerFile(p.outside("星空.jpg"));
        p.click("Command4");
        QCOMPARE(p.f.platform.dialogs.shown.last().filter,
                 QString("jpg文件(*.jpg)|*.jpg|位图文件(*.bmp)|*.bmp|所有文件(*.*)|*.*|"));
        QCOMPARE(p.mainKey("背景图片"), QString("星空.jpg"));
        QCOMPARE(p.f.dir.readBytes("background/main/星空.jpg"), QByteArray("new"));
        QVERIFY(!p.exists("/background/main/old.jpg"));
        QCOMPARE(p.box("Text6")->text(), QString("星空.jpg"));
        QCOMPARE(p.boxColour("Text6"), QColor(Qt::black));
    }

    void importThatCannotCompleteLosesNothing_data() {
        QTest::addColumn<QString>("picked");
        QTest::addColumn<QString>("message");
        AddRow("the picked file cannot be read", QString("vanished.jpg"),
               QString("无法导入“vanished.jpg”"));
        AddRow("GBK cannot hold the name", QString("🎉.jpg"), QString("文件名含有无法保存的字符"));
        AddRow("the name is longer than a profile value", QString(60, QChar(0x661F)) + ".jpg",
               QString("文件名含有无法保存的字符或过长"));
        // Names a profile would read back as another name.
        AddRow("blanks at the ends", QString(" q.jpg "), QString("文件名含有无法保存的字符"));
        AddRow("wholly in quotes", QString("'q.jpg'"), QString("文件名含有无法保存的字符"));
        AddRow("a line break", QString("a\nb.jpg"), QString("文件名含有无法保存的字符"));
    }
    void importThatCannotCompleteLosesNothing() {
        QFETCH(QString, picked);
        QFETCH(QString, message);
        Page p;
        p.f.dir.write("background/main/old.jpg", "old");
        p.f.setProfile(kMainProfile, "背景图片", "old.jpg");
        const QString path =
            picked == "vanished.jpg" ? p.pickFrom.path() + "/vanished.jpg" : p.outside(picked);
        p.f.platform.dialogs.answerFile(path);
        p.click("Command4");
        QCOMPARE(p.mainKey("背景图片"), QString("old.jpg"));
        QCOMPARE(p.f.dir.readBytes("background/main/old.jpg"), QByteArray("old"));
        QCOMPARE(QDir(p.f.path("\\background\\main")).entryList(QDir::Files),
                 QStringList{"old.jpg"});
        QCOMPARE(p.f.platform.messages.shown.size(), 1);
        QVERIFY2(p.f.platform.messages.shown[0].text.contains(message),
                 qPrintable(p.f.platform.messages.shown[0].text));
        QCOMPARE(p.box("Text6")->text(), QString("old.jpg"));
    }

    void pickingTheStoredFileItselfKeepsIt() {
        Page p;
        const QString stored = p.f.dir.write("background/main/Old.jpg", "old");
        p.f.setProfile(kMainProfile, "背景图片", "Old.jpg");
        p.f.platform.dialogs.answerFile(stored);
        p.click("Command4");
        QCOMPARE(p.f.dir.readBytes("background/main/Old.jpg"), QByteArray("old"));
        QCOMPARE(p.mainKey("背景图片"), QString("Old.jpg"));
        QVERIFY(p.f.platform.messages.shown.isEmpty());
    }

    // Presentation 2 imports a "共用.pdf" into the folder presentation 1 may already use.
    void sameNameInASharedFolder_data() {
        QTest::addColumn<bool>("namedElsewhere");
        QTest::addColumn<QByteArray>("picked");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QByteArray>("sharedAfter");
        QTest::addColumn<QStringList>("messages");
        AddRow("other bytes: kept, the new file under a free name", true, QByteArray("new"),
               QString("共用 (3).pdf"), QByteArray("old"),
               QStringList{"文件夹中的“共用.pdf”另有设置在使用，未被替换；新文件已另存为“共用 (3)."
                           "pdf”。"});
        AddRow("same bytes: reused, nothing copied", true, QByteArray("old"), QString("共用.pdf"),
               QByteArray("old"), QStringList{});
        AddRow("no other setting names it: replaced", false, QByteArray("new"), QString("共用.pdf"),
               QByteArray("new"), QStringList{});
    }
    void sameNameInASharedFolder() {
        QFETCH(bool, namedElsewhere);
        QFETCH(QByteArray, picked);
        QFETCH(QString, stored);
        QFETCH(QByteArray, sharedAfter);
        QFETCH(QStringList, messages);
        Page p;
        p.f.dir.write("ppt/共用.pdf", "old");
        p.f.dir.write("ppt/共用 (2).pdf", "a file nobody names is not taken either");
        if (namedElsewhere) {
            p.f.setProfile(kPresentationProfile, "1_演示文件名称", "共用.PDF");
        }
        p.f.platform.dialogs.answerFile(p.outside("共用.pdf", picked));
        p.click("Command2");
        QCOMPARE(p.ppt("2_演示文件名称"), stored);
        QCOMPARE(p.f.dir.readBytes("ppt/共用.pdf"), sharedAfter);
        QCOMPARE(p.f.dir.readBytes("ppt/" + stored), picked);
        QCOMPARE(p.f.platform.messages.texts(), messages);
        QCOMPARE(p.box("Text10")->text(), stored);
        QCOMPARE(QDir(p.f.path("\\ppt")).entryList(QDir::Files).size(), messages.size() + 2);
    }

    void aNameIsStoredOnlyWhenItReadsBack() {
        Page p;
        p.f.dir.write("background/main/old.jpg", "old");
        p.f.setProfile(kMainProfile, "背景图片", "old.jpg");
        const StoredFileRef background{kMainProfile, kConfigSection, "背景图片",
                                       kMainPictureFolder};
        // The second guard, behind the refusal of such names: the profile reads "q.jpg".
        QVERIFY(!WriteStoredName(&p.form(), background, "\"q.jpg\""));
        QCOMPARE(p.mainKey("背景图片"), QString("old.jpg"));
        QCOMPARE(p.f.platform.messages.texts(),
                 QStringList{"设置未能保存：写入“\"q.jpg\"”后读出的是“q.jpg”，已恢复原来的设置。"});

        // A write that fails after the copy: the copy goes, the old picture stays.
        p.f.platform.messages.shown.clear();
        QFile::remove(p.f.path("\\config\\main.ini"));
        p.f.dir.mkdir("config/main.ini");
        p.f.platform.dialogs.answerFile(p.outside("新.jpg"));
        p.click("Command4");
        QCOMPARE(QDir(p.f.path("\\background\\main")).entryList(QDir::Files),
                 QStringList{"old.jpg"});
        QCOMPARE(p.f.platform.messages.shown.size(), 1);
        QVERIFY(p.f.platform.messages.shown[0].text.startsWith("设置未能保存："));
    }

    void aFileOtherSettingsNameStaysUntilTheLastLetsGo() {
        Page p;
        p.f.dir.write("ppt/共用.pdf", "x");
        p.f.setProfile(kPresentationProfile, "1_演示文件名称", "共用.pdf");
        p.f.setProfile(kPresentationProfile, "2_演示文件名称", "共用.PDF");
        p.click("Command5");  // remove presentation 1
        QCOMPARE(p.box("Text9")->text(), QString("演示文件已移除！"));
        QCOMPARE(p.boxColour("Text9"), kRed);
        QCOMPARE(p.ppt("1_演示文件名称"), QString());
        QVERIFY(p.exists("/ppt/共用.pdf"));
        // Re-importing presentation 2 lets go of the file too: now it goes.
        p.f.platform.dialogs.answerFile(p.outside("新.pdf"));
        p.click("Command2");
        QCOMPARE(p.ppt("2_演示文件名称"), QString("新.pdf"));
        QVERIFY(!p.exists("/ppt/共用.pdf"));
    }

    void cancelledImportClearsAPresentationButKeepsTheBackground() {
        Page p;
        p.f.dir.write("ppt/a.pps", "x");
        p.f.dir.write("background/main/b.jpg", "x");
        p.f.setProfile(kPresentationProfile, "3_演示文件名称", "a.pps");
        p.f.setProfile(kMainProfile, "背景图片", "b.jpg");
        p.click("Command3");
        p.click("Command4");
        QCOMPARE(p.ppt("3_演示文件名称"), QString());
        QVERIFY(p.exists("/ppt/a.pps"));
        QCOMPARE(p.box("Text11")->text(), QString("您还未选择任何演示文件！"));
        QCOMPARE(p.mainKey("背景图片"), QString("b.jpg"));
        QCOMPARE(p.box("Text6")->text(), QString("您还未选择任何图片！"));
        QCOMPARE(p.boxColour("Text6"), kRed);
    }

    void removingTheBackgroundClearsTheOpenMainScreenAtOnce() {
        Page p;
        p.f.dir.write("background/main/b.jpg", "x");
        p.f.setProfile(kMainProfile, "背景图片", "b.jpg");
        p.click("Command12");
        QCOMPARE(p.mainKey("背景图片"), QString());
        QVERIFY(!p.exists("/background/main/b.jpg"));
        QCOMPARE(p.box("Text6")->text(), QString("图片已移除，主界面背景将以纯色显示！"));
        QCOMPARE(p.f.navigator.count("clear picture"), 1);
    }

    void colourIsWrittenAtOnceAndNamesOnlyBySave() {
        Page p;
        p.f.platform.dialogs.answerColour(255);
        QTest::mouseDClick(p.form().Label2, Qt::LeftButton);
        QCOMPARE(p.mainKey("背景颜色"), QString("255"));
        // A cancelled dialog keeps the colour chosen.
        QTest::mouseDClick(p.form().Label2, Qt::LeftButton);
        QCOMPARE(BackgroundColour(p.form().Label2), kRed);
        QCOMPARE(p.mainKey("背景颜色"), QString("255"));

        p.box("Text2")->setText("宣传片");
        QCOMPARE(p.ppt("2_名称"), QString());
        p.click("Command9");
        QCOMPARE(p.ppt("2_名称"), QString("宣传片"));
        QCOMPARE(p.f.platform.messages.texts(), QStringList{"数据保存成功！"});
    }

    void aSaveThatDidNotTakeSaysSo() {
        Page p;
        p.f.dir.mkdir("config/PPT.ini");  // a folder where the profile should be
        p.click("Command9");
        QCOMPARE(p.f.platform.messages.shown.size(), 1);
        QVERIFY(p.f.platform.messages.shown[0].text.startsWith("设置未能保存："));
    }

    void buttonsLeadAlongTheWizard_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<ScreenId>("screen");
        AddRow("back", QString("Command10"), QString("replace"), ScreenId::BasicInfoPage);
        AddRow("next", QString("Command13"), QString("replace"), ScreenId::SegmentPage);
        AddRow("main", QString("Command11"), QString("main"), ScreenId::Main);
    }
    void buttonsLeadAlongTheWizard() {
        QFETCH(QString, button);
        QFETCH(QString, kind);
        QFETCH(ScreenId, screen);
        Page p;
        p.form().show();
        p.click(button);
        QCOMPARE(p.f.navigator.requests.size(), 1);
        QCOMPARE(p.f.navigator.requests[0].kind, kind);
        QCOMPARE(p.f.navigator.requests[0].screen, screen);
        QVERIFY(!p.form().isVisible());
    }

    void previewShowsThePictureOrWhyItCannot_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("fileThere");
        QTest::addColumn<bool>("notice");
        QTest::addColumn<bool>("picture");
        AddRow("no picture chosen", QString(), false, true, false);
        AddRow("picture deleted from its folder", QString("gone.jpg"), false, false, false);
        AddRow("picture there", QString("b.png"), true, false, true);
    }
    void previewShowsThePictureOrWhyItCannot() {
        QFETCH(QString, stored);
        QFETCH(bool, fileThere);
        QFETCH(bool, notice);
        QFETCH(bool, picture);
        Page p;
        if (fileThere) {
            QImage image(4, 3, QImage::Format_RGB32);
            image.fill(Qt::green);
            p.f.dir.mkdir("background/main");
            QVERIFY(image.save(p.f.path("\\background\\main\\") + stored, "PNG"));
        }
        p.f.setProfile(kMainProfile, "背景图片", stored);
        p.form().show();
        p.hover(p.box("Text6"));
        Form14* preview = p.form().preview()->window();
        QVERIFY(preview && preview->isVisible());
        QCOMPARE(p.f.profile(kPreviewProfile, "背景图片"), stored);
        QCOMPARE(preview->noticeShown(), notice);
        QCOMPARE(preview->Image1->hasPicture(), picture);
        // The page keeps the keyboard.
        QVERIFY(preview->testAttribute(Qt::WA_ShowWithoutActivating));

        // The page background closes it; the next hover opens it afresh.
        QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), QPointF(5, 5), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(p.form().picture(), &move);
        QVERIFY(!p.form().preview()->window());
        p.hover(p.box("Text6"));
        QVERIFY(p.form().preview()->window());
        // Presentations have nothing to preview.
        p.form().preview()->ClosePicturePreview();
        p.hover(p.box("Text9"));
        QVERIFY(!p.form().preview()->window());
    }
};

QTEST_MAIN(MainBackgroundPageTest)
#include "test_main_background_page.moc"
