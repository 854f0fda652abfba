// The other-segments page Form10: the enabling of the timer flags, what each control writes at
// once and what only the save writes, sound choices with their previews, picture removal, the
// layout, and where its buttons lead.

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <memory>

#include "foundation/widgets/picture.h"
#include "screens/settings/colour_preview.h"
#include "screens/settings/other_segments_page.h"
#include "support/data_rows.h"
#include "support/screen_fixture.h"

namespace {

const QString kSide = QStringLiteral("\\config\\TW&DP.ini");
const QString kResult = QStringLiteral("\\config\\Result.ini");
const QString kCite = QStringLiteral("\\config\\cite.ini");
const QString kTW = QStringLiteral("配置信息TW");
const QString kDP = QStringLiteral("配置信息DP");

struct Page {
    Page() { f.dir.mkdir("config"); }
    // Built on first use, so a test writes its profiles beforehand.
    Form10& form() {
        if (!form_) {
            form_ = std::make_unique<Form10>(f.context);
        }
        return *form_;
    }
    void reopen() { form_.reset(); }
    void choose(QComboBox* box, const QString& entry) {
        box->setCurrentIndex(box->findText(entry));
        emit box->activated(box->currentIndex());
    }
    ScreenFixture f;

  private:
    std::unique_ptr<Form10> form_;
};

}  // namespace

class OtherSegmentsPageTest : public QObject {
    Q_OBJECT

  private slots:
    void openingEnablesInTheListedOrder_data() {
        QTest::addColumn<QString>("show");
        QTest::addColumn<QString>("countDown");
        QTest::addColumn<bool>("countDownEnabled");
        QTest::addColumn<bool>("limitEnabled");
        AddRow("hidden clock, countdown on", QString("0"), QString("1"), false, true);
        AddRow("hidden clock, countdown off", QString("0"), QString("0"), false, false);
        AddRow("shown clock, countdown off", QString("1"), QString("0"), true, false);
    }
    void openingEnablesInTheListedOrder() {
        QFETCH(QString, show);
        QFETCH(QString, countDown);
        QFETCH(bool, countDownEnabled);
        QFETCH(bool, limitEnabled);
        Page p;
        for (const QString& section : {kTW, kDP}) {
            p.f.setProfile(kSide, "显示计时", show, section);
            p.f.setProfile(kSide, "倒序计时", countDown, section);
        }
        Form10& form = p.form();
        QCOMPARE(std::pair(form.Check3->isEnabled(), form.Text6->isEnabled()),
                 std::pair(countDownEnabled, limitEnabled));
        QCOMPARE(std::pair(form.Check4->isEnabled(), form.Text7->isEnabled()),
                 std::pair(countDownEnabled, limitEnabled));
    }

    void flagsAreWrittenAtOnceEachToItsOwnKey() {
        Page p;
        for (const QString& section : {kTW, kDP}) {
            p.f.setProfile(kSide, "显示计时", "1", section);
            p.f.setProfile(kSide, "倒序计时", "0", section);
        }
        Form10& form = p.form();
        QTest::mouseClick(form.Check4, Qt::LeftButton);
        QCOMPARE(p.f.profile(kSide, "倒序计时", kDP), QString("1"));
        QCOMPARE(p.f.profile(kSide, "倒序计时", kTW), QString("0"));
        QVERIFY(form.Text7->isEnabled() && !form.Check3->isChecked() && !form.Text6->isEnabled());
        QTest::mouseClick(form.Check1, Qt::LeftButton);
        QCOMPARE(p.f.profile(kSide, "显示计时", kTW), QString("0"));
        QVERIFY(!form.Check3->isEnabled() && !form.Text6->isEnabled());
        QTest::mouseClick(form.Ch2, Qt::LeftButton);
        QCOMPARE(p.f.profile(kResult, "循环播放"), QString("1"));
        QTest::mouseClick(form.Ch1, Qt::LeftButton);
        QCOMPARE(p.f.profile(kCite, "循环播放"), QString("1"));
        QVERIFY(p.f.platform.messages.shown.isEmpty());
    }

