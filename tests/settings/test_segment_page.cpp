// The timing segment page Form3: loading a segment (also one without a profile), the style
// fields, what is written at once, the save with its question and order, and leaving.

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>
#include <memory>

#include "foundation/widgets/picture.h"
#include "foundation/widgets/widget_colours.h"
#include "screens/settings/bell_points_dialog.h"
#include "screens/settings/colour_preview.h"
#include "screens/settings/picture_preview.h"
#include "screens/settings/segment_page.h"
#include "support/data_rows.h"
#include "support/screen_fixture.h"

namespace {

QPushButton* DialogButton(QWidget* dialog, const char* name) {
    return dialog->findChild<QPushButton*>(QString::fromLatin1(name));
}

struct Page {
    Page() {
        f.dir.mkdir("config/tache");
        // Illustration N is a plain picture of red 40 * N, so Image2 tells which one it shows.
        for (int n = 0; n <= 5; ++n) {
            QImage image(4, 3, QImage::Format_RGB32);
            image.fill(QColor(40 * n, 0, 0));
            f.dir.mkdir("helpimg");
            image.save(f.dir.path() + QStringLiteral("/helpimg/%1.jpg").arg(n), "PNG");
        }
    }
    // Built on first use, so a test writes its profiles beforehand.
    Form3& form() {
        if (!form_) {
            form_ = std::make_unique<Form3>(f.context);
        }
        return *form_;
    }
    static QString tache(int n) { return QStringLiteral("\\config\\tache\\%1.ini").arg(n); }
    // "key=value|key=value" into segment n's profile.
    void set(int n, const QString& keys) {
        for (const QString& pair : keys.split('|')) {
            f.setProfile(tache(n), pair.section('=', 0, 0), pair.section('=', 1));
        }
    }
    QString stored(int n, const QString& key) const { return f.profile(tache(n), key); }
    // An entry chosen from the list, which is what starts the handlers.
    void choose(QComboBox* box, const QString& item) {
        box->setCurrentIndex(box->findText(item));
        emit box->activated(box->currentIndex());
    }
    void segment(int n) { choose(form().C1, SegmentPageText::Segments[n - 1]); }
    QString text(const QString& name) {
        auto* box = f.find<QLineEdit>(&form(), name);
        return box ? box->text() : f.find<QComboBox>(&form(), name)->currentText();
    }
    bool red(QWidget* box) {
        auto* combo = qobject_cast<QComboBox*>(box);
        return TextColour(combo ? combo->lineEdit() : box) == QColor(Qt::red);
    }
    int illustration() {
        return form().Image2->stretchedPicture().toImage().pixelColor(2, 2).red() / 40;
    }
    bool noTacheFiles() { return QDir(f.path("\\config\\tache")).isEmpty(); }

    ScreenFixture f;

  private:
    std::unique_ptr<Form3> form_;
};

}  // namespace

class SegmentPageTest : public QObject {
    Q_OBJECT

  private slots:
    void segmentWithoutProfileKeepsSwitchAndColours() {
        Page p;
        p.f.dir.write("background/jishi/dark.jpg", "x");
        p.set(1,
              "使用过场图片=1|倒计时字体颜色=255|计时样式=Mode-3|时间到提示音=None|计时格式=1|"
              "环节名称=立论|双方每次发言限时=30|背景图片=dark.jpg");
        p.segment(1);
        QCOMPARE(p.text("Text6") + p.text("Text13"), QString("dark.jpg30"));
        p.segment(2);
        for (const QString& name : QStringList{"Text1", "Text13", "Text7_0", "C2", "C4"}) {
            QVERIFY2(p.text(name).isEmpty(), qPrintable(name));
        }
        QCOMPARE(p.text("C6"), QString("*S"));
        QCOMPARE(p.illustration(), 3);
        for (QLineEdit* box : {p.form().Text5, p.form().Text6}) {
            QVERIFY(box->text() == "您还未选择任何图片！" && p.red(box));
        }
        QVERIFY(p.form().Ch1->isChecked() && p.form().Text5->isEnabled());
        // Segment 1's colours are not carried over: a segment without colours shows none.
        for (QLabel* preview : {p.form().Label1, p.form().Label3, p.form().Label8}) {
            QCOMPARE(preview->text(), QString("未设置"));
        }
        QVERIFY(!QFile::exists(p.f.path(p.tache(2))));  // loading writes nothing back
        p.form().C2->setEditText("Mode-1");
        p.f.click(&p.form(), "Command1");
        QCOMPARE(p.stored(2, "计时样式"), QString("Mode-1"));
        QCOMPARE(p.stored(2, "倒计时字体颜色"), QString());
    }

