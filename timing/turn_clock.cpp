#include "timing/turn_clock.h"

#include <QLabel>
#include <limits>

#include "foundation/platform/colours.h"
#include "foundation/values.h"
#include "foundation/widgets/second_ticker.h"
#include "foundation/widgets/widget_colours.h"

namespace {

const QColor kCounting = ColourFromValue(0);
const QColor kRunOut = ColourFromValue(255);

}  // namespace

TurnClock::TurnClock(QLabel* label, SecondTicker* ticker, RunOut runOut)
    : QObject(label), label_(label), ticker_(ticker), runOut_(runOut) {
    SetTextColour(label_, kCounting);
    connect(ticker_, &SecondTicker::tick, this, &TurnClock::onTick);
}

void TurnClock::refill(const QString& limitText) {
    remaining_ = ReadSeconds(limitText, remaining_);
    show();
    SetTextColour(label_, kCounting);
    emit refilled();
}

void TurnClock::onTick() {
    // A limit of -32768 cannot go one lower; it stays and runs out at once.
    if (remaining_ > std::numeric_limits<qint16>::min()) {
        --remaining_;
    }
    show();
    emit counted(remaining_);
    if (remaining_ < 1) {
        ticker_->stop();
        if (runOut_ == RunOut::BackToZero) {
            remaining_ = 0;  // the label keeps the text of this tick
        }
        SetTextColour(label_, kRunOut);
        emit overtime();
    }
}

void TurnClock::show() {
    label_->setText(QString::number(remaining_) + QLatin1Char('s'));
}
