#include "screens/results/match_report_screen.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include "foundation/gbk.h"
#include "foundation/match_report.h"
#include "foundation/platform/screen_catalogue.h"
#include "foundation/saved_file.h"
#include "foundation/widgets/back_to_main.h"
#include "foundation/widgets/controls.h"
#include "foundation/widgets/layout.h"
#include "foundation/widgets/twips.h"

namespace {

// The client area: the text box above a row of two buttons.
const QSize kDesignClient(8535, 8550);
const QColor kPaleGreen(210, 243, 190);

const QString kCopied = QStringLiteral("文本已复制到剪切板");
const QString kSaveTitle = QStringLiteral("另存为");
const QString kSaveFilter = QStringLiteral("文本文件(*.TXT)|*.TXT");
const QString kProposedName = QStringLiteral("辩论赛报表");

}  // namespace

ReportStamp ReportStamp::Now() {
    return {QDateTime::currentDateTime(), QLocale::system()};
}

QString ReportStamp::date() const {
    return locale.toString(when.date(), QLocale::ShortFormat);
}

QString ReportStamp::time() const {
    return locale.toString(when.time(), QLocale::ShortFormat);
}

Form12::Form12(const AppContext& context, QWidget* parent)
    : Form12(context, ReportStamp::Now(), parent) {}

Form12::Form12(const AppContext& context, const ReportStamp& stamp, QWidget* parent)
    : CaptionedWindow(kDesignClient, {}, parent),
      context_(context),
      commonDialog1_(context.platform->NewSaveFileDialog(this)) {
    setObjectName(screenObjectName(ScreenId::Report));
    new BackToMain(this, context.navigator);
    buildControls();

    RememberLayout(this);
    report_ = ReportText(context_.appDir, stamp.date(), stamp.time());
    Text1->setPlainText(report_);
}

Form12::~Form12() = default;

void Form12::buildControls() {
    Text1 = new QPlainTextEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setAccessibleName(QStringLiteral("比赛报表"));
    Text1->setReadOnly(true);
    Text1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Text1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette palette = Text1->palette();
    palette.setColor(QPalette::Base, kPaleGreen);
    Text1->setPalette(palette);
    QFont font(QStringLiteral("宋体"));
    font.setPointSizeF(10.5);
    Text1->setFont(font);
    PlaceInTwips(Text1, 0, 0, 8535, 7815);

    Command1 = NewButton(this, QStringLiteral("Command1"), QStringLiteral("复制此处内容"));
    PlaceInTwips(Command1, 2280, 8040, 1575, 375);
    Command3 = NewButton(this, QStringLiteral("Command3"), QStringLiteral("另存为文本文件"));
    PlaceInTwips(Command3, 4320, 8040, 1575, 375);

    connect(Command1, &QPushButton::clicked, this, &Form12::copy);
    connect(Command3, &QPushButton::clicked, this, &Form12::save);
}

void Form12::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    ScaleLayout(this);
}

void Form12::copy() {
    context_.platform->ClipboardText().SetText(report_);
    context_.platform->Messages().Show(kCopied);
}

void Form12::save() {
    commonDialog1_->title = kSaveTitle;
    commonDialog1_->filter = kSaveFilter;
    commonDialog1_->fileName = kProposedName;
    if (!commonDialog1_->Show()) {
        return;
    }
    // The operator must not leave believing the report is on disk when it is not.
    if (const QString error =
            SaveFileAtomically(commonDialog1_->fileName, ToGbk(report_ + QStringLiteral("\r\n")));
        !error.isEmpty()) {
        context_.platform->Messages().Show(kReportNotSaved + error, {}, MessageIcon::Warning);
    }
}
