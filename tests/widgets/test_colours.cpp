// Windows colour values <-> QColor, and the text and background colours of controls.

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "foundation/platform/colours.h"
#include "foundation/widgets/widget_colours.h"
#include "support/data_rows.h"

class TestColours : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        // Every role a distinct colour, so a system colour mapped to the wrong role shows.
        QPalette palette;
        int shade = 10;
        for (QPalette::ColorRole role :
             {QPalette::Button, QPalette::Base, QPalette::Text, QPalette::ButtonText,
              QPalette::Window, QPalette::WindowText, QPalette::Highlight,
              QPalette::HighlightedText}) {
            palette.setColor(role, QColor(shade, 255 - shade, shade * 2));
            shade += 10;
        }
        QApplication::setPalette(palette);
    }

    // Plain values are 0x00BBGGRR both ways; bits 24..30 are ignored.
    void colourFromValue_data() {
        QTest::addColumn<quint32>("value");
        QTest::addColumn<QColor>("colour");
        AddRow("255 is red", 255u, QColor(255, 0, 0));
        AddRow("65280 is green", 65280u, QColor(0, 255, 0));
        AddRow("16711680 is blue", 16711680u, QColor(0, 0, 255));
        AddRow("0 is black", 0u, QColor(0, 0, 0));
        AddRow("16777215 is white", 16777215u, QColor(255, 255, 255));
        AddRow("red in the low byte", 0x00804020u, QColor(0x20, 0x40, 0x80));
        AddRow("bits 24..30 ignored", 0x010000FFu, QColor(255, 0, 0));
    }
    void colourFromValue() {
        QFETCH(quint32, value);
        QFETCH(QColor, colour);
        QCOMPARE(ColourFromValue(value), colour);
        QCOMPARE(ColourValueOf(colour), value & 0xFFFFFFu);
    }

    void systemColour_data() {
        QTest::addColumn<quint32>("value");
        QTest::addColumn<int>("role");  // -1: no such system colour, black
        AddRow("button face", 0x8000000Fu, int(QPalette::Button));
        AddRow("window", 0x80000005u, int(QPalette::Base));
        AddRow("window text", 0x80000008u, int(QPalette::Text));
        AddRow("button text", 0x80000012u, int(QPalette::ButtonText));
        AddRow("highlight", 0x8000000Du, int(QPalette::Highlight));
        AddRow("highlighted text", 0x8000000Eu, int(QPalette::HighlightedText));
        AddRow("undefined", 0x80000099u, -1);
    }
    void systemColour() {
        QFETCH(quint32, value);
        QFETCH(int, role);
        QCOMPARE(ColourFromValue(value),
                 role < 0 ? QColor(Qt::black)
                          : QApplication::palette().color(QPalette::ColorRole(role)));
    }

    void colourValueOf_data() {
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<quint32>("value");
        QTest::addColumn<QString>("text");
        AddRow("mixed", QColor(1, 2, 3), 0x030201u, "197121");
        AddRow("alpha dropped", QColor(1, 2, 3, 100), 0x030201u, "197121");
        AddRow("other colour model", QColor::fromHsv(0, 255, 255), 255u, "255");
        AddRow("invalid", QColor(), 0u, "0");
    }
    void colourValueOf() {
        QFETCH(QColor, colour);
        QFETCH(quint32, value);
        QFETCH(QString, text);
        QCOMPARE(ColourValueOf(colour), value);
        QCOMPARE(ColourText(colour), text);
    }

    void textColourOfEveryKindOfControl() {
        QLabel label;
        QLineEdit textBox;
        QPushButton button;
        for (QWidget* control : QList<QWidget*>{&label, &textBox, &button}) {
            SetTextColour(control, QColor(1, 2, 3));
            QCOMPARE(TextColour(control), QColor(1, 2, 3));
        }
        QCOMPARE(label.palette().color(QPalette::WindowText), QColor(1, 2, 3));
        QCOMPARE(textBox.palette().color(QPalette::Text), QColor(1, 2, 3));
        QCOMPARE(button.palette().color(QPalette::ButtonText), QColor(1, 2, 3));
    }

    void windowBackgroundDoesNotRecolourTextBoxesOrButtons() {
        QWidget window;
        auto* textBox = new QLineEdit(&window);
        auto* button = new QPushButton(&window);
        window.resize(300, 300);
        textBox->move(100, 100);
        button->move(100, 200);
        const QColor base = textBox->palette().color(QPalette::Base);
        const QColor face = button->palette().color(QPalette::Button);

        SetBackgroundColour(&window, QColor(9, 8, 7));

        QVERIFY(window.autoFillBackground());
        QCOMPARE(BackgroundColour(&window), QColor(9, 8, 7));
        QCOMPARE(window.grab().toImage().pixelColor(1, 1), QColor(9, 8, 7));
        QCOMPARE(textBox->palette().color(QPalette::Base), base);
        QCOMPARE(button->palette().color(QPalette::Button), face);
    }
};

QTEST_MAIN(TestColours)
#include "test_colours.moc"
