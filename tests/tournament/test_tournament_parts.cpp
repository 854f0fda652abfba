// The parts of a tournament link that need no broker: what waits for the UI thread under a
// flood, the console's list of notices, what the board keeps of a room's state and when it
// last heard the room, and the settings a room is refused with.

#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QtTest>

#include "foundation/paths.h"
#include "foundation/profile_store.h"
#include "foundation/tournament_profile.h"
#include "support/data_rows.h"
#include "tournament/board_room.h"
#include "tournament/broker_inbox.h"
#include "tournament/notice_list.h"

namespace {

QJsonObject Object(const char* json) {
    return QJsonDocument::fromJson(json).object();
}

// JSON written with single quotes, which read better in a table.
QString Json(const char* text) {
    return QString::fromUtf8(text).replace(QLatin1Char('\''), QLatin1Char('"'));
}

QString Compact(const QJsonObject& object) {
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

// What `inbox` gives the owner, as "topic=payload" in order, and the dropped count after "|".
QString Taken(BrokerInbox& inbox) {
    const BrokerInbox::Taken taken = inbox.take();
    QStringList parts;
    for (const BrokerMessage& message : taken.messages) {
        parts << message.topic + QLatin1Char('=') + QString::fromUtf8(message.payload);
    }
    return parts.join(QLatin1Char(' ')) + QStringLiteral("|%1").arg(taken.dropped);
}

}  // namespace

class TournamentPartsTest : public QObject {
    Q_OBJECT

  private slots:
    // One of each topic for states, the last few in order for notices; the owner is woken
    // once until it takes what waits.
    void theInboxStaysBounded_data() {
        QTest::addColumn<int>("perTopic");
        QTest::addColumn<QStringList>("puts");  // "topic=payload"
        QTest::addColumn<QString>("taken");
        AddRow("states: the latest of each, in first order", 1,
               QStringList{"a=1", "b=1", "a=2", "a=3", "b=2"}, QString("a=3 b=2|0"));
        AddRow("notices: the last three of a topic", 3,
               QStringList{"n=1", "n=2", "o=1", "n=3", "n=4", "n=5"}, QString("o=1 n=3 n=4 n=5|2"));
        AddRow("more topics than allowed", 1, QStringList{"a=1", "b=1", "c=1", "d=1", "e=1"},
               QString("a=1 b=1 c=1 d=1|1"));
    }
    void theInboxStaysBounded() {
        QFETCH(int, perTopic);
        QFETCH(QStringList, puts);
        QFETCH(QString, taken);
        BrokerInbox inbox(perTopic, 4, 1 << 20);
        int wakes = 0;
        for (const QString& put : puts) {
            const QStringList parts = put.split(QLatin1Char('='));
            wakes += inbox.put({parts[0], parts[1].toUtf8(), false}) ? 1 : 0;
        }
        QCOMPARE(wakes, 1);
        QCOMPARE(Taken(inbox), taken);
        QVERIFY(inbox.put({"a", "again", false}));  // empty again: wakes the owner again
    }

    // A flood of notices holds its bytes to the bound, whatever their number.
    void theInboxHoldsItsBytes() {
        BrokerInbox inbox(1000, 10, 10 * 1024);
        for (int i = 0; i < 10000; ++i) {
            inbox.put({"n", QByteArray(1000, 'x'), false});
        }
        const BrokerInbox::Taken taken = inbox.take();
        QVERIFY(taken.messages.size() <= 10);
        QCOMPARE(taken.dropped + taken.messages.size(), 10000);
    }

