#include "console/operator_console.h"

#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QVBoxLayout>

#include "app/screen_navigator.h"
#include "console/console_keyboard.h"
#include "console/hall_panel.h"
#include "console/screen_miniature.h"
#include "console/time_record_panel.h"
#include "console/tournament_panel.h"
#include "foundation/clock_format.h"
#include "foundation/cues.h"
#include "foundation/paths.h"
#include "foundation/platform/dialog_owner.h"
#include "foundation/platform/screen_catalogue.h"
#include "foundation/profile_store.h"
#include "foundation/screen_roles.h"
#include "foundation/segment_profile.h"
#include "foundation/setup_applying.h"
#include "foundation/widgets/action_role.h"
#include "foundation/widgets/widget_colours.h"
#include "hall/screen_snapshot.h"

namespace {

// What the main screen offers besides launching: its music, run on the main screen itself.
const QStringList kMusicActions = {QStringLiteral("Command17"), QStringLiteral("Command18")};
const QColor kAmber(255, 176, 0);

QPushButton* CommandButton(const QAction* action, const QString& caption) {
    auto* button = new QPushButton(caption);
    button->setObjectName(action->objectName());
    button->setEnabled(action->isEnabled());
    // The keys belong to the console: no button takes Space or the arrows for itself.
    button->setFocusPolicy(Qt::NoFocus);
    button->setMinimumHeight(44);
    return button;
}

// The side presses have no caption of their own; the console names the mouse button.
QString CaptionOf(const QAction* action) {
    if (action->objectName() == QLatin1String("Left")) {
        return QStringLiteral("◀ 左键");
    }
    if (action->objectName() == QLatin1String("Right")) {
        return QStringLiteral("右键 ▶");
    }
    return action->text();
}

}  // namespace

const QStringList& OperatorConsole::launchActions() {
    static const QStringList names = [] {
        QStringList list;
        for (int i = 0; i < kSegmentCount; ++i) {
            list << QStringLiteral("Command4_%1").arg(i);
        }
        list << QStringLiteral("Command10") << QStringLiteral("Command11")
             << QStringLiteral("Command12") << QStringLiteral("Command13")
             << QStringLiteral("Command14") << QStringLiteral("Command16");
        return list;
    }();
    return names;
}

