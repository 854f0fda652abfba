// Proportional layout: geometry tags, RememberLayout and ScaleLayout over a widget tree.

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <QtTest>

#include "foundation/widgets/layout.h"
#include "foundation/widgets/single_text.h"
#include "foundation/widgets/twips.h"
#include "support/data_rows.h"

namespace {

// A screen of 800 x 600 pixels (12000 x 9000 twips) with controls at awkward positions, one of
// them inside a frame, so that rounding errors would show.
struct Screen {
    QWidget window;
    QPushButton* command1 = new QPushButton(&window);
    QLabel* label2 = new QLabel(&window);
    QWidget* frame1 = new QWidget(&window);
    QLabel* label3 = new QLabel(frame1);

    Screen() {
        window.resize(800, 600);
        command1->setObjectName("Command1");
        label2->setObjectName("Label2");
        frame1->setObjectName("Frame1");
        label3->setObjectName("Label3");
        PlaceInTwips(command1, 1395, 2040, 2055, 1140);  // 93, 136, 137, 76 pixels
        label2->setGeometry(7, 13, 101, 33);
        frame1->setGeometry(401, 299, 333, 211);
        label3->setGeometry(3, 5, 97, 29);
    }
    QList<QWidget*> controls() const { return {command1, label2, frame1, label3}; }
};

QList<QRect> GeometriesOf(const QList<QWidget*>& controls) {
    QList<QRect> geometries;
    for (const QWidget* control : controls)
        geometries.append(control->geometry());
    return geometries;
}

QRect Scaled(const QRect& r, double across, double down) {
    return QRect(qRound(r.x() * across), qRound(r.y() * down), qRound(r.width() * across),
                 qRound(r.height() * down));
}

}  // namespace

class TestLayout : public QObject {
    Q_OBJECT

  private slots:
    void singleText_data() {
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("text");
        AddRow("whole number", 1395.0f, "1395");
        AddRow("half", 1234.5f, "1234.5");
        AddRow("font size", 10.5f, "10.5");
        AddRow("shortest form of 0.1", 0.1f, "0.1");
        AddRow("seven digits", 1234.567f, "1234.567");
        AddRow("negative", -15.0f, "-15");
        AddRow("zero", 0.0f, "0");
        AddRow("negative zero", -0.0f, "0");
        AddRow("large, no exponent", 1e10f, "10000000000");
    }
    void singleText() {
        QFETCH(float, value);
        QFETCH(QString, text);
        QCOMPARE(SingleText(value), text);
    }

    void geometryTag_data() {
        QTest::addColumn<QList<float>>("geometry");
        QTest::addColumn<QString>("tag");
        AddRow("whole numbers", QList<float>{1395, 2040, 2055, 1140},
               "1395   2040   2055   1140   ");
        AddRow("fraction", QList<float>{1234.5f, 0, 15, 30}, "1234.5   0   15   30   ");
    }
    void geometryTag() {
        QFETCH(QList<float>, geometry);
        QFETCH(QString, tag);
        QCOMPARE(GeometryTag(geometry[0], geometry[1], geometry[2], geometry[3]), tag);
    }

    void readGeometryTag_data() {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QList<double>>("geometry");
        using G = QList<double>;
        AddRow("as written", "100   200   300   400   ", G{100, 200, 300, 400});
        AddRow("no trailing blanks", "100   200   300   400", G{100, 200, 300, 400});
        AddRow("leading blanks of parts", "100    200     300   400   ", G{100, 200, 300, 400});
        AddRow("fraction", "1234.5   0   15   30   ", G{1234.5, 0, 15, 30});
        AddRow("two missing", "100   200", G{100, 200, 0, 0});
        AddRow("empty part", "100      300   400", G{100, 0, 300, 400});
        AddRow("not a number", "abc   200   x   7", G{0, 200, 0, 7});
        AddRow("number then text", "100px   200", G{100, 200, 0, 0});
        AddRow("single blanks do not split", "100 200", G{100200, 0, 0, 0});
        AddRow("empty", "", G{0, 0, 0, 0});
    }
    void readGeometryTag() {
        QFETCH(QString, tag);
        QFETCH(QList<double>, geometry);
        const TaggedGeometry read = ReadGeometryTag(tag);
        QCOMPARE((QList<double>{read.left, read.top, read.width, read.height}), geometry);
    }

