// The wizard's theme lookup and the marker cut of the notice page.

#include <QtTest>

#include "foundation/foundation.h"
#include "support/data_rows.h"
#include "support/temp_app_dir.h"

class SettingsProfilesTest : public QObject {
    Q_OBJECT

  private slots:
    void textBetween_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::addColumn<QString>("cut");
        AddRow("plain", "a[*版本号*]4.1.3[*更新日期*]b", "[*版本号*]", "[*更新日期*]", "4.1.3");
        AddRow("blanks and breaks kept", "<[ 1\r\n ]>", "<[", "]>", " 1\r\n ");
        AddRow("first of each", "<1><2>|3|", "<", ">", "1");
        AddRow("end before start", "]>x<[", "<[", "]>", "");
        AddRow("end only before the first start", "]> <[x]>", "<[", "]>", "");
        AddRow("missing start", "x]>", "<[", "]>", "");
        AddRow("missing end", "<[x", "<[", "]>", "");
        AddRow("empty start marker", "<[x]>", "", "]>", "");
        AddRow("empty end marker", "<[x]>", "<[", "", "");
        AddRow("nothing between", "<[]>", "<[", "]>", "");
        AddRow("overlapping markers", "<[>", "<[", "[>", "");
        AddRow("letter case counts", "<A>x</a>", "<A>", "</A>", "");
    }
    void textBetween() {
        QFETCH(QString, text);
        QFETCH(QString, start);
        QFETCH(QString, end);
        QFETCH(QString, cut);
        QCOMPARE(TextBetween(text, start, end), cut);
    }

    void themePictures() {
        TempAppDir dir;
        dir.write("Theme/Theme3.jpg", "x");
        QCOMPARE(ThemePicturePath(dir.path(), "Theme-3"), dir.path() + "/Theme/Theme3.jpg");
        QCOMPARE(ThemePicturePath(dir.path(), "Theme-1"), dir.path() + "/Theme/Theme1.jpg");
        for (const char* other : {"theme-3", "Theme-5", "Theme-3 ", "", "Theme3"}) {
            QCOMPARE(ThemePicturePath(dir.path(), other), QString());
        }
        QCOMPARE(StoredThemePicture(dir.path()), QString());  // no Theme.ini
        dir.write("config/Theme.ini", "[配置信息]\r\n设置界面主题=Theme-3\r\n");
        QCOMPARE(StoredThemePicture(dir.path()), dir.path() + "/Theme/Theme3.jpg");
    }
};

QTEST_GUILESS_MAIN(SettingsProfilesTest)
#include "test_settings_profiles.moc"
