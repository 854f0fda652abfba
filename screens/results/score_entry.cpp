#include "screens/results/score_entry.h"

#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

#include "foundation/foundation.h"
#include "foundation/platform/navigator.h"
#include "foundation/platform/screen_catalogue.h"
#include "foundation/widgets/captioned_window.h"
#include "foundation/widgets/controls.h"
#include "foundation/widgets/drag_window.h"
#include "foundation/widgets/twips.h"
#include "screens/results/score_box.h"

namespace {

const QSize kDesignClient(6435, 3720);

QLabel* NewLabel(QWidget* parent, const QString& name, const QString& caption) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    return label;
}

}  // namespace

Form16::Form16(AppContext& context, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      context_(context),
      background_(QStringLiteral(":/results/score_entry.jpg")) {
    setObjectName(screenObjectName(ScreenId::ScoreEntry));
    setWindowTitle(kProgramTitle);
    setFont(QFont(QStringLiteral("宋体"), 9));
    setFixedSize(SizeFromTwips(kDesignClient.width(), kDesignClient.height()));
    CentreOnScreen(this);
    buildControls();

    connect(Command1, &QPushButton::clicked, this, &Form16::save);
    connect(Command2, &QPushButton::clicked, this, &Form16::announce);
    connect(Command3, &QPushButton::clicked, this, &Form16::backToMain);
    for (ScoreBox* box : {Text1, Text2, Text3, Text4}) {
        connect(box, &ScoreBox::refused, this, &Form16::refuseCharacter);
    }

    // Loading: nothing saved yet in this opening.
    Command1->setEnabled(true);
    Command2->setEnabled(false);
}

void Form16::buildControls() {
    Label2 = NewLabel(this, QStringLiteral("Label2"), QStringLiteral("成绩录入"));
    QFont title(QStringLiteral("宋体"));
    title.setPointSizeF(21.75);
    title.setBold(true);
    Label2->setFont(title);
    Label2->setAlignment(Qt::AlignCenter);
    PlaceInTwips(Label2, 1560, 240, 3255, 495);

    Line1 = NewLine(this, QStringLiteral("Line1"));
    PlaceInTwips(Line1, 2040, 720, 4320 - 2040, kTwipsPerPixel);

    const auto box = [this](const QString& name, int top) {
        auto* text = new ScoreBox(context_.platform->ClipboardText(), this);
        text->setObjectName(name);
        PlaceInTwips(text, 4200, top, 1575, 270);
        return text;
    };
    const auto caption = [this](int i, const QString& text, int top, int width) {
        QLabel* label = NewLabel(this, QStringLiteral("Label1_%1").arg(i), text);
        PlaceInTwips(label, 840, top, width, 210);
        Label1 << label;
    };
    caption(0, QStringLiteral("请键入正方代表队的最后得分"), 1080, 2730);
    Text1 = box(QStringLiteral("Text1"), 1080);
    caption(1, QStringLiteral("请再次键入正方代表队的最后得分"), 1560, 3150);
    Text2 = box(QStringLiteral("Text2"), 1560);
    caption(2, QStringLiteral("请键入反方代表队的最后得分"), 2160, 2730);
    Text3 = box(QStringLiteral("Text3"), 2160);
    caption(3, QStringLiteral("请再次键入反方代表队的最后得分"), 2640, 3150);
    Text4 = box(QStringLiteral("Text4"), 2640);

    Command3 = NewButton(this, QStringLiteral("Command3"), QStringLiteral("返回主界面"));
    PlaceInTwips(Command3, 960, 3090, 1455, 375);
    Command1 = NewButton(this, QStringLiteral("Command1"), QStringLiteral("保存成绩"));
    PlaceInTwips(Command1, 2520, 3090, 1335, 375);
    Command2 = NewButton(this, QStringLiteral("Command2"), QStringLiteral("进入公布界面"));
    PlaceInTwips(Command2, 3960, 3090, 1455, 375);

    // Screen readers name each box after the caption beside it.
    const QList<ScoreBox*> boxes{Text1, Text2, Text3, Text4};
    for (int i = 0; i < boxes.size(); ++i) {
        Label1[i]->setBuddy(boxes[i]);
    }

    setTabOrder(Text1, Text2);
    setTabOrder(Text2, Text3);
    setTabOrder(Text3, Text4);
    setTabOrder(Text4, Command3);
    setTabOrder(Command3, Command1);
    setTabOrder(Command1, Command2);
}

bool Form16::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) {
        // The screen coming back from one of its own messages leaves the operator typing in
        // the box where they were.
        QWidget* focus = focusWidget();
        if (focus != Text2 && focus != Text3 && focus != Text4) {
            Text1->setFocus(Qt::ActiveWindowFocusReason);
        }
    }
    return QWidget::event(event);
}

void Form16::mousePressEvent(QMouseEvent* event) {
    // Where the window system cannot move the window (no window manager), it follows the
    // mouse by itself until the button is released.
    dragOffset_.reset();
    if (!DragWindow(this)) {
        dragOffset_ = event->globalPosition().toPoint() - pos();
    }
    event->accept();
}

void Form16::mouseMoveEvent(QMouseEvent* event) {
    if (dragOffset_ && event->buttons() != Qt::NoButton) {
        move(event->globalPosition().toPoint() - *dragOffset_);
    }
}

void Form16::mouseReleaseEvent(QMouseEvent* event) {
    if (event->buttons() == Qt::NoButton) {
        dragOffset_.reset();
    }
}

void Form16::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(rect(), background_);
}

void Form16::message(const QString& text, const QString& title, MessageIcon icon) {
    context_.platform->Messages().Show(text, title, icon);
    // Without a window manager that hands the keyboard back, the operator's next keys would
    // go nowhere once the box has closed.
    if (isVisible()) {
        activateWindow();
    }
}

void Form16::refuseCharacter() {
    message(ScoreEntryText::Refused, ScoreEntryText::RefusedTitle, MessageIcon::Critical);
}

void Form16::save() {
    const QString info = AppPath(context_.appDir, kDebateInfoProfile);
    const QString affirmativeTeam =
        ReadProfileString(info, kDebateInfoSection, DebateKey::AffirmativeTeam);
    const QString negativeTeam =
        ReadProfileString(info, kDebateInfoSection, DebateKey::NegativeTeam);
    const QString affirmative = Text1->text();
    const QString affirmativeAgain = Text2->text();
    const QString negative = Text3->text();
    const QString negativeAgain = Text4->text();

    if (affirmativeAgain != affirmative || negativeAgain != negative) {
        message(ScoreEntryText::Mismatch, kProgramTitle);
        for (ScoreBox* box : {Text1, Text2, Text3, Text4}) {
            box->clear();
        }
        return;
    }

    const QString winner = DecideWinner(affirmative, negative, affirmativeTeam, negativeTeam);
    ProfileSave save(AppPath(context_.appDir, kResultProfile));
    save.write(kScoreSection, ResultKey::AffirmativeScore, affirmative);
    save.write(kScoreSection, ResultKey::NegativeScore, negative);
    save.write(kConfigSection, ResultKey::Winner, winner);
    // The announcement must not open on scores that never reached the profile.
    if (!save.succeeded()) {
        message(ScoreEntryText::NotSaved + save.reasons(), kProgramTitle, MessageIcon::Critical);
        return;
    }
    message(ScoreEntryText::Saved, kProgramTitle);
    Command2->setEnabled(true);
}

void Form16::announce() {
    context_.navigator->ReplaceAll(this, ScreenId::Announcement);
}

void Form16::backToMain() {
    context_.navigator->ShowMain();
    close();
}
