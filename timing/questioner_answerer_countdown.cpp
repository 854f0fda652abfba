#include "timing/questioner_answerer_countdown.h"

#include <QLabel>
#include <QPushButton>

#include "foundation/platform/screen_catalogue.h"
#include "foundation/segment_profile.h"
#include "foundation/values.h"
#include "foundation/widgets/picture.h"
#include "foundation/widgets/second_ticker.h"

namespace {

const QString kTimeUpWithoutBlank = QStringLiteral("时间到！");

}  // namespace

Form18::Form18(const AppContext& context, QWidget* parent)
    : ClockScreen(context, QSize(12000, 9000), parent),
      label1_0_(addLabel(QStringLiteral("Label1_0"), QStringLiteral("提问方剩余时间"),
                         QRect(360, 2760, 5175, 825),
                         DesignFont(QStringLiteral("宋体"), 30, true))),
      label1_1_(addLabel(QStringLiteral("Label1_1"), QStringLiteral("回答方剩余时间"),
                         QRect(6480, 2760, 5175, 825),
                         DesignFont(QStringLiteral("宋体"), 30, true))),
      // The designed clock size leaves room for "时间到！" across half the screen.
      questioner_{addLabel(QStringLiteral("Label4"), QStringLiteral("120s"),
                           QRect(0, 3600, 5865, 3045), DesignFont(QStringLiteral("宋体"), 72)),
                  addTicker(QStringLiteral("Timer3")), SegmentKey::QuestionerLimit},
      answerer_{addLabel(QStringLiteral("Label5"), QStringLiteral("120s"),
                         QRect(6000, 3600, 5865, 3045), DesignFont(QStringLiteral("宋体"), 72)),
                addTicker(QStringLiteral("Timer4")), SegmentKey::AnswererLimit},
      command2_(addButton(QStringLiteral("Command2"), QStringLiteral("计时暂停"), 8280, 8520,
                          ActionRole::Pause)),
      command4_(addButton(QStringLiteral("Command4"), QStringLiteral("初始化"), 9480, 8520,
                          ActionRole::Reset)),
      command1_(addButton(QStringLiteral("Command1"), QStringLiteral("返回主界面"), 10680, 8520,
                          ActionRole::Back)) {
    setObjectName(screenObjectName(ScreenId::QuestionerAnswerer));

    connect(command2_, &QPushButton::clicked, this, &Form18::pause);
    setPauseButton(command2_);
    connect(command4_, &QPushButton::clicked, this, &Form18::reset);
    connect(command1_, &QPushButton::clicked, this, &Form18::backToMain);
    connect(questioner_.timer, &SecondTicker::tick, this, [this] { onTick(questioner_); });
    connect(answerer_.timer, &SecondTicker::tick, this, [this] { onTick(answerer_); });
    recordTurns(QStringLiteral("提问方"), questioner_.timer, questioner_.clock,
                [this] { return questioner_.remaining; });
    recordTurns(QStringLiteral("回答方"), answerer_.timer, answerer_.clock,
                [this] { return answerer_.remaining; });
    // The caption labels take no part: a press on them switches nothing.
    onPress(
        {picture(), questioner_.clock, answerer_.clock},
        [this](Qt::MouseButton button) { onMousePress(button); }, kSides);
    const QList<QWidget*> strip = {command2_, command4_, command1_};
    addBottomStrip(command1_, strip, 3);
    captionClock(questioner_.clock, label1_0_);
    captionClock(answerer_.clock, label1_1_);

    rememberLayout();
    for (QWidget* button : strip) {
        button->show();
    }
    questioner_.timer->stop();
    answerer_.timer->stop();

    format_ = readActive(SegmentKey::Format);
    for (Side* side : {&questioner_, &answerer_}) {
        side->remaining = ReadSeconds(readActive(side->limitKey), side->remaining);
    }
    questioner_.warnPoint =
        ReadSeconds(readActive(SegmentKey::QuestionerWarnPoint), questioner_.warnPoint);
    answerer_.warnPoint =
        ReadSeconds(readActive(SegmentKey::AnswererWarnPoint), answerer_.warnPoint);
    loadAppearance(UnreadableColour::KeepDesigned, {questioner_.clock, answerer_.clock});
    showClockText(questioner_.clock, questioner_.remaining, format_);
    showClockText(answerer_.clock, answerer_.remaining, format_);
}

void Form18::onMousePress(Qt::MouseButton button) {
    // A start while the side already runs keeps its second going.
    if (button == Qt::LeftButton) {
        questioner_.timer->start();
        answerer_.timer->stop();
    } else if (button == Qt::RightButton) {
        answerer_.timer->start();
        questioner_.timer->stop();
    }
}

void Form18::onTick(Side& side) {
    // Every tick at or below zero is a time-up, a restarted timed-out clock's too.
    if (countDown(side.remaining, side.warnPoint, side.clock, format_)) {
        showTimedOutColour(side.clock);
        side.clock->setText(kTimeUpWithoutBlank);
        playCue(TimeUpCue);
        side.timer->stop();
    }
}

void Form18::pause() {
    questioner_.timer->stop();
    answerer_.timer->stop();
}

void Form18::reset() {
    endTurns();
    for (Side* side : {&questioner_, &answerer_}) {
        side->remaining = ReadSeconds(readActive(side->limitKey), side->remaining);
        side->timer->stop();
        showClockText(side->clock, side->remaining, format_);
        showCountdownColour(side->clock);
    }
}
