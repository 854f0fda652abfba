#include "screens/settings/other_segments_page.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "foundation/foundation.h"
#include "foundation/platform/media_player.h"
#include "foundation/platform/navigator.h"
#include "foundation/platform/screen_catalogue.h"
#include "foundation/widgets/controls.h"
#include "foundation/widgets/twips.h"
#include "foundation/widgets/widget_colours.h"
#include "screens/settings/colour_preview.h"
#include "screens/settings/picture_slot.h"
#include "screens/settings/settings_texts.h"
#include "screens/settings/sound_chooser.h"

namespace {

// The page in twips: two columns of sections under the heading, the notes and the buttons
// below. The left column holds the two side segments and the ceremony, the right one the
// announcement, which has the most settings.
constexpr int kPageLeft = 480;
constexpr int kPageRight = 11520;
constexpr int kSectionsTop = 900;
constexpr int kSectionsBottom = 7800;
constexpr int kLeftColumnWidth = 4800;
constexpr int kRightColumnLeft = 5520;
constexpr int kSectionGap = 180;
constexpr int kSectionPadding = 120;  // left and right, inside a section
constexpr int kFirstRowOffset = 420;  // below a section's top edge, past its caption
constexpr int kRowHeight = 360;
constexpr int kLeftRowPitch = 560;
constexpr int kRightRowPitch = 640;
constexpr int kGap = 60;                  // between neighbours in a row
constexpr int kLeftCaptionWidth = 960;    // "环节名称："
constexpr int kLimitCaptionWidth = 1320;  // "倒序计时限时："
constexpr int kLimitWidth = 720;          // seconds: a few digits
constexpr int kRightCaptionWidth = 2220;  // "公布正方得分时背景图片："
constexpr int kImportWidth = 840;
constexpr int kRemoveWidth = 660;
constexpr int kColourWidth = 1020;
constexpr int kStopWidth = 420;
constexpr int kLoopWidth = 1200;

// The left column's three sections, one above the other, each with three rows.
constexpr int kLeftSectionHeight = (kSectionsBottom - kSectionsTop - 2 * kSectionGap) / 3;

int LeftSectionTop(int index) {
    return kSectionsTop + index * (kLeftSectionHeight + kSectionGap);
}

QGroupBox* NewSection(QWidget* page, const QString& name, const QString& caption) {
    auto* section = new QGroupBox(caption, page);
    section->setObjectName(name);
    // A light panel over the theme picture, so every caption reads on any theme; the mouse
    // goes through it to the page background, which ends a picture preview.
    QPalette palette = section->palette();
    QColor panel = palette.color(QPalette::Window);
    panel.setAlpha(225);
    palette.setColor(QPalette::Window, panel);
    section->setPalette(palette);
    section->setAutoFillBackground(true);
    section->setAttribute(Qt::WA_TransparentForMouseEvents);
    return section;
}

struct PictureRow {
    QString box;
    QString importButton;
    QString removeButton;
    StoredFileRef setting;
};

const PictureRow kAudienceQuestionPicture{QStringLiteral("Text3"),
                                          QStringLiteral("Command15"),
                                          QStringLiteral("Command7"),
                                          {kSideSegmentProfile, kAudienceQuestionSection,
                                           SideKey::Picture, kAudienceQuestionPictureFolder}};
const PictureRow kCommentaryPicture{
    QStringLiteral("Text5"),
    QStringLiteral("Command16"),
    QStringLiteral("Command8"),
    {kSideSegmentProfile, kCommentarySection, SideKey::Picture, kCommentaryPictureFolder}};
const PictureRow kCeremonyPicture{
    QStringLiteral("Text1"),
    QStringLiteral("Command21"),
    QStringLiteral("Command1"),
    {kCeremonyProfile, kConfigSection, CeremonyKey::Picture, kCeremonyPictureFolder}};

struct ResultPictureRow {
    PictureRow row;
    QString caption;
};

const ResultPictureRow kResultPictures[] = {
    {{QStringLiteral("Text8"),
      QStringLiteral("Command17"),
      QStringLiteral("Command9"),
      {kResultProfile, kConfigSection, ResultKey::Picture, kResultPictureFolder}},
     QStringLiteral("背景图片：")},
    {{QStringLiteral("Text10"),
      QStringLiteral("Command18"),
      QStringLiteral("Command13"),
      {kResultProfile, kConfigSection, ResultKey::AffirmativePicture, kResultPictureFolder}},
     QStringLiteral("公布正方得分时背景图片：")},
    {{QStringLiteral("Text11"),
      QStringLiteral("Command19"),
      QStringLiteral("Command14"),
      {kResultProfile, kConfigSection, ResultKey::NegativePicture, kResultPictureFolder}},
     QStringLiteral("公布反方得分时背景图片：")},
    {{QStringLiteral("Text9"),
      QStringLiteral("Command20"),
      QStringLiteral("Command12"),
      {kResultProfile, kConfigSection, ResultKey::WinnerPicture, kResultPictureFolder}},
     QStringLiteral("公布获胜方时背景图片：")},
};

struct EffectRow {
    QString box;
    const CueSpec* cue;
    QString caption;
};

const EffectRow kEffects[] = {
    {QStringLiteral("Cb2"), &AffirmativeScoreEffect, QStringLiteral("公布正方得分时音效：")},
    {QStringLiteral("Cb3"), &NegativeScoreEffect, QStringLiteral("公布反方得分时音效：")},
    {QStringLiteral("Cb4"), &WinnerEffect, QStringLiteral("公布获胜方时音效：")},
};

}  // namespace

