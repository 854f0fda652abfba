// The debate and result profiles: who won, and the match report's lines.

#include <QtTest>

#include "foundation/foundation.h"
#include "support/data_rows.h"
#include "support/temp_app_dir.h"

class DebateProfilesTest : public QObject {
    Q_OBJECT

  private slots:
    void scoreValue_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        AddRow("plain", "85.5", 85.5);
        AddRow("leading full stop", ".5", 0.5);
        AddRow("leading zero", "085", 85.0);
        AddRow("second full stop ends it", "1.2.3", 1.2);
        AddRow("empty", "", 0.0);
        AddRow("lone full stop", ".", 0.0);
        AddRow("blanks anywhere", " 8\t5\n", 85.0);
        AddRow("exponent D", "1D2", 100.0);
        AddRow("no hex here", "&H10", 0.0);
    }
    void scoreValue() {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(ScoreValue(text), value);
    }

    void winner_data() {
        QTest::addColumn<QString>("affirmative");
        QTest::addColumn<QString>("negative");
        QTest::addColumn<QString>("winner");
        AddRow("numbers, not texts", "9", "10", "云岭学院");
        AddRow("higher affirmative", "90", "88.5", "星河大学");
        AddRow("same number, other text", "88.5", "88.50", "互为平手");
        AddRow("empty against 0", "", "0", "互为平手");
        AddRow("leading zero", "085", "84", "星河大学");
    }
    void winner() {
        QFETCH(QString, affirmative);
        QFETCH(QString, negative);
        QFETCH(QString, winner);
        QCOMPARE(DecideWinner(affirmative, negative, "星河大学", "云岭学院"), winner);
        if (winner != kDraw) {  // a decided winner without team names is empty
            QCOMPARE(DecideWinner(affirmative, negative, "", ""), QString());
        }
    }

    void reportOfAnEmptyFolder() {
        TempAppDir dir;
        const QStringList lines = ReportLines(dir.path(), "2026/12/9", "14:05");
        QCOMPARE(lines.size(), 39);
        const QStringList expected = {
            "",
            QString(35, ' ') + "辩论赛报表",
            "",
            QString(55, ' ') + "2026/12/9-14:05",
            QString(76, '_'),
            "",
            "    比赛名称：",
            "",
            "    主办单位：",
            "    承办单位：",
            "    协办单位：",
            "",
            "    正方辩题：",
            "    反方辩题：",
            "",
            "    正方代表队名称：",
            "    反方代表队名称：",
            "",
            "    正方队员",
            QString(11, ' ') + "一辩：    二辩：    三辩：    四辩：",
            "    反方队员",
            QString(11, ' ') + "一辩：    二辩：    三辩：    四辩：",
            "",
            "    评 委",
            QString(11, ' ') + "评委一：    评委二：    评委三：    评委四：",
            QString(11, ' ') + "评委五：    评委六：    评委七：    评委八：",
            QString(11, ' ') + "评委九：    评委十：",
            "",
            "    双方最终得分",
            QString(16, ' ') + "正方总成绩：分",
            QString(16, ' ') + "反方总成绩：分",
            "",
            "    比赛获胜方：",
            "",
            "",
            QString(44, ' ') + "正方代表签字：",
            "",
            "",
            QString(44, ' ') + "反方代表签字：",
        };
        for (int i = 0; i < expected.size(); ++i) {
            QCOMPARE(lines.value(i), expected[i]);
        }
        QCOMPARE(ReportText(dir.path(), "2026/12/9", "14:05"), expected.join("\r\n"));
    }

    void reportPrintsEveryValueAsStored() {
        TempAppDir dir;
        dir.mkdir("config");
        const QString info = AppPath(dir.path(), kDebateInfoProfile);
        for (const QString& key : DebateInfoKeys()) {
            WriteProfileString(info, kDebateInfoSection, key, key + "值");
        }
        const QString result = AppPath(dir.path(), kResultProfile);
        WriteProfileString(result, kScoreSection, ResultKey::AffirmativeScore, "085");
        WriteProfileString(result, kScoreSection, ResultKey::NegativeScore, " 84.50");
        WriteProfileString(result, kConfigSection, ResultKey::Winner, "互为平手");
        const QStringList lines = ReportLines(dir.path(), "d", "t");
        QCOMPARE(lines[6], "    比赛名称：辩论赛名称值");
        QCOMPARE(lines[10], "    协办单位：协办单位值");
        QCOMPARE(lines[16], "    反方代表队名称：反方代表队值");
        QCOMPARE(lines[21], QString(11, ' ') +
                                "一辩：反方一辩值    二辩：反方二辩值    三辩：反方三辩值    "
                                "四辩：反方四辩值");
        QCOMPARE(lines[26], QString(11, ' ') + "评委九：评委九值    评委十：评委十值");
        QCOMPARE(lines[29], QString(16, ' ') + "正方总成绩：085分");
        QCOMPARE(lines[30],
                 QString(16, ' ') + "反方总成绩：84.50分");  // blanks trimmed by the store
        QCOMPARE(lines[32], "    比赛获胜方：互为平手");
    }

    void labelKeys() {
        const LabelObject& winner = LabelObjects()[3];
        QCOMPARE(winner.label, "L4");
        QCOMPARE(
            std::tuple(winner.faceKey(), winner.sizeKey(), winner.colourKey()),
            std::tuple(QString("获胜方字体"), QString("获胜方字号"), QString("获胜方字体颜色")));
        QCOMPARE(std::tuple(winner.leftKey(), winner.writtenLeftKey(), winner.writtenTopKey()),
                 std::tuple(QString("L4_left"), QString("l4_left"), QString("l4_top")));
        TempAppDir dir;
        const QString file = dir.write("Result.ini", "[控件位置]\r\nl4_left=300\r\n");
        QCOMPARE(ReadProfileString(file, kLabelPositionSection, winner.leftKey()), "300");
        QCOMPARE(LabelObjects()[0].writtenLeftKey(), "L1_left");
        QCOMPARE(DebateInfoKeys()[25], "评委十");
        QCOMPARE(DebateInfoKeys()[8], "正方一辩");
    }
};

QTEST_GUILESS_MAIN(DebateProfilesTest)
#include "test_debate_profiles.moc"