OperatorConsole::OperatorConsole(AppContext& context, ScreenNavigator& navigator, HallService* hall,
                                 SegmentJournal* journal, TournamentLink* tournament,
                                 QWidget* parent)
    : QWidget(parent, Qt::Window), context_(context), navigator_(navigator) {
    setObjectName(QStringLiteral("OperatorConsole"));
    setProperty(kOperatorWindowProperty, true);
    setWindowTitle(QStringLiteral("debaclock — 操作台"));
    auto* page = new QVBoxLayout(this);

    title_ = new QLabel(this);
    title_->setObjectName(QStringLiteral("ScreenTitle"));
    QFont titleFont = title_->font();
    titleFont.setPointSize(16);
    titleFont.setBold(true);
    title_->setFont(titleFont);
    page->addWidget(title_);

    auto* middle = new QHBoxLayout;
    miniature_ = new ScreenMiniature(this);
    middle->addWidget(miniature_);
    clockArea_ = new QFrame(this);
    clockArea_->setObjectName(QStringLiteral("ClockArea"));
    clockArea_->setAutoFillBackground(true);
    auto* clockColumn = new QVBoxLayout(clockArea_);
    forgotten_ = new QLabel(QStringLiteral("计时尚未开始"), clockArea_);
    forgotten_->setObjectName(QStringLiteral("ForgottenStart"));
    forgotten_->setAlignment(Qt::AlignCenter);
    QFont warning = titleFont;
    warning.setPointSize(20);
    forgotten_->setFont(warning);
    forgotten_->hide();
    clockColumn->addWidget(forgotten_);
    screenNote_ = new QLabel(clockArea_);
    screenNote_->setObjectName(QStringLiteral("ScreenNote"));
    screenNote_->setAlignment(Qt::AlignCenter);
    screenNote_->setFont(warning);
    SetTextColour(screenNote_, QColor(0, 90, 200));
    screenNote_->hide();
    clockColumn->addWidget(screenNote_);
    noClock_ = new QLabel(QStringLiteral("此画面没有计时"), clockArea_);
    noClock_->setObjectName(QStringLiteral("NoClock"));
    noClock_->setAlignment(Qt::AlignCenter);
    SetTextColour(noClock_, Qt::gray);
    noClock_->setFont(warning);
    clockColumn->addWidget(noClock_, 1);
    clockRow_ = new QHBoxLayout;
    clockColumn->addLayout(clockRow_, 1);
    middle->addWidget(clockArea_, 1);
    page->addLayout(middle, 1);

    auto* commands = new QGroupBox(
        QStringLiteral("操作 (空格：开始/暂停　←→：左右键　R：初始化　Esc：返回主界面)"), this);
    commandRow_ = new QHBoxLayout(commands);
    page->addWidget(commands);

    // Half-width brackets: the style measures a title by its ink, and a full-width "）" ends
    // in blank space that would push the title past its box.
    auto* launches = new QGroupBox(QStringLiteral("启动 (1-8：环节)"), this);
    auto* launchColumn = new QVBoxLayout(launches);
    launchesHeld_ = new QLabel(QStringLiteral("布局调整中：请先返回设置界面"), launches);
    launchesHeld_->setObjectName(QStringLiteral("LaunchesHeld"));
    SetTextColour(launchesHeld_, Qt::red);
    launchesHeld_->hide();
    launchColumn->addWidget(launchesHeld_);
    launchGrid_ = new QGridLayout;
    launchColumn->addLayout(launchGrid_);
    if (journal) {
        auto* lower = new QHBoxLayout;
        lower->addWidget(launches, 3);
        lower->addWidget(new TimeRecordPanel(context_, *journal, this), 2);
        page->addLayout(lower);
    } else {
        page->addWidget(launches);
    }

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(new QLabel(QStringLiteral("投影屏幕："), this));
    projectorChoice_ = new QComboBox(this);
    projectorChoice_->setObjectName(QStringLiteral("ProjectorChoice"));
    projectorChoice_->setFocusPolicy(Qt::NoFocus);
    bottom->addWidget(projectorChoice_);
    bottom->addSpacing(40);
    bottom->addWidget(new QLabel(QStringLiteral("背景音乐音量："), this));
    volume_ = new QSlider(Qt::Horizontal, this);
    volume_->setObjectName(QStringLiteral("Volume"));
    volume_->setAccessibleName(QStringLiteral("背景音乐音量调节"));
    volume_->setRange(kMinVolume, kMaxVolume);
    volume_->setTracking(false);
    volume_->setFocusPolicy(Qt::NoFocus);
    volume_->setMinimumWidth(240);
    bottom->addWidget(volume_);
    bottom->addStretch(1);
    page->addLayout(bottom);
    // The two networks side by side; the tab room's notices under the title, where the
    // operator looks first.
    auto* networks = new QHBoxLayout;
    if (hall) {
        networks->addWidget(new HallPanel(*hall, this));
    }
    if (tournament) {
        auto* panel = new TournamentPanel(context_.appDir, *tournament, this);
        networks->addWidget(panel, 2);
        page->insertWidget(1, panel->notices());
    }
    page->addLayout(networks);

    forgottenTimer_.setSingleShot(true);
    forgottenTimer_.setInterval(kForgottenStartMs);
    connect(&forgottenTimer_, &QTimer::timeout, this, &OperatorConsole::checkForgottenStart);
    keyboard_ = new ConsoleKeyboard(this);
    bindKeys();

    connect(&navigator_, &ScreenNavigator::audienceScreenChanged, this, &OperatorConsole::follow);
    connect(context_.setupApplying, &SetupApplying::changed, this,
            &OperatorConsole::rebuildLaunchList);
    connect(projectorChoice_, &QComboBox::activated, this, &OperatorConsole::chooseProjector);
    // The main screen's own volume bar moves, and with it what its dragging does.
    connect(volume_, &QSlider::valueChanged, this, [this](int value) {
        if (FullScreenWindow* main = navigator_.mainScreen()) {
            if (QAction* action = findActionByRole(main->actions(), ActionRole::Volume)) {
                action->setData(value);
                action->trigger();
            }
        }
    });
    const auto screensChanged = [this] {
        fillScreenChoice();
        showWhenTwoScreens();
    };
    connect(qApp, &QGuiApplication::screenAdded, this, screensChanged);
    connect(qApp, &QGuiApplication::screenRemoved, this, screensChanged);
    fillScreenChoice();
    follow(navigator_.audienceScreen());
}

