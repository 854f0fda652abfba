// A published command carries the role it was published with, whatever its caption says, and
// is found by that role: the first one that can run now, else the first one there is.

#include <QAction>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

#include "foundation/widgets/action_role.h"
#include "foundation/widgets/full_screen_window.h"
#include "support/data_rows.h"

namespace {

// A screen that publishes one of each: a button with a role, one without, a press, a bar.
class PublishingScreen : public FullScreenWindow {
  public:
    QPushButton* pause = new QPushButton(QStringLiteral("计时暂停"), this);
    QPushButton* music = new QPushButton(QStringLiteral("播放▲"), this);
    QScrollBar* bar = new QScrollBar(Qt::Horizontal, this);
    int lefts = 0;

    PublishingScreen() : FullScreenWindow(QSize(6000, 4500)) {
        pause->setObjectName("Command2");
        music->setObjectName("Command5");
        bar->setObjectName("Vl1");
        publish(pause, ActionRole::StartPause);
        publish(music);
        publishPress(QStringLiteral("Left"), ActionRole::Left, [this] { ++lefts; });
        publishVolume(bar);
    }
};

QString RolesOf(const QWidget* screen) {
    QStringList roles;
    for (const QAction* action : screen->actions()) {
        roles << action->objectName() + '=' + actionRoleName(actionRole(action));
    }
    return roles.join(' ');
}

}  // namespace

class ActionRoleTest : public QObject {
    Q_OBJECT

  private slots:
    void theFrameKeepsTheRoleEachCommandWasPublishedWith() {
        PublishingScreen screen;
        QCOMPARE(RolesOf(&screen),
                 QStringLiteral("Command2=startPause Command5= Left=left Vl1=volume"));
        // A caption is what the audience reads; the role stays what the command does.
        screen.pause->setText(QStringLiteral("暂停"));
        screen.show();
        QCoreApplication::sendPostedEvents();
        QAction* pause = findActionByRole(screen.actions(), ActionRole::StartPause);
        QVERIFY(pause);
        QCOMPARE(pause->text(), QStringLiteral("暂停"));
        findActionByRole(screen.actions(), ActionRole::Left)->trigger();
        QCOMPARE(screen.lefts, 1);
        QVERIFY(!findActionByRole(screen.actions(), ActionRole::Reset));
    }

    void theFirstThatCanRunIsFound_data() {
        QTest::addColumn<QList<bool>>("enabled");  // of three back actions, in order
        QTest::addColumn<int>("found");
        AddRow("all enabled", QList<bool>{true, true, true}, 0);
        AddRow("the first disabled", QList<bool>{false, true, true}, 1);
        AddRow("only the last enabled", QList<bool>{false, false, true}, 2);
        AddRow("none enabled: the first", QList<bool>{false, false, false}, 0);
    }
    void theFirstThatCanRunIsFound() {
        QFETCH(QList<bool>, enabled);
        QFETCH(int, found);
        QAction other(QStringLiteral("返回主界面"));  // a caption that reads like one
        QList<QAction*> actions{&other};
        QList<QAction*> backs;
        for (const bool on : enabled) {
            auto* back = new QAction(&other);
            setActionRole(back, ActionRole::Back);
            back->setEnabled(on);
            actions << back;
            backs << back;
        }
        QCOMPARE(findActionByRole(actions, ActionRole::Back), backs[found]);
        QCOMPARE(actionRole(&other), ActionRole::None);
    }

    void everyRoleHasAProtocolNameOfItsOwn() {
        const QList<ActionRole> roles = {
            ActionRole::StartPause, ActionRole::Reset,    ActionRole::Back,  ActionRole::Left,
            ActionRole::Right,      ActionRole::NextTurn, ActionRole::Volume};
        QStringList names;
        for (const ActionRole role : roles) {
            names << actionRoleName(role);
        }
        QCOMPARE(names, (QStringList{"startPause", "reset", "back", "left", "right", "nextTurn",
                                     "volume"}));
        QCOMPARE(actionRoleName(ActionRole::None), QString());
    }
};

QTEST_MAIN(ActionRoleTest)
#include "test_action_role.moc"
