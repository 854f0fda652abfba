// The file, save, colour and font dialogs: the bar filter text as Qt name filters, and the
// real dialogs driven from inside their own modal loops.

#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QtTest>

#include "foundation/platform/qt_dialogs.h"
#include "modal.h"
#include "support/data_rows.h"

namespace {

void Touch(const QString& path) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("x");
}

// Accepts `box` with its selected file; rejects it when it refused the file, to fail, not hang.
void AcceptFile(QFileDialog* box) {
    static_cast<QDialog*>(box)->accept();  // QFileDialog's own accept() is protected
    if (box->isVisible()) {
        box->reject();
    }
}

}  // namespace

class TestDialogs : public QObject {
    Q_OBJECT

  private slots:
    void translateFilter_data() {
        QTest::addColumn<QString>("bar");
        QTest::addColumn<QStringList>("filters");
        using L = QStringList;
        AddRow("one pair", "jpg文件(*.jpg)|*.jpg|", L{"jpg文件(*.jpg) (*.jpg)"});
        AddRow("pairs keep their order", "wav文件(*.wav)|*.wav|所有文件(*.*)|*.*|",
               L{"wav文件(*.wav) (*.wav)", "所有文件(*.*) (*)"});
        AddRow("patterns split at ';'", "图片|*.jpg;*.bmp;*.jpeg|", L{"图片 (*.jpg *.bmp *.jpeg)"});
        AddRow("spaces around patterns dropped", "图片| *.jpg ; *.bmp |", L{"图片 (*.jpg *.bmp)"});
        AddRow("*.* means every file", "所有文件|*.*|", L{"所有文件 (*)"});
        AddRow("no closing bar", "文本|*.txt", L{"文本 (*.txt)"});
        AddRow("description without pattern dropped", "文本|*.txt|孤立", L{"文本 (*.txt)"});
        AddRow("empty pattern dropped", "空||文本|*.txt|", L{"文本 (*.txt)"});
        AddRow("empty description shows the patterns", "|*.mp3;*.wma|",
               L{"*.mp3 *.wma (*.mp3 *.wma)"});
        AddRow("empty text", "", L{});
        AddRow("only bars", "||||", L{});
    }
    void translateFilter() {
        QFETCH(QString, bar);
        QFETCH(QStringList, filters);
        QCOMPARE(TranslateFilter(bar), filters);
    }

    void openFileChoosesAndCancelKeepsTheLastName() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString picked = dir.filePath("背景.jpg");
        Touch(picked);
        QtFileOpenDialog dialog(nullptr);
        dialog.filter = "jpg文件(*.jpg)|*.jpg|所有文件(*.*)|*.*|";

        QStringList nameFilters;
        QString selectedFilter;
        QStringList shownFilters;
        OnModal<QFileDialog>([&](QFileDialog* box) {
            nameFilters = box->nameFilters();
            selectedFilter = box->selectedNameFilter();
            if (auto* combo = box->findChild<QComboBox*>("fileTypeCombo")) {
                for (int i = 0; i < combo->count(); ++i) {
                    shownFilters << combo->itemText(i);
                }
            }
            box->selectFile(picked);
            AcceptFile(box);
        });
        QVERIFY(dialog.Show());
        QCOMPARE(dialog.fileName, picked);
        QCOMPARE(nameFilters, TranslateFilter(dialog.filter));
        // The operator sees the descriptions exactly as the screen wrote them, the first chosen.
        QCOMPARE(shownFilters, (QStringList{"jpg文件(*.jpg)", "所有文件(*.*)"}));
        QCOMPARE(selectedFilter, shownFilters.value(0));