    void placeInTwips() {
        QWidget control;
        PlaceInTwips(&control, 1395, 2040, 2055, 1140);
        QCOMPARE(control.geometry(), QRect(93, 136, 137, 76));
        QCOMPARE(SizeFromTwips(12000, 9000), QSize(800, 600));
    }

    void rememberLayoutTagsEveryControlOnly() {
        Screen screen;
        auto* unnamed = new QLabel(&screen.window);
        auto* inner = new QWidget(&screen.window);
        inner->setObjectName("qt_inner_part");
        auto* timer = new QTimer(&screen.window);
        timer->setObjectName("Timer1");
        SetTag(timer, "kept");
        auto* dialog = new QDialog(&screen.window);
        dialog->setObjectName("Dialog1");
        auto* insideDialog = new QLabel(dialog);
        insideDialog->setObjectName("Label9");

        RememberLayout(&screen.window);

        QCOMPARE(RememberedDesignSize(), QSize(12000, 9000));
        QCOMPARE(TagOf(screen.command1), QString("1395   2040   2055   1140   "));
        QCOMPARE(TagOf(screen.label2), QString("105   195   1515   495   "));
        // Inside a frame the geometry is the frame's, not the window's.
        QCOMPARE(TagOf(screen.label3), QString("45   75   1455   435   "));
        for (QObject* skipped : QList<QObject*>{unnamed, inner, dialog, insideDialog})
            QVERIFY2(TagOf(skipped).isEmpty(), qPrintable(skipped->objectName()));
        QCOMPARE(TagOf(timer), QString("kept"));
        QCOMPARE(LayoutControls(&screen.window), screen.controls());
    }

    void scaleLayout_data() {
        QTest::addColumn<QSize>("size");
        QTest::newRow("design size") << QSize(800, 600);
        QTest::newRow("twice as large") << QSize(1600, 1200);
        QTest::newRow("wider only") << QSize(1366, 600);
        QTest::newRow("full HD") << QSize(1920, 1080);
        QTest::newRow("smaller") << QSize(640, 480);
    }
    void scaleLayout() {
        QFETCH(QSize, size);
        Screen screen;
        const QList<QRect> design = GeometriesOf(screen.controls());
        RememberLayout(&screen.window);

        screen.window.resize(size);
        ScaleLayout(&screen.window);

        const double across = size.width() / 800.0;
        const double down = size.height() / 600.0;
        for (int i = 0; i < design.size(); ++i)
            QCOMPARE(screen.controls()[i]->geometry(), Scaled(design[i], across, down));
    }

    void maximiseThenRestoreGivesDesignBack() {
        Screen screen;
        const QList<QRect> design = GeometriesOf(screen.controls());
        RememberLayout(&screen.window);
        // Awkward ratios round differently each time; computed from the tags, nothing piles up.
        for (QSize size : {QSize(1366, 768), QSize(1023, 767), QSize(801, 599), QSize(1920, 1080),
                           QSize(800, 600)}) {
            screen.window.resize(size);
            ScaleLayout(&screen.window);
        }
        QCOMPARE(GeometriesOf(screen.controls()), design);
    }

