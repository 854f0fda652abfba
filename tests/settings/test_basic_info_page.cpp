// The basic information page Form2: which box is which key, saving exactly what was typed (or
// saying that it was not saved), the wizard theme behind it, and where its buttons lead.

#include <QApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>
#include <memory>

#include "foundation/widgets/picture.h"
#include "screens/settings/basic_info_page.h"
#include "support/data_rows.h"
#include "support/screen_fixture.h"

namespace {

// Every box, its key and the key's place in the profile, as the report's readers expect them.
const QList<std::pair<QString, QString>> kBoxes{
    {"Text1_0", "辩论赛名称"}, {"Text1_1", "主办单位"},   {"Text1_2", "承办单位"},
    {"Text1_3", "协办单位"},   {"Text1_4", "正方辩题"},   {"Text1_5", "反方辩题"},
    {"Text1_6", "正方代表队"}, {"Text1_7", "反方代表队"}, {"Text2_0", "正方一辩"},
    {"Text2_1", "正方二辩"},   {"Text2_2", "正方三辩"},   {"Text2_3", "正方四辩"},
    {"Text2_4", "反方一辩"},   {"Text2_5", "反方二辩"},   {"Text2_6", "反方三辩"},
    {"Text2_7", "反方四辩"},   {"Text3_0", "评委一"},     {"Text3_1", "评委二"},
    {"Text3_2", "评委三"},     {"Text3_3", "评委四"},     {"Text3_4", "评委五"},
    {"Text3_5", "评委六"},     {"Text3_6", "评委七"},     {"Text3_7", "评委八"},
    {"Text3_8", "评委九"},     {"Text3_9", "评委十"},
};

const QString kSaved = QStringLiteral("数据保存成功！");

struct Page {
    Page() { f.dir.mkdir("config"); }
    // Built on first use, so a test writes its profiles beforehand.
    Form2& form() {
        if (!form_) {
            form_ = std::make_unique<Form2>(f.context);
        }
        return *form_;
    }
    QLineEdit* box(const QString& name) { return f.find<QLineEdit>(&form(), name); }
    // Chinese arrives as an input method commits it.
    void type(const QString& name, const QString& text) {
        QLineEdit* edit = box(name);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QInputMethodEvent typed;
        typed.setCommitString(text);
        QApplication::sendEvent(edit, &typed);
    }
    void save() { f.click(&form(), "Command1"); }
    QString stored(const QString& key) const {
        return f.profile(kDebateInfoProfile, key, kDebateInfoSection);
    }
    // The lines of BasicInfo.ini as they stand in the file.
    QStringList fileLines() const {
        return FromGbk(f.dir.readBytes("config/BasicInfo.ini"))
            .split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    }
    // A one-colour picture (PNG bytes: exact colours, whatever the name says).
    void picture(const QString& relative, QColor colour) {
        f.dir.mkdir(QFileInfo(relative).path());
        QImage image(4, 3, QImage::Format_RGB32);
        image.fill(colour);
        QVERIFY(image.save(f.dir.path() + '/' + relative, "PNG"));
    }
    QColor shownAt(QPoint at) {
        return form().picture()->stretchedPicture().toImage().pixelColor(at);
    }

    ScreenFixture f;

  private:
    std::unique_ptr<Form2> form_;
};

}  // namespace

class BasicInfoPageTest : public QObject {
    Q_OBJECT

  private slots:
    void withoutProfileOpensEmptyAndSaveWritesEveryKeyInOrder() {
        Page p;
        QCOMPARE(p.form().windowTitle(), QString("debaclock"));
        QCOMPARE(p.form().boxes().size(), 26);
        for (QLineEdit* box : p.form().boxes()) {
            QVERIFY2(box->text().isEmpty(), qPrintable(box->objectName()));
        }
        p.type("Text1_6", "星河大学");
        p.save();
        QCOMPARE(p.f.platform.messages.texts(), QStringList{kSaved});
        QCOMPARE(p.f.platform.messages.shown[0].title, QString("debaclock"));
        QStringList expected{"[辩论赛信息]"};
        for (const auto& [name, key] : kBoxes) {
            expected << key + '=' + (key == "正方代表队" ? "星河大学" : "");
        }
        QCOMPARE(p.fileLines(), expected);
    }

    void eachBoxShowsAndSavesItsOwnKey() {
        Page p;
        // Every key holds a different value, so a box on its neighbour's key shows.
        for (const auto& [name, key] : kBoxes) {
            p.f.setProfile(kDebateInfoProfile, key, "旧" + key, kDebateInfoSection);
        }
        const QList<QLabel*> captions = p.form().findChildren<QLabel*>();
        for (const auto& [name, key] : kBoxes) {
            QLineEdit* box = p.box(name);
            QVERIFY2(box, qPrintable(name));
            QCOMPARE(box->text(), "旧" + key);
            // The caption beside it names the key.
            const auto caption = std::find_if(captions.begin(), captions.end(),
                                              [&](QLabel* label) { return label->buddy() == box; });
            QVERIFY2(caption != captions.end(), qPrintable(name));
            QCOMPARE((*caption)->text(), key);
            QVERIFY((*caption)->geometry().right() < box->geometry().left());
            QCOMPARE((*caption)->geometry().center().y(), box->geometry().center().y());
            p.type(name, "新" + name);
        }
        p.save();
        for (const auto& [name, key] : kBoxes) {
            QCOMPARE(p.stored(key), "新" + name);
        }
    }