void OperatorConsole::follow(FullScreenWindow* screen) {
    disconnect(screenChanges_);
    screen_ = screen;
    miniature_->follow(screen);
    clockHasRun_ = false;
    sayAboutScreen({});
    if (screen) {
        screenChanges_ =
            connect(screen, &FullScreenWindow::stateChanged, this, &OperatorConsole::refresh);
    }
    disconnect(mainChanges_);
    if (FullScreenWindow* main = navigator_.mainScreen()) {
        mainChanges_ = connect(main, &FullScreenWindow::stateChanged, this,
                               &OperatorConsole::rebuildLaunchList);
    }
    // Read once per screen: what a screen is does not change while it is up.
    title_->setText(QStringLiteral("投影中：") + describe(screen));
    showForgottenStart(false);
    if (screen && !screen->clocks().isEmpty()) {
        forgottenTimer_.start();
    } else {
        forgottenTimer_.stop();
    }
    rebuildCommands();
    rebuildLaunchList();
    refresh();
}

void OperatorConsole::rebuildCommands() {
    qDeleteAll(commandButtons_);
    commandButtons_.clear();
    commandActions_.clear();
    if (!screen_) {
        return;
    }
    for (QAction* action : screenCommands(screen_)) {
        if (launchActions().contains(action->objectName()) ||
            kMusicActions.contains(action->objectName())) {
            continue;  // in the launch list and the music buttons
        }
        QPushButton* button = CommandButton(action, CaptionOf(action));
        connect(button, &QPushButton::clicked, action, &QAction::trigger);
        commandRow_->addWidget(button);
        commandButtons_.append(button);
        commandActions_.append(action);
    }
}

// The launch list shows the main screen's captions, which follow the profiles; while another
// screen is up it keeps the captions it last saw, and a press brings the main screen back.
void OperatorConsole::rebuildLaunchList() {
    const FullScreenWindow* main = navigator_.mainScreen();
    if (launchButtons_.isEmpty()) {
        const QStringList names = launchActions() + kMusicActions;
        for (int i = 0; i < names.size(); ++i) {
            auto* button = new QPushButton(this);
            button->setObjectName(QStringLiteral("Launch_") + names[i]);
            launchNames_.append(names[i]);
            button->setFocusPolicy(Qt::NoFocus);
            button->setMinimumHeight(36);
            const QString name = names[i];
            if (kMusicActions.contains(name)) {
                connect(button, &QPushButton::clicked, this, [this, name] {
                    if (FullScreenWindow* main = navigator_.mainScreen()) {
                        if (auto* action = main->findChild<QAction*>(name)) {
                            action->trigger();
                        }
                    }
                });
            } else {
                connect(button, &QPushButton::clicked, this, [this, name] { launch(name); });
            }
            launchGrid_->addWidget(button, i / 8, i % 8);
            launchButtons_.append(button);
        }
    }
    // Layout mode ends only through its own command; until then nothing launches over it. Nor
    // while an import moves the setup's files.
    const bool importing = context_.setupApplying->now();
    const bool held = importing || (screen_ && screen_->inLayoutMode());
    launchesHeld_->setText(importing ? kSetupApplyingNote
                                     : QStringLiteral("布局调整中：请先返回设置界面"));
    launchesHeld_->setVisible(held);
    if (held) {
        for (QPushButton* button : std::as_const(launchButtons_)) {
            button->setEnabled(false);
        }
        return;
    }
    const QAction* volume = main ? findActionByRole(main->actions(), ActionRole::Volume) : nullptr;
    volume_->setEnabled(volume && volume->isEnabled());
    if (volume && !volume_->isSliderDown()) {
        const QSignalBlocker quiet(volume_);
        volume_->setValue(volume->data().toInt());
    }
    if (!main) {
        for (int i = 0; i < launchButtons_.size(); ++i) {
            launchButtons_[i]->setEnabled(!kMusicActions.contains(launchNames_[i]));
        }
        return;
    }
    for (int i = 0; i < launchButtons_.size(); ++i) {
        if (const auto* action = main->findChild<QAction*>(launchNames_[i])) {
            launchButtons_[i]->setText(action->text());
            launchButtons_[i]->setEnabled(action->isEnabled());
        }
    }
}