    void scaleLayoutReadsHandWrittenTags_data() {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QRect>("geometry");
        AddRow("each followed by three blanks", "1500   3000   4500   6000   ",
               QRect(100, 200, 300, 400));
        AddRow("leading blanks", "1500     3000    4500   6000", QRect(100, 200, 300, 400));
        AddRow("missing numbers count 0", "1500   3000", QRect(100, 200, 0, 0));
        AddRow("twips between pixels", "100   200   300   400   ", QRect(7, 13, 20, 27));
    }
    void scaleLayoutReadsHandWrittenTags() {
        QFETCH(QString, tag);
        QFETCH(QRect, geometry);
        Screen screen;
        RememberLayout(&screen.window);
        SetTag(screen.label2, tag);
        ScaleLayout(&screen.window);
        QCOMPARE(screen.label2->geometry(), geometry);
    }

    void scaleLayoutLeavesUntaggedControlsAndFonts() {
        Screen screen;
        QFont font = screen.label2->font();
        font.setPointSize(30);
        screen.label2->setFont(font);
        RememberLayout(&screen.window);
        auto* late = new QLabel(&screen.window);
        late->setObjectName("Label7");
        late->setGeometry(10, 20, 30, 40);
        auto* timer = new QTimer(&screen.window);
        timer->setObjectName("Timer1");
        SetTag(timer, "1500   1500   1500   1500   ");

        screen.window.resize(1600, 1200);
        ScaleLayout(&screen.window);

        QCOMPARE(late->geometry(), QRect(10, 20, 30, 40));
        QCOMPARE(screen.command1->geometry(), QRect(186, 272, 274, 152));
        QCOMPARE(screen.label2->font().pointSize(), 30);
    }

    void scaleLayoutDoesNothingWithoutADesignSize() {
        QWidget empty;
        empty.resize(0, 0);
        RememberLayout(&empty);
        QCOMPARE(RememberedDesignSize(), QSize(0, 0));

        Screen screen;
        SetTag(screen.command1, "1500   1500   1500   1500   ");
        screen.window.resize(1600, 1200);
        ScaleLayout(&screen.window);
        QCOMPARE(screen.command1->geometry(), QRect(93, 136, 137, 76));
    }

    // A label dragged on a window of one size and stored in design twips stands at the same
    // place of the picture on a window of another size: the announcement's layout mode runs on
    // whatever the projector has, the announcement later on another.
    void designPositionKeepsItsPlaceAtAnySize_data() {
        QTest::addColumn<QSize>("draggedOn");
        QTest::addColumn<QSize>("shownOn");
        QTest::newRow("full HD, then square") << QSize(1920, 1080) << QSize(800, 800);
        QTest::newRow("square, then full HD") << QSize(800, 800) << QSize(1920, 1080);
        QTest::newRow("design size, then full HD") << QSize(800, 600) << QSize(1920, 1080);
    }
    void designPositionKeepsItsPlaceAtAnySize() {
        QFETCH(QSize, draggedOn);
        QFETCH(QSize, shownOn);
        Screen screen;
        RememberLayout(&screen.window);
        screen.window.resize(draggedOn);
        ScaleLayout(&screen.window);
        // Dropped at a quarter across and three quarters down, then stored.
        const QPoint dropped(draggedOn.width() / 4, draggedOn.height() * 3 / 4);
        screen.label2->move(dropped);
        const QPointF stored = DesignPosition(screen.label2);
        QCOMPARE(stored, QPointF(3000, 6750));  // twips of the 12000 x 9000 design
        MoveToDesignPosition(screen.label2, stored.x(), stored.y());
        QCOMPARE(screen.label2->pos(), dropped);

        // Another window, another size: the stored position read back, and resized later on.
        Screen other;
        RememberLayout(&other.window);
        other.window.resize(shownOn);
        ScaleLayout(&other.window);
        MoveToDesignPosition(other.label2, stored.x(), std::nullopt);
        MoveToDesignPosition(other.label2, std::nullopt, stored.y());
        const QPoint expected(shownOn.width() / 4, shownOn.height() * 3 / 4);
        QCOMPARE(other.label2->pos(), expected);
        other.window.resize(draggedOn);
        ScaleLayout(&other.window);
        QCOMPARE(other.label2->pos(), dropped);
    }
};

QTEST_MAIN(TestLayout)
#include "test_layout.moc"
