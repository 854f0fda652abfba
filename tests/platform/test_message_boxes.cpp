// Message boxes: title, icon, buttons and the answer, read off a real QMessageBox from inside
// its modal loop.

#include <QAbstractButton>
#include <QAccessible>
#include <QLabel>
#include <QMessageBox>
#include <QtTest>

#include "foundation/platform/qt_message_boxes.h"
#include "modal.h"

Q_DECLARE_METATYPE(MessageIcon)

class TestMessageBoxes : public QObject {
    Q_OBJECT

  private slots:
    void box_data() {
        QTest::addColumn<bool>("ask");
        QTest::addColumn<QString>("title");
        QTest::addColumn<MessageIcon>("icon");
        QTest::addColumn<int>("press");  // a button, or 0 for the Escape key
        QTest::addColumn<QString>("shownTitle");
        QTest::addColumn<int>("shownIcon");
        QTest::addColumn<int>("buttons");
        QTest::addColumn<bool>("answer");

        const int ok = QMessageBox::Ok;
        const int okCancel = QMessageBox::Ok | QMessageBox::Cancel;
        QTest::newRow("no title of its own shows the program title")
            << false << "" << MessageIcon::None << ok << "debaclock" << int(QMessageBox::NoIcon)
            << ok << true;
        QTest::newRow("own title") << false << "提示" << MessageIcon::Information << ok << "提示"
                                   << int(QMessageBox::Information) << ok << true;
        QTest::newRow("warning icon") << false << "" << MessageIcon::Warning << ok << "debaclock"
                                      << int(QMessageBox::Warning) << ok << true;
        QTest::newRow("critical icon") << false << "" << MessageIcon::Critical << ok << "debaclock"
                                       << int(QMessageBox::Critical) << ok << true;
        QTest::newRow("question answered OK")
            << true << "" << MessageIcon::Question << ok << "debaclock"
            << int(QMessageBox::Question) << okCancel << true;
        QTest::newRow("question cancelled")
            << true << "退出" << MessageIcon::Question << int(QMessageBox::Cancel) << "退出"
            << int(QMessageBox::Question) << okCancel << false;
        QTest::newRow("question escaped") << true << "" << MessageIcon::None << 0 << "debaclock"
                                          << int(QMessageBox::NoIcon) << okCancel << false;
    }
    void box() {
        QFETCH(bool, ask);
        QFETCH(QString, title);
        QFETCH(MessageIcon, icon);
        QFETCH(int, press);
        QFETCH(QString, shownTitle);
        QFETCH(int, shownIcon);
        QFETCH(int, buttons);
        QFETCH(bool, answer);

        QString seenTitle, seenText;
        int seenIcon = -1;
        int seenButtons = 0;
        OnModal<QMessageBox>([&](QMessageBox* box) {
            seenTitle = box->windowTitle();
            seenText = box->text();
            seenIcon = box->icon();
            seenButtons = int(box->standardButtons());
            if (press == 0) {
                QTest::keyClick(box, Qt::Key_Escape);
            } else {
                box->button(QMessageBox::StandardButton(press))->click();
            }
            if (box->isVisible()) {
                box->done(-1);  // the key did nothing: fail rather than hang
            }
        });
        QtMessageBoxes boxes;
        const QString text = QStringLiteral("数据保存成功！");
        bool answered = true;
        if (ask) {
            answered = boxes.Ask(text, title, icon);
        } else {
            boxes.Show(text, title, icon);
        }
        QCOMPARE(seenText, text);
        QCOMPARE(seenTitle, shownTitle);
        QCOMPARE(seenIcon, shownIcon);
        QCOMPARE(seenButtons, buttons);
        QCOMPARE(answered, answer);
    }

    // A question that names a segment from a setup shows the name as it is written.
    void namesThatLookLikeMarkupShowAsWritten() {
        const QString text = QStringLiteral(
            "上次计时意外中断：第3环节「<font size=7 color=red>驳论</font><img "
            "src=x.png>」。是否恢复？");
        QString told;
        int format = -1;
        OnModal<QMessageBox>([&](QMessageBox* box) {
            format = box->textFormat();
            if (auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
                told = QAccessible::queryAccessibleInterface(label)->text(QAccessible::Name);
            }
            box->button(QMessageBox::Cancel)->click();
        });
        QVERIFY(!QtMessageBoxes().Choose(text, QStringLiteral("恢复"), QStringLiteral("不恢复")));
        QCOMPARE(format, int(Qt::PlainText));
        QCOMPARE(told, text);
    }
};

QTEST_MAIN(TestMessageBoxes)
#include "test_message_boxes.moc"
