// The caption animation, window opacity and window dragging.

#include <QLabel>
#include <QWidget>
#include <QtTest>

#include "foundation/widgets/drag_window.h"
#include "foundation/widgets/title_reveal.h"
#include "foundation/widgets/window_opacity.h"
#include "support/data_rows.h"

class TestWindowHelpers : public QObject {
    Q_OBJECT

  private slots:
    void nextRevealedTitle_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("next");
        AddRow("empty starts over", "", "d");
        AddRow("one character", "d", "de");
        AddRow("proper prefix", "deba", "debac");
        AddRow("one short of the title", "debacloc", "debaclock");
        AddRow("whole title empties", "debaclock", "");
        AddRow("other letter case", "Deba", "Deba");
        AddRow("not a prefix", "eba", "eba");
        AddRow("longer than the title", "debaclock2", "debaclock2");
        AddRow("caption set by the screen", "比赛报告", "比赛报告");
    }
    void nextRevealedTitle() {
        QFETCH(QString, caption);
        QFETCH(QString, next);
        QCOMPARE(NextRevealedTitle(caption), next);
    }

    void titleRevealCyclesOnlyTheProgramTitle() {
        QWidget screen;
        screen.setWindowTitle("debaclock");
        const QStringList expected = {"",       "d",       "de",       "deb",       "deba", "debac",
                                      "debacl", "debaclo", "debacloc", "debaclock", ""};
        for (const QString& caption : expected) {
            TitleReveal(&screen);
            QCOMPARE(screen.windowTitle(), caption);
        }
        // A caption of the screen's own stays for good.
        screen.setWindowTitle("Score sheet");
        for (int tick = 0; tick < 25; ++tick)
            TitleReveal(&screen);
        QCOMPARE(screen.windowTitle(), QString("Score sheet"));
    }

    void setWindowOpacity_data() {
        QTest::addColumn<int>("alpha");
        QTest::addColumn<qreal>("opacity");
        AddRow("invisible", 0, 0.0);
        AddRow("opaque", 255, 1.0);
        AddRow("half way", 128, 128 / 255.0);
        AddRow("splash step", 17, 17 / 255.0);
        AddRow("above range", 300, 1.0);
        AddRow("below range", -5, 0.0);
    }
    void setWindowOpacity() {
        QFETCH(int, alpha);
        QFETCH(qreal, opacity);
        QWidget screen;
        auto* label = new QLabel(&screen);
        SetWindowOpacity(label, alpha);  // a control stands for its window
        QVERIFY2(qAbs(screen.windowOpacity() - opacity) < 0.5 / 255,
                 qPrintable(QString::number(screen.windowOpacity())));
        QCOMPARE(label->windowOpacity(), 1.0);
    }

    void dragWindowWithoutANativeWindowDoesNothing() {
        QWidget screen;
        screen.setGeometry(10, 20, 300, 200);
        auto* label = new QLabel(&screen);
        QVERIFY(!DragWindow(&screen));
        QVERIFY(!DragWindow(label));
        QCOMPARE(screen.geometry(), QRect(10, 20, 300, 200));
        QVERIFY(!screen.windowHandle());
    }
};

QTEST_MAIN(TestWindowHelpers)
#include "test_window_helpers.moc"
