// The about and developer windows: their lines, caption, stay-on-top frame, hover highlights,
// links, and the lock they put on the main screen through the real navigator.

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "foundation/platform/colours.h"
#include "foundation/program.h"
#include "foundation/widgets/picture.h"
#include "app/screen_navigator.h"
#include "screens/main/main_screen.h"
#include "screens/startup/about_screen.h"
#include "screens/startup/developer_screen.h"
#include "app/screens_registry.h"
#include "support/data_rows.h"
#include "support/screen_fixture.h"

namespace {

const QColor kBlack = ColourFromValue(0);
const QColor kRed = ColourFromValue(255);
const QColor kBlue = ColourFromValue(16711680);

const QStringList kDetailLines{"Label2", "Label3", "Label4", "Label5",
                               "Label6", "Label7", "Label8"};

QStringList LockList() {
    QStringList names{"Command1", "Command2", "Command3"};
    for (int i = 0; i < 8; ++i) {
        names << QStringLiteral("Command4_%1").arg(i);
    }
    for (int i = 10; i <= 19; ++i) {
        names << QStringLiteral("Command%1").arg(i);
    }
    return names << "Frame1"
                 << "Frame2";
}

// Names of the lock list in the wrong state, plus "Hl1" when the slider's own enabled flag
// was touched (it must follow its frame only).
QStringList LockMismatches(QWidget* main, bool locked) {
    QStringList wrong;
    for (const QString& name : LockList()) {
        auto* control = main->findChild<QWidget*>(name);
        if (!control || control->isEnabled() == locked) {
            wrong << name;
        }
    }
    if (main->findChild<QScrollBar*>("Hl1")->testAttribute(Qt::WA_ForceDisabled)) {
        wrong << "Hl1";
    }
    return wrong;
}

std::unique_ptr<InformationWindow> Build(const QString& form, AppContext& context) {
    if (form == "Form21") {
        return std::make_unique<Form21>(context);
    }
    return std::make_unique<Form19>(context);
}

}  // namespace

class TestInformationScreens : public QObject {
    Q_OBJECT

  private slots:
    void versionLineComesFromTheVersionNumbers() {
        ScreenFixture f;
        Form21 about(f.context);
        QCOMPARE(about.findChild<QLabel*>("Label2_0")->text(), QStringLiteral("版 本：%1.%2.%3")
                                                                   .arg(kVersionMajor)
                                                                   .arg(kVersionMinor)
                                                                   .arg(kVersionPatch));
        QCOMPARE(about.findChild<QLabel*>("Label2_1")->text(), QString("完成日期：2012-10-17"));
        QVERIFY(about.Image1->hasPicture());
    }

