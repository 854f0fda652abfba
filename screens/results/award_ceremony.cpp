#include "screens/results/award_ceremony.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QPushButton>
#include <optional>

#include "foundation/cues.h"
#include "foundation/file_names.h"
#include "foundation/paths.h"
#include "foundation/platform/colours.h"
#include "foundation/platform/screen_catalogue.h"
#include "foundation/profile_store.h"
#include "foundation/side_segment_profile.h"
#include "foundation/values.h"
#include "foundation/widgets/back_to_main.h"
#include "foundation/widgets/controls.h"
#include "foundation/widgets/picture.h"
#include "foundation/widgets/reveal_strip.h"
#include "foundation/widgets/twips.h"
#include "foundation/widgets/widget_colours.h"
#include "screens/results/profile_music.h"
#include "screens/results/rising_scroll_bar.h"

namespace {

const QSize kDesignClient(11880, 8490);

}  // namespace

Form8::Form8(const AppContext& context, QWidget* parent)
    : FullScreenWindow(kDesignClient, parent),
      context_(context),
      backToMain_(new BackToMain(this, context.navigator)) {
    setObjectName(screenObjectName(ScreenId::Ceremony));
    setFont(QFont(QStringLiteral("宋体"), 9));
    buildControls();
    music_ = new ProfileMusic(context_, this, CeremonyMusic);

    connect(Command2, &QPushButton::clicked, music_, &ProfileMusic::play);
    connect(Command3, &QPushButton::clicked, music_, &ProfileMusic::stop);
    connect(Vl1, &QScrollBar::valueChanged, music_, &ProfileMusic::changeVolume);
    connect(Command1, &QPushButton::clicked, backToMain_, &BackToMain::now);

    load();
}

void Form8::buildControls() {
    Frame1 = NewStripFrame(this, QStringLiteral("Frame1"), QStringLiteral("背景声音"));
    PlaceInTwips(Frame1, 0, 2880, 975, 735);
    Command2 = NewStripButton(Frame1, QStringLiteral("Command2"), QStringLiteral("播放▲"));
    PlaceInTwips(Command2, 0, 210, 975, 255);
    Command3 = NewStripButton(Frame1, QStringLiteral("Command3"), QStringLiteral("停止■"));
    PlaceInTwips(Command3, 0, 480, 975, 255);

    Frame2 = NewStripFrame(this, QStringLiteral("Frame2"), QStringLiteral("音量调节"));
    PlaceInTwips(Frame2, 0, 3720, 975, 2055);
    Vl1 = new RisingScrollBar(Frame2);
    SetUpVolumeBar(Vl1, QStringLiteral("Vl1"), kMaxVolume);
    Vl1->setAccessibleName(QStringLiteral("音量调节"));
    PlaceInTwips(Vl1, 360, 240, 255, 1815);

    Command1 = NewStripButton(this, QStringLiteral("Command1"), QStringLiteral("返回主界面"));
    PlaceInTwips(Command1, 0, 5880, 975, 375);
    for (QPushButton* button : {Command2, Command3, Command1}) {
        publish(button, button == Command1 ? ActionRole::Back : ActionRole::None);
    }

    column_ = new RevealStrip(this, RevealStrip::Edge::Left, Command1);
    for (QWidget* control : controlColumn()) {
        column_->addControl(control);
    }
    column_->watch(picture());
}

QList<QWidget*> Form8::controlColumn() const {
    return {Command1, Command2, Command3, Frame1, Frame2};
}

void Form8::load() {
    for (QWidget* control : controlColumn()) {
        control->hide();
    }
    rememberLayout();

    const QString profile = AppPath(context_.appDir, kCeremonyProfile);
    const auto read = [&](const QString& key) {
        return ReadProfileString(profile, kConfigSection, key);
    };
    if (const std::optional<quint32> colour = ReadColourValue(read(CeremonyKey::BackColour))) {
        SetBackgroundColour(this, ColourFromValue(*colour));
    }
    // Taking the stored value is a change of the bar like any other: the player follows it and
    // the profile keeps it.
    if (const std::optional<int> volume = music_->storedVolume()) {
        Vl1->setValue(*volume);
    }
    music_->applyVolume(Vl1->value());
    picture()->load(
        StoredFilePath(context_.appDir, kCeremonyPictureFolder, read(CeremonyKey::Picture)));
}

void Form8::closeEvent(QCloseEvent* event) {
    music_->stop();
    FullScreenWindow::closeEvent(event);
}