Form10::Form10(const AppContext& context, QWidget* parent)
    : WizardWindow(context, screenObjectName(ScreenId::OtherSegmentsPage), parent),
      WP(context.platform->NewMediaPlayer(this)) {
    WP->setObjectName(QStringLiteral("WP"));
    buildControls();
    connectControls();
    open();
}

Form10::~Form10() = default;

void Form10::buildControls() {
    addHeading(OtherSegmentsText::Heading, Label1, Line1);

    // The sections first, so that their controls lie on top of them.
    Frame1 = NewSection(this, QStringLiteral("Frame1"), OtherSegmentsText::AudienceQuestions);
    PlaceInTwips(Frame1, kPageLeft, LeftSectionTop(0), kLeftColumnWidth, kLeftSectionHeight);
    Frame2 = NewSection(this, QStringLiteral("Frame2"), OtherSegmentsText::Commentary);
    PlaceInTwips(Frame2, kPageLeft, LeftSectionTop(1), kLeftColumnWidth, kLeftSectionHeight);
    Frame4 = NewSection(this, QStringLiteral("Frame4"), OtherSegmentsText::Ceremony);
    PlaceInTwips(Frame4, kPageLeft, LeftSectionTop(2), kLeftColumnWidth, kLeftSectionHeight);
    Frame3 = NewSection(this, QStringLiteral("Frame3"), OtherSegmentsText::Result);
    PlaceInTwips(Frame3, kRightColumnLeft, kSectionsTop, kPageRight - kRightColumnLeft,
                 kSectionsBottom - kSectionsTop);

    // Left column: caption, control, and on the right half a second caption and control.
    const int left = kPageLeft + kSectionPadding;
    const int right = kPageLeft + kLeftColumnWidth - kSectionPadding;
    const int boxLeft = left + kLeftCaptionWidth + kGap;
    const int secondBoxLeft = right - kColourWidth;
    const int secondCaptionLeft = secondBoxLeft - kGap - kLeftCaptionWidth;
    const auto leftRow = [](int section, int row) {
        return LeftSectionTop(section) + kFirstRowOffset + row * kLeftRowPitch;
    };
    // A picture's row: caption, path box, import and remove buttons up to `rowRight`.
    const auto pictureSlot = [this](const PictureRow& row, const QString& caption, int top,
                                    int captionLeft, int captionWidth, int rowRight) {
        auto* slot = new PictureSlot(this, {row.box, row.importButton, row.removeButton,
                                            row.setting, SettingsText::PictureFilter,
                                            SettingsText::NoPicture, SettingsText::PictureRemoved});
        const int removeLeft = rowRight - kRemoveWidth;
        const int importLeft = removeLeft - kGap - kImportWidth;
        const int boxLeft = captionLeft + captionWidth + kGap;
        PlaceInTwips(slot->box(), boxLeft, top, importLeft - kGap - boxLeft, kRowHeight);
        PlaceInTwips(slot->importButton(), importLeft, top, kImportWidth, kRowHeight);
        PlaceInTwips(slot->removeButton(), removeLeft, top, kRemoveWidth, kRowHeight);
        addCaption(caption, slot->box(), captionLeft, top, captionWidth, kRowHeight);
        return slot;
    };

    // The two side segments, alike.
    struct Side {
        int section;
        QString nameBox, showBox, countDownBox, limitBox, colour;
        QLineEdit** name;
        QCheckBox** show;
        QCheckBox** countDown;
        QLineEdit** limit;
        ColourPreview** preview;
        const PictureRow* picture;
    };
    const Side sides[] = {
        {0, QStringLiteral("Text2"), QStringLiteral("Check1"), QStringLiteral("Check3"),
         QStringLiteral("Text6"), QStringLiteral("Label2"), &Text2, &Check1, &Check3, &Text6,
         &Label2, &kAudienceQuestionPicture},
        {1, QStringLiteral("Text4"), QStringLiteral("Check2"), QStringLiteral("Check4"),
         QStringLiteral("Text7"), QStringLiteral("Label3"), &Text4, &Check2, &Check4, &Text7,
         &Label3, &kCommentaryPicture},
    };
    PictureSlot* sidePictures[2] = {};
    for (const Side& side : sides) {
        const int nameTop = leftRow(side.section, 0);
        *side.name = NewTextBox(this, side.nameBox);
        PlaceInTwips(*side.name, boxLeft, nameTop, secondCaptionLeft - kGap - boxLeft, kRowHeight);
        addCaption(QStringLiteral("环节名称："), *side.name, left, nameTop, kLeftCaptionWidth,
                   kRowHeight);
        *side.preview = new ColourPreview(this, side.colour, OtherSegmentsText::ColourToolTip);
        PlaceInTwips(*side.preview, secondBoxLeft, nameTop, kColourWidth, kRowHeight);
        addCaption(QStringLiteral("背景颜色："), *side.preview, secondCaptionLeft, nameTop,
                   kLeftCaptionWidth, kRowHeight);

        const int flagsTop = leftRow(side.section, 1);
        const int limitLeft = right - kLimitWidth;
        const int limitCaptionLeft = limitLeft - kGap - kLimitCaptionWidth;
        const int checkWidth = (limitCaptionLeft - kGap - left - kGap) / 2;
        *side.show = NewCheckBox(this, side.showBox, OtherSegmentsText::ShowClock);
        PlaceInTwips(*side.show, left, flagsTop, checkWidth, kRowHeight);
        *side.countDown = NewCheckBox(this, side.countDownBox, OtherSegmentsText::CountDown);
        PlaceInTwips(*side.countDown, left + checkWidth + kGap, flagsTop, checkWidth, kRowHeight);
        *side.limit = NewTextBox(this, side.limitBox);
        PlaceInTwips(*side.limit, limitLeft, flagsTop, kLimitWidth, kRowHeight);
        addCaption(QStringLiteral("倒序计时限时："), *side.limit, limitCaptionLeft, flagsTop,
                   kLimitCaptionWidth, kRowHeight);

        sidePictures[side.section] =
            pictureSlot(*side.picture, QStringLiteral("背景图片："), leftRow(side.section, 2), left,
                        kLeftCaptionWidth, right);
    }

    // The award ceremony.
    Label4 = new ColourPreview(this, QStringLiteral("Label4"), OtherSegmentsText::ColourToolTip);
    PlaceInTwips(Label4, boxLeft, leftRow(2, 0), kColourWidth, kRowHeight);
    addCaption(QStringLiteral("背景颜色："), Label4, left, leftRow(2, 0), kLeftCaptionWidth,
               kRowHeight);
    PictureSlot* ceremonyPicture = pictureSlot(kCeremonyPicture, QStringLiteral("背景图片："),
                                               leftRow(2, 1), left, kLeftCaptionWidth, right);
    const auto musicRow = [this](const QString& boxName, const MusicSource& music,
                                 const QString& stopName, const QString& loopName, int boxLeft,
                                 int right, int top, QCheckBox** loop, QPushButton** stop) {
        auto* chooser = new SoundChooser(
            this, {boxName, music.source, music.profile, kConfigSection, SettingsText::MusicFilter},
            WP);
        *stop = NewButton(this, stopName, SettingsText::StopButton);
        *loop = NewCheckBox(this, loopName, OtherSegmentsText::Loop);
        const int loopLeft = right - kLoopWidth;
        const int stopLeft = loopLeft - kGap - kStopWidth;
        PlaceInTwips(chooser->box(), boxLeft, top, stopLeft - kGap - boxLeft, kRowHeight);
        PlaceInTwips(*stop, stopLeft, top, kStopWidth, kRowHeight);
        PlaceInTwips(*loop, loopLeft, top, kLoopWidth, kRowHeight);
        return chooser;
    };
    SoundChooser* ceremonyMusic =
        musicRow(QStringLiteral("C1"), CeremonyMusic, QStringLiteral("Command5"),
                 QStringLiteral("Ch1"), boxLeft, right, leftRow(2, 2), &Ch1, &Command5);
    C1 = ceremonyMusic->box();
    addCaption(QStringLiteral("背景音乐："), C1, left, leftRow(2, 2), kLeftCaptionWidth,
               kRowHeight);

    // The result announcement, one setting a row.
    const int resultLeft = kRightColumnLeft + kSectionPadding;
    const int resultRight = kPageRight - kSectionPadding;
    const int resultBoxLeft = resultLeft + kRightCaptionWidth + kGap;
    const auto resultRow = [](int row) {
        return kSectionsTop + kFirstRowOffset + row * kRightRowPitch;
    };
    Label5 = new ColourPreview(this, QStringLiteral("Label5"), OtherSegmentsText::ColourToolTip);
    PlaceInTwips(Label5, resultBoxLeft, resultRow(0), kColourWidth, kRowHeight);
    addCaption(QStringLiteral("背景颜色："), Label5, resultLeft, resultRow(0), kRightCaptionWidth,
               kRowHeight);
    SoundChooser* resultMusic =
        musicRow(QStringLiteral("Cb1"), ResultMusic, QStringLiteral("Command10"),
                 QStringLiteral("Ch2"), resultBoxLeft, resultRight, resultRow(1), &Ch2, &Command10);
    Cb1 = resultMusic->box();
    addCaption(QStringLiteral("背景音乐："), Cb1, resultLeft, resultRow(1), kRightCaptionWidth,
               kRowHeight);
    QList<PictureSlot*> resultPictures;
    int row = 2;
    for (const ResultPictureRow& picture : kResultPictures) {
        PictureSlot* slot = pictureSlot(picture.row, picture.caption, resultRow(row), resultLeft,
                                        kRightCaptionWidth, resultRight);
        resultPictures << slot;
        ++row;
    }
    QList<SoundChooser*> effects;
    for (const EffectRow& effect : kEffects) {
        auto* chooser = new SoundChooser(this, {effect.box, *effect.cue, kResultProfile,
                                                kConfigSection, SettingsText::WaveFilter});
        PlaceInTwips(chooser->box(), resultBoxLeft, resultRow(row),
                     resultRight - kRemoveWidth - kGap - kImportWidth - kGap - resultBoxLeft,
                     kRowHeight);
        addCaption(effect.caption, chooser->box(), resultLeft, resultRow(row), kRightCaptionWidth,
                   kRowHeight);
        effects << chooser;
        ++row;
    }
    Command11 = NewButton(this, QStringLiteral("Command11"), QStringLiteral("更多设置..."));
    PlaceInTwips(Command11, resultBoxLeft, resultRow(row), 1500, kRowHeight);
    addCaption(QStringLiteral("标签字体与位置："), Command11, resultLeft, resultRow(row),
               kRightCaptionWidth, kRowHeight);

    Text3 = sidePictures[0]->box();
    Text5 = sidePictures[1]->box();
    Text8 = resultPictures[0]->box();
    Text10 = resultPictures[1]->box();
    Text11 = resultPictures[2]->box();
    Text9 = resultPictures[3]->box();
    Text1 = ceremonyPicture->box();
    pictures_ = {sidePictures[0], sidePictures[1]};
    pictures_ += resultPictures;
    pictures_ << ceremonyPicture;
    Cb2 = effects[0]->box();
    Cb3 = effects[1]->box();
    Cb4 = effects[2]->box();
    sounds_ = {resultMusic, effects[0], effects[1], effects[2], ceremonyMusic};
    // The design text of the announcement's boxes, until the stored choice replaces it.
    for (QComboBox* box : {Cb1, Cb2, Cb3, Cb4}) {
        box->setEditText(OtherSegmentsText::ChooseMusic);
    }

    // The notes and the buttons along the bottom.
    Label6 = new QLabel(OtherSegmentsText::SaveNote, this);
    Label6->setObjectName(QStringLiteral("Label6"));
    PlaceInTwips(Label6, kPageLeft, 7980, kLeftColumnWidth, 300);
    Label7 = new QLabel(OtherSegmentsText::SecondsNote, this);
    Label7->setObjectName(QStringLiteral("Label7"));
    PlaceInTwips(Label7, kPageLeft, 8310, kLeftColumnWidth, 300);
    const auto bottomButton = [this](const QString& name, const QString& caption, int index) {
        constexpr int kWidth = 1350;
        constexpr int kPitch = 1530;
        QPushButton* button = NewButton(this, name, caption);
        PlaceInTwips(button, kPageRight - kWidth - (3 - index) * kPitch, 8100, kWidth, 480);
        return button;
    };
    Command3 = bottomButton(QStringLiteral("Command3"), QStringLiteral("保存设置"), 0);
    Command4 = bottomButton(QStringLiteral("Command4"), QStringLiteral("<<上一步"), 1);
    Command6 = bottomButton(QStringLiteral("Command6"), QStringLiteral("下一步>>"), 2);
    Command2 = bottomButton(QStringLiteral("Command2"), QStringLiteral("返回主界面"), 3);
    Command6->setEnabled(false);
}

