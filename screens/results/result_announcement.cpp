#include "screens/results/result_announcement.h"

#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>

#include "foundation/foundation.h"
#include "foundation/platform/colours.h"
#include "foundation/platform/navigator.h"
#include "foundation/platform/screen_catalogue.h"
#include "foundation/program.h"
#include "foundation/widgets/back_to_main.h"
#include "foundation/widgets/controls.h"
#include "foundation/widgets/fonts.h"
#include "foundation/widgets/layout.h"
#include "foundation/widgets/picture.h"
#include "foundation/widgets/reveal_strip.h"
#include "foundation/widgets/single_text.h"
#include "foundation/widgets/twips.h"
#include "foundation/widgets/widget_colours.h"
#include "screens/results/announcement_label.h"
#include "screens/results/profile_music.h"

namespace {

const QString kChooseObject = QStringLiteral("请选择设置对象");

QFont DesignFont(qreal points, bool bold = false) {
    QFont font(QStringLiteral("宋体"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QPushButton* NewButton(QWidget* parent, const QString& name, const QString& caption, QRect twips) {
    QPushButton* button = NewStripButton(parent, name, caption);
    PlaceInTwips(button, twips.x(), twips.y(), twips.width(), twips.height());
    return button;
}

// A frame holding the list of the four label objects, as the layout controls show them.
QComboBox* NewObjectList(QGroupBox* frame, const QString& name) {
    auto* list = new QComboBox(frame);
    list->setObjectName(name);
    for (const LabelObject& object : LabelObjects()) {
        list->addItem(object.prefix);
    }
    list->setPlaceholderText(kChooseObject);
    list->setCurrentIndex(-1);
    PlaceInTwips(list, 120, 240, 1575, 300);
    return list;
}

}  // namespace

Form11::Form11(const AppContext& context, QWidget* parent)
    : FullScreenWindow(QSize(11895, 8535), parent),
      context_(context),
      backToMain_(new BackToMain(this, context.navigator)),
      cg1_(context.platform->NewFontDialog(this)),
      cg2_(context.platform->NewColourDialog(this)) {
    setObjectName(screenObjectName(ScreenId::Announcement));
    buildControls();
    music_ = new ProfileMusic(context_, this, ResultMusic);
    connectControls();
    open();
}

Form11::~Form11() = default;

void Form11::buildControls() {
    const auto label = [this](const QString& name, const QString& placeholder, QRect twips,
                              const QFont& font, bool wraps) {
        auto* shown = new AnnouncementLabel(name, placeholder, this);
        PlaceInTwips(shown, twips.x(), twips.y(), twips.width(), twips.height());
        shown->setFont(font);
        shown->setWordWrap(wraps);
        return shown;
    };
    L1 = label(QStringLiteral("L1"), QStringLiteral("正、反（获胜）方"),
               QRect(0, 1320, 11895, 1485), DesignFont(48), false);
    L2 = label(QStringLiteral("L2"), QStringLiteral("双方代表队名称"), QRect(0, 2880, 11805, 1680),
               DesignFont(42), true);
    L3 = label(QStringLiteral("L3"), QStringLiteral("999.999分"), QRect(0, 5040, 11895, 1815),
               DesignFont(72, true), false);
    L4 = label(QStringLiteral("L4"), QStringLiteral("获胜方名称"), QRect(0, 3960, 11865, 1440),
               DesignFont(36), true);

    Command2 = NewButton(this, QStringLiteral("Command2"), QStringLiteral("正方得分"),
                         QRect(3240, 8040, 1095, 375));
    Command3 = NewButton(this, QStringLiteral("Command3"), QStringLiteral("反方得分"),
                         QRect(4560, 8040, 1095, 375));
    Command4 = NewButton(this, QStringLiteral("Command4"), QStringLiteral("获胜方"),
                         QRect(5880, 8040, 1095, 375));
    Command1 = NewButton(this, QStringLiteral("Command1"), QStringLiteral("返回主界面"),
                         QRect(7200, 8040, 1095, 375));
    Command5 = NewButton(this, QStringLiteral("Command5"), QStringLiteral("▲"),
                         QRect(8880, 8040, 375, 375));
    Command6 = NewButton(this, QStringLiteral("Command6"), QStringLiteral("■"),
                         QRect(9240, 8040, 375, 375));
    HS1 = SetUpVolumeBar(new QScrollBar(Qt::Horizontal, this), QStringLiteral("HS1"));
    PlaceInTwips(HS1, 9720, 8040, 1935, 255);

    Frame1 = NewStripFrame(this, QStringLiteral("Frame1"), QStringLiteral("字体设置"));
    PlaceInTwips(Frame1, 480, 6720, 1815, 615);
    C1 = NewObjectList(Frame1, QStringLiteral("C1"));
    Frame2 = NewStripFrame(this, QStringLiteral("Frame2"), QStringLiteral("字体颜色设置"));
    PlaceInTwips(Frame2, 480, 7440, 1815, 615);
    C2 = NewObjectList(Frame2, QStringLiteral("C2"));
    Command7 = NewButton(this, QStringLiteral("Command7"), QStringLiteral("返回设置界面"),
                         QRect(2400, 7200, 1215, 375));
    // The steps and the music for the console; the layout itself stays with the mouse.
    for (QPushButton* button : {Command2, Command3, Command4, Command1, Command5, Command6}) {
        publish(button, button == Command1 ? ActionRole::Back : ActionRole::None);
    }
    PlaceInTwips(picture(), 0, 0, 11895, 8535);
}

void Form11::connectControls() {
    connect(Command2, &QPushButton::clicked, this, [this] {
        announceScore({ResultKey::AffirmativePicture, QStringLiteral("正方"), affirmativeTeam_,
                       affirmativeScore_, &AffirmativeScoreEffect});
    });
    connect(Command3, &QPushButton::clicked, this, [this] {
        announceScore({ResultKey::NegativePicture, QStringLiteral("反方"), negativeTeam_,
                       negativeScore_, &NegativeScoreEffect});
    });
    connect(Command4, &QPushButton::clicked, this, &Form11::announceWinner);
    connect(Command1, &QPushButton::clicked, backToMain_, &BackToMain::now);
    connect(Command5, &QPushButton::clicked, music_, &ProfileMusic::play);
    connect(Command6, &QPushButton::clicked, music_, &ProfileMusic::stop);
    connect(HS1, &QScrollBar::valueChanged, music_, &ProfileMusic::changeVolume);
    for (AnnouncementLabel* label : labels()) {
        connect(label, &AnnouncementLabel::released, this, [this, label] { storePosition(label); });
    }
    connect(C1, &QComboBox::activated, this, &Form11::chooseFont);
    connect(C2, &QComboBox::activated, this, &Form11::chooseColour);
    connect(Command7, &QPushButton::clicked, this, &Form11::backToSettings);

    auto* strip = new RevealStrip(this, RevealStrip::Edge::Bottom, Command1);
    for (QWidget* control : this->strip()) {
        strip->addControl(control);
    }
    strip->watch(picture());
}

QList<AnnouncementLabel*> Form11::labels() const {
    return {L1, L2, L3, L4};
}

QList<QWidget*> Form11::strip() const {
    return {Command1, Command2, Command3, Command4, Command5, Command6, HS1};
}

QString Form11::profile() const {
    return AppPath(context_.appDir, kResultProfile);
}

void Form11::open() {
    const QString& appDir = context_.appDir;
    for (AnnouncementLabel* label : labels()) {
        label->hide();
    }
    rememberLayout();
    for (QWidget* control : strip()) {
        control->hide();
    }
    const QString info = AppPath(appDir, kDebateInfoProfile);
    affirmativeTeam_ = ReadProfileString(info, kDebateInfoSection, DebateKey::AffirmativeTeam);
    negativeTeam_ = ReadProfileString(info, kDebateInfoSection, DebateKey::NegativeTeam);
    showPicture(ResultKey::Picture);
    affirmativeScore_ = ReadProfileString(profile(), kScoreSection, ResultKey::AffirmativeScore);
    negativeScore_ = ReadProfileString(profile(), kScoreSection, ResultKey::NegativeScore);
    if (const std::optional<int> volume = music_->storedVolume()) {
        HS1->setValue(*volume);  // a change writes the same value back, as any change does
    }
    designMode_ = ReadProfileString(profile(), kConfigSection, ResultKey::DesignMode);
    loadLabelFonts();
    if (designMode_ == DesignMode::On) {
        for (AnnouncementLabel* label : labels()) {
            label->show();
        }
        for (QWidget* control : strip()) {
            control->setEnabled(false);
        }
    }
    if (designMode_ == DesignMode::Off) {
        for (QWidget* control : QList<QWidget*>{C1, C2, Frame1, Frame2, Command7}) {
            control->hide();
        }
    } else {
        publish(Command7, ActionRole::Back);  // the console's way out of layout mode too
    }
    music_->applyVolume(HS1->value());
}

void Form11::loadLabelFonts() {
    for (const LabelObject& object : LabelObjects()) {
        QWidget* label = findChild<QWidget*>(object.label);
        const auto read = [this](const QString& key) {
            return ReadProfileString(profile(), kLabelFontSection, key);
        };
        QFont font = label->font();
        if (const QString face = read(object.faceKey()); FontFaceAvailable(face)) {
            font.setFamily(face);
        }
        if (const std::optional<qreal> size = PointSizeValue(read(object.sizeKey()))) {
            font.setPointSizeF(*size);
        }
        if (const std::optional<bool> bold = FontFlagValue(read(object.boldKey()))) {
            font.setBold(*bold);
        }
        if (const std::optional<bool> italic = FontFlagValue(read(object.italicKey()))) {
            font.setItalic(*italic);
        }
        label->setFont(font);
        if (const std::optional<quint32> colour = ReadColourValue(read(object.colourKey()))) {
            SetTextColour(label, ColourFromValue(*colour));
        }
    }
}

void Form11::announceScore(const Side& side) {
    showPicture(side.pictureKey);
    L1->show();
    L2->show();
    L3->show();
    L4->hide();
    L1->setText(side.caption);
    L2->setText(side.team);
    L3->setText(side.score + QStringLiteral("分"));
    placeLabels();
    playEffect(*side.effect);
}

void Form11::announceWinner() {
    winner_ = DecideWinner(affirmativeScore_, negativeScore_, affirmativeTeam_, negativeTeam_);
    WriteProfileString(profile(), kConfigSection, ResultKey::Winner, winner_);
    showPicture(ResultKey::WinnerPicture);
    L4->setText(winner_);
    L1->setText(QStringLiteral("获胜方"));
    L3->hide();
    L2->hide();
    L4->show();
    placeLabels();
    playEffect(WinnerEffect);
}

void Form11::placeLabels() {
    for (const LabelObject& object : LabelObjects()) {
        const auto read = [this](const QString& key) {
            return StrictNumber(ReadProfileString(profile(), kLabelPositionSection, key));
        };
        MoveToDesignPosition(findChild<QWidget*>(object.label), read(object.leftKey()),
                             read(object.topKey()));
    }
}

void Form11::showPicture(const QString& key) {
    // A picture that cannot be loaded keeps the one on show.
    picture()->load(StoredFilePath(context_.appDir, kResultPictureFolder,
                                   ReadProfileString(profile(), kConfigSection, key)));
}

void Form11::playEffect(const CueSpec& effect) {
    context_.platform->Wave().PlayWave(ResolveCuePath(context_.appDir, profile(), effect));
}

void Form11::storePosition(AnnouncementLabel* label) {
    const QPointF at = DesignPosition(label);
    MoveToDesignPosition(label, at.x(), at.y());  // a later resize keeps it where it was left
    for (const LabelObject& object : LabelObjects()) {
        if (object.label == label->objectName()) {
            WriteProfileString(profile(), kLabelPositionSection, object.writtenLeftKey(),
                               SingleText(float(at.x())));
            WriteProfileString(profile(), kLabelPositionSection, object.writtenTopKey(),
                               SingleText(float(at.y())));
        }
    }
}

AnnouncementLabel* Form11::labelOf(const QString& objectText) const {
    for (const LabelObject& object : LabelObjects()) {
        if (object.prefix == objectText) {
            return findChild<AnnouncementLabel*>(object.label);
        }
    }
    return nullptr;
}

void Form11::chooseFont() {
    // Not set up from the label: the dialog starts from its own last answer, and its answer
    // counts whether confirmed or not. A dialog that never had an answer gives nothing.
    cg1_->Show();
    const FontChoice chosen = cg1_->font;
    AnnouncementLabel* label = labelOf(C1->currentText());
    if (chosen.face.isEmpty() || !label) {
        return;
    }
    QFont font = label->font();
    font.setFamily(chosen.face);
    if (chosen.size > 0) {
        font.setPointSizeF(chosen.size);
    }
    font.setBold(chosen.bold);
    font.setItalic(chosen.italic);
    label->setFont(font);
    const LabelObject& object = LabelObjects()[std::size_t(C1->currentIndex())];
    WriteProfileString(profile(), kLabelFontSection, object.faceKey(), chosen.face);
    WriteProfileString(profile(), kLabelFontSection, object.sizeKey(), SingleText(chosen.size));
    WriteProfileString(profile(), kLabelFontSection, object.boldKey(), FontFlagText(chosen.bold));
    WriteProfileString(profile(), kLabelFontSection, object.italicKey(),
                       FontFlagText(chosen.italic));
}

void Form11::chooseColour() {
    // Cancelled, the dialog gives its last colour (black the first time), which is taken.
    cg2_->Show();
    const quint32 colour = cg2_->colour;
    AnnouncementLabel* label = labelOf(C2->currentText());
    if (!label) {
        return;
    }
    SetTextColour(label, ColourFromValue(colour));
    WriteProfileString(profile(), kLabelFontSection,
                       LabelObjects()[std::size_t(C2->currentIndex())].colourKey(),
                       QString::number(colour));
}

bool Form11::inLayoutMode() const {
    return designMode_ == DesignMode::On;
}

void Form11::backToSettings() {
    // Left "On", the next announcement would open for layout again: stay until it takes.
    if (QString whyNot; !WriteProfileString(profile(), kConfigSection, ResultKey::DesignMode,
                                            DesignMode::Off, &whyNot)) {
        context_.platform->Messages().Show(QStringLiteral("设置未能保存：") + whyNot, kProgramTitle,
                                           MessageIcon::Critical);
        return;
    }
    // Back to the settings page that opened layout mode, which the main screen stays behind.
    backToMain_->release();
    context_.navigator->Replace(this, ScreenId::OtherSegmentsPage);
}
