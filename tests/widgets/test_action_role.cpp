// A command is found by its role, whatever its caption says: the first one of that role that
// can run now, else the first one there is.

#include <QAction>
#include <QtTest>

#include "foundation/widgets/action_role.h"
#include "support/data_rows.h"

class ActionRoleTest : public QObject {
    Q_OBJECT

  private slots:
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
        QCOMPARE(findActionByRole(actions, ActionRole::Reset), nullptr);
    }
};

QTEST_MAIN(ActionRoleTest)
#include "test_action_role.moc"