void Form10::connectControls() {
    connect(Check1, &QCheckBox::clicked, this,
            [this] { showClockClicked(Check1, Check3, Text6, kAudienceQuestionSection); });
    connect(Check2, &QCheckBox::clicked, this,
            [this] { showClockClicked(Check2, Check4, Text7, kCommentarySection); });
    connect(Check3, &QCheckBox::clicked, this,
            [this] { countDownClicked(Check3, Text6, kAudienceQuestionSection); });
    connect(Check4, &QCheckBox::clicked, this,
            [this] { countDownClicked(Check4, Text7, kCommentarySection); });
    connect(Ch1, &QCheckBox::clicked, this, [this] { loopClicked(Ch1, CeremonyMusic.profile); });
    connect(Ch2, &QCheckBox::clicked, this, [this] { loopClicked(Ch2, ResultMusic.profile); });
    connect(Command10, &QPushButton::clicked, WP, &MediaPlayer::close);
    connect(Command5, &QPushButton::clicked, WP, &MediaPlayer::close);
    connect(Command3, &QPushButton::clicked, this, &Form10::save);
    connect(Command11, &QPushButton::clicked, this, &Form10::designLayout);
    connect(Command4, &QPushButton::clicked, this,
            [this] { this->context().navigator->Replace(this, ScreenId::SegmentPage); });
    connect(Command2, &QPushButton::clicked, this, &WizardWindow::backToMain);
}

