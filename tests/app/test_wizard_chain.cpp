// The settings wizard as the operator walks it with the real navigator and every real screen:
// home → 4-1 → 4-2 → 4-3 → 4-4 and back, "返回主界面" from every page, the announcement's
// layout mode and back, and the main screen behind the wizard losing its picture at once.

#include <QAbstractButton>
#include <QApplication>
#include <QPointer>
#include <QtTest>

#include "app/screen_navigator.h"
#include "app/screens_registry.h"
#include "foundation/widgets/picture.h"
#include "screens/main/main_screen.h"
#include "support/data_rows.h"
#include "support/screen_fixture.h"

namespace {

QStringList ShownWindows() {
    QStringList shown;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && window->objectName().startsWith("Form")) {
            shown << window->objectName();
        }
    }
    shown.sort();
    return shown;
}

// How many windows named `name` exist, shown or not, once closed ones are gone.
int WindowsNamed(const QString& name) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const QWidgetList windows = QApplication::topLevelWidgets();
    return int(std::count_if(windows.cbegin(), windows.cend(),
                             [&](const QWidget* w) { return w->objectName() == name; }));
}

struct Wizard {
    Wizard() : navigator(f.context) {
        f.useShippedData();
        f.context.navigator = &navigator;
        RegisterScreens(navigator);
        navigator.ShowMain();
        main = qobject_cast<Form4*>(ShownWindow("Form4"));
        navigator.OpenOver(main, ScreenId::SettingsHome);
    }
    ~Wizard() { DeleteWindows(); }
    // Presses `button` on the window `on`; false when either is not there.
    bool press(const QString& on, const QString& button) {
        QWidget* window = ShownWindow(on);
        auto* control = window ? window->findChild<QAbstractButton*>(button) : nullptr;
        if (!control || !control->isEnabled()) {
            return false;
        }
        control->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return true;
    }

    ScreenFixture f;
    ScreenNavigator navigator;
    QPointer<Form4> main;
};

}  // namespace

class WizardChainTest : public QObject {
    Q_OBJECT

  private slots:
    void forwardAndBackShowOnePageAtATimeOverTheMainScreen() {
        Wizard w;
        QVERIFY(w.main);
        const QStringList homeHidden{"Form4"};
        struct Step {
            QString on, button;
            QStringList then;
        };
        const QList<Step> walk{
            {"Form13", "Command4", {"Form2", "Form4"}}, {"Form2", "Command2", {"Form4", "Form7"}},
            {"Form7", "Command13", {"Form3", "Form4"}}, {"Form3", "Command3", {"Form10", "Form4"}},
            {"Form10", "Command4", {"Form3", "Form4"}}, {"Form3", "Command2", {"Form4", "Form7"}},
            {"Form7", "Command10", {"Form2", "Form4"}}, {"Form2", "Command5", {"Form13", "Form4"}},
        };
        for (const Step& step : walk) {
            QVERIFY2(w.press(step.on, step.button), qPrintable(step.on + " " + step.button));
            QCOMPARE(ShownWindows(), step.then);
        }
        QVERIFY(!w.press("Form10", "Command6"));  // no page after the last
    }

    void everyPageReturnsToTheMainScreen_data() {
        QTest::addColumn<QStringList>("path");  // window, button, window, button...
        AddRow("4-1", QStringList{"Form13", "Command4", "Form2", "Command4"});
        AddRow("4-2", QStringList{"Form13", "Command4", "Form2", "Command2", "Form7", "Command11"});
        AddRow("4-3", QStringList{"Form13", "Command4", "Form2", "Command2", "Form7", "Command13",
                                  "Form3", "Command5"});
        AddRow("4-4", QStringList{"Form13", "Command4", "Form2", "Command2", "Form7", "Command13",
                                  "Form3", "Command3", "Form10", "Command2"});
    }
    void everyPageReturnsToTheMainScreen() {
        QFETCH(QStringList, path);
        Wizard w;
        for (qsizetype i = 0; i < path.size(); i += 2) {
            QVERIFY2(w.press(path[i], path[i + 1]), qPrintable(path[i] + " " + path[i + 1]));
        }
        QCOMPARE(ShownWindows(), QStringList{"Form4"});
        QVERIFY(w.main);  // the same main screen, never closed
    }

