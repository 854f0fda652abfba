#include "screens/main/main_screen.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>

#include "foundation/foundation.h"
#include "foundation/platform/colours.h"
#include "foundation/platform/navigator.h"
#include "foundation/platform/screen_catalogue.h"
#include "foundation/setup_applying.h"
#include "foundation/widgets/controls.h"
#include "foundation/widgets/picture.h"
#include "foundation/widgets/reveal_strip.h"
#include "foundation/widgets/twips.h"
#include "foundation/widgets/widget_colours.h"
#include "screens/main/background_music.h"
#include "screens/main/presentations.h"
#include "timing/segment_launch.h"

namespace {

const QSize kDesignClient(11880, 8490);
const QColor kDesignColour(130, 199, 35);

// Column buttons: one width and height, stacked down the left edge.
constexpr int kColumnWidth = 975;
constexpr int kColumnHeight = 310;

// Names are free text: an '&' in one is shown, not taken as a keyboard accelerator.
QString CaptionOf(const QString& name) {
    return QString(name).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

}  // namespace

Form4::Form4(AppContext& context, QWidget* parent)
    : FullScreenWindow(kDesignClient, parent), context_(context) {
    setObjectName(screenObjectName(ScreenId::Main));
    setFont(QFont(QStringLiteral("宋体"), 9));
    SetBackgroundColour(this, kDesignColour);
    PlaceInTwips(picture(), 0, 0, 11880, 8985);
    buildControls();
    music_ = new BackgroundMusic(context_, this);
    connectControls();
    QList<QWidget*> commands = buttonColumn();
    commands << Command17 << Command18;
    for (QWidget* control : commands) {
        if (auto* button = qobject_cast<QPushButton*>(control)) {
            publish(button);
        }
    }
    publishVolume(Hl1);

    loadLayoutAndLooks();
    loadVolume();
    connect(context_.setupApplying, &SetupApplying::changed, this, &Form4::applyLocks);
    applyLocks();
}

Form4::~Form4() = default;

void Form4::buildControls() {
    const auto column = [this](const QString& name, int top, const QString& caption = {}) {
        QPushButton* button = NewStripButton(this, name, caption);
        PlaceInTwips(button, 0, top, kColumnWidth, kColumnHeight);
        return button;
    };
    Command1 = column(QStringLiteral("Command1"), 480);
    Command2 = column(QStringLiteral("Command2"), 840);
    Command3 = column(QStringLiteral("Command3"), 1200);
    for (int i = 0; i < kSegmentCount; ++i) {
        Command4 << column(QStringLiteral("Command4_%1").arg(i), 1560 + 360 * i,
                           QString::number(i + 1));
    }
    Command10 = column(QStringLiteral("Command10"), 4440);
    Command11 = column(QStringLiteral("Command11"), 4800);
    Command12 = column(QStringLiteral("Command12"), 5160, QStringLiteral("比赛结果"));
    Command13 = column(QStringLiteral("Command13"), 5520, QStringLiteral("颁奖仪式"));
    Command14 = column(QStringLiteral("Command14"), 5880, QStringLiteral("比赛报表"));

    Frame1 = NewStripFrame(this, QStringLiteral("Frame1"), QStringLiteral("背景声音"));
    PlaceInTwips(Frame1, 0, 6240, kColumnWidth, 735);
    Command17 = NewStripButton(Frame1, QStringLiteral("Command17"), QStringLiteral("打开▲"));
    PlaceInTwips(Command17, 60, 210, 855, 240);
    Command18 = NewStripButton(Frame1, QStringLiteral("Command18"), QStringLiteral("停止■"));
    PlaceInTwips(Command18, 60, 465, 855, 240);

    Command16 = column(QStringLiteral("Command16"), 7020, QStringLiteral("功能设置"));
    Command19 = column(QStringLiteral("Command19"), 7380, QStringLiteral("刷新设置"));
    Command15 = column(QStringLiteral("Command15"), 7755, QStringLiteral("退  出"));

    Frame2 = NewStripFrame(this, QStringLiteral("Frame2"), QStringLiteral("背景音乐音量调节"));
    PlaceInTwips(Frame2, 9360, 7920, 2415, 495);
    Hl1 = SetUpVolumeBar(new QScrollBar(Qt::Horizontal, Frame2), QStringLiteral("Hl1"));
    PlaceInTwips(Hl1, 120, 210, 2175, 225);
    Hl1->setAccessibleName(QStringLiteral("背景音乐音量调节"));

    leftStrip_ = new RevealStrip(this, RevealStrip::Edge::Left, Command1);
    for (QWidget* control : buttonColumn()) {
        leftStrip_->addControl(control);
    }
    leftStrip_->watch(this);
    leftStrip_->watch(picture());
    bottomStrip_ = new RevealStrip(this, RevealStrip::Edge::Bottom, Frame2);
    bottomStrip_->addControl(Frame2);
    bottomStrip_->watch(picture());
}

void Form4::connectControls() {
    const QList<QPushButton*> presentations{Command1, Command2, Command3};
    for (int k = 1; k <= kPresentationCount; ++k) {
        connect(presentations[k - 1], &QPushButton::clicked, this, [this, k] { presentation(k); });
    }
    for (int i = 0; i < kSegmentCount; ++i) {
        connect(Command4[i], &QPushButton::clicked, this,
                [this, i] { LaunchSegment(context_, this, i + 1); });
    }
    const auto replace = [this](QPushButton* button, ScreenId screen) {
        connect(button, &QPushButton::clicked, this,
                [this, screen] { context_.navigator->Replace(this, screen); });
    };
    const auto over = [this](QPushButton* button, ScreenId screen) {
        connect(button, &QPushButton::clicked, this,
                [this, screen] { context_.navigator->OpenOver(this, screen); });
    };
    replace(Command10, ScreenId::AudienceQuestion);
    replace(Command11, ScreenId::Commentary);
    over(Command12, ScreenId::ScoreEntry);
    replace(Command13, ScreenId::Ceremony);
    replace(Command14, ScreenId::Report);
    over(Command16, ScreenId::SettingsHome);
    connect(Command19, &QPushButton::clicked, this, &Form4::refresh);
    connect(Command15, &QPushButton::clicked, this, &Form4::exitProgram);

    connect(Command17, &QPushButton::clicked, music_, &BackgroundMusic::open);
    connect(Command18, &QPushButton::clicked, music_, &BackgroundMusic::stop);
    connect(Hl1, &QScrollBar::valueChanged, music_, &BackgroundMusic::changeVolume);
}

QList<QWidget*> Form4::buttonColumn() const {
    QList<QWidget*> column{Command1, Command2, Command3};
    for (QPushButton* button : Command4) {
        column << button;
    }
    column << Command10 << Command11 << Command12 << Command13 << Command14 << Frame1 << Command16
           << Command19 << Command15;
    return column;
}

void Form4::lockForInformation(bool locked) {
    lockedForInformation_ = locked;
    applyLocks();
}

void Form4::applyLocks() {
    QList<QWidget*> launches(Command4.cbegin(), Command4.cend());
    launches << Command10 << Command11 << Command12 << Command13 << Command14;
    // While a setup's files move, nothing that reads them opens.
    const bool importing = context_.setupApplying->now();
    for (QWidget* control : QList<QWidget*>{Command1, Command2, Command3} + launches +
                                QList<QWidget*>{Command15, Command16, Command17, Command18,
                                                Command19, Frame1, Frame2}) {
        control->setEnabled(!lockedForInformation_ && !(importing && launches.contains(control)));
    }
}

void Form4::refresh() {
    loadLayoutAndLooks();
}

void Form4::loadLayoutAndLooks() {
    rememberLayout();
    for (QWidget* control : buttonColumn()) {
        control->hide();
    }
    loadCaptions();
    loadBackground();
}

void Form4::loadCaptions() {
    const QString& appDir = context_.appDir;
    const QList<QPushButton*> presentations{Command1, Command2, Command3};
    for (int k = 1; k <= kPresentationCount; ++k) {
        presentations[k - 1]->setText(CaptionOf(PresentationCaption(appDir, k)));
    }
    for (int i = 0; i < kSegmentCount; ++i) {
        Command4[i]->setText(CaptionOf(ReadProfileString(SegmentProfilePath(appDir, i + 1),
                                                         kConfigSection, SegmentKey::Name)));
    }
    const QString sides = AppPath(appDir, kSideSegmentProfile);
    Command10->setText(
        CaptionOf(ReadProfileString(sides, kAudienceQuestionSection, SideKey::Name)));
    Command11->setText(CaptionOf(ReadProfileString(sides, kCommentarySection, SideKey::Name)));
    noteChange();
}

void Form4::loadBackground() {
    const QString profile = AppPath(context_.appDir, kMainProfile);
    if (const std::optional<quint32> colour =
            ReadColourValue(ReadProfileString(profile, kConfigSection, MainKey::BackColour))) {
        SetBackgroundColour(this, ColourFromValue(*colour));
    }

    // No stored picture shows the colour; a stored picture that has gone shows the default
    // one. Cleared first, so a refresh never leaves up a picture the settings no longer name.
    picture()->clear();
    const QString name = ReadProfileString(profile, kConfigSection, MainKey::Picture);
    if (name.isEmpty()) {
        return;
    }
    const QString path = StoredFilePath(context_.appDir, kMainPictureFolder, name);
    picture()->load(QFileInfo(path).isFile()
                        ? path
                        : AppPath(context_.appDir, kMainPictureFolder + kDefaultMainPicture));
}

void Form4::clearPicture() {
    picture()->clear();
}

void Form4::loadVolume() {
    if (const std::optional<int> volume = StoredMusicVolume(context_.appDir)) {
        // Taking the stored value is not a change by the operator: nothing to write back.
        const QSignalBlocker quiet(Hl1);
        Hl1->setValue(*volume);
    }
    music_->applyVolume(Hl1->value());
}

void Form4::presentation(int k) {
    if (OpenPresentation(context_, k)) {
        music_->stop();
    }
}

void Form4::exitProgram() {
    if (!context_.platform->Messages().Ask(kExitQuestion, kExitTitle, MessageIcon::Question)) {
        return;
    }
    // Every window closes at once; nothing is pending, as every setting is written when made.
    context_.navigator->ExitProgram();
}

void Form4::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        context_.platform->Desktop().ShowHelp(AppPath(context_.appDir, kHelpFile));
        return;
    }
    FullScreenWindow::keyPressEvent(event);
}

void Form4::closeEvent(QCloseEvent* event) {
    music_->stop();
    FullScreenWindow::closeEvent(event);
}