void Form10::open() {
    // The frame has set the caption; then the theme.
    loadTheme();
    for (PictureSlot* slot : pictures_) {
        slot->refresh();
    }

    const QString appDir = context().appDir;
    const QString side = AppPath(appDir, kSideSegmentProfile);
    const QString ceremony = AppPath(appDir, kCeremonyProfile);
    const QString result = AppPath(appDir, kResultProfile);
    const auto readSide = [&](const QString& section, const QString& key) {
        return ReadProfileString(side, section, key);
    };
    Label4->load(ReadProfileString(ceremony, kConfigSection, CeremonyKey::BackColour));
    Label2->load(readSide(kAudienceQuestionSection, SideKey::BackColour));
    Label3->load(readSide(kCommentarySection, SideKey::BackColour));
    Label5->load(ReadProfileString(result, kConfigSection, ResultKey::BackColour));

    Text2->setText(readSide(kAudienceQuestionSection, SideKey::Name));
    Text4->setText(readSide(kCommentarySection, SideKey::Name));
    Text6->setText(readSide(kAudienceQuestionSection, SideKey::Limit));
    Text7->setText(readSide(kCommentarySection, SideKey::Limit));

    Check1->setChecked(IsCheckedFlag(readSide(kAudienceQuestionSection, SideKey::ShowClock)));
    Check3->setChecked(IsCheckedFlag(readSide(kAudienceQuestionSection, SideKey::CountDown)));
    Check2->setChecked(IsCheckedFlag(readSide(kCommentarySection, SideKey::ShowClock)));
    Check4->setChecked(IsCheckedFlag(readSide(kCommentarySection, SideKey::CountDown)));

    // In this order: a checked countdown enables its limit even when the clock is hidden.
    if (!Check1->isChecked()) {
        Check3->setEnabled(false);
        Text6->setEnabled(false);
    }
    if (!Check2->isChecked()) {
        Check4->setEnabled(false);
        Text7->setEnabled(false);
    }
    Text6->setEnabled(Check3->isChecked());
    Text7->setEnabled(Check4->isChecked());

    Ch2->setChecked(IsCheckedFlag(ReadProfileString(result, kConfigSection, kLoopKey)));
    for (SoundChooser* sound : sounds_.mid(0, 4)) {
        sound->load();
    }
    Ch1->setChecked(IsCheckedFlag(ReadProfileString(ceremony, kConfigSection, kLoopKey)));
    sounds_[4]->load();
    // Nothing plays on opening.
}