    void windowFrame_data() {
        QTest::addColumn<QString>("form");
        AddRow("about", QString("Form21"));
        AddRow("developer", QString("Form19"));
    }
    void windowFrame() {
        QFETCH(QString, form);
        ScreenFixture f;
        auto window = Build(form, f.context);
        QCOMPARE(window->objectName(), form);
        const Qt::WindowFlags flags = window->windowFlags();
        QVERIFY(flags.testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
        QCOMPARE(window->minimumSize(), window->maximumSize());

        // The caption: whole title, then empty, then growing one character per 500 ms tick.
        QCOMPARE(window->windowTitle(), QString("debaclock"));
        QVERIFY(window->Timer1->isActive());
        QCOMPARE(window->Timer1->interval(), 500);
        window->onTimer1();
        QCOMPARE(window->windowTitle(), QString());
        window->onTimer1();
        window->onTimer1();
        QCOMPARE(window->windowTitle(), QString("de"));
    }

    void hoverHighlightsOneLine_data() {
        QTest::addColumn<QStringList>("path");  // lines moved over in turn; "" the background
        QTest::addColumn<QString>("highlighted");
        QTest::addColumn<QColor>("colour");
        AddRow("plain line", QStringList{"Label4"}, QString("Label4"), kRed);
        AddRow("link line", QStringList{"Label7"}, QString("Label7"), kBlue);
        AddRow("link straight onto a plain line", QStringList{"Label3", "Label2"},
               QString("Label2"), kRed);
        AddRow("off onto the background", QStringList{"Label5", ""}, QString(), QColor());
    }
    void hoverHighlightsOneLine() {
        QFETCH(QStringList, path);
        QFETCH(QString, highlighted);
        QFETCH(QColor, colour);
        ScreenFixture f;
        Form19 developer(f.context);
        const QColor heading = ScreenFixture::colour(&developer, "Label1");
        developer.show();
        QVERIFY(QTest::qWaitForWindowExposed(&developer));
        for (const QString& line : path) {
            // Through the window, as a real pointer: the move reaches whatever lies under it.
            QWidget* over = line.isEmpty() ? static_cast<QWidget*>(&developer)
                                           : developer.findChild<QLabel*>(line);
            const QPoint at = line.isEmpty() ? QPoint(5, developer.height() - 5) : QPoint(5, 5);
            QTest::mouseMove(over, at);
        }
        for (const QString& line : kDetailLines) {
            QCOMPARE(ScreenFixture::colour(&developer, line),
                     line == highlighted ? colour : kBlack);
        }
        QCOMPARE(ScreenFixture::colour(&developer, "Label1"), heading);
    }

    void linkLinesOpenTheirSite_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("opened");
        AddRow("Qt", QString("Label3"), QStringList{"https://www.qt.io/"});
        AddRow("Debian", QString("Label7"), QStringList{"https://www.debian.org/"});
        AddRow("plain line", QString("Label5"), QStringList{});
    }
    void linkLinesOpenTheirSite() {
        QFETCH(QString, line);
        QFETCH(QStringList, opened);
        ScreenFixture f;
        Form19 developer(f.context);
        auto* label = developer.findChild<QLabel*>(line);
        QTest::mouseClick(label, Qt::LeftButton);
        QCOMPARE(f.platform.desktop.opened, opened);
        QCOMPARE(label->toolTip(), opened.isEmpty() ? QString() : QString("单击浏览该网站"));
    }

    void mainScreenLockedWhileEitherWindowIsOpen() {
        ScreenFixture f;
        ScreenNavigator navigator(f.context);
        f.context.navigator = &navigator;
        RegisterScreens(navigator);
        navigator.ShowMain();
        QPointer<QWidget> main = ShownWindow("Form4");
        QVERIFY(main);

        navigator.OpenOver(main, ScreenId::About);
        QPointer<QWidget> about = ShownWindow("Form21");
        QVERIFY(about);
        QCOMPARE(LockMismatches(main, true), QStringList());
        // Only the list: the slider is out of reach through its frame, the window is not locked.
        QVERIFY(!main->findChild<QScrollBar*>("Hl1")->isEnabled());
        QVERIFY(main->isEnabled());

        navigator.OpenOver(main, ScreenId::Developer);
        QPointer<QWidget> developer = ShownWindow("Form19");
        QVERIFY(developer);
        QCOMPARE(LockMismatches(main, true), QStringList());

        // Asked for again, each window comes forward: still one of each, still locked.
        navigator.OpenOver(main, ScreenId::About);
        navigator.OpenOver(main, ScreenId::Developer);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        const QWidgetList windows = QApplication::topLevelWidgets();
        for (const QString name : {"Form21", "Form19"}) {
            QCOMPARE(std::count_if(windows.cbegin(), windows.cend(),
                                   [&](const QWidget* w) { return w->objectName() == name; }),
                     1);
        }
        QCOMPARE(ShownWindow("Form21"), about.data());
        QCOMPARE(ShownWindow("Form19"), developer.data());

        // The lock holds until the last of them closes.
        about->close();
        QCOMPARE(LockMismatches(main, true), QStringList());
        developer->close();
        QCOMPARE(LockMismatches(main, false), QStringList());
        QVERIFY(main->findChild<QScrollBar*>("Hl1")->isEnabled());

        // A main screen loaded afresh while a window is open comes up locked.
        navigator.OpenOver(main, ScreenId::Developer);
        developer = ShownWindow("Form19");
        main->close();
        QTRY_VERIFY(!main);
        navigator.ShowMain();
        main = ShownWindow("Form4");
        QVERIFY(main);
        QCOMPARE(LockMismatches(main, true), QStringList());
        developer->close();
        QCOMPARE(LockMismatches(main, false), QStringList());
        main->close();
        QTRY_VERIFY(!main && !developer);
    }
};

QTEST_MAIN(TestInformationScreens)
#include "test_information_screens.moc"
