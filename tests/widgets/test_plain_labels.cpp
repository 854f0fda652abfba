// A name that looks like markup shows as it is written, on every label the program makes and on
// the labels inside Qt's own dialogs; a label set to rich text on purpose keeps it.

#include <QAccessible>
#include <QLabel>
#include <QProgressDialog>
#include <QtTest>

#include "foundation/widgets/plain_labels.h"

namespace {

const QString kMarkup = QStringLiteral("<font size=7 color=red>驳论</font><img src=x.png>");

// What a reader of the screen is told the label says: markup taken as such is stripped.
QString Told(QLabel* label) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(label);
    return accessible ? accessible->text(QAccessible::Name) : QString();
}

}  // namespace

class PlainLabelsTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        KeepLabelsPlain(qApp);
        KeepLabelsPlain(qApp);  // once is enough; twice changes nothing
    }

    void aLabelShowsItsTextAsWritten_data() {
        QTest::addColumn<bool>("textFirst");
        QTest::newRow("text given before it shows") << true;
        QTest::newRow("text given once it shows") << false;
    }
    void aLabelShowsItsTextAsWritten() {
        QFETCH(bool, textFirst);
        QWidget window;
        auto* label = new QLabel(&window);
        if (textFirst) {
            label->setText(QStringLiteral("投影中：") + kMarkup);
        }
        window.show();
        if (!textFirst) {
            label->setText(QStringLiteral("投影中：") + kMarkup);
        }
        QCOMPARE(label->textFormat(), Qt::PlainText);
        QCOMPARE(Told(label), QStringLiteral("投影中：") + kMarkup);
    }

    void richTextOnPurposeStays() {
        QLabel label;
        label.setTextFormat(Qt::RichText);
        label.setText(QStringLiteral("<b>粗体</b>"));
        label.show();
        QCOMPARE(label.textFormat(), Qt::RichText);
        QCOMPARE(Told(&label), QStringLiteral("粗体"));
    }

    void labelsOfQtsOwnDialogsToo() {
        QProgressDialog progress(kMarkup, QString(), 0, 10);
        progress.show();
        auto* label = progress.findChild<QLabel*>();
        QVERIFY(label);
        QCOMPARE(Told(label), kMarkup);
    }
};

QTEST_MAIN(PlainLabelsTest)
#include "test_plain_labels.moc"
