// The score entry window: what gets into the boxes, the save rules, and where its buttons lead.

#include <QContextMenuEvent>
#include <QFrame>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QtTest>
#include <memory>

#include "foundation/widgets/twips.h"
#include "screens/results/score_box.h"
#include "screens/results/score_entry.h"
#include "support/data_rows.h"
#include "support/screen_fixture.h"

namespace {

const QString kAffirmativeTeam = QStringLiteral("星海大学");
const QString kNegativeTeam = QStringLiteral("明湖学院");
const QString kRefused = QStringLiteral("只能输入数字和小数点！");

struct ScoreEntryFixture : ScreenFixture {
    ScoreEntryFixture() {
        dir.mkdir("config");
        setProfile(kDebateInfoProfile, "正方代表队", kAffirmativeTeam, kDebateInfoSection);
        setProfile(kDebateInfoProfile, "反方代表队", kNegativeTeam, kDebateInfoSection);
    }
    // Built on first use, so a test writes its profiles beforehand.
    Form16& form() {
        if (!form_) {
            form_ = std::make_unique<Form16>(context);
        }
        return *form_;
    }
    void reopen() { form_.reset(); }
    QList<ScoreBox*> boxes() { return {form().Text1, form().Text2, form().Text3, form().Text4}; }
    QStringList boxTexts() {
        QStringList texts;
        for (ScoreBox* box : boxes()) {
            texts << box->text();
        }
        return texts;
    }
    // Types the four entries into emptied boxes, then presses "保存成绩".
    void save(const QStringList& typed) {
        for (int i = 0; i < 4; ++i) {
            boxes()[i]->clear();
            QTest::keyClicks(boxes()[i], typed[i]);
        }
        click(&form(), "Command1");
    }
    QStringList stored() const {
        return {profile(kResultProfile, "正方总成绩", kScoreSection),
                profile(kResultProfile, "反方总成绩", kScoreSection),
                profile(kResultProfile, "获胜方")};
    }

  private:
    std::unique_ptr<Form16> form_;
};

}  // namespace

class TestScoreEntry : public QObject {
    Q_OBJECT