    void cancelledUserDefinedEffectTurnsRedAndKeepsTheFile() {
        Page p;
        p.f.dir.write("sound/result/user/old.wav", "RIFF");
        p.f.setProfile(kResult, "公布正方得分时音效", "Default");
        p.f.setProfile(kResult, "自定义公布正方得分时音效", "old.wav");
        Form10& form = p.form();
        QCOMPARE(form.Cb2->currentText(), QString("Default"));
        QCOMPARE(form.Cb3->currentText(), QString());  // the design text is replaced
        p.f.platform.dialogs.cancelFile();
        p.choose(form.Cb2, "User-Defined");
        QCOMPARE(p.f.platform.dialogs.shown.last().filter,
                 QString("波形文件(*.wav)|*.wav|所有文件(*.*)|*.*|"));
        QCOMPARE(p.f.colour(&form, "Cb2"), QColor(Qt::red));
        QCOMPARE(p.f.profile(kResult, "公布正方得分时音效"), QString("User-Defined"));
        QCOMPARE(p.f.profile(kResult, "自定义公布正方得分时音效"), QString("old.wav"));
        QVERIFY(QFile::exists(p.f.path("\\sound\\result\\user\\old.wav")));
        QVERIFY(p.f.played().isEmpty());
    }

    void musicPreviewsThroughThePlayerAndStops() {
        Page p;
        Form10& form = p.form();
        p.choose(form.Cb1, "Default");
        QCOMPARE(form.WP->URL(), p.f.path("\\sound\\result\\BgMusic.mp3"));
        QCOMPARE(form.WP->playState(), MediaPlayer::Playing);
        p.choose(form.Cb1, "None");
        QCOMPARE(form.WP->playState(), MediaPlayer::Stopped);
        QCOMPARE(p.f.profile(kResult, "背景音乐"), QString("None"));
        p.choose(form.C1, "Default");
        QCOMPARE(form.WP->URL(), p.f.path("\\sound\\cite\\Default.mp3"));
        QTest::mouseClick(form.Command5, Qt::LeftButton);
        QCOMPARE(form.WP->playState(), MediaPlayer::Stopped);
        // Leaving the page ends a preview, too.
        p.choose(form.C1, "Default");
        form.close();
        QCOMPARE(form.WP->playState(), MediaPlayer::Stopped);
        QVERIFY(p.f.played().isEmpty());
    }

    void removedPictureIsDeletedUnlessNamedElsewhere() {
        Page p;
        p.f.dir.write("background/dianping/dp.jpg", "jpg");
        p.f.setProfile(kSide, "背景图片", "dp.jpg", kDP);
        // A result picture that two keys name stays while one of them still names it.
        p.f.dir.write("background/result/same.jpg", "jpg");
        p.f.setProfile(kResult, "背景图片", "same.jpg");
        p.f.setProfile(kResult, "公布获胜方时背景图片", "same.jpg");
        p.f.click(&p.form(), "Command9");
        QVERIFY(QFile::exists(p.f.path("\\background\\result\\same.jpg")));
        QCOMPARE(p.form().Text9->text(), QString("same.jpg"));
        QCOMPARE(p.form().Text5->text(), QString("dp.jpg"));
        p.f.click(&p.form(), "Command8");
        QVERIFY(!QFile::exists(p.f.path("\\background\\dianping\\dp.jpg")));
        QCOMPARE(p.form().Text5->text(), QString("图片已移除！"));
        QCOMPARE(p.f.colour(&p.form(), "Text5"), QColor(Qt::red));
        QCOMPARE(p.f.profile(kSide, "背景图片", kDP), QString());
        p.reopen();
        QCOMPARE(p.form().Text5->text(), QString("您还未选择任何图片！"));
    }

