// One catalogue says which window each screen is and what kind: the registry builds every
// screen as catalogued, and every audience screen publishes each of its commands with the role
// the console's keys and the hall's network find it by.

#include <QAction>
#include <QtTest>

#include "foundation/debate_profiles.h"
#include "foundation/platform/screen_catalogue.h"
#include "foundation/widgets/action_role.h"
#include "support/real_program.h"
#include "timing/clock_screen.h"

namespace {

// What an audience screen's commands do, as the operator knows them: "Command1=back …", the
// commands without a role left out.
struct Roles {
    ScreenId screen;
    bool layoutMode;  // the announcement as the settings open it, to lay out its labels
    QString roles;
};

const QList<Roles>& ExpectedRoles() {
    static const QList<Roles> table = {
        {ScreenId::Main, false, "Hl1=volume"},
        {ScreenId::Transition, false, ""},
        {ScreenId::SingleCountdown, false,
         "Command1=back Command2=pause Command3=start Command4=reset"},
        {ScreenId::TwoSide, false,
         "Command1=back Command2=reset Command3=pause Left=left Right=right"},
        {ScreenId::QuestionAnswer, false,
         "Command1=back Command2=pause Command4=reset Left=left Right=right"},
        {ScreenId::QuestionerAnswerer, false,
         "Command1=back Command2=pause Command4=reset Left=left Right=right"},
        {ScreenId::PerSpeech, false,
         "Command1=back Command2=pause Command3=start Command4=reset Left=nextTurn"},
        {ScreenId::AudienceQuestion, false, "Command1=back"},
        {ScreenId::Commentary, false, "Command1=back"},
        {ScreenId::Announcement, false, "Command1=back"},
        {ScreenId::Announcement, true, "Command1=back Command7=back"},
        {ScreenId::Ceremony, false, "Command1=back"},
    };
    return table;
}

QString RolesOf(const QWidget* screen) {
    QStringList roles;
    for (const QAction* action : screen->actions()) {
        if (const QString role = actionRoleName(actionRole(action)); !role.isEmpty()) {
            roles << action->objectName() + '=' + role;
        }
    }
    roles.sort();
    return roles.join(' ');
}

}  // namespace

Q_DECLARE_METATYPE(ScreenId)

class ScreenCatalogueTest : public QObject {
    Q_OBJECT

  private slots:
    void everyScreenOnceInItsPlace() {
        const QList<CataloguedScreen>& screens = screenCatalogue();
        QSet<QString> names;
        for (int i = 0; i < screens.size(); ++i) {
            const CataloguedScreen& screen = screens[i];
            QCOMPARE(int(screen.id), i);
            QCOMPARE(&cataloguedScreen(screen.id), &screen);
            QCOMPARE(cataloguedScreenNamed(screen.objectName), &screen);
            QVERIFY2(!names.contains(screen.objectName), qPrintable(screen.objectName));
            names.insert(screen.objectName);
            // The clocks of the timing styles and the side timers are audience screens.
            QVERIFY(!screen.clock || screen.audience);
            QVERIFY(!screen.style || screen.clock);
            if (screen.style) {
                QCOMPARE(ClockScreenOf(*screen.style), screen.id);
            }
        }
        QCOMPARE(screens.last().id, ScreenId::Developer);
        QVERIFY(!cataloguedScreenNamed(QStringLiteral("Form1")));  // the splash is no screen
        QVERIFY(!cataloguedScreenNamed(QString()));
    }

    // Each screen in turn over the main screen of one program, then closed again.
    void theRegistryBuildsEachScreenAsCatalogued() {
        RealProgram program;
        for (const CataloguedScreen& catalogued : screenCatalogue()) {
            const char* name = qPrintable(catalogued.objectName);
            program.navigator.OpenOver(program.navigator.mainScreen(), catalogued.id);
            QWidget* window = ShownWindow(catalogued.objectName);
            QVERIFY2(window, name);
            QVERIFY2((qobject_cast<FullScreenWindow*>(window) != nullptr) == catalogued.audience,
                     name);
            QVERIFY2((qobject_cast<ClockScreen*>(window) != nullptr) == catalogued.clock, name);
            QVERIFY2(!catalogued.audience || program.navigator.audienceScreen() == window, name);
            if (window != program.navigator.mainScreen()) {
                window->close();
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            }
        }
        DeleteWindows();
    }

    void everyAudienceScreenIsInTheTableOfRoles() {
        QList<ScreenId> tabled;
        for (const Roles& row : ExpectedRoles()) {
            tabled.append(row.screen);
        }
        for (const CataloguedScreen& screen : screenCatalogue()) {
            QVERIFY2(tabled.contains(screen.id) == screen.audience, qPrintable(screen.objectName));
        }
    }

    void everyCommandCarriesItsRole_data() {
        QTest::addColumn<ScreenId>("id");
        QTest::addColumn<bool>("layoutMode");
        QTest::addColumn<QString>("roles");
        for (const Roles& row : ExpectedRoles()) {
            const QString name = cataloguedScreen(row.screen).objectName +
                                 (row.layoutMode ? QStringLiteral(" in layout mode") : QString());
            QTest::newRow(qPrintable(name)) << row.screen << row.layoutMode << row.roles;
        }
    }
    void everyCommandCarriesItsRole() {
        QFETCH(ScreenId, id);
        QFETCH(bool, layoutMode);
        QFETCH(QString, roles);
        RealProgram program;
        program.setProfile(kResultProfile, ResultKey::DesignMode,
                           layoutMode ? DesignMode::On : DesignMode::Off);
        if (id != ScreenId::Main) {
            program.navigator.Replace(program.navigator.mainScreen(), id);
        }
        FullScreenWindow* screen = program.navigator.audienceScreen();
        QVERIFY(screen);
        QCOMPARE(screen->objectName(), screenObjectName(id));
        QCOMPARE(RolesOf(screen), roles);
        DeleteWindows();
    }
};

QTEST_MAIN(ScreenCatalogueTest)
#include "test_screen_catalogue.moc"