void OperatorConsole::sayAboutScreen(const QString& note) {
    screenNote_->setText(note);
    screenNote_->setVisible(!note.isEmpty());
}

void OperatorConsole::refresh() {
    const QList<ClockReading> clocks = screen_ ? screen_->clocks() : QList<ClockReading>();
    while (clockLabels_.size() > clocks.size()) {
        clockCaptions_.removeLast();
        clockOvertimes_.removeLast();
        clockLabels_.removeLast();
        delete clockCells_.takeLast();
    }
    while (clockLabels_.size() < clocks.size()) {
        auto* cell = new QWidget(clockArea_);
        auto* column = new QVBoxLayout(cell);
        auto* caption = new QLabel(cell);
        caption->setObjectName(QStringLiteral("ClockCaption"));
        caption->setAlignment(Qt::AlignCenter);
        QFont captionFont = caption->font();
        captionFont.setPointSize(16);
        caption->setFont(captionFont);
        column->addWidget(caption);
        auto* label = new QLabel(cell);
        label->setAlignment(Qt::AlignCenter);
        QFont big = label->font();
        big.setPointSize(40);
        big.setBold(true);
        label->setFont(big);
        // A new text must not lay the console out again on every tick.
        label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
        column->addWidget(label, 1);
        auto* overtime = new QLabel(cell);
        overtime->setObjectName(QStringLiteral("ClockOvertime"));
        overtime->setAlignment(Qt::AlignCenter);
        overtime->setFont(captionFont);
        SetTextColour(overtime, Qt::red);
        overtime->hide();
        column->addWidget(overtime);
        clockOvertimes_.append(overtime);
        cell->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
        clockRow_->addWidget(cell, 1);
        clockCells_.append(cell);
        clockCaptions_.append(caption);
        clockLabels_.append(label);
    }
    noClock_->setVisible(clocks.isEmpty());
    for (int i = 0; i < clocks.size(); ++i) {
        if (clockCaptions_[i]->text() != clocks[i].label) {
            clockCaptions_[i]->setText(clocks[i].label);
            clockCaptions_[i]->setVisible(!clocks[i].label.isEmpty());
        }
        clockLabels_[i]->setObjectName(clocks[i].name);
        clockLabels_[i]->setText(clocks[i].text);
        // A palette set anew repaints even when nothing changed; a tick must not cost that.
        if (TextColour(clockLabels_[i]) != clocks[i].colour) {
            SetTextColour(clockLabels_[i], clocks[i].colour);
        }
        clockOvertimes_[i]->setVisible(clocks[i].overtime > 0);
        if (clocks[i].overtime > 0) {
            clockOvertimes_[i]->setText(clocks[i].overtimeRole + QStringLiteral("超时 ") +
                                        FormatClock(qint16(std::min(clocks[i].overtime, 32767)),
                                                    ClockFormat::MinutesSeconds));
        }
    }
    const bool running = screen_ && screen_->clockRunning();
    clockHasRun_ = clockHasRun_ || running;
    if (running) {
        sayAboutScreen({});
    }
    if (clockHasRun_) {
        forgottenTimer_.stop();
        showForgottenStart(false);
    } else if (forgotten_->isHidden()) {
        showClockAreaColour(screen_ ? BackgroundColour(screen_) : QColor(Qt::black));
    }
    for (int i = 0; i < commandButtons_.size(); ++i) {
        if (const QAction* action = commandActions_[i]) {
            commandButtons_[i]->setText(CaptionOf(action));
            commandButtons_[i]->setEnabled(action->isEnabled());
        }
    }
    miniature_->screenChanged();
}

void OperatorConsole::checkForgottenStart() {
    if (screen_ && !clockHasRun_ && !screen_->clockRunning() && !screen_->clocks().isEmpty()) {
        showForgottenStart(true);
    }
}

