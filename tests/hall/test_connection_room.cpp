// Who gets a place among the hall server's connections, without a socket: per address, when all
// room is taken, and the places kept for the remotes.

#include <QtTest>

#include "hall/connection_room.h"
#include "support/data_rows.h"

class ConnectionRoomTest : public QObject {
    Q_OBJECT

  private slots:
    // `steps`, one a word: "a" a connection from address a, "a*" one that is kept once in (a
    // remote with the token), "-3" the third connection leaving. `outcomes`, one a connection:
    // "in", "in-2" (in, in the place of the second), or "out".
    void placesAreGiven_data() {
        QTest::addColumn<int>("connections");
        QTest::addColumn<int>("kept");
        QTest::addColumn<int>("perAddress");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("outcomes");
        AddRow("room for all", 4, 0, 4, QString("a a b c"), QString("in in in in"));
        AddRow("at most so many from one address", 10, 0, 2, QString("a a a b a"),
               QString("in in out in out"));
        AddRow("full: a quieter address takes the busiest one's oldest place", 3, 0, 3,
               QString("a a b c"), QString("in in in in-1"));
        AddRow("full: the busiest address waits", 3, 0, 3, QString("a a b a"),
               QString("in in in out"));
        AddRow("full: an address as busy as the busiest would be waits", 2, 0, 2, QString("a b c"),
               QString("in in out"));
        AddRow("a place that is left is free again", 2, 0, 2, QString("a b c -1 c"),
               QString("in in out in"));
        AddRow("the kept have places of their own", 2, 1, 4, QString("a* b c d"),
               QString("in in in out"));
        AddRow("the kept places are so many too", 1, 1, 4, QString("r* r* b"),
               QString("in in out"));
        AddRow("a kept connection never gives up its place", 3, 0, 4, QString("a* a a b"),
               QString("in in in in-2"));
        AddRow("the kept count for their address", 4, 0, 2, QString("a* a a"),
               QString("in in out"));
    }
    void placesAreGiven() {
        QFETCH(int, connections);
        QFETCH(int, kept);
        QFETCH(int, perAddress);
        QFETCH(QString, steps);
        QFETCH(QString, outcomes);
        HallLimits::Connections limits;
        limits.connections = connections;
        limits.kept = kept;
        limits.connectionsPerAddress = perAddress;
        ConnectionRoom room(limits);
        QStringList said;
        ConnectionRoom::Id next = 0;
        for (const QString& step : steps.split(' ')) {
            if (step.startsWith('-')) {
                room.leave(step.mid(1).toULongLong());
                continue;
            }
            const ConnectionRoom::Id id = ++next;
            const bool keep = step.endsWith('*');
            const auto admission = room.admit(id, step.chopped(keep ? 1 : 0).toStdString());
            if (!admission.admitted) {
                said << "out";
                continue;
            }
            said << (admission.evicted == 0 ? QStringLiteral("in")
                                            : QStringLiteral("in-%1").arg(admission.evicted));
            if (keep) {
                room.keep(id);
            }
        }
        QCOMPARE(said.join(' '), outcomes);
    }

    void theRoomCountsWhoIsIn() {
        HallLimits::Connections limits;
        limits.connections = 2;
        limits.kept = 0;
        ConnectionRoom room(limits);
        QVERIFY(room.admit(1, "a").admitted);
        QVERIFY(room.admit(2, "b").admitted);
        QCOMPARE(room.size(), 2);
        QCOMPARE(room.admit(3, "c").admitted, false);
        QCOMPARE(room.size(), 2);
        room.leave(2);
        room.leave(2);  // twice is once
        QCOMPARE(room.size(), 1);
    }
};

QTEST_MAIN(ConnectionRoomTest)
#include "test_connection_room.moc"
