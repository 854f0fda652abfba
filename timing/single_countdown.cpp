#include "timing/single_countdown.h"

#include <QLabel>
#include <QPushButton>

#include "foundation/platform/screen_catalogue.h"
#include "foundation/segment_profile.h"
#include "foundation/values.h"
#include "foundation/widgets/picture.h"
#include "foundation/widgets/second_ticker.h"
#include "foundation/widgets/twips.h"

Form17::Form17(const AppContext& context, QWidget* parent)
    : ClockScreen(context, QSize(12000, 9000), parent),
      label2_(new QLabel(QStringLiteral("120s"), this)),
      command4_(addButton(QStringLiteral("Command4"), QStringLiteral("初始化"), 3720, 8450,
                          ActionRole::Reset)),
      command3_(addButton(QStringLiteral("Command3"), QStringLiteral("开始计时"), 4920, 8450,
                          ActionRole::Start)),
      command2_(addButton(QStringLiteral("Command2"), QStringLiteral("计时暂停"), 6120, 8450,
                          ActionRole::Pause)),
      command1_(addButton(QStringLiteral("Command1"), QStringLiteral("返回主界面"), 7320, 8450,
                          ActionRole::Back)),
      timer1_(addTicker(QStringLiteral("Timer1"))) {
    setObjectName(screenObjectName(ScreenId::SingleCountdown));
    PlaceInTwips(picture(), 0, 0, 11895, 8895);
    label2_->setObjectName(QStringLiteral("Label2"));
    PlaceInTwips(label2_, 120, 3000, 11700, 3555);
    QFont designed(QStringLiteral("宋体"));
    designed.setPointSizeF(129.75);
    label2_->setFont(designed);
    label2_->setAlignment(Qt::AlignCenter);

    connect(command3_, &QPushButton::clicked, this, &Form17::start);
    connect(command2_, &QPushButton::clicked, this, &Form17::pause);
    connect(command4_, &QPushButton::clicked, this, &Form17::reset);
    connect(command1_, &QPushButton::clicked, this, &Form17::backToMain);
    connect(timer1_, &SecondTicker::tick, this, &Form17::onTick);
    recordTurns({}, timer1_, label2_, [this] { return remaining_; });
    setPauseButton(command2_);
    const QList<QWidget*> strip = {command4_, command3_, command2_, command1_};
    addBottomStrip(command1_, strip);

    command2_->setEnabled(false);
    rememberLayout();
    for (QWidget* button : strip) {
        button->show();
    }
    command4_->setEnabled(false);

    format_ = readActive(SegmentKey::Format);
    remaining_ = ReadSeconds(readActive(SegmentKey::Limit), remaining_);
    warnPoint_ = ReadSeconds(readActive(SegmentKey::WarnPoint), warnPoint_);
    loadAppearance(UnreadableColour::Black, {label2_});
    timer1_->stop();
    showClockText(label2_, remaining_, format_);
}

void Form17::onTick() {
    if (countDown(remaining_, warnPoint_, label2_, format_)) {
        timer1_->stop();
        label2_->setText(kTimeUpText);
        if (remaining_ == 0) {
            playCue(TimeUpCue);
        }
    }
}

void Form17::start() {
    command2_->setEnabled(true);
    command4_->setEnabled(true);
    timer1_->start();
}

void Form17::pause() {
    timer1_->stop();
    command2_->setEnabled(false);
}

void Form17::reset() {
    endTurns();
    remaining_ = ReadSeconds(readActive(SegmentKey::Limit), remaining_);
    timer1_->stop();
    showCountdownColour(label2_);
    showClockText(label2_, remaining_, format_);
}