    void saveWritesTheEightValuesInOrder() {
        Page p;
        p.f.setProfile(kCite, "背景颜色", "853834");
        p.f.setProfile(kResult, "背景颜色", "not a colour");
        p.f.platform.dialogs.answerColour(65280);
        Form10& form = p.form();
        QTest::mouseDClick(form.Label3, Qt::LeftButton);
        QVERIFY(!QFile::exists(p.f.path(kSide)));  // a colour waits for the save
        form.Text2->setText("观众提问");
        form.Text4->setText("嘉宾点评");
        form.Text6->setText("90s");
        form.Text7->setText("");
        form.Label2->load("255");
        form.Command3->click();
        QCOMPARE(p.f.platform.messages.texts(), QStringList{"数据保存成功！"});
        QCOMPARE(FromGbk(p.f.dir.readBytes("config/TW&DP.ini")).split("\r\n", Qt::SkipEmptyParts),
                 QStringList({"[配置信息TW]", "环节名称=观众提问", "背景颜色=255", "倒序限时=90s",
                              "[配置信息DP]", "背景颜色=65280", "环节名称=嘉宾点评", "倒序限时="}));
        QCOMPARE(p.f.profile(kCite, "背景颜色"), QString("853834"));
        // Not a colour: "未设置" on the page, and the save leaves the key as it was.
        QCOMPARE(form.Label5->text(), QString("未设置"));
        QCOMPARE(p.f.profile(kResult, "背景颜色"), QString("not a colour"));
    }

    void buttonsLeadWithoutSaving_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("request");
        QTest::addColumn<ScreenId>("screen");
        AddRow("<<上一步", QString("Command4"), QString("replace"), ScreenId::SegmentPage);
        AddRow("返回主界面", QString("Command2"), QString("main"), ScreenId::Main);
        AddRow("更多设置...", QString("Command11"), QString("replace"), ScreenId::Announcement);
    }
    void buttonsLeadWithoutSaving() {
        QFETCH(QString, button);
        QFETCH(QString, request);
        QFETCH(ScreenId, screen);
        Page p;
        p.f.setProfile(kResult, "设计模式", "Off");
        p.f.setProfile(kSide, "环节名称", "观众提问", kTW);
        p.form().show();
        p.form().Text2->setText("未保存");  // leaving never saves an edit
        QVERIFY(!p.form().Command6->isEnabled());
        p.f.click(&p.form(), button);
        QCOMPARE(p.f.navigator.requests.size(), 1);
        QCOMPARE(std::pair(p.f.navigator.requests[0].kind, p.f.navigator.requests[0].screen),
                 std::pair(request, screen));
        QVERIFY(!p.form().isVisible());
        QCOMPARE(p.f.profile(kResult, "设计模式"), QString(button == "Command11" ? "On" : "Off"));
        QCOMPARE(p.f.profile(kSide, "环节名称", kTW), QString("观众提问"));
    }

    void controlsDoNotOverlapAndTheirTextsFit() {
        Page p;
        Form10& form = p.form();
        const QList<QGroupBox*> sections = form.findChildren<QGroupBox*>();
        QCOMPARE(sections.size(), 4);
        QList<QWidget*> controls;
        for (QWidget* w : form.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (w->isWindow() || w == form.picture() || sections.contains(w) || w == form.Line1) {
                continue;
            }
            QVERIFY2(form.rect().contains(w->geometry()), qPrintable(w->objectName()));
            // Inside a section below its caption, or clear of every section.
            for (QGroupBox* section : sections) {
                QRect body = section->geometry();
                body.setTop(body.top() + section->fontMetrics().height() + 2);
                QVERIFY2(
                    !section->geometry().intersects(w->geometry()) || body.contains(w->geometry()),
                    qPrintable(w->objectName()));
            }
            for (QWidget* other : controls) {
                QVERIFY2(!w->geometry().intersects(other->geometry()),
                         qPrintable(w->objectName() + " " + other->objectName()));
            }
            controls << w;
            // Every caption shows in full.
            if (const auto* button = qobject_cast<QPushButton*>(w)) {
                QVERIFY2(w->fontMetrics().horizontalAdvance(button->text()) + 8 <= w->width(),
                         qPrintable(w->objectName()));
            } else if (qobject_cast<QLabel*>(w) || qobject_cast<QCheckBox*>(w)) {
                QVERIFY2(w->sizeHint().width() <= w->width(), qPrintable(w->objectName()));
            }
        }
        for (QGroupBox* section : sections) {
            QVERIFY2(
                section->fontMetrics().horizontalAdvance(section->title()) + 16 <= section->width(),
                qPrintable(section->title()));
            QVERIFY(std::none_of(sections.begin(), sections.end(), [&](QGroupBox* other) {
                return other != section && other->geometry().intersects(section->geometry());
            }));
        }
    }
};

QTEST_MAIN(OtherSegmentsPageTest)
#include "test_other_segments_page.moc"
