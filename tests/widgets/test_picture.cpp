// The stretched background picture Image1.

#include <QAccessible>
#include <QImage>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>

#include "foundation/widgets/picture.h"
#include "foundation/widgets/widget_colours.h"
#include "support/data_rows.h"

namespace {

// Left half `left`, right half `right`, so stretching can be checked on both sides.
QImage TwoColours(QSize size, QColor left, QColor right) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(right);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width() / 2; ++x)
            image.setPixelColor(x, y, left);
    return image;
}

// Compressed formats shift colours a little.
bool Near(QColor a, QColor b) {
    return qAbs(a.red() - b.red()) < 24 && qAbs(a.green() - b.green()) < 24 &&
           qAbs(a.blue() - b.blue()) < 24;
}

QMouseEvent MouseMove(QPoint position) {
    return QMouseEvent(QEvent::MouseMove, position, position, Qt::NoButton, Qt::NoButton,
                       Qt::NoModifier);
}

}  // namespace

class TestPicture : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString path(const QString& name) const { return dir.filePath(name); }

  private slots:
    void initTestCase() {
        QVERIFY(dir.isValid());
        QVERIFY(TwoColours({40, 20}, Qt::darkBlue, Qt::darkYellow).save(path("before.png")));
        QVERIFY(TwoColours({40, 20}, Qt::red, Qt::blue).save(path("red-blue.png")));
        QVERIFY(TwoColours({40, 20}, Qt::green, Qt::green).save(path("green.bmp")));
        QVERIFY(
            TwoColours({64, 32}, Qt::yellow, Qt::black).save(path("yellow-black.jpg"), "JPG", 95));
        // A BMP under a JPEG name loads by its content.
        QVERIFY(TwoColours({40, 20}, Qt::cyan, Qt::cyan).save(path("cyan-really-bmp.jpg"), "BMP"));
        QFile text(path("not-a-picture.jpg"));
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write("this is no picture");
        text.close();
        QVERIFY(QDir(dir.path()).mkdir("folder.jpg"));
        QVERIFY(TwoColours({3840, 2160}, Qt::magenta, Qt::white).save(path("uhd.jpg"), "JPG", 90));
    }

    // A picture fills the widget, stretched; one that cannot be loaded keeps the one shown.
    void load_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("loads");
        QTest::addColumn<QColor>("left");
        QTest::addColumn<QColor>("right");
        AddRow("PNG", "red-blue.png", true, QColor(Qt::red), QColor(Qt::blue));
        AddRow("BMP", "green.bmp", true, QColor(Qt::green), QColor(Qt::green));
        AddRow("JPEG", "yellow-black.jpg", true, QColor(Qt::yellow), QColor(Qt::black));
        AddRow("BMP named .jpg", "cyan-really-bmp.jpg", true, QColor(Qt::cyan), QColor(Qt::cyan));
        AddRow("3840x2160 JPEG", "uhd.jpg", true, QColor(Qt::magenta), QColor(Qt::white));
        const QColor keptLeft(Qt::darkBlue), keptRight(Qt::darkYellow);
        AddRow("missing file", "missing.jpg", false, keptLeft, keptRight);
        AddRow("not a picture", "not-a-picture.jpg", false, keptLeft, keptRight);
        AddRow("a folder", "folder.jpg", false, keptLeft, keptRight);
        AddRow("empty path", "", false, keptLeft, keptRight);
    }
    void load() {
        QFETCH(QString, file);
        QFETCH(bool, loads);
        QFETCH(QColor, left);
        QFETCH(QColor, right);
        StretchedPicture picture;
        picture.resize(300, 70);
        QVERIFY(picture.load(path("before.png")));
        QCOMPARE(picture.load(file.isEmpty() ? QString() : path(file)), loads);
        QVERIFY(picture.hasPicture());

        const QImage shown = picture.grab().toImage();
        QCOMPARE(shown.size(), QSize(300, 70));
        QVERIFY(Near(shown.pixelColor(20, 35), left));
        QVERIFY(Near(shown.pixelColor(280, 35), right));
        // Stretched, not kept in proportion: the bottom row is picture too.
        QVERIFY(Near(shown.pixelColor(20, 69), left));
    }

    void withoutAPictureTheBackgroundShows() {
        QWidget window;
        window.resize(100, 50);
        SetBackgroundColour(&window, QColor(1, 2, 3));
        auto* picture = new StretchedPicture(&window);
        picture->resize(100, 50);
        const auto shown = [&] { return window.grab().toImage().pixelColor(50, 25); };
        QVERIFY(!picture->load(path("missing.jpg")));
        QVERIFY(!picture->hasPicture());
        QCOMPARE(shown(), QColor(1, 2, 3));

        QVERIFY(picture->load(path("green.bmp")));
        QCOMPARE(shown(), QColor(Qt::green));
        picture->clear();
        QVERIFY(!picture->hasPicture());
        QVERIFY(picture->stretchedPicture().isNull());
        QCOMPARE(shown(), QColor(1, 2, 3));
    }

    void scaledOncePerSize() {
        StretchedPicture picture;
        picture.resize(200, 100);
        QVERIFY(picture.load(path("red-blue.png")));
        const QPixmap first = picture.stretchedPicture();
        QCOMPARE(first.size(), QSize(200, 100));
        QCOMPARE(picture.stretchedPicture().cacheKey(), first.cacheKey());

        picture.resize(400, 300);
        const QPixmap resized = picture.stretchedPicture();
        QCOMPARE(resized.size(), QSize(400, 300));
        QVERIFY(resized.cacheKey() != first.cacheKey());
        QCOMPARE(picture.stretchedPicture().cacheKey(), resized.cacheKey());

        // A new picture is never served from the old one's cache.
        QVERIFY(picture.load(path("green.bmp")));
        QCOMPARE(picture.stretchedPicture().toImage().pixelColor(10, 10), QColor(Qt::green));
    }

    void reportsMouseMovesAndPresses() {
        QWidget window;
        auto* picture = new StretchedPicture(&window);
        picture->setGeometry(0, 0, 200, 100);
        QVERIFY(picture->hasMouseTracking());
        QSignalSpy moves(picture, &StretchedPicture::mouseMoved);
        QSignalSpy presses(picture, &StretchedPicture::mousePressed);

        QMouseEvent move = MouseMove({30, 40});
        QApplication::sendEvent(picture, &move);
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 6), QPointF(5, 6), Qt::RightButton,
                          Qt::RightButton, Qt::NoModifier);
        QApplication::sendEvent(picture, &press);

        QCOMPARE(moves.size(), 1);
        QCOMPARE(moves[0][0].toPoint(), QPoint(30, 40));
        QCOMPARE(presses.size(), 1);
        QCOMPARE(presses[0][0].value<Qt::MouseButton>(), Qt::RightButton);
        QCOMPARE(presses[0][1].toPoint(), QPoint(5, 6));
    }

    void isAccessibleAsAGraphic() {
        StretchedPicture picture;
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&picture);
        QVERIFY(accessible);
        QCOMPARE(accessible->role(), QAccessible::Graphic);
        QVERIFY(!accessible->text(QAccessible::Name).isEmpty());
    }

    void fillWindowCoversTheWholeWindow() {
        QWidget window(nullptr, Qt::FramelessWindowHint);
        window.resize(320, 240);
        auto* picture = new StretchedPicture(&window);
        picture->setGeometry(15, 25, 50, 60);
        FillWindow(picture);
        QCOMPARE(picture->geometry(), QRect(0, 0, 320, 240));
    }
};

QTEST_MAIN(TestPicture)
#include "test_picture.moc"