    // A second press brings the open window forward: the settings home set aside, a page, an
    // information window, score entry, and the report (a double trigger of the main screen's
    // action, as a double tap on a remote sends it).
    void everyOpenerPressedTwiceGivesOneWindow_data() {
        QTest::addColumn<QStringList>("path");  // window, button... ; pressed before the twice
        QTest::addColumn<QString>("on");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("opens");
        AddRow("home shown", QStringList{}, QString("Form4"), QString("Command16"),
               QString("Form13"));
        AddRow("home set aside", QStringList{"Form13", "Command4"}, QString("Form4"),
               QString("Command16"), QString("Form13"));
        AddRow("page 4-1", QStringList{}, QString("Form13"), QString("Command4"), QString("Form2"));
        AddRow("about", QStringList{}, QString("Form13"), QString("Command2"), QString("Form21"));
        AddRow("developer", QStringList{}, QString("Form13"), QString("Command3"),
               QString("Form19"));
        AddRow("score entry", QStringList{}, QString("Form4"), QString("Command12"),
               QString("Form16"));
        AddRow("report", QStringList{}, QString("Form4"), QString("Command14"), QString("Form12"));
    }
    void everyOpenerPressedTwiceGivesOneWindow() {
        QFETCH(QStringList, path);
        QFETCH(QString, on);
        QFETCH(QString, button);
        QFETCH(QString, opens);
        Wizard w;
        for (qsizetype i = 0; i < path.size(); i += 2) {
            QVERIFY2(w.press(path[i], path[i + 1]), qPrintable(path[i] + " " + path[i + 1]));
        }
        QWidget* window = ShownWindow(on);
        QVERIFY(window);
        auto* control = window->findChild<QAbstractButton*>(button);
        QVERIFY(control);
        control->click();
        QPointer<QWidget> first = ShownWindow(opens);
        QVERIFY(first);
        first->setProperty("asLeft", true);
        control->click();  // on a main screen already closed by the report, still a press
        QCOMPARE(WindowsNamed(opens), 1);
        QCOMPARE(ShownWindow(opens), first.data());
        QVERIFY(first->property("asLeft").toBool());
    }

    void layoutModeOfTheAnnouncementLeadsBackToPage44() {
        Wizard w;
        for (const auto& [on, button] :
             QList<std::pair<QString, QString>>{{"Form13", "Command4"},
                                                {"Form2", "Command2"},
                                                {"Form7", "Command13"},
                                                {"Form3", "Command3"},
                                                {"Form10", "Command11"}}) {
            QVERIFY2(w.press(on, button), qPrintable(on + " " + button));
        }
        QCOMPARE(w.f.profile(kResultProfile, "设计模式"), QString("On"));
        QVERIFY(ShownWindow("Form11"));
        QVERIFY(w.press("Form11", "Command7"));
        QCOMPARE(w.f.profile(kResultProfile, "设计模式"), QString("Off"));
        QCOMPARE(ShownWindows(), (QStringList{"Form10", "Form4"}));
    }

    void removingTheMainPictureClearsTheOpenMainScreen() {
        Wizard w;
        QVERIFY(w.main->picture()->hasPicture());
        QVERIFY(w.press("Form13", "Command4"));
        QVERIFY(w.press("Form2", "Command2"));
        QVERIFY(w.press("Form7", "Command12"));
        QVERIFY(!w.main->picture()->hasPicture());
        QCOMPARE(w.f.profile(kMainProfile, "背景图片"), QString());
    }
};

QTEST_MAIN(WizardChainTest)
#include "test_wizard_chain.moc"