    void savesExactlyAsTyped_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("line");
        AddRow("blanks inside", QString("Text1_0"), QString("星河 杯  决赛"),
               QString("辩论赛名称=星河 杯  决赛"));
        AddRow("blanks around", QString("Text1_1"), QString("  星河市 "),
               QString("主办单位=  星河市 "));
        AddRow("judge left empty", QString("Text3_2"), QString(), QString("评委三="));
    }
    void savesExactlyAsTyped() {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(QString, line);
        Page p;
        QVERIFY(QFile::copy(AppPath(DEBACLOCK_DATA_DIR, kDebateInfoProfile),
                            p.f.path(kDebateInfoProfile)));
        p.type(box, typed);
        p.save();
        QCOMPARE(p.f.platform.messages.texts(), QStringList{kSaved});
        QVERIFY2(p.fileLines().contains(line), qPrintable(p.fileLines().join('|')));
    }

    void theThemePictureIsTheBackground_data() {
        QTest::addColumn<QString>("theme");
        QTest::addColumn<QString>("picture");
        AddRow("Theme-3", QString("Theme-3"), QString("Theme/Theme3.jpg"));
        AddRow("Theme-1", QString("Theme-1"), QString("Theme/Theme1.jpg"));
        AddRow("letter case differs", QString("theme-3"), QString(":/settings/wizard.jpg"));
        AddRow("no Theme.ini", QString(), QString(":/settings/wizard.jpg"));
    }
    void theThemePictureIsTheBackground() {
        QFETCH(QString, theme);
        QFETCH(QString, picture);
        Page p;
        p.picture("Theme/Theme1.jpg", Qt::green);
        p.picture("Theme/Theme3.jpg", Qt::red);
        if (!theme.isNull()) {
            p.f.setProfile(kThemeProfile, kThemeKey, theme);
        }
        const QImage expected(picture.startsWith(':') ? picture : p.f.dir.path() + '/' + picture);
        const QPoint at(400, 300);
        QCOMPARE(p.shownAt(at),
                 expected.scaled(p.form().size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                     .pixelColor(at));
    }

    void boxesAndNoteAreOpaqueAndTabGoesDownTheColumns() {
        Page p;
        p.picture("Theme/Theme2.jpg", Qt::red);
        p.f.setProfile(kThemeProfile, kThemeKey, "Theme-2");
        Form2& form = p.form();
        QCOMPARE(form.Text4->toPlainText().split('\n'), BasicInfoText::Note);
        QVERIFY(form.Text4->isReadOnly());
        const QImage shot = form.grab().toImage();
        QCOMPARE(shot.pixelColor(3, 3), QColor(Qt::red));
        QList<QWidget*> covering{form.Text4};
        for (QLineEdit* box : form.boxes()) {
            covering << box;
        }
        for (QWidget* control : covering) {
            const QPoint inside = control->geometry().topLeft() + QPoint(4, 4);
            QVERIFY2(shot.pixelColor(inside) != QColor(Qt::red), qPrintable(control->objectName()));
        }

        form.show();
        form.Text1[0]->setFocus();
        QStringList expected;
        for (const auto& entry : kBoxes) {
            expected << entry.first;
        }
        expected += QStringList{"Command1", "Command5", "Command2", "Command4"};
        QStringList visited;
        while (visited.size() < expected.size()) {
            visited << form.focusWidget()->objectName();
            QTest::keyClick(form.focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(visited, expected);
    }

    void failedSaveSaysSo_data() {
        QTest::addColumn<bool>("configFolder");
        QTest::addColumn<QString>("reason");
        AddRow("read-only BasicInfo.ini", true, QString("只读"));
        AddRow("no config folder", false, QString("不存在"));
    }
    void failedSaveSaysSo() {
        QFETCH(bool, configFolder);
        QFETCH(QString, reason);
        Page p;
        if (configFolder) {
            p.f.setProfile(kDebateInfoProfile, "评委一", "王启明", kDebateInfoSection);
            QFile::setPermissions(p.f.path(kDebateInfoProfile),
                                  QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        } else {
            QDir(p.f.dir.path() + "/config").removeRecursively();
        }
        p.type("Text3_0", "李文澜");
        p.save();
        QCOMPARE(p.f.platform.messages.shown.size(), 1);
        const ShownMessage& shown = p.f.platform.messages.shown[0];
        QVERIFY2(shown.text.startsWith("设置未能保存：") && shown.text.contains(reason),
                 qPrintable(shown.text));
        // One reason, not one per key.
        QCOMPARE(shown.text.count(reason), 1);
        QCOMPARE(shown.title, QString("debaclock"));
        QCOMPARE(p.stored("评委一"), configFolder ? QString("王启明") : QString());
    }

    void buttonsLeaveWithoutSaving_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("request");
        QTest::addColumn<ScreenId>("screen");
        AddRow("<<上一步", QString("Command5"), QString("replace"), ScreenId::SettingsHome);
        AddRow("下一步>>", QString("Command2"), QString("replace"), ScreenId::MainBackgroundPage);
        AddRow("返回主界面", QString("Command4"), QString("main"), ScreenId::Main);
    }
    void buttonsLeaveWithoutSaving() {
        QFETCH(QString, button);
        QFETCH(QString, request);
        QFETCH(ScreenId, screen);
        Page p;
        p.form().show();
        p.type("Text1_0", "未保存");
        p.f.click(&p.form(), button);
        QCOMPARE(p.f.navigator.requests.size(), 1);
        QCOMPARE(std::pair(p.f.navigator.requests[0].kind, p.f.navigator.requests[0].screen),
                 std::pair(request, screen));
        QVERIFY(!p.form().isVisible());
        QVERIFY(!QFile::exists(p.f.path(kDebateInfoProfile)));
        QVERIFY(p.f.platform.messages.shown.isEmpty());
    }
};

QTEST_MAIN(BasicInfoPageTest)
#include "test_basic_info_page.moc"