void Form10::closeEvent(QCloseEvent* event) {
    // A music preview ends with the page.
    WP->close();
    WizardWindow::closeEvent(event);
}

void Form10::showClockClicked(QCheckBox* show, QCheckBox* countDown, QLineEdit* limit,
                              const QString& section) {
    const bool checked = show->isChecked();
    countDown->setEnabled(checked);
    limit->setEnabled(checked);
    writeAtOnce(kSideSegmentProfile, section, SideKey::ShowClock, CheckedFlagText(checked));
}

void Form10::countDownClicked(QCheckBox* countDown, QLineEdit* limit, const QString& section) {
    const bool checked = countDown->isChecked();
    writeAtOnce(kSideSegmentProfile, section, SideKey::CountDown, CheckedFlagText(checked));
    limit->setEnabled(checked);
}

void Form10::loopClicked(QCheckBox* loop, const QString& profile) {
    writeAtOnce(profile, kConfigSection, kLoopKey, CheckedFlagText(loop->isChecked()));
}

void Form10::save() {
    const QString appDir = context().appDir;
    const QString side = AppPath(appDir, kSideSegmentProfile);
    const QString ceremony = AppPath(appDir, kCeremonyProfile);
    const QString result = AppPath(appDir, kResultProfile);
    ProfileSave save;
    Label4->saveTo(save, kConfigSection, CeremonyKey::BackColour, ceremony);
    save.writeTo(side, kAudienceQuestionSection, SideKey::Name, Text2->text());
    Label2->saveTo(save, kAudienceQuestionSection, SideKey::BackColour, side);
    Label3->saveTo(save, kCommentarySection, SideKey::BackColour, side);
    save.writeTo(side, kCommentarySection, SideKey::Name, Text4->text());
    save.writeTo(side, kAudienceQuestionSection, SideKey::Limit, Text6->text());
    save.writeTo(side, kCommentarySection, SideKey::Limit, Text7->text());
    Label5->saveTo(save, kConfigSection, ResultKey::BackColour, result);
    reportSave(save);
}

void Form10::designLayout() {
    // Without "On" the announcement would open to announce, music and all: stay here instead
    // (the page has said why the write failed).
    if (!writeAtOnce(kResultProfile, kConfigSection, ResultKey::DesignMode, DesignMode::On)) {
        return;
    }
    context().navigator->Replace(this, ScreenId::Announcement);
}