    void clockFormatRule() {
        // 1 and 2 choose, any other number keeps what C6 shows, a text that is no number
        // shows "*S"; each segment in turn changes what the one before showed, or keeps it.
        Page p;
        p.f.setProfile("\\config\\tache\\timeformate.ini", "计时格式", "1");
        QCOMPARE(p.text("C6"), QString("*分*秒"));
        const QStringList values{"3", "2", "1", "", "1", "一"};
        const QStringList shown{"*分*秒", "*S", "*分*秒", "*S", "*分*秒", "*S"};
        for (int n = 1; n <= values.size(); ++n) {
            p.set(n, "计时格式=" + values[n - 1]);
            p.segment(n);
            QCOMPARE(p.text("C6"), shown[n - 1]);
        }
        QVERIFY(p.form().clockFormat().isEmpty());
    }

    void fontFlagsAndDialog() {
        Page p;
        p.set(3, "计时字体=楷体|计时字体加粗=y|计时字体倾斜=Y");
        p.segment(3);
        QCOMPARE(p.text("Text7_2") + p.text("Text7_3"), QString("倾斜"));
        p.form().C2->setEditText("Mode-5");
        p.f.click(&p.form(), "Command1");
        QCOMPARE(p.stored(3, "计时字体加粗") + p.stored(3, "计时字体倾斜"), QString("NY"));
        p.f.platform.dialogs.answerFont({"黑体", 10.5f, true, false});
        QTest::mouseDClick(p.form().Text7[3], Qt::LeftButton);
        QCOMPARE(p.text("Text7_0") + p.text("Text7_1") + p.text("Text7_2") + p.text("Text7_3"),
                 QString("黑体10.5加粗"));
        p.segment(3);
        p.f.platform.dialogs.cancelFont();
        QTest::mouseDClick(p.form().Text7[0], Qt::LeftButton);  // the boxes stay
        QCOMPARE(p.text("Text7_0") + p.text("Text7_3"), QString("楷体倾斜"));
    }

    void cancelledImports() {
        Page p;
        for (const char* file : {"sound/timeout/user/old.wav", "background/jishi/dark.jpg",
                                 "background/guochang/next.jpg"}) {
            p.f.dir.write(file, "x");
        }
        p.set(5,
              "时间到提示音=Default|自定义时间到提示音=old.wav|时间不足提示音=User-Defined|"
              "自定义时间不足提示音=gone.wav|背景图片=dark.jpg|过场图片=next.jpg|使用过场图片=1");
        p.segment(5);
        QVERIFY(p.red(p.form().C3) && !p.red(p.form().C4));
        p.choose(p.form().C4, "User-Defined");
        p.f.click(&p.form(), "Command8");
        p.f.click(&p.form(), "Command6");
        QCOMPARE(p.f.platform.dialogs.shown.value(0).filter,
                 QString("波形文件(*.wav)|*.wav|所有文件(*.*)|*.*|"));
        QCOMPARE(p.stored(5, "时间到提示音") + p.stored(5, "自定义时间到提示音"),
                 QString("User-Definedold.wav"));
        QCOMPARE(p.stored(5, "背景图片") + p.stored(5, "过场图片"), QString("next.jpg"));
        QVERIFY(p.red(p.form().C4) && p.red(p.form().Text6) && p.red(p.form().Text5));
        QVERIFY(QFile::exists(p.f.path("\\background\\jishi\\dark.jpg")));
    }