  private slots:
    void controlsAtTheirDesignGeometry() {
        ScoreEntryFixture f;
        Form16& form = f.form();
        QVERIFY(form.windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(form.minimumSize(), SizeFromTwips(6435, 3720));
        QCOMPARE(form.maximumSize(), form.minimumSize());
        const QList<std::tuple<QString, QRect, QString>> design{
            {"Label2", {1560, 240, 3255, 495}, "成绩录入"},
            {"Line1", {2040, 720, 2280, 15}, ""},
            {"Label1_0", {840, 1080, 2730, 210}, "请键入正方代表队的最后得分"},
            {"Text1", {4200, 1080, 1575, 270}, ""},
            {"Label1_1", {840, 1560, 3150, 210}, "请再次键入正方代表队的最后得分"},
            {"Text2", {4200, 1560, 1575, 270}, ""},
            {"Label1_2", {840, 2160, 2730, 210}, "请键入反方代表队的最后得分"},
            {"Text3", {4200, 2160, 1575, 270}, ""},
            {"Label1_3", {840, 2640, 3150, 210}, "请再次键入反方代表队的最后得分"},
            {"Text4", {4200, 2640, 1575, 270}, ""},
            {"Command3", {960, 3090, 1455, 375}, "返回主界面"},
            {"Command1", {2520, 3090, 1335, 375}, "保存成绩"},
            {"Command2", {3960, 3090, 1455, 375}, "进入公布界面"},
        };
        for (const auto& [name, twips, caption] : design) {
            QWidget* control = f.find(&form, name);
            QVERIFY2(control, qPrintable(name));
            QCOMPARE(control->geometry(),
                     RectFromTwips(twips.x(), twips.y(), twips.width(), twips.height()));
            QCOMPARE(f.text(&form, name), caption);
        }
        QCOMPARE(std::tuple(form.Label2->font().pointSizeF(), form.Label2->font().bold()),
                 std::tuple(21.75, true));
        QCOMPARE(form.Line1->frameShape(), QFrame::HLine);
        QVERIFY(form.Command1->isEnabled());
        QVERIFY(!form.Command2->isEnabled());

        // The design picture is compiled in and painted behind the controls.
        const QImage picture(":/results/score_entry.jpg");
        QCOMPARE(picture.size(), form.size());
        QCOMPARE(form.grab().toImage().pixelColor(5, 120), picture.pixelColor(5, 120));

        // Tab visits the boxes in order; each shows a star for every character.
        form.show();
        form.Text1->setFocus();
        for (ScoreBox* next : {form.Text2, form.Text3, form.Text4}) {
            QTest::keyClick(form.focusWidget(), Qt::Key_Tab);
            QCOMPARE(form.focusWidget(), next);
        }
        QTest::keyClicks(form.Text4, "88.5");
        QCOMPARE(form.Text4->displayText(), QString("****"));
    }

    void activationPutsTheFocusInText1() {
        ScoreEntryFixture f;
        Form16& form = f.form();
        const auto activate = [&] {
            QEvent event(QEvent::WindowActivate);
            QApplication::sendEvent(&form, &event);
            return form.focusWidget();
        };
        QCOMPARE(activate(), form.Text1);
        // Back from a message about Text3: the operator goes on typing there.
        form.Text3->setFocus();
        QCOMPARE(activate(), form.Text3);
        form.Command1->setFocus();
        QCOMPARE(activate(), form.Text1);
    }

    void anyButtonOnTheBackgroundMovesTheWindow_data() {
        QTest::addColumn<Qt::MouseButton>("button");
        AddRow("left", Qt::LeftButton);
        AddRow("right", Qt::RightButton);
    }
    void anyButtonOnTheBackgroundMovesTheWindow() {
        QFETCH(Qt::MouseButton, button);
        ScoreEntryFixture f;
        Form16& form = f.form();
        form.move(100, 50);
        const auto send = [&](QEvent::Type type, QPoint global, Qt::MouseButtons held) {
            QMouseEvent event(type, QPointF(5, 5), QPointF(global), button, held, Qt::NoModifier);
            QApplication::sendEvent(&form, &event);
        };
        // The offscreen window system cannot move windows: the window follows by itself.
        send(QEvent::MouseButtonPress, {105, 55}, button);
        send(QEvent::MouseMove, {135, 75}, button);
        QCOMPARE(form.pos(), QPoint(130, 70));
        send(QEvent::MouseButtonRelease, {135, 75}, Qt::NoButton);
        send(QEvent::MouseMove, {300, 300}, Qt::NoButton);
        QCOMPARE(form.pos(), QPoint(130, 70));
    }

    void keyFilter_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("expected");  // refused when it is `start`
        const int none = Qt::NoModifier;
        AddRow("digit", QString("8"), int(Qt::Key_5), QString("5"), none, QString("85"));
        AddRow("leading zero", QString(), int(Qt::Key_0), QString("0"), none, QString("0"));
        AddRow("second full stop", QString("1."), int(Qt::Key_Period), QString("."), none,
               QString("1.."));
        AddRow("keypad digit", QString("8"), int(Qt::Key_7), QString("7"), int(Qt::KeypadModifier),
               QString("87"));
        AddRow("backspace deletes", QString("85"), int(Qt::Key_Backspace), QString("\b"), none,
               QString("8"));
        AddRow("letter", QString("85"), int(Qt::Key_A), QString("a"), none, QString("85"));
        AddRow("Enter", QString("85"), int(Qt::Key_Return), QString("\r"), none, QString("85"));
        AddRow("Tab reaching the box", QString("85"), int(Qt::Key_Tab), QString("\t"),
               int(Qt::ControlModifier), QString("85"));
        AddRow("copy shortcut", QString("85"), int(Qt::Key_C), QString("\x03"),
               int(Qt::ControlModifier), QString("85"));
        AddRow("double-byte character", QString("85"), int(Qt::Key_unknown), QString("中"), none,
               QString("85"));
        AddRow("full-width digit", QString("85"), int(Qt::Key_unknown), QString("５"), none,
               QString("85"));
    }
    void keyFilter() {
        QFETCH(QString, start);
        QFETCH(int, key);
        QFETCH(QString, typed);
        QFETCH(int, modifiers);
        QFETCH(QString, expected);
        ScoreEntryFixture f;
        ScoreBox* box = f.form().Text2;
        box->setText(start);
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key(key), typed,
                            Qt::KeyboardModifiers(modifiers));
        QCOMPARE(box->text(), expected);
        if (expected != start) {
            QVERIFY(f.platform.messages.shown.isEmpty());
            return;
        }
        QCOMPARE(f.platform.messages.shown.size(), 1);
        const ShownMessage& shown = f.platform.messages.shown[0];
        QCOMPARE(std::tuple(shown.text, shown.title, shown.icon, shown.withCancel),
                 std::tuple(kRefused, QString("出错啦！"), MessageIcon::Critical, false));
    }

    void pasting_data() {
        QTest::addColumn<QString>("route");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("expected");  // from "9", the cursor at the end
        for (const char* route :
             {"Ctrl+V", "Shift+Insert", "context menu", "drop", "input method"}) {
            AddRow(qPrintable(QString("%1: digits").arg(route)), QString(route), QString("8.5"),
                   QString("98.5"));
            AddRow(qPrintable(QString("%1: mixed").arg(route)), QString(route), QString("8分5"),
                   QString("9"));
        }
        AddRow("Ctrl+V: a line break", QString("Ctrl+V"), QString("85\n"), QString("9"));
        AddRow("Ctrl+V: blanks", QString("Ctrl+V"), QString(" 85"), QString("9"));
    }
    void pasting() {
        QFETCH(QString, route);
        QFETCH(QString, pasted);
        QFETCH(QString, expected);
        ScoreEntryFixture f;
        ScoreBox* box = f.form().Text1;
        box->setText("9");
        f.platform.clipboard.text = pasted;
        QMimeData dropped;
        dropped.setText(pasted);
        if (route == "Ctrl+V") {
            QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        } else if (route == "Shift+Insert") {
            QTest::keyClick(box, Qt::Key_Insert, Qt::ShiftModifier);
        } else if (route == "context menu") {
            QContextMenuEvent open(QContextMenuEvent::Mouse, {5, 5},
                                   box->mapToGlobal(QPoint(5, 5)));
            QApplication::sendEvent(box, &open);
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu);
            const QList<QAction*> actions = menu->actions();
            const auto paste = std::find_if(actions.begin(), actions.end(),
                                            [](QAction* a) { return a->text().contains("Paste"); });
            QVERIFY(paste != actions.end() && (*paste)->isEnabled());
            (*paste)->trigger();
            menu->close();
        } else if (route == "drop") {
            QDragEnterEvent enter({5, 5}, Qt::CopyAction, &dropped, Qt::LeftButton, {});
            QApplication::sendEvent(box, &enter);
            QDropEvent drop({box->width() - 2.0, 5}, Qt::CopyAction, &dropped, Qt::LeftButton, {});
            QApplication::sendEvent(box, &drop);
        } else {
            QInputMethodEvent composed;
            composed.setCommitString(pasted);
            QApplication::sendEvent(box, &composed);
        }
        QCoreApplication::processEvents();
        QCOMPARE(box->text(), expected);
        QCOMPARE(f.platform.messages.texts(),
                 expected == "9" ? QStringList{kRefused} : QStringList{});
    }

    void saving_data() {
        QTest::addColumn<QStringList>("typed");   // Text1 .. Text4
        QTest::addColumn<QStringList>("stored");  // 正方总成绩, 反方总成绩, 获胜方
        const QStringList nothing{"", "", ""};
        AddRow("affirmative wins", QStringList{"90", "90", "88.5", "88.5"},
               QStringList{"90", "88.5", kAffirmativeTeam});
        AddRow("9 loses to 10", QStringList{"9", "9", "10", "10"},
               QStringList{"9", "10", kNegativeTeam});
        AddRow("88.50 draws with 88.5", QStringList{"88.50", "88.50", "88.5", "88.5"},
               QStringList{"88.50", "88.5", "互为平手"});
        AddRow("stored as typed: 085", QStringList{"085", "085", "84.9", "84.9"},
               QStringList{"085", "84.9", kAffirmativeTeam});
        AddRow("empty boxes agree", QStringList{"", "", "", ""}, QStringList{"", "", "互为平手"});
        AddRow("85.0 is not 85", QStringList{"85", "85", "85.0", "85"}, nothing);
        AddRow("affirmative pair differs", QStringList{"90", "91", "80", "80"}, nothing);
        AddRow("one entry left empty", QStringList{"90", "90", "80", ""}, nothing);
    }
    void saving() {
        QFETCH(QStringList, typed);
        QFETCH(QStringList, stored);
        ScoreEntryFixture f;
        f.save(typed);
        const bool agreed = stored != QStringList{"", "", ""};
        QCOMPARE(f.stored(), stored);
        QCOMPARE(f.platform.messages.texts(),
                 QStringList{agreed ? "数据保存成功！" : "数据前后输入不一致，请重新输入！"});
        QCOMPARE(f.platform.messages.shown[0].title, QString("debaclock"));
        QCOMPARE(f.form().Command2->isEnabled(), agreed);
        QCOMPARE(f.boxTexts(), (agreed ? typed : QStringList{"", "", "", ""}));
    }

    void mismatchAfterASaveKeepsTheWayOn() {
        ScoreEntryFixture f;
        f.save({"90", "90", "80", "80"});
        f.save({"70", "70", "95", "96"});
        QCOMPARE(f.platform.messages.texts().last(), QString("数据前后输入不一致，请重新输入！"));
        QVERIFY(f.form().Command2->isEnabled());
        QCOMPARE(f.stored(), (QStringList{"90", "80", kAffirmativeTeam}));
        QCOMPARE(f.boxTexts(), (QStringList{"", "", "", ""}));
    }

    void everyOpeningStartsUnsaved() {
        ScoreEntryFixture f;
        f.save({"90", "90", "80", "80"});
        QVERIFY(f.form().Command2->isEnabled());
        f.reopen();
        QVERIFY(!f.form().Command2->isEnabled());
        QCOMPARE(f.boxTexts(), (QStringList{"", "", "", ""}));
    }

    void failedSave_data() {
        QTest::addColumn<bool>("configFolder");
        QTest::addColumn<QString>("reason");
        AddRow("read-only Result.ini", true, QString("只读"));
        AddRow("no config folder", false, QString("不存在"));
    }
    void failedSave() {
        QFETCH(bool, configFolder);
        QFETCH(QString, reason);
        ScoreEntryFixture f;
        if (configFolder) {
            f.setProfile(kResultProfile, "正方总成绩", "60", kScoreSection);
            QFile::setPermissions(f.path(kResultProfile),
                                  QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        } else {
            QDir(f.dir.path() + "/config").removeRecursively();
        }
        f.save({"90", "90", "80", "80"});
        QCOMPARE(f.platform.messages.shown.size(), 1);
        const ShownMessage& shown = f.platform.messages.shown[0];
        QVERIFY2(shown.text.startsWith("成绩未能保存：") && shown.text.contains(reason),
                 qPrintable(shown.text));
        QCOMPARE(std::tuple(shown.title, shown.icon),
                 std::tuple(QString("debaclock"), MessageIcon::Critical));
        QVERIFY(!f.form().Command2->isEnabled());
        QCOMPARE(f.stored(), (QStringList{configFolder ? "60" : "", "", ""}));
    }

    void leaving_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("request");
        QTest::addColumn<ScreenId>("screen");
        AddRow("to the announcement", QString("Command2"), QString("replace all"),
               ScreenId::Announcement);
        AddRow("back to the main screen", QString("Command3"), QString("main"), ScreenId::Main);
    }
    void leaving() {
        QFETCH(QString, button);
        QFETCH(QString, request);
        QFETCH(ScreenId, screen);
        ScoreEntryFixture f;
        f.form().show();
        f.save({"90", "90", "80", "80"});
        f.click(&f.form(), button);
        QCOMPARE(f.navigator.requests.size(), 1);
        QCOMPARE(std::pair(f.navigator.requests[0].kind, f.navigator.requests[0].screen),
                 std::pair(request, screen));
        QVERIFY(!f.form().isVisible());
    }
};

QTEST_MAIN(TestScoreEntry)
#include "test_score_entry.moc"
