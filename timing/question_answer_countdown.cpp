#include "timing/question_answer_countdown.h"

#include <QLabel>
#include <QPushButton>

#include "foundation/platform/screen_catalogue.h"
#include "foundation/segment_profile.h"
#include "foundation/values.h"
#include "foundation/widgets/picture.h"
#include "foundation/widgets/second_ticker.h"
#include "timing/turn_clock.h"
#include "timing/turn_track.h"

namespace {

// A turn clock's design: plain seconds, large and bold.
QFont TurnFont() {
    return DesignFont(QStringLiteral("Times New Roman"), 90, true);
}

QFont CaptionFont() {
    return DesignFont(QStringLiteral("宋体"), 30, true);
}

}  // namespace

Form5::Form5(const AppContext& context, QWidget* parent)
    : ClockScreen(context, QSize(12000, 9000), parent),
      label1Question_(addLabel(QStringLiteral("Label1_0"), QStringLiteral("一次提问剩余时间"),
                               QRect(960, 1680, 4935, 675), CaptionFont())),
      label4_(addLabel(QStringLiteral("Label4"), {}, QRect(2430, 2160, 2895, 2025), TurnFont())),
      label1Answer_(addLabel(QStringLiteral("Label1_1"), QStringLiteral("一次回答剩余时间"),
                             QRect(6240, 1680, 4935, 675), CaptionFont())),
      label5_(addLabel(QStringLiteral("Label5"), {}, QRect(7110, 2160, 2895, 2025), TurnFont())),
      label2_(  // Large enough to read across a hall, small enough that "10分00秒" fits the box.
          addLabel(QStringLiteral("Label2"), {}, QRect(1080, 4080, 10155, 3315),
                   DesignFont(QStringLiteral("宋体"), 108))),
      command2_(addButton(QStringLiteral("Command2"), QStringLiteral("计时暂停"), 8040, 8520,
                          ActionRole::Pause)),
      command4_(addButton(QStringLiteral("Command4"), QStringLiteral("初始化"), 9240, 8520,
                          ActionRole::Reset)),
      command1_(addButton(QStringLiteral("Command1"), QStringLiteral("返回主界面"), 10440, 8520,
                          ActionRole::Back)),
      timer1_(addTicker(QStringLiteral("Timer1"))),
      timer3_(addTicker(QStringLiteral("Timer3"))),
      timer4_(addTicker(QStringLiteral("Timer4"))),
      question_(new TurnClock(label4_, timer3_, TurnClock::RunOut::BackToZero)),
      answer_(new TurnClock(label5_, timer4_, TurnClock::RunOut::BackToZero)) {
    setObjectName(screenObjectName(ScreenId::QuestionAnswer));

    onPress(
        {picture(), label1Question_, label1Answer_, label2_, label4_, label5_},
        [this](Qt::MouseButton button) { giveFloor(button); }, kSides);
    connect(command2_, &QPushButton::clicked, this, &Form5::pause);
    setPauseButton(command2_);
    connect(command4_, &QPushButton::clicked, this, &Form5::reset);
    connect(command1_, &QPushButton::clicked, this, &Form5::backToMain);
    connect(timer1_, &SecondTicker::tick, this, &Form5::onTotalTick);
    connect(question_, &TurnClock::overtime, this, [this] { playCue(OvertimeCue); });
    connect(answer_, &TurnClock::overtime, this, [this] { playCue(OvertimeCue); });
    addTurnClock(question_, label1Question_);
    addTurnClock(answer_, label1Answer_);
    recordTurns(kWholeSegmentRole, timer1_, label2_, [this] { return total_; });
    connect(question_, &TurnClock::refilled,
            recordTurns(QStringLiteral("提问方"), timer3_, label4_,
                        [this] { return question_->remaining(); }),
            &TurnTrack::end);
    connect(answer_, &TurnClock::refilled,
            recordTurns(QStringLiteral("回答方"), timer4_, label5_,
                        [this] { return answer_->remaining(); }),
            &TurnTrack::end);
    addBottomStrip(command1_, {command2_, command4_, command1_});

    command2_->setEnabled(false);
    timer3_->stop();
    timer4_->stop();
    rememberLayout();
    command4_->setEnabled(false);

    format_ = readActive(SegmentKey::Format);
    total_ = ReadSeconds(readActive(SegmentKey::Limit), total_);
    warnPoint_ = ReadSeconds(readActive(SegmentKey::WarnPoint), warnPoint_);
    loadAppearance(UnreadableColour::KeepDesigned, {label2_});
    timer1_->stop();
    showClockText(label2_, total_, format_);
    question_->refill(readActive(SegmentKey::QuestionLimit));
    answer_->refill(readActive(SegmentKey::AnswerLimit));
}

QList<ClockScreen::Counter> Form5::counters() {
    QList<Counter> all{SecondsOf(label2_, total_)};
    for (TurnClock* turn : {question_, answer_}) {
        all.append({turn == question_ ? label4_ : label5_, [turn] { return turn->remaining(); },
                    [turn](qint16 seconds) { turn->restore(seconds); }});
    }
    return all;
}

void Form5::giveFloor(Qt::MouseButton button) {
    if (button == Qt::LeftButton) {
        answer_->refill(readActive(SegmentKey::AnswerLimit));
        timer4_->stop();
        timer1_->start();
        timer3_->start();
        command2_->setEnabled(true);
        command4_->setEnabled(true);
    } else if (button == Qt::RightButton) {
        question_->refill(readActive(SegmentKey::QuestionLimit));
        timer3_->stop();
        timer1_->start();
        timer4_->start();
        // Only the questioner's turn makes the reset available.
        command2_->setEnabled(true);
    }
}

void Form5::onTotalTick() {
    if (countDown(total_, warnPoint_, label2_, format_)) {
        stopAll();
        showTimedOutColour(label2_);
        label2_->setText(kTimeUpText);
        if (total_ == 0) {
            playCue(TimeUpCue);
        }
    }
}

void Form5::pause() {
    stopAll();
    command2_->setEnabled(false);
}

void Form5::reset() {
    endTurns();
    total_ = ReadSeconds(readActive(SegmentKey::Limit), total_);
    stopAll();
    showCountdownColour(label2_);
    showClockText(label2_, total_, format_);
    question_->refill(readActive(SegmentKey::QuestionLimit));
    answer_->refill(readActive(SegmentKey::AnswerLimit));
}

void Form5::stopAll() {
    timer1_->stop();
    timer3_->stop();
    timer4_->stop();
}