    void styleFields_data() {
        QTest::addColumn<QString>("style");
        QTest::addColumn<QStringList>("enabled");
        const QStringList all{"Text1", "Text6"};
        AddRow("1", QString("Mode-1"), all + QStringList{"Text2", "Text3"});
        AddRow("2", QString("Mode-2"), all + QStringList{"Text2", "Text3"});
        AddRow("3", QString("Mode-3"),
               all + QStringList{"Text2", "Text3", "Text9", "Text10", "C5"});
        AddRow("4", QString("Mode-4"), all + QStringList{"Text4", "Text8", "Text11", "Text12"});
        AddRow("5", QString("Mode-5"), all + QStringList{"Text2", "Text3", "Text13", "C5"});
    }
    void styleFields() {
        QFETCH(QString, style);
        QFETCH(QStringList, enabled);
        Page p;
        p.segment(6);
        // From a style that differs in every field, so each one is switched, not left as it was.
        p.choose(p.form().C2, style == "Mode-4" ? "Mode-3" : "Mode-4");
        p.choose(p.form().C2, style);
        const QStringList untouched{"C3", "Text7_0", "Label8", "Command8"};
        for (const QString& name :
             untouched + QStringList{"Text1", "Text2", "Text3", "Text6", "Text9", "Text10", "Text4",
                                     "Text8", "Text11", "Text12", "Text13", "C5"}) {
            const bool on = enabled.contains(name) || untouched.contains(name);
            QVERIFY2(p.f.find(&p.form(), name)->isEnabled() == on, qPrintable(name));
        }
        QCOMPARE(p.illustration(), style.back().digitValue());
        QCOMPARE(p.stored(6, "计时样式"), style);
    }

    void styleWithoutSegmentSaysSoYetFollows() {
        Page p;
        QCOMPARE(p.illustration(), 0);
        p.choose(p.form().C2, "Mode-4");
        QCOMPARE(p.f.platform.messages.texts(), QStringList{"您还未选择环节！"});
        QVERIFY(!p.form().Text2->isEnabled() && p.form().Text11->isEnabled());
        QCOMPARE(p.illustration(), 4);
        QVERIFY(p.noTacheFiles());
    }

    void bellPointsAreSetInTheirDialog() {
        Page p;
        p.form().bellPointsButton->click();
        QCOMPARE(p.f.platform.messages.texts(), QStringList{"您还未选择环节！"});
        QVERIFY(!p.form().findChild<BellPointsDialog*>());

        p.set(2, "附加提示点=60:2");
        p.segment(2);
        p.form().bellPointsButton->click();
        auto* dialog = p.form().findChild<BellPointsDialog*>();
        QVERIFY(dialog && dialog->isVisible());
        QCOMPARE(dialog->list->count(), 1);
        QCOMPARE(dialog->list->item(0)->text(), QString("剩余 1分00秒，响铃 2 次"));
        // 7:00 once, and 1:00 again, which replaces its rings.
        for (const auto& [minutes, rings] : {std::pair(7, 1), std::pair(1, 3)}) {
            dialog->minutes->setValue(minutes);
            dialog->seconds->setValue(0);
            dialog->rings->setValue(rings);
            DialogButton(dialog, "Add")->click();
        }
        QCOMPARE(dialog->list->count(), 2);
        dialog->accept();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(p.stored(2, "附加提示点"), QString("420:1,60:3"));
        // A bell that was never switched off keeps no key for it.
        QCOMPARE(p.stored(2, "附加提示音"), QString());

        p.form().bellPointsButton->click();
        dialog = p.form().findChild<BellPointsDialog*>();
        dialog->list->setCurrentRow(0);
        DialogButton(dialog, "Remove")->click();
        dialog->findChild<QCheckBox*>("Ringing")->setChecked(false);
        dialog->accept();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(p.stored(2, "附加提示点"), QString("60:3"));
        QCOMPARE(p.stored(2, "附加提示音"), QString("None"));

        // Cancelled: nothing changes.
        p.form().bellPointsButton->click();
        dialog = p.form().findChild<BellPointsDialog*>();
        DialogButton(dialog, "Add")->click();
        dialog->reject();
        QCOMPARE(p.stored(2, "附加提示点"), QString("60:3"));
    }