    // The last five, identical repeats merged, the rest counted; closing is not folding.
    void theConsoleKeepsFiveNotices() {
        NoticeList list;
        const QDateTime at(QDate(2026, 12, 10), QTime(9, 0));
        for (int i = 1; i <= 7; ++i) {
            list.add(QStringLiteral("通知%1").arg(i), false, at.addSecs(i));
        }
        list.add(QStringLiteral("通知4"), false, at.addSecs(60));  // again: the newest now
        list.add(QStringLiteral("通知4"), true, at.addSecs(61));   // to this room: another one
        list.fold(3);
        QStringList shown;
        for (const TournamentNotice& notice : list.shown()) {
            shown << QStringLiteral("%1%2×%3")
                         .arg(notice.text, notice.forThisRoomOnly ? "@" : "")
                         .arg(notice.times);
        }
        QCOMPARE(shown.join(' '), QStringLiteral("通知5×1 通知6×1 通知7×1 通知4×2 通知4@×1"));
        QCOMPARE(list.shown()[3].received, at.addSecs(60));
        QCOMPARE(list.folded(), 3 + 3);  // 1 to 3 made room, then 3 dropped on the way
        list.close(list.shown().first().id);
        QCOMPARE(list.shown().size(), 4);
        QCOMPARE(list.folded(), 6);
    }

    // Only well-typed fields of a room's state, within bounds.
    void theBoardKeepsWellTypedFields_data() {
        QTest::addColumn<QString>("state");
        QTest::addColumn<QString>("kept");
        const QString longName(300, QChar(u'长'));
        AddRow("a sound state, its actions left out",
               Json("{'screen':'Form6','segment':'驳论','running':true,'actions':[{'name':'Left'}],"
                    " 'clocks':[{'name':'Label4','text':'1分12秒','colour':'#1D2740','label':'正方'"
                    ", 'overtime':12,'overtimeOf':'正方'}]}"),
               Json("{'clocks':[{'colour':'#1D2740','label':'正方','name':'Label4','overtime':12,'"
                    "overtimeOf':'正方','text':'1分12秒'}],'running':true,'screen':'Form6','"
                    "segment':'驳论'}"));
        AddRow("a number where text belongs", Json("{'clocks':[{'text':5,'name':'L'}]}"),
               Json("{'clocks':[{'name':'L'}]}"));
        AddRow("a null clock and an object as text",
               Json("{'clocks':[null,{'text':{'a':1}},7,'x'],'segment':{'x':1}}"),
               Json("{'clocks':[{}]}"));
        AddRow("clocks that are no list", Json("{'clocks':{'text':'1'},'running':'yes'}"),
               Json("{'clocks':[]}"));
        AddRow("colours and overtimes out of shape",
               Json("{'clocks':[{'colour':'red','overtime':-3},{'colour':'#12345G','overtime':"
                    "1e300},{'overtime':'9'}]}"),
               Json("{'clocks':[{},{},{}]}"));
        AddRow("a long name cut", QString("{\"debate\":\"%1\"}").arg(longName),
               QString("{\"clocks\":[],\"debate\":\"%1\"}").arg(longName.left(100)));
    }
    void theBoardKeepsWellTypedFields() {
        QFETCH(QString, state);
        QFETCH(QString, kept);
        QCOMPARE(Compact(BoardRoomState(Object(state.toUtf8().constData()))), kept);
    }

    void theBoardKeepsEightClocksAtMost() {
        QJsonArray clocks;
        for (int i = 0; i < 1000; ++i) {
            clocks.append(QJsonObject{{"text", QString::number(i)}});
        }
        QCOMPARE(BoardRoomState({{"clocks", clocks}}).value("clocks").toArray().size(),
                 kMostClocks);
    }

    // A room last heard at its own time, never later than the board's clock.
    void aRoomIsHeardAtItsOwnTime_data() {
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("retained");
        QTest::addColumn<QString>("heard");  // empty: not known
        AddRow("kept since the morning", Json("{'updated':'2026-12-10T01:00:00.000Z'}"), true,
               QString("2026-12-10T01:00:00.000Z"));
        AddRow("a time to come", Json("{'updated':'2099-01-01T00:00:00.000Z'}"), true,
               QString("2026-12-10T09:00:00.000Z"));
        AddRow("said just now", Json("{'updated':'2026-12-10T01:00:00.000Z'}"), false,
               QString("2026-12-10T09:00:00.000Z"));
        AddRow("no time", Json("{'online':false}"), true, QString());
        AddRow("no time but a number", Json("{'updated':5}"), true, QString());
        AddRow("not a time", Json("{'updated':'yesterday'}"), true, QString());
    }
    void aRoomIsHeardAtItsOwnTime() {
        QFETCH(QString, message);
        QFETCH(bool, retained);
        QFETCH(QString, heard);
        const QDateTime now = QDateTime::fromString("2026-12-10T09:00:00.000Z", Qt::ISODateWithMs);
        const QDateTime at = HeardIn(Object(message.toUtf8().constData()), retained, now);
        QCOMPARE(at.isValid() ? at.toUTC().toString(Qt::ISODateWithMs) : QString(), heard);
    }

