// The console's hold of the keyboard over every kind of control a console may come to hold:
// its keys act whatever has the focus, but a text box the operator clicked into takes them, until
// Esc gives them back.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSlider>
#include <QSpinBox>
#include <QTextEdit>
#include <QVBoxLayout>
#include <QtTest>
#include <functional>

#include "console/console_keyboard.h"

namespace {

using MakeControl = std::function<QWidget*(QWidget*)>;

struct Console {
    QWidget window;
    QWidget* control;
    ConsoleKeyboard keyboard{&window};
    int lefts = 0;

    explicit Console(const MakeControl& make) {
        auto* column = new QVBoxLayout(&window);
        column->addWidget(new QLabel(QStringLiteral("操作台")));
        control = make(&window);
        column->addWidget(control);
        keyboard.bind(Qt::Key_Left, [this] { ++lefts; });
        window.show();
        QApplication::setActiveWindow(&window);
    }
    // A key where the keyboard goes: the focused widget, else the window.
    void key(Qt::Key key) {
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : &window, key);
        QCoreApplication::sendPostedEvents();
    }
};

}  // namespace

Q_DECLARE_METATYPE(MakeControl)

class ConsoleKeyboardTest : public QObject {
    Q_OBJECT

  private slots:
    void controls_data() {
        QTest::addColumn<MakeControl>("make");
        QTest::addColumn<bool>("typedInto");
        const auto row = [](const char* name, bool typed, MakeControl make) {
            QTest::newRow(name) << make << typed;
        };
        row("line edit", true, [](QWidget* p) { return new QLineEdit(p); });
        row("spin box", true, [](QWidget* p) { return new QSpinBox(p); });
        row("editable combo box", true, [](QWidget* p) {
            auto* combo = new QComboBox(p);
            combo->setEditable(true);
            return combo;
        });
        row("text edit", true, [](QWidget* p) { return new QTextEdit(p); });
        row("plain text edit", true, [](QWidget* p) { return new QPlainTextEdit(p); });
        row("read-only line edit", false, [](QWidget* p) {
            auto* line = new QLineEdit(QStringLiteral("http://127.0.0.1:8640/"), p);
            line->setReadOnly(true);
            return line;
        });
        row("check box", false,
            [](QWidget* p) { return new QCheckBox(QStringLiteral("启用"), p); });
        row("slider", false, [](QWidget* p) { return new QSlider(Qt::Horizontal, p); });
        row("combo box", false, [](QWidget* p) {
            auto* combo = new QComboBox(p);
            combo->addItems({QStringLiteral("LVDS-1"), QStringLiteral("VGA-1")});
            return combo;
        });
    }
    void controls() {
        QFETCH(MakeControl, make);
        QFETCH(bool, typedInto);
        Console c(make);
        QVERIFY(QTest::qWaitForWindowActive(&c.window));

        // The focus put there by the program, not by the operator: the key is the console's.
        c.control->setFocus(Qt::OtherFocusReason);
        QCoreApplication::sendPostedEvents();
        c.key(Qt::Key_Left);
        QCOMPARE(c.lefts, 1);

        QTest::mouseClick(c.control, Qt::LeftButton, {}, QPoint(5, 5));
        if (QWidget* list = QApplication::activePopupWidget()) {
            list->close();  // a combo box's list, a window of its own, chosen from by the keys
        }
        QCOMPARE(c.keyboard.typingIn() == c.control, typedInto);
        c.key(Qt::Key_Left);
        QCOMPARE(c.lefts, typedInto ? 1 : 2);

        c.key(Qt::Key_Escape);  // the keys given back
        QCOMPARE(c.keyboard.typingIn(), nullptr);
        c.key(Qt::Key_Left);
        QCOMPARE(c.lefts, typedInto ? 2 : 3);
    }

    void aKeyHeldDownActsOnce() {
        Console c([](QWidget* p) { return new QCheckBox(QStringLiteral("加密"), p); });
        QVERIFY(QTest::qWaitForWindowActive(&c.window));
        c.control->setFocus();
        for (const bool repeat : {false, true, true}) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier, {}, repeat);
            QApplication::sendEvent(c.control, &press);
        }
        QCOMPARE(c.lefts, 1);
    }
};

QTEST_MAIN(ConsoleKeyboardTest)
#include "test_console_keyboard.moc"
