// The snapshot the hall's protocol sends says what each command does, so a display or a
// remote of one's own finds "start/pause" by its role, whatever the button's caption; a volume
// bar, whatever it is named, is no command.

#include <QAction>
#include <QJsonArray>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

#include "hall/screen_snapshot.h"
#include "support/clock_screen_fixture.h"
#include "timing/two_side_countdown.h"

namespace {

// "Command3=pause …" for each listed action, in the listed order; "-" for no role.
QString Roles(const QJsonObject& snapshot) {
    QStringList roles;
    for (const QJsonValue action : snapshot["actions"].toArray()) {
        roles << action["name"].toString() + '=' + action["role"].toString(QStringLiteral("-"));
    }
    return roles.join(' ');
}

// A screen with music of its own: a volume bar named as no other, a button without a role.
class MusicScreen : public FullScreenWindow {
  public:
    QScrollBar* bar = new QScrollBar(Qt::Horizontal, this);

    MusicScreen() : FullScreenWindow(QSize(6000, 4500)) {
        setObjectName("Form8");
        auto* play = new QPushButton(QStringLiteral("播放▲"), this);
        play->setObjectName("Command2");
        publish(play);
        bar->setObjectName("Vl1");
        publishVolume(bar);
    }
};

}  // namespace

class ScreenSnapshotTest : public QObject {
    Q_OBJECT

  private slots:
    void eachCommandSaysItsRoleWhateverItsCaption() {
        ClockScreenFixture<Form6> fixture("2", "90", "30");
        Form6* screen = fixture.open();
        screen->show();
        const QString roles =
            QStringLiteral("Command3=pause Command2=reset Command1=back Left=left Right=right");
        QCOMPARE(Roles(ScreenSnapshot(screen, QStringLiteral("驳论"))), roles);
        screen->findChild<QPushButton*>("Command3")->setText(QStringLiteral("暂停"));
        fixture.press(Qt::LeftButton);
        QCoreApplication::sendPostedEvents();
        QCOMPARE(Roles(ScreenSnapshot(screen, QStringLiteral("驳论"))), roles);
    }

    void aVolumeBarIsNoCommand() {
        MusicScreen screen;
        QCOMPARE(Roles(ScreenSnapshot(&screen, {})), QStringLiteral("Command2=-"));
        const QList<QAction*> commands = screenCommands(&screen);
        QCOMPARE(commands.size(), 1);
        QCOMPARE(commands[0]->objectName(), QStringLiteral("Command2"));
        QCOMPARE(screen.actions().size(), 2);  // the bar is published all the same
    }
};

QTEST_MAIN(ScreenSnapshotTest)
#include "test_screen_snapshot.moc"
