#include "timing/side_timer.h"

#include <QLabel>
#include <QPushButton>
#include <cstdlib>
#include <limits>
#include <optional>

#include "foundation/file_names.h"
#include "foundation/paths.h"
#include "foundation/platform/colours.h"
#include "foundation/platform/screen_catalogue.h"
#include "foundation/profile_store.h"
#include "foundation/side_segment_profile.h"
#include "foundation/values.h"
#include "foundation/widgets/picture.h"
#include "foundation/widgets/reveal_strip.h"
#include "foundation/widgets/second_ticker.h"
#include "foundation/widgets/twips.h"
#include "foundation/widgets/widget_colours.h"

namespace {

const SideSegment kAudienceQuestions{screenObjectName(ScreenId::AudienceQuestion),
                                     kAudienceQuestionSection, kAudienceQuestionPictureFolder,
                                     4080};
const SideSegment kCommentary{screenObjectName(ScreenId::Commentary), kCommentarySection,
                              kCommentaryPictureFolder, 4200};

// Orange: red 255, green 128, blue 0.
constexpr quint32 kClockBackground = 255 + (128 << 8);

// "01分15秒", "100分00秒"; below zero the sign comes first: "-00分05秒". `seconds` is wider
// than 16 bits so that -32768 has a magnitude.
QString SideClockText(int seconds) {
    const int magnitude = std::abs(seconds);
    return QStringLiteral("%1%2分%3秒")
        .arg(seconds < 0 ? QStringLiteral("-") : QString())
        .arg(magnitude / 60, 2, 10, QLatin1Char('0'))
        .arg(magnitude % 60, 2, 10, QLatin1Char('0'));
}

}  // namespace

std::optional<SideSegment> SideSegmentNamed(const QString& screen) {
    for (const SideSegment* segment : {&kAudienceQuestions, &kCommentary}) {
        if (segment->screenName == screen) {
            return *segment;
        }
    }
    return std::nullopt;
}

SideTimer::SideTimer(const AppContext& context, const SideSegment& segment, QWidget* parent)
    : ClockScreen(context, QSize(11880, 8490), parent),
      segment_(segment),
      label1_(new QLabel(QStringLiteral("99分99秒"), this)),
      command1_(addButton(QStringLiteral("Command1"), QStringLiteral("返回主界面"), 0,
                          segment.returnTop, ActionRole::Back)),
      timer1_(addTicker(QStringLiteral("Timer1"))) {
    setObjectName(segment_.screenName);
    label1_->setObjectName(QStringLiteral("Label1"));
    PlaceInTwips(label1_, 9600, 120, 2175, 495);
    QFont designed(QStringLiteral("宋体"));
    designed.setPointSizeF(21.75);
    designed.setBold(true);
    label1_->setFont(designed);
    label1_->setAlignment(Qt::AlignCenter);
    SetBackgroundColour(label1_, ColourFromValue(kClockBackground));
    // The audience sees only the picture (and the clock); the button waits for the left edge.
    command1_->hide();

    connect(command1_, &QPushButton::clicked, this, &SideTimer::backToMain);
    connect(timer1_, &SecondTicker::tick, this, &SideTimer::onTick);
    auto* strip = new RevealStrip(this, RevealStrip::Edge::Left, command1_);
    strip->addControl(command1_);
    strip->watch(picture());

    publishClocks({label1_});
    timer1_->start();
    rememberLayout();
    load();
    recordTurns({}, timer1_, label1_, [this] { return counters().front().get(); });
}

void SideTimer::load() {
    const QString profile = AppPath(context().appDir, kSideSegmentProfile);
    const auto read = [&](const QString& key) {
        return ReadProfileString(profile, segment_.section, key);
    };
    remaining_ = ReadSeconds(read(SideKey::Limit), remaining_);
    // The flags are numbers "0" or "1"; an empty or non-numeric text is neither.
    const std::optional<double> direction = StrictNumber(read(SideKey::CountDown));
    direction_ = direction == 0.0   ? Direction::Up
                 : direction == 1.0 ? Direction::Down
                                    : Direction::Still;
    const QString display = read(SideKey::ShowClock);
    const QString pictureName = read(SideKey::Picture);
    if (const std::optional<quint32> colour = ReadColourValue(read(SideKey::BackColour))) {
        SetBackgroundColour(this, ColourFromValue(*colour));
    }
    picture()->load(StoredFilePath(context().appDir, segment_.pictureFolder, pictureName));
    // Until the first tick the clock keeps its designed text; an unreadable flag keeps it shown.
    if (const std::optional<double> shown = StrictNumber(display); shown == 0.0) {
        label1_->hide();
    } else if (shown == 1.0) {
        label1_->show();
    }
}

void SideTimer::onTick() {
    // At the ends of the 16-bit range the count stays put rather than wrapping to the other end.
    if (direction_ == Direction::Up) {
        if (elapsed_ < std::numeric_limits<qint16>::max()) {
            ++elapsed_;
        }
        label1_->setText(SideClockText(elapsed_));
    } else if (direction_ == Direction::Down) {
        if (remaining_ > std::numeric_limits<qint16>::min()) {
            --remaining_;
        }
        label1_->setText(SideClockText(remaining_));
    }
}

Form20::Form20(const AppContext& context, QWidget* parent)
    : SideTimer(context, kAudienceQuestions, parent) {}

Form9::Form9(const AppContext& context, QWidget* parent)
    : SideTimer(context, kCommentary, parent) {}
