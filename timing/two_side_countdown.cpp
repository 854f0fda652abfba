#include "timing/two_side_countdown.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include "foundation/platform/screen_catalogue.h"
#include "foundation/segment_profile.h"
#include "foundation/values.h"
#include "foundation/widgets/picture.h"
#include "foundation/widgets/second_ticker.h"

Form6::Form6(const AppContext& context, QWidget* parent)
    : ClockScreen(context, QSize(11880, 8490), parent),
      label2_(addLabel(QStringLiteral("Label2"), QStringLiteral("正方"),
                       QRect(1395, 2040, 2055, 1140),
                       DesignFont(QStringLiteral("宋体"), 36, true))),
      label3_(addLabel(QStringLiteral("Label3"), QStringLiteral("反方"),
                       QRect(1395, 5040, 2055, 1140),
                       DesignFont(QStringLiteral("宋体"), 36, true))),
      // The designed clock size leaves room for " 时间到！" across the clock's box.
      affirmative_{addLabel(QStringLiteral("Label4"), QStringLiteral("120s"),
                            QRect(3000, 1680, 7155, 2940), DesignFont(QStringLiteral("宋体"), 72)),
                   addTicker(QStringLiteral("Timer1"))},
      negative_{addLabel(QStringLiteral("Label5"), QStringLiteral("120s"),
                         QRect(3000, 4680, 7155, 2940), DesignFont(QStringLiteral("宋体"), 72)),
                addTicker(QStringLiteral("Timer2"))},
      command3_(addButton(QStringLiteral("Command3"), QStringLiteral("计时暂停"), 8280, 8040,
                          ActionRole::Pause)),
      command2_(addButton(QStringLiteral("Command2"), QStringLiteral("初始化"), 9480, 8040,
                          ActionRole::Reset)),
      command1_(addButton(QStringLiteral("Command1"), QStringLiteral("返回主界面"), 10680, 8040,
                          ActionRole::Back)) {
    setObjectName(screenObjectName(ScreenId::TwoSide));

    connect(command3_, &QPushButton::clicked, this, &Form6::pause);
    setPauseButton(command3_);
    connect(command2_, &QPushButton::clicked, this, &Form6::reset);
    connect(command1_, &QPushButton::clicked, this, &Form6::backToMain);
    connect(affirmative_.timer, &SecondTicker::tick, this, [this] { onTick(affirmative_); });
    connect(negative_.timer, &SecondTicker::tick, this, [this] { onTick(negative_); });
    recordTurns(QStringLiteral("正方"), affirmative_.timer, affirmative_.clock,
                [this] { return affirmative_.remaining; });
    recordTurns(QStringLiteral("反方"), negative_.timer, negative_.clock,
                [this] { return negative_.remaining; });
    onPress(
        {picture(), label2_, label3_, affirmative_.clock, negative_.clock},
        [this](Qt::MouseButton button) { onMousePress(button); }, kSides);
    const QList<QWidget*> strip = {command3_, command2_, command1_};
    addBottomStrip(command1_, strip);
    captionClock(affirmative_.clock, label2_);
    captionClock(negative_.clock, label3_);
    installEventFilter(this);
    for (QWidget* control : findChildren<QWidget*>()) {
        control->installEventFilter(this);
    }

    command3_->setEnabled(false);
    rememberLayout();
    for (QWidget* button : strip) {
        button->show();
    }
    affirmative_.timer->stop();
    negative_.timer->stop();

    format_ = readActive(SegmentKey::Format);
    const QString limit = readActive(SegmentKey::Limit);
    affirmative_.remaining = ReadSeconds(limit, affirmative_.remaining);
    negative_.remaining = ReadSeconds(limit, negative_.remaining);
    warnPoint_ = ReadSeconds(readActive(SegmentKey::WarnPoint), warnPoint_);
    loadAppearance(UnreadableColour::KeepDesigned, {affirmative_.clock, negative_.clock});
    showClockText(affirmative_.clock, affirmative_.remaining, format_);
    showClockText(negative_.clock, negative_.remaining, format_);
}

bool Form6::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        // Taken here, so a focused button never moves the focus with these keys instead.
        switch (static_cast<QKeyEvent*>(event)->key()) {
            case Qt::Key_Left:
                notePress();
                runSide(affirmative_, negative_);
                return true;
            case Qt::Key_Right:
                notePress();
                runSide(negative_, affirmative_);
                return true;
            default:
                break;
        }
    }
    return ClockScreen::eventFilter(watched, event);
}

void Form6::onMousePress(Qt::MouseButton button) {
    if (button == Qt::LeftButton) {
        runSide(affirmative_, negative_);
    } else if (button == Qt::RightButton) {
        runSide(negative_, affirmative_);
    }
}

void Form6::runSide(Side& running, Side& stopped) {
    // A start while the side already runs keeps its second going.
    running.timer->start();
    stopped.timer->stop();
    command3_->setEnabled(true);
}

void Form6::onTick(Side& side) {
    if (countDown(side.remaining, warnPoint_, side.clock, format_)) {
        side.timer->stop();
        showTimedOutColour(side.clock);
        side.clock->setText(kTimeUpText);
        if (side.remaining == 0) {
            playCue(TimeUpCue);
        }
    }
}

void Form6::pause() {
    affirmative_.timer->stop();
    negative_.timer->stop();
    command3_->setEnabled(false);
}

void Form6::reset() {
    endTurns();
    const QString limit = readActive(SegmentKey::Limit);
    for (Side* side : {&affirmative_, &negative_}) {
        side->remaining = ReadSeconds(limit, side->remaining);
        showCountdownColour(side->clock);
        showClockText(side->clock, side->remaining, format_);
        side->timer->stop();
    }
}