    void saveAsksAndWritesInOrder_data() {
        QTest::addColumn<QString>("style");
        AddRow("Mode-3", QString("Mode-3"));
        AddRow("empty style, empty brackets", QString());
    }
    void saveAsksAndWritesInOrder() {
        QFETCH(QString, style);
        Page p;
        p.segment(2);
        p.form().C2->setEditText(style);  // typed: nothing written at once
        p.form().Text1->setText("自由辩论");
        p.form().Text13->setText("abc");  // as typed, disabled or not
        p.f.platform.messages.answers = {false, true};
        p.f.click(&p.form(), "Command1");
        QVERIFY(!QFile::exists(p.f.path(p.tache(2))));
        p.f.click(&p.form(), "Command1");
        const ShownMessage asked = p.f.platform.messages.shown.value(1);
        QCOMPARE(asked.text, "是否保存环节二（" + style + "）的设置？");
        QVERIFY(asked.title == "提示" && asked.icon == MessageIcon::Question && asked.withCancel);
        QCOMPARE(p.f.platform.messages.texts().last(), QString("数据保存成功！"));
        // No colour chosen, none written: the clock screen keeps its designed colours.
        const QString expected =
            "[配置信息]|计时格式=2|环节名称=自由辩论|限时=|警告时间点=|计时字体=|计时字号=|"
            "计时字体加粗=N|计时字体倾斜=N|"
            "提问方一次提问限时=|回答方一次回答限时=|计时样式=%1|提问方限时=|回答方限时=|"
            "提问方时间不足警告点=|回答方时间不足警告点=|双方每次发言限时=abc";
        QCOMPARE(FromGbk(p.f.dir.readBytes("config/tache/2.ini")).split("\r\n", Qt::SkipEmptyParts),
                 expected.arg(style).split('|'));
    }

    void noSegmentOrStyleWritesNothing() {
        // C1 at its prompt, C1 typed away from a segment, C2 at "请选择样式".
        for (const auto& [c1, c2] : QList<std::pair<QString, QString>>{
                 {"请选择环节", "Mode-1"}, {"环节九", "Mode-1"}, {"环节七", "请选择样式"}}) {
            Page p;
            p.segment(7);
            p.form().C1->setEditText(c1);
            p.form().C2->setEditText(c2);
            p.f.click(&p.form(), "Command1");
            QCOMPARE(p.f.platform.messages.shown.size(), 1);
            QCOMPARE(p.f.platform.messages.shown[0].text, QString("还未选择“环节”或“计时样式”！"));
            QCOMPARE(p.f.platform.messages.shown[0].icon, MessageIcon::Warning);
            QVERIFY(p.noTacheFiles());
            // The writes at once are skipped too while C1 names no segment.
            p.f.click(&p.form(), "Ch1");
            p.choose(p.form().C6, "*分*秒");
            p.f.click(&p.form(), "Command7");
            QCOMPARE(p.noTacheFiles(), c1 != "环节七");
        }
    }

    void pageBackgroundLiesBetweenThePictureBoxes() {
        Page p;
        Form3& form = p.form();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTest::mouseMove(&form, form.Text6->geometry().center());
        QTRY_VERIFY(form.preview()->window() && form.preview()->window()->noticeShown());
        // Right of Ch1, between the two picture boxes; captions, frames, Image2 let it through.
        const QPoint between(form.Command8->x() - 3, form.Ch1->geometry().center().y());
        QList<QPoint> background{between, form.Image2->geometry().center()};
        for (QWidget* child : form.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            const bool decoration = qobject_cast<QLabel*>(child) || qobject_cast<QGroupBox*>(child);
            if (decoration && !qobject_cast<ColourPreview*>(child)) {
                background << child->geometry().topLeft() + QPoint(2, 2);
            }
        }
        for (const QPoint& at : background) {
            QCOMPARE(form.childAt(at), static_cast<QWidget*>(form.picture()));
        }
        QTest::mouseMove(form.picture(), between);
        QTRY_VERIFY(!form.preview()->window());
    }

    void buttonsLeave() {
        const QList<std::tuple<QString, QString, ScreenId>> buttons{
            {"Command2", "replace", ScreenId::MainBackgroundPage},
            {"Command3", "replace", ScreenId::OtherSegmentsPage},
            {"Command5", "main", ScreenId::Main}};
        for (const auto& [button, kind, screen] : buttons) {
            Page p;
            p.form().show();
            p.f.click(&p.form(), button);
            QCOMPARE(p.f.navigator.requests.size(), 1);
            QVERIFY(p.f.navigator.requests[0].kind == kind &&
                    p.f.navigator.requests[0].screen == screen);
            QVERIFY(!p.form().isVisible());
        }
    }
};

QTEST_MAIN(SegmentPageTest)
#include "test_segment_page.moc"
