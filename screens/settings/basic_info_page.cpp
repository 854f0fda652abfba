#include "screens/settings/basic_info_page.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <array>

#include "foundation/foundation.h"
#include "foundation/platform/navigator.h"
#include "foundation/platform/screen_catalogue.h"
#include "foundation/widgets/controls.h"
#include "foundation/widgets/twips.h"

namespace {

// One column of boxes, each with its caption right-aligned on its left, in twips of the
// 12000 x 9000 page.
struct Column {
    QString boxName;
    QString labelName;
    int count;
    int labelLeft;
    int boxLeft;
    int boxWidth;
};

// Names, organisers and motions are long; debaters and judges are names of people.
const Column kColumns[] = {
    {QStringLiteral("Text1"), QStringLiteral("Label2"), 8, 480, 1740, 3540},
    {QStringLiteral("Text2"), QStringLiteral("Label3"), 8, 5640, 6660, 1860},
    {QStringLiteral("Text3"), QStringLiteral("Label4"), 10, 8880, 9720, 1800},
};
constexpr int kCaptionGap = 150;
constexpr int kFirstRowTop = 1320;
constexpr int kRowPitch = 570;
constexpr int kRowHeight = 330;

}  // namespace

Form2::Form2(const AppContext& context, QWidget* parent)
    : WizardWindow(context, screenObjectName(ScreenId::BasicInfoPage), parent) {
    buildControls();
    connect(Command1, &QPushButton::clicked, this, &Form2::save);
    connect(Command5, &QPushButton::clicked, this,
            [this] { this->context().navigator->Replace(this, ScreenId::SettingsHome); });
    connect(Command2, &QPushButton::clicked, this,
            [this] { this->context().navigator->Replace(this, ScreenId::MainBackgroundPage); });
    connect(Command4, &QPushButton::clicked, this, &WizardWindow::backToMain);

    // Opening: the frame has set the caption; then the theme, then the boxes.
    loadTheme();
    fill();
}

void Form2::buildControls() {
    addHeading(BasicInfoText::Heading, Label1, Line1);

    const std::array<QString, 26>& keys = DebateInfoKeys();
    QList<QLineEdit*>* columnBoxes[] = {&Text1, &Text2, &Text3};
    QList<QLabel*>* columnLabels[] = {&Label2, &Label3, &Label4};
    std::size_t key = 0;
    for (int c = 0; c < 3; ++c) {
        const Column& column = kColumns[c];
        for (int i = 0; i < column.count; ++i, ++key) {
            const int top = kFirstRowTop + i * kRowPitch;
            QLineEdit* box = NewTextBox(this, QStringLiteral("%1_%2").arg(column.boxName).arg(i));
            PlaceInTwips(box, column.boxLeft, top, column.boxWidth, kRowHeight);
            // The caption is the key itself, so the operator sees what the report will call it.
            auto* label = new QLabel(keys[key], this);
            label->setObjectName(QStringLiteral("%1_%2").arg(column.labelName).arg(i));
            label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            label->setBuddy(box);
            PlaceInTwips(label, column.labelLeft, top,
                         column.boxLeft - kCaptionGap - column.labelLeft, kRowHeight);
            *columnBoxes[c] << box;
            *columnLabels[c] << label;
        }
    }

    Text4 = new QPlainTextEdit(BasicInfoText::Note.join(QLatin1Char('\n')), this);
    Text4->setObjectName(QStringLiteral("Text4"));
    Text4->setReadOnly(true);
    Text4->setLineWrapMode(QPlainTextEdit::NoWrap);
    Text4->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Text4->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // Nothing to type there: Tab goes from the last judge straight to the buttons.
    Text4->setFocusPolicy(Qt::NoFocus);
    PlaceInTwips(Text4, 1740, kFirstRowTop + 8 * kRowPitch + 120, 3540, 1560);

    Command1 = NewButton(this, QStringLiteral("Command1"), QStringLiteral("保存设置"));
    PlaceInTwips(Command1, 1740, 8100, 1500, 480);
    Command5 = NewButton(this, QStringLiteral("Command5"), QStringLiteral("<<上一步"));
    PlaceInTwips(Command5, 6900, 8100, 1440, 480);
    Command2 = NewButton(this, QStringLiteral("Command2"), QStringLiteral("下一步>>"));
    PlaceInTwips(Command2, 8460, 8100, 1440, 480);
    Command4 = NewButton(this, QStringLiteral("Command4"), QStringLiteral("返回主界面"));
    PlaceInTwips(Command4, 10020, 8100, 1500, 480);

    // Down each column, then the buttons from left to right.
    QList<QWidget*> order;
    for (QLineEdit* box : boxes()) {
        order << box;
    }
    order << Command1 << Command5 << Command2 << Command4;
    for (qsizetype i = 1; i < order.size(); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
}

QList<QLineEdit*> Form2::boxes() const {
    return Text1 + Text2 + Text3;
}

void Form2::fill() {
    const QString profile = AppPath(context().appDir, kDebateInfoProfile);
    const QList<QLineEdit*> all = boxes();
    const std::array<QString, 26>& keys = DebateInfoKeys();
    for (std::size_t i = 0; i < keys.size(); ++i) {
        all[qsizetype(i)]->setText(ReadProfileString(profile, kDebateInfoSection, keys[i]));
    }
}

void Form2::save() {
    ProfileSave save(AppPath(context().appDir, kDebateInfoProfile));
    const QList<QLineEdit*> all = boxes();
    const std::array<QString, 26>& keys = DebateInfoKeys();
    for (std::size_t i = 0; i < keys.size(); ++i) {
        save.write(kDebateInfoSection, keys[i], all[qsizetype(i)]->text());
    }
    reportSave(save);
}
