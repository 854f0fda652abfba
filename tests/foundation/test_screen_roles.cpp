#include <QTest>

#include "foundation/screen_roles.h"

class TestScreenRoles : public QObject {
    Q_OBJECT
  private slots:
    void roles_data() {
        QTest::addColumn<QStringList>("screens");
        QTest::addColumn<int>("primary");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("projector");
        QTest::addColumn<int>("console");
        const QStringList two{"eDP-1", "HDMI-1"};
        const QStringList three{"eDP-1", "HDMI-1", "DP-2"};
        QTest::newRow("one screen") << QStringList{"eDP-1"} << 0 << "eDP-1" << -1 << -1;
        QTest::newRow("none stored") << two << 0 << "" << 1 << 0;
        QTest::newRow("none stored, primary second") << two << 1 << "" << 0 << 1;
        QTest::newRow("a stored screen") << three << 0 << "DP-2" << 2 << 0;
        QTest::newRow("an absent screen") << three << 0 << "VGA-1" << 1 << 0;
        // The operator chose the laptop's own screen: the console moves out of its way.
        QTest::newRow("the console's screen chosen") << two << 0 << "eDP-1" << 0 << 1;
        QTest::newRow("the console's screen chosen, of three") << three << 1 << "HDMI-1" << 1 << 0;
    }
    void roles() {
        QFETCH(QStringList, screens);
        QFETCH(int, primary);
        QFETCH(QString, stored);
        const ScreenRoles roles = ChooseScreenRoles(screens, primary, stored);
        QTEST(roles.projector, "projector");
        QTEST(roles.console, "console");
        QVERIFY(!roles.twoScreens() || roles.projector != roles.console);
    }
};

QTEST_GUILESS_MAIN(TestScreenRoles)
#include "test_screen_roles.moc"
