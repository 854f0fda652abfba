// A clock screen's font, colours and background from the active segment profile.

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QTemporaryDir>
#include <QtTest>

#include "foundation/platform/colours.h"
#include "foundation/profile_store.h"
#include "foundation/segment_profile.h"
#include "foundation/widgets/clock_appearance.h"
#include "foundation/widgets/fonts.h"
#include "foundation/widgets/picture.h"
#include "foundation/widgets/widget_colours.h"
#include "support/data_rows.h"

Q_DECLARE_METATYPE(UnreadableColour)

namespace {

const QColor kDesignedText(10, 20, 30);
const QColor kDesignedBack(40, 50, 60);

QImage Filled(QColor colour) {
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// A clock screen as designed: a clock label with its own font and colour, a window colour and
// a picture already shown.
struct ClockScreen {
    QWidget window;
    QLabel* clock = new QLabel(QStringLiteral("5分00秒"), &window);
    StretchedPicture* picture = new StretchedPicture(&window);

    explicit ClockScreen(const QString& designedPicture) {
        window.resize(100, 100);
        picture->setGeometry(0, 0, 100, 100);
        clock->setGeometry(0, 0, 10, 10);
        QFont font(QStringLiteral("Liberation Sans"));
        font.setPointSizeF(21);
        font.setBold(true);
        font.setItalic(true);
        clock->setFont(font);
        SetTextColour(clock, kDesignedText);
        SetBackgroundColour(&window, kDesignedBack);
        picture->load(designedPicture);
    }
    QColor pictureColour() { return picture->grab().toImage().pixelColor(50, 50); }
};

}  // namespace

class TestClockAppearance : public QObject {
    Q_OBJECT

    QTemporaryDir appDir;

    void write(const QString& key, const QString& value) {
        WriteProfileString(ActiveSegmentProfilePath(appDir.path()), kConfigSection, key, value);
    }
    // The active profile holding exactly `values` (every other appearance key empty).
    void writeProfile(const QMap<QString, QString>& values) {
        for (const QString& key :
             {SegmentKey::FontFace, SegmentKey::FontSize, SegmentKey::Bold, SegmentKey::Italic,
              SegmentKey::ClockColour, SegmentKey::WarnColour, SegmentKey::BackColour,
              SegmentKey::Picture})
            write(key, values.value(key));
    }
    QString designedPicture() const { return appDir.filePath("designed.png"); }
    ClockAppearance apply(ClockScreen& screen, UnreadableColour policy) {
        const ClockAppearance appearance = ReadClockAppearance(appDir.path(), policy);
        ApplyClockAppearance(appearance, {screen.clock}, &screen.window, screen.picture);
        return appearance;
    }

  private slots:
    void initTestCase() {
        InstallFontSubstitutions();
        QVERIFY(appDir.isValid());
        QDir root(appDir.path());
        QVERIFY(root.mkpath("config"));
        QVERIFY(root.mkpath("background/jishi"));
        QVERIFY(Filled(Qt::green).save(root.filePath("background/jishi/clock.png")));
        QVERIFY(Filled(Qt::green).save(root.filePath("background/jishi/a..b.png")));
        QVERIFY(Filled(Qt::yellow).save(designedPicture()));
        QVERIFY(Filled(Qt::cyan).save(root.filePath("outside.png")));
    }

    void font_data() {
        QTest::addColumn<QString>("face");
        QTest::addColumn<QString>("size");
        QTest::addColumn<QString>("bold");
        QTest::addColumn<QString>("italic");
        QTest::addColumn<QString>("family");  // the family the label ends up asking for
        QTest::addColumn<qreal>("points");
        QTest::addColumn<bool>("isBold");
        QTest::addColumn<bool>("isItalic");
        AddRow("all given", "宋体", "36", "Y", "Y", "宋体", 36.0, true, true);
        AddRow("installed face, half size", "Liberation Serif", "10.5", "N", "N",
               "Liberation Serif", 10.5, false, false);
        AddRow("only Y exactly turns a style on", "宋体", "36", "y", "Yes", "宋体", 36.0, false,
               false);
        AddRow("empty values keep the design, flags turn off", "", "", "", "", "Liberation Sans",
               21.0, false, false);
        AddRow("face not installed", "No Such Face 123", "48", "Y", "N", "Liberation Sans", 48.0,
               true, false);
        AddRow("size not a number", "宋体", "big", "N", "Y", "宋体", 21.0, false, true);
        AddRow("size with text after it", "宋体", "36pt", "N", "N", "宋体", 21.0, false, false);
        AddRow("size zero", "宋体", "0", "N", "N", "宋体", 21.0, false, false);
        AddRow("negative size", "宋体", "-8", "N", "N", "宋体", 21.0, false, false);
        AddRow("size beyond the largest", "宋体", "5000", "N", "N", "宋体", 21.0, false, false);
    }
    void font() {
        QFETCH(QString, face);
        QFETCH(QString, size);
        QFETCH(QString, bold);
        QFETCH(QString, italic);
        QFETCH(QString, family);
        QFETCH(qreal, points);
        QFETCH(bool, isBold);
        QFETCH(bool, isItalic);
        writeProfile({{SegmentKey::FontFace, face},
                      {SegmentKey::FontSize, size},
                      {SegmentKey::Bold, bold},
                      {SegmentKey::Italic, italic}});
        ClockScreen screen(designedPicture());
        apply(screen, UnreadableColour::Black);
        const QFont applied = screen.clock->font();
        QCOMPARE(applied.family(), family);
        QCOMPARE(applied.pointSizeF(), points);
        QCOMPARE(applied.bold(), isBold);
        QCOMPARE(applied.italic(), isItalic);
    }