void OperatorConsole::showForgottenStart(bool forgotten) {
    forgotten_->setVisible(forgotten);
    if (forgotten) {
        showClockAreaColour(kAmber);
    }
}

void OperatorConsole::showClockAreaColour(const QColor& colour) {
    if (BackgroundColour(clockArea_) != colour) {
        SetBackgroundColour(clockArea_, colour);
    }
}

QString OperatorConsole::describe(const FullScreenWindow* screen) const {
    if (!screen) {
        return QStringLiteral("（无）");
    }
    if (const CataloguedScreen* shown = cataloguedScreenNamed(screen->objectName());
        shown && !shown->title.isEmpty()) {
        return shown->title;
    }
    return QStringLiteral("%1（%2）")
        .arg(SegmentOnScreen(context_.appDir, screen),
             ReadProfileString(ActiveSegmentProfilePath(context_.appDir), kConfigSection,
                               SegmentKey::Style));
}

bool OperatorConsole::triggerCurrent(ActionRole role) {
    QAction* action = screen_ ? findActionByRole(screen_->actions(), role) : nullptr;
    if (!action || !action->isEnabled()) {
        return false;
    }
    action->trigger();
    return true;
}

void OperatorConsole::launch(const QString& name) {
    if (context_.setupApplying->now() || (screen_ && screen_->inLayoutMode())) {
        return;
    }
    if (screen_ && screen_ != navigator_.mainScreen()) {
        screen_->close();  // a full-window screen brings the main screen back as it closes
    }
    if (!navigator_.mainScreen()) {
        navigator_.ShowMain();
    }
    if (FullScreenWindow* main = navigator_.mainScreen()) {
        if (auto* action = main->findChild<QAction*>(name)) {
            action->trigger();
        }
    }
}

void OperatorConsole::bindKeys() {
    // Space pauses a running clock and starts a standing one, whichever buttons the screen has.
    keyboard_->bind(Qt::Key_Space, [this] {
        if (QAction* action =
                screen_ ? findStartOrPause(screen_->actions(), screen_->clockRunning()) : nullptr) {
            action->trigger();
        }
    });
    // The left mouse button: the first side, or the next speech of a style without sides.
    keyboard_->bind(Qt::Key_Left, [this] {
        triggerCurrent(ActionRole::Left) || triggerCurrent(ActionRole::NextTurn);
    });
    keyboard_->bind(Qt::Key_Right, [this] { triggerCurrent(ActionRole::Right); });
    keyboard_->bind(Qt::Key_R, [this] { triggerCurrent(ActionRole::Reset); });
    for (int i = 0; i < 8; ++i) {
        keyboard_->bind(Qt::Key_1 + i, [this, i] { launch(QStringLiteral("Command4_%1").arg(i)); });
    }
    keyboard_->bind(Qt::Key_Escape, [this] {
        if (!triggerCurrent(ActionRole::Back) && screen_ && screen_ != navigator_.mainScreen() &&
            !screen_->inLayoutMode()) {
            // A screen without a way back of its own (the transition) leaves nothing on the
            // projector when it closes: the main screen comes back.
            screen_->close();
            navigator_.ShowMain();
        }
    });
}

void OperatorConsole::fillScreenChoice() {
    const QSignalBlocker quiet(projectorChoice_);
    projectorChoice_->clear();
    for (const QScreen* screen : QGuiApplication::screens()) {
        projectorChoice_->addItem(screen->name());
    }
    if (const QScreen* projector = navigator_.projectorScreen()) {
        projectorChoice_->setCurrentText(projector->name());
    }
}

void OperatorConsole::chooseProjector(int index) {
    WriteProfileString(AppPath(context_.appDir, kDisplayProfile), kConfigSection,
                       kProjectorScreenKey, projectorChoice_->itemText(index));
    // The audience screens first, then the console out of their way.
    for (FullScreenWindow* audience : {navigator_.mainScreen(), screen_.data()}) {
        if (audience && audience->isVisible()) {
            navigator_.placeAgain(audience);
        }
    }
    showWhenTwoScreens();
}

void OperatorConsole::showWhenTwoScreens() {
    QScreen* screen = navigator_.operatorScreen();
    if (!screen) {
        hide();
        return;
    }
    setScreen(screen);
    setGeometry(screen->availableGeometry());
    show();
}