        QString startFolder;
        OnModal<QFileDialog>([&](QFileDialog* box) {
            startFolder = box->directory().absolutePath();
            box->reject();
        });
        QVERIFY(!dialog.Show());
        QCOMPARE(dialog.fileName, picked);
        QCOMPARE(startFolder, QDir(dir.path()).absolutePath());
    }

    void saveFileNeitherAsksNorAddsAnExtension() {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString existing = dir.filePath("比赛报告");
        Touch(existing);
        QtSaveFileDialog dialog(nullptr);
        dialog.title = "保存比赛报告";
        dialog.filter = "文本文件(*.txt)|*.txt|";
        dialog.fileName = "比赛报告.txt";

        QString title, proposed;
        bool asked = false;
        OnModal<QFileDialog>([&](QFileDialog* box) {
            title = box->windowTitle();
            if (auto* edit = box->findChild<QLineEdit*>("fileNameEdit")) {
                proposed = edit->text();
            }
            box->setDirectory(dir.path());
            box->selectFile(existing);
            // A replace question would open its own modal box inside accept().
            OnModal<QMessageBox>([&](QMessageBox* question) {
                asked = true;
                question->reject();
            });
            AcceptFile(box);
        });
        QVERIFY(dialog.Show());
        QVERIFY(!asked);
        QCOMPARE(title, QStringLiteral("保存比赛报告"));
        QCOMPARE(proposed, QStringLiteral("比赛报告.txt"));
        QCOMPARE(dialog.fileName, existing);

        OnModal<QFileDialog>([](QFileDialog* box) { box->reject(); });
        QVERIFY(!dialog.Show());
        QCOMPARE(dialog.fileName, existing);
    }

    void colourReturnsAWindowsValueAndCancelKeepsIt() {
        QtColourDialog dialog(nullptr);
        QColor shownFirst;
        OnModal<QColorDialog>([&](QColorDialog* box) {
            shownFirst = box->currentColor();
            box->setCurrentColor(QColor(0x12, 0x34, 0x56));
            box->accept();
        });
        QVERIFY(dialog.Show());
        QCOMPARE(shownFirst, QColor(Qt::black));
        QCOMPARE(dialog.colour, 0x563412u);

        OnModal<QColorDialog>([](QColorDialog* box) {
            box->setCurrentColor(Qt::white);
            box->reject();
        });
        QVERIFY(!dialog.Show());
        QCOMPARE(dialog.colour, 0x563412u);
    }

    void fontReturnsFaceSizeAndStyleAndCancelKeepsIt() {
        // A face the set-up installs, with real bold and italic styles: a face without them
        // would make the dialog fall back to its regular style.
        const QString family = QStringLiteral("Liberation Serif");
        QVERIFY2(QFontDatabase::styles(family).contains("Bold Italic"),
                 "Liberation Serif (fonts-liberation) is not installed");
        QtFontDialog dialog(nullptr);
        OnModal<QFontDialog>([&](QFontDialog* box) {
            QFont font(family);
            font.setPointSizeF(15);
            font.setBold(true);
            font.setItalic(true);
            box->setCurrentFont(font);
            box->accept();
        });
        QVERIFY(dialog.Show());
        QCOMPARE(dialog.font.face, family);
        QCOMPARE(dialog.font.size, 15.0f);
        QVERIFY(dialog.font.bold);
        QVERIFY(dialog.font.italic);

        const FontChoice chosen = dialog.font;
        OnModal<QFontDialog>([](QFontDialog* box) {
            box->setCurrentFont(QFont("Nothing", 30));
            box->reject();
        });
        QVERIFY(!dialog.Show());
        QCOMPARE(dialog.font.face, chosen.face);
        QCOMPARE(dialog.font.size, chosen.size);
    }

    // A screen closed and deleted while one of its dialogs is up (the window system closing it,
    // the program ending) takes the dialog with it; the dialog control it owned goes too. The
    // call returns as cancelled and nothing is deleted twice.
    void screenDeletedWhileItsDialogIsUp() {
        struct Screen : QWidget {
            std::unique_ptr<FileOpenDialog> open = std::make_unique<QtFileOpenDialog>(this);
            std::unique_ptr<SaveFileDialog> save = std::make_unique<QtSaveFileDialog>(this);
            std::unique_ptr<ColourDialog> colour = std::make_unique<QtColourDialog>(this);
            std::unique_ptr<FontDialog> font = std::make_unique<QtFontDialog>(this);
        };
        const QList<std::function<bool(Screen*)>> shows = {
            [](Screen* s) { return s->open->Show(); }, [](Screen* s) { return s->save->Show(); },
            [](Screen* s) { return s->colour->Show(); }, [](Screen* s) { return s->font->Show(); }};
        for (const auto& show : shows) {
            QPointer<Screen> screen = new Screen;
            screen->show();
            OnModal<QDialog>([screen](QDialog*) { delete screen.data(); });
            QVERIFY(!show(screen));
            QVERIFY(!screen);
        }
    }
};

QTEST_MAIN(TestDialogs)
#include "test_dialogs.moc"