    void portsInRangeOnly_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("port");  // -1: refused
        AddRow("empty: the default", QString(""), 1883);
        AddRow("in range", QString(" 8883 "), 8883);
        AddRow("the largest", QString("65535"), 65535);
        AddRow("one past it, which wrapped to 0", QString("65536"), -1);
        AddRow("70000, which wrapped to 4464", QString("70000"), -1);
        AddRow("zero", QString("0"), -1);
        AddRow("negative", QString("-1"), -1);
        AddRow("no number", QString("18a"), -1);
    }
    void portsInRangeOnly() {
        QFETCH(QString, text);
        QFETCH(int, port);
        const std::optional<quint16> read = PortFromText(text, 1883);
        QCOMPARE(read ? int(*read) : -1, port);
    }

    void roomSettingsRefused_data() {
        QTest::addColumn<QString>("room");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("port");
        QTest::addColumn<QString>("problem");  // the start of it; empty: none
        AddRow("user as the room", QString("A101"), QString("A101"), QString(""), QString());
        AddRow("no user (an open broker)", QString("A101"), QString(""), QString(""), QString());
        AddRow("another room's user", QString("A101"), QString("B202"), QString(""),
               QString("用户名须与赛场相同"));
        AddRow("a port out of range", QString("A101"), QString("A101"), QString("70000"),
               kPortRefused);
        AddRow("a room with a slash", QString("A/101"), QString(""), QString(""),
               QString("请填写服务器、赛事和赛场"));
    }
    void roomSettingsRefused() {
        QFETCH(QString, room);
        QFETCH(QString, user);
        QFETCH(QString, port);
        QFETCH(QString, problem);
        TournamentSettings settings;
        settings.enabled = true;
        settings.host = "mqtt.example.org";
        settings.tournament = "t1";
        settings.room = room;
        settings.user = user;
        settings.port = port;
        const QString said = RoomSettingsProblem(settings);
        QVERIFY2(problem.isEmpty() ? said.isEmpty() : said.startsWith(problem), qPrintable(said));
    }

    // A value the GBK profile cannot hold as typed is refused, and the profile stays as it was.
    void settingsReadBackOrRefused_data() {
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("saved");
        AddRow("GBK holds it", QString("口令-1a"), true);
        AddRow("a character GBK lacks", QString("pass🎉"), false);
        AddRow("a character GBK lacks, Korean", QString("비밀번호"), false);
        AddRow("too long for a profile value", QString(120, QChar('x')), false);
    }
    void settingsReadBackOrRefused() {
        QFETCH(QString, password);
        QFETCH(bool, saved);
        QTemporaryDir dir;
        QDir(dir.path()).mkpath("config");
        const QString profile = AppPath(dir.path(), kTournamentProfile);
        TournamentSettings before;
        before.host = "old.example.org";
        before.room = "A101";
        before.password = "old";
        QCOMPARE(WriteTournamentSettings(profile, before), QString());
        TournamentSettings after = before;
        after.host = "new.example.org";
        after.password = password;
        const QString problem = WriteTournamentSettings(profile, after);
        QCOMPARE(problem.isEmpty(), saved);
        const TournamentSettings read = ReadTournamentSettings(profile);
        QCOMPARE(read.password, saved ? password : QString("old"));
        QCOMPARE(read.host, saved ? QString("new.example.org") : QString("old.example.org"));
        if (!saved) {
            QVERIFY2(problem.contains(TournamentKey::Password) && !problem.contains(password),
                     qPrintable(problem));
        }
    }
};

QTEST_GUILESS_MAIN(TournamentPartsTest)
#include "test_tournament_parts.moc"
