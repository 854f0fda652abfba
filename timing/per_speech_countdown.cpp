#include "timing/per_speech_countdown.h"

#include <QLabel>
#include <QPushButton>

#include "foundation/platform/screen_catalogue.h"
#include "foundation/segment_profile.h"
#include "foundation/values.h"
#include "foundation/widgets/picture.h"
#include "foundation/widgets/second_ticker.h"
#include "timing/turn_clock.h"
#include "timing/turn_track.h"

Form22::Form22(const AppContext& context, QWidget* parent)
    : ClockScreen(context, QSize(12000, 9000), parent),
      label3_(addLabel(QStringLiteral("Label3"), QStringLiteral("剩余发言时间"),
                       QRect(480, 1200, 4680, 765), DesignFont(QStringLiteral("宋体"), 30, true))),
      label1_(addLabel(QStringLiteral("Label1"), {}, QRect(1440, 1920, 3045, 2265),
                       DesignFont(QStringLiteral("Times New Roman"), 90, true))),
      label2_(  // The full width takes "10分00秒" at this size.
          addLabel(QStringLiteral("Label2"), {}, QRect(0, 3600, 12015, 3975),
                   DesignFont(QStringLiteral("宋体"), 144))),
      command4_(addButton(QStringLiteral("Command4"), QStringLiteral("初始化"), 3840, 8520,
                          ActionRole::Reset)),
      command3_(addButton(QStringLiteral("Command3"), QStringLiteral("开始计时"), 5040, 8520,
                          ActionRole::Start)),
      command2_(addButton(QStringLiteral("Command2"), QStringLiteral("计时暂停"), 6240, 8520,
                          ActionRole::Pause)),
      command1_(addButton(QStringLiteral("Command1"), QStringLiteral("返回主界面"), 7440, 8520,
                          ActionRole::Back)),
      timer1_(addTicker(QStringLiteral("Timer1"))),
      timer2_(addTicker(QStringLiteral("Timer2"))),
      speech_(new TurnClock(label1_, timer2_, TurnClock::RunOut::StayWhereItIs)) {
    setObjectName(screenObjectName(ScreenId::PerSpeech));

    // A click on the caption Label3 starts nothing. The left press begins the next speech.
    onPress({picture(), label1_, label2_}, [this](Qt::MouseButton button) { newSpeech(button); },
            {{Qt::LeftButton, ActionRole::NextTurn}});
    connect(command3_, &QPushButton::clicked, this, &Form22::start);
    connect(command2_, &QPushButton::clicked, this, &Form22::pause);
    setPauseButton(command2_);
    connect(command4_, &QPushButton::clicked, this, &Form22::reset);
    connect(command1_, &QPushButton::clicked, this, &Form22::backToMain);
    connect(timer1_, &SecondTicker::tick, this, &Form22::onTotalTick);
    connect(speech_, &TurnClock::overtime, this, [this] { playCue(OvertimeCue); });
    addTurnClock(speech_, label3_);
    recordTurns(kWholeSegmentRole, timer1_, label2_, [this] { return total_; });
    connect(speech_, &TurnClock::refilled,
            recordTurns(QStringLiteral("第%1次发言"), timer2_, label1_,
                        [this] { return speech_->remaining(); }),
            &TurnTrack::end);
    const QList<QWidget*> strip = {command4_, command3_, command2_, command1_};
    addBottomStrip(command1_, strip);

    label1_->raise();
    label2_->raise();
    rememberLayout();
    for (QWidget* button : strip) {
        button->show();
    }

    format_ = readActive(SegmentKey::Format);
    total_ = ReadSeconds(readActive(SegmentKey::Limit), total_);
    warnPoint_ = ReadSeconds(readActive(SegmentKey::WarnPoint), warnPoint_);
    // Colours are converted once, here: an empty or unreadable one is black from now on.
    loadAppearance(UnreadableColour::Black, {label2_});
    timer1_->stop();
    timer2_->stop();
    speech_->refill(readActive(SegmentKey::SpeechLimit));
    showClockText(label2_, total_, format_);
}

QList<ClockScreen::Counter> Form22::counters() {
    return {SecondsOf(label2_, total_),
            {label1_, [this] { return speech_->remaining(); },
             [this](qint16 seconds) { speech_->restore(seconds); }}};
}

void Form22::newSpeech(Qt::MouseButton button) {
    if (button != Qt::LeftButton) {
        return;
    }
    speech_->refill(readActive(SegmentKey::SpeechLimit));
    timer2_->start();
    timer1_->start();
}

void Form22::onTotalTick() {
    if (countDown(total_, warnPoint_, label2_, format_)) {
        // The clock keeps the colour it has, the warning colour once that was shown.
        timer1_->stop();
        timer2_->stop();
        label2_->setText(kTimeUpText);
        if (total_ == 0) {
            playCue(TimeUpCue);
        }
    }
}

void Form22::start() {
    command2_->setEnabled(true);
    command4_->setEnabled(true);
    // Both go on from where they stand: the speech clock is not refilled here.
    timer1_->start();
    timer2_->start();
}

void Form22::pause() {
    timer1_->stop();
    timer2_->stop();
}

void Form22::reset() {
    endTurns();
    total_ = ReadSeconds(readActive(SegmentKey::Limit), total_);
    timer1_->stop();
    timer2_->stop();
    showCountdownColour(label2_);
    showClockText(label2_, total_, format_);
    speech_->refill(readActive(SegmentKey::SpeechLimit));
}