    void colours_data() {
        QTest::addColumn<UnreadableColour>("policy");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QColor>("text");        // clock label after opening
        QTest::addColumn<QColor>("background");  // window after opening
        const auto toBlack = UnreadableColour::Black;
        const auto keep = UnreadableColour::KeepDesigned;
        const QColor red(Qt::red), blue(Qt::blue), black(Qt::black);
        AddRow("styles 1, 5: red", toBlack, "255", red, red);
        AddRow("styles 2-4: blue", keep, "16711680", blue, blue);
        AddRow("styles 1, 5: empty is black", toBlack, "", black, black);
        AddRow("styles 2-4: empty keeps the design", keep, "", kDesignedText, kDesignedBack);
        AddRow("styles 1, 5: malformed is black", toBlack, "red", black, black);
        AddRow("styles 2-4: malformed keeps the design", keep, "12abc", kDesignedText,
               kDesignedBack);
        const QColor system = ColourFromValue(0x8000000F);
        AddRow("system colour as stored by the desktop", keep, "-2147483633", system, system);
    }
    void colours() {
        QFETCH(UnreadableColour, policy);
        QFETCH(QString, value);
        QFETCH(QColor, text);
        QFETCH(QColor, background);
        writeProfile({{SegmentKey::ClockColour, value}, {SegmentKey::BackColour, value}});
        ClockScreen screen(designedPicture());
        apply(screen, policy);
        QCOMPARE(TextColour(screen.clock), text);
        QCOMPARE(BackgroundColour(&screen.window), background);
    }

    void warningColourAndBack_data() {
        QTest::addColumn<UnreadableColour>("policy");
        QTest::addColumn<QString>("warn");
        QTest::addColumn<QColor>("warning");
        AddRow("readable", UnreadableColour::KeepDesigned, "255", QColor(Qt::red));
        AddRow("styles 1, 5: unreadable is black", UnreadableColour::Black, "", QColor(Qt::black));
        AddRow("styles 2-4: unreadable keeps the clock colour", UnreadableColour::KeepDesigned, "x",
               QColor(Qt::green));
    }
    void warningColourAndBack() {
        QFETCH(UnreadableColour, policy);
        QFETCH(QString, warn);
        QFETCH(QColor, warning);
        writeProfile({{SegmentKey::ClockColour, "65280"}, {SegmentKey::WarnColour, warn}});
        ClockScreen screen(designedPicture());
        const ClockAppearance appearance = apply(screen, policy);
        QCOMPARE(TextColour(screen.clock), QColor(Qt::green));
        ShowWarnColour(appearance, screen.clock);
        QCOMPARE(TextColour(screen.clock), warning);
        ShowClockColour(appearance, screen.clock);
        QCOMPARE(TextColour(screen.clock), QColor(Qt::green));
    }

    void picture_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QColor>("shown");
        AddRow("named picture", "clock.png", QColor(Qt::green));
        AddRow("other letter case", "CLOCK.PNG", QColor(Qt::green));
        AddRow("missing picture keeps the design", "gone.jpg", QColor(Qt::yellow));
        AddRow("empty keeps the design", "", QColor(Qt::yellow));
        AddRow("dots inside a name", "a..b.png", QColor(Qt::green));
        AddRow("a path is no file name", "../../outside.png", QColor(Qt::yellow));
        AddRow("nor a desktop path", "..\\..\\outside.png", QColor(Qt::yellow));
    }
    void picture() {
        QFETCH(QString, name);
        QFETCH(QColor, shown);
        writeProfile({{SegmentKey::Picture, name}});
        ClockScreen screen(designedPicture());
        QCOMPARE(screen.pictureColour(), QColor(Qt::yellow));
        apply(screen, UnreadableColour::Black);
        QCOMPARE(screen.pictureColour(), shown);
    }

    void everyClockLabelTakesTheAppearance() {
        writeProfile({{SegmentKey::FontSize, "50"}, {SegmentKey::ClockColour, "255"}});
        ClockScreen screen(designedPicture());
        auto* second = new QLabel(&screen.window);
        ApplyClockAppearance(ReadClockAppearance(appDir.path(), UnreadableColour::Black),
                             {screen.clock, second}, nullptr, nullptr);
        for (QLabel* clock : {screen.clock, second}) {
            QCOMPARE(clock->font().pointSizeF(), 50.0);
            QCOMPARE(TextColour(clock), QColor(Qt::red));
        }
        QCOMPARE(BackgroundColour(&screen.window), kDesignedBack);
    }
};

QTEST_MAIN(TestClockAppearance)
#include "test_clock_appearance.moc"
