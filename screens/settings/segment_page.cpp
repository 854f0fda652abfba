#include "screens/settings/segment_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "foundation/foundation.h"
#include "foundation/platform/navigator.h"
#include "foundation/platform/screen_catalogue.h"
#include "foundation/widgets/controls.h"
#include "foundation/widgets/fonts.h"
#include "foundation/widgets/picture.h"
#include "foundation/widgets/single_text.h"
#include "foundation/widgets/twips.h"
#include "screens/settings/bell_points_dialog.h"
#include "screens/settings/colour_preview.h"
#include "screens/settings/picture_slot.h"
#include "screens/settings/settings_texts.h"
#include "screens/settings/sound_chooser.h"

namespace {

// ShowStyleFields: the fields each timing style lets the operator edit, by the digits of the
// styles ("Mode-1" is '1') in which the field is enabled. Fields not listed are not touched.
struct StyleFields {
    QStringList fields;
    QString enabledIn;
};
const StyleFields kStyleFields[] = {
    {{QStringLiteral("Text1")}, QStringLiteral("12345")},
    {{QStringLiteral("Text2"), QStringLiteral("Text3")}, QStringLiteral("1235")},
    {{QStringLiteral("Text6")}, QStringLiteral("12345")},
    {{QStringLiteral("Text9"), QStringLiteral("Text10")}, QStringLiteral("3")},
    {{QStringLiteral("Text4"), QStringLiteral("Text8"), QStringLiteral("Text11"),
      QStringLiteral("Text12")},
     QStringLiteral("4")},
    {{QStringLiteral("Text13")}, QStringLiteral("5")},
    {{QStringLiteral("C5")}, QStringLiteral("35")},
};

// Layout of the 12000 x 9000 twips page: captions end a fixed gap before their fields.
constexpr int kCaptionGap = 150;
constexpr int kRowHeight = 330;
constexpr int kTopRow = 1140;
constexpr int kFirstRow = 1680;
constexpr int kRowPitch = 450;
constexpr int kLeftCaption = 480;
constexpr int kLeftField = 2280;
constexpr int kRightCaption = 5280;
constexpr int kRightField = 7200;

constexpr int Row(int i) {
    return kFirstRow + i * kRowPitch;
}

// Captions, notes, frames and the illustration let the mouse through to the page background,
// so that moving between the two picture boxes ends the preview.
void PassMouseThrough(QWidget* widget) {
    widget->setAttribute(Qt::WA_TransparentForMouseEvents);
}

}  // namespace

Form3::Form3(const AppContext& context, QWidget* parent)
    : WizardWindow(context, screenObjectName(ScreenId::SegmentPage), parent),
      fontDialog_(context.platform->NewFontDialog(this)) {
    buildControls();

    connect(C1, &QComboBox::editTextChanged, this, &Form3::followSegment);
    connect(C1, &QComboBox::activated, this, &Form3::chooseSegment);
    connect(C2, &QComboBox::activated, this, &Form3::chooseStyle);
    connect(C6, &QComboBox::activated, this, &Form3::chooseClockFormat);
    connect(Ch1, &QCheckBox::clicked, this, &Form3::switchTransition);
    connect(Command1, &QPushButton::clicked, this, &Form3::save);
    connect(Command2, &QPushButton::clicked, this,
            [this] { this->context().navigator->Replace(this, ScreenId::MainBackgroundPage); });
    connect(Command3, &QPushButton::clicked, this,
            [this] { this->context().navigator->Replace(this, ScreenId::OtherSegmentsPage); });
    connect(Command5, &QPushButton::clicked, this, &WizardWindow::backToMain);
    connect(bellPointsButton, &QPushButton::clicked, this, &Form3::chooseBellPoints);

    // Opening: the frame has set the caption and runs its animation.
    Image2->load(AppPath(context.appDir, QStringLiteral("\\helpimg\\0.jpg")));
    // The theme, then the page's own picture over it whenever that one loads.
    loadTheme();
    picture()->load(AppPath(context.appDir, QStringLiteral("\\element\\theme1.jpg")));
    applyClockFormatRule(ReadProfileString(ClockFormatPresetPath(context.appDir), kConfigSection,
                                           SegmentKey::Format));
    followSegment();
}

Form3::~Form3() = default;

void Form3::buildControls() {
    using namespace SegmentPageText;

    QLabel* heading = nullptr;
    QFrame* line = nullptr;
    addHeading(Heading, heading, line, QStringLiteral("Heading"));
    heading->resize(PixelsFromTwips(6000), heading->height());
    const QStringList notes{SaveReminder, SecondsNote};
    for (int i = 0; i < notes.size(); ++i) {
        auto* note = new QLabel(notes[i], this);
        note->setObjectName(QStringLiteral("Note%1").arg(i + 1));
        PlaceInTwips(note, 6720, 240 + i * 270, 4800, 240);
        PassMouseThrough(note);
    }

    // Along the top: the segment, its style, the clock format.
    C1 = dropDown(QStringLiteral("C1"), Segments, 1140, kTopRow, 1800);
    C1->setEditText(SegmentPrompt);
    caption(QStringLiteral("环节"), C1, kLeftCaption, kTopRow, 1140);
    C2 = dropDown(QStringLiteral("C2"),
                  {QStringLiteral("Mode-1"), QStringLiteral("Mode-2"), QStringLiteral("Mode-3"),
                   QStringLiteral("Mode-4"), QStringLiteral("Mode-5")},
                  4320, kTopRow, 1500);
    caption(QStringLiteral("计时样式"), C2, 3300, kTopRow, 4320);
    C6 = dropDown(QStringLiteral("C6"), {MinutesSeconds, Seconds}, 7320, kTopRow, 1500);
    C6->setToolTip(QStringLiteral("该设置对每个计时环节均有效，建议使用\"*s\"格式"));
    caption(QStringLiteral("计时格式"), C6, 6300, kTopRow, 7320);

    // The common settings, left column: names, times and cues.
    Text1 = textBox(QStringLiteral("Text1"), kLeftField, Row(0), 2700);
    caption(QStringLiteral("该环节名称"), Text1, kLeftCaption, Row(0), kLeftField);
    Text2 = textBox(QStringLiteral("Text2"), kLeftField, Row(1), 2700);
    caption(QStringLiteral("环节限时"), Text2, kLeftCaption, Row(1), kLeftField);
    Text3 = textBox(QStringLiteral("Text3"), kLeftField, Row(2), 2700);
    caption(QStringLiteral("时间不足警告点"), Text3, kLeftCaption, Row(2), kLeftField);
    const struct {
        QString name;
        const CueSpec* cue;
        QString caption;
    } cues[] = {
        {QStringLiteral("C3"), &WarnCue, QStringLiteral("时间不足提示音")},
        {QStringLiteral("C4"), &TimeUpCue, QStringLiteral("时间到提示音")},
        {QStringLiteral("C5"), &OvertimeCue, QStringLiteral("超过限时时提示音")},
    };
    for (const auto& cue : cues) {
        auto* chooser = new SoundChooser(
            this, {cue.name, *cue.cue, QString(), kConfigSection, SettingsText::WaveFilter});
        chooser->setNoProfileMessage(SettingsText::NoSegment);
        const int row = Row(3 + int(cues_.size()));
        PlaceInTwips(chooser->box(), kLeftField, row, 2700, kRowHeight);
        caption(cue.caption, chooser->box(), kLeftCaption, row, kLeftField);
        cues_ << chooser;
    }
    C3 = cues_[0]->box();
    C4 = cues_[1]->box();
    C5 = cues_[2]->box();

    // Right column: font, colours, pictures.
    const int fontLefts[] = {kRightField, 8820, 9660, 10620};
    const int fontWidths[] = {1560, 780, 900, 900};
    for (int i = 0; i < 4; ++i) {
        QLineEdit* box =
            textBox(QStringLiteral("Text7_%1").arg(i), fontLefts[i], Row(0), fontWidths[i]);
        box->setReadOnly(true);
        box->installEventFilter(this);
        Text7 << box;
    }
    Text7[2]->setToolTip(FontToolTip);
    caption(QStringLiteral("倒计时字体"), Text7[0], kRightCaption, Row(0), kRightField);
    const auto colourPreview = [&](const QString& name, const QString& text, int row) {
        auto* preview = new ColourPreview(this, name, ColourToolTip);
        PlaceInTwips(preview, kRightField, Row(row), 1560, kRowHeight);
        caption(text, preview, kRightCaption, Row(row), kRightField);
        return preview;
    };
    Label1 = colourPreview(QStringLiteral("Label1"), QStringLiteral("倒计时字体颜色"), 1);
    Label3 = colourPreview(QStringLiteral("Label3"), QStringLiteral("时间不足时字体颜色"), 2);
    Label8 = colourPreview(QStringLiteral("Label8"), QStringLiteral("倒计时背景颜色"), 3);

    const auto pictureSlot = [&](PictureSlotSetup setup, const QString& text, int row) {
        setup.filter = SettingsText::PictureFilter;
        setup.missingText = SettingsText::NoPicture;
        setup.removedText = SettingsText::PictureRemoved;
        auto* slot = new PictureSlot(this, std::move(setup));
        slot->setNoProfileMessage(SettingsText::NoSegment);
        PlaceInTwips(slot->box(), kRightField, Row(row), 2400, kRowHeight);
        PlaceInTwips(slot->importButton(), 9720, Row(row), 840, kRowHeight);
        PlaceInTwips(slot->removeButton(), 10680, Row(row), 840, kRowHeight);
        caption(text, slot->box(), kRightCaption, Row(row), kRightField);
        return slot;
    };
    background_ =
        pictureSlot({QStringLiteral("Text6"),
                     QStringLiteral("Command8"),
                     QStringLiteral("Command7"),
                     {QString(), kConfigSection, SegmentKey::Picture, kClockPictureFolder},
                     {},
                     {},
                     {},
                     /*cancelClearsKey=*/true},
                    QStringLiteral("倒计时背景图片"), 4);
    Text6 = background_->box();
    Command8 = background_->importButton();
    Command7 = background_->removeButton();

    Ch1 = NewCheckBox(this, QStringLiteral("Ch1"), QStringLiteral("使用过场图片"));
    // Only as wide as its text: the page background lies between the two picture boxes.
    Ch1->move(PixelsFromTwips(kRightField), PixelsFromTwips(Row(5)));
    Ch1->resize(Ch1->sizeHint().width(), PixelsFromTwips(kRowHeight));

    transition_ = pictureSlot(
        {QStringLiteral("Text5"),
         QStringLiteral("Command6"),
         QStringLiteral("Command4"),
         {QString(), kConfigSection, SegmentKey::TransitionPicture, kTransitionPictureFolder},
         {},
         {},
         {},
         /*cancelClearsKey=*/false},
        QStringLiteral("过场图片"), 6);
    Text5 = transition_->box();
    Command6 = transition_->importButton();
    Command4 = transition_->removeButton();

    // The style groups stacked in the lower left, two fields a row; the illustration right.
    const auto group = [&](const QString& name, const QString& title, int top, int rows) {
        auto* frame = new QGroupBox(title, this);
        frame->setObjectName(name);
        PlaceInTwips(frame, 480, top, 6840, 300 + rows * 450);
        PassMouseThrough(frame);
        return frame;
    };
    const auto groupField = [&](const QString& name, const QString& text, int top, int column) {
        const int captionLeft = column == 0 ? 600 : 3840;
        const int fieldLeft = column == 0 ? 2640 : 5880;
        QLineEdit* box = textBox(name, fieldLeft, top, 960);
        caption(text, box, captionLeft, top, fieldLeft);
        return box;
    };
    Frame3 = group(QStringLiteral("Frame3"), QStringLiteral("对计时样式3的附加设置"), 4920, 1);
    Text9 = groupField(QStringLiteral("Text9"), QStringLiteral("提问方一次提问限时"), 5220, 0);
    Text10 = groupField(QStringLiteral("Text10"), QStringLiteral("回答方一次回答限时"), 5220, 1);
    Frame4 = group(QStringLiteral("Frame4"), QStringLiteral("对计时样式4的附加设置"), 5760, 2);
    Text4 = groupField(QStringLiteral("Text4"), QStringLiteral("提问方限时"), 6060, 0);
    Text8 = groupField(QStringLiteral("Text8"), QStringLiteral("回答方限时"), 6060, 1);
    Text11 = groupField(QStringLiteral("Text11"), QStringLiteral("提问方时间不足警告点"), 6510, 0);
    Text12 = groupField(QStringLiteral("Text12"), QStringLiteral("回答方时间不足警告点"), 6510, 1);
    Frame5 = group(QStringLiteral("Frame5"), QStringLiteral("对计时样式5的附加设置"), 7050, 1);
    Text13 = groupField(QStringLiteral("Text13"), QStringLiteral("双方每次发言限时"), 7350, 0);

    Image2 = new StretchedPicture(this);
    Image2->setObjectName(QStringLiteral("Image2"));
    PlaceInTwips(Image2, 7920, 4920, 3600, 2700);
    PassMouseThrough(Image2);

    Command1 = NewButton(this, QStringLiteral("Command1"), QStringLiteral("保存设置"));
    PlaceInTwips(Command1, 480, 8100, 1500, 480);
    Command2 = NewButton(this, QStringLiteral("Command2"), QStringLiteral("<<上一步"));
    PlaceInTwips(Command2, 6900, 8100, 1440, 480);
    Command3 = NewButton(this, QStringLiteral("Command3"), QStringLiteral("下一步>>"));
    PlaceInTwips(Command3, 8460, 8100, 1440, 480);
    Command5 = NewButton(this, QStringLiteral("Command5"), QStringLiteral("返回主界面"));
    PlaceInTwips(Command5, 10020, 8100, 1500, 480);
    bellPointsButton = NewButton(this, QStringLiteral("BellPointsButton"), BellDialogText::Button);
    PlaceInTwips(bellPointsButton, 2100, 8100, 1800, 480);

    // Tab goes down the left column, down the right one, through the groups, then the buttons.
    const QList<QWidget*> order{
        C1,
        C2,
        C6,
        Text1,
        Text2,
        Text3,
        C3,
        C4,
        C5,
        Text7[0],
        Text7[1],
        Text7[2],
        Text7[3],
        Text6,
        Command8,
        Command7,
        Ch1,
        Text5,
        Command6,
        Command4,
        Text9,
        Text10,
        Text4,
        Text8,
        Text11,
        Text12,
        Text13,
        Command1,
        bellPointsButton,
        Command2,
        Command3,
        Command5,
    };
    for (qsizetype i = 1; i < order.size(); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
}

QLabel* Form3::caption(const QString& text, QWidget* field, int left, int top, int fieldLeft) {
    return addCaption(text, field, left, top, fieldLeft - kCaptionGap - left, kRowHeight);
}

QLineEdit* Form3::textBox(const QString& name, int left, int top, int width) {
    QLineEdit* box = NewTextBox(this, name);
    PlaceInTwips(box, left, top, width, kRowHeight);
    return box;
}

QComboBox* Form3::dropDown(const QString& name, const QStringList& items, int left, int top,
                           int width) {
    auto* box = new QComboBox(this);
    box->setObjectName(name);
    // Typed text is kept as it is; only a choice from the list starts a handler.
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->addItems(items);
    box->setCurrentIndex(-1);
    PlaceInTwips(box, left, top, width, kRowHeight);
    return box;
}

QString Form3::segmentProfile() const {
    const qsizetype index = SegmentPageText::Segments.indexOf(C1->currentText());
    return index < 0 ? QString() : QStringLiteral("\\config\\tache\\%1.ini").arg(index + 1);
}

QString Form3::read(const QString& key) const {
    const QString profile = segmentProfile();
    return profile.isEmpty()
               ? QString()
               : ReadProfileString(AppPath(context().appDir, profile), kConfigSection, key);
}

void Form3::writeNow(const QString& key, const QString& value) {
    if (const QString profile = segmentProfile(); !profile.isEmpty()) {
        writeAtOnce(profile, kConfigSection, key, value);
    }
}

void Form3::chooseBellPoints() {
    if (segmentProfile().isEmpty()) {
        message(SettingsText::NoSegment);
        return;
    }
    auto* dialog = new BellPointsDialog(BellPointsFrom(read(SegmentKey::BellPoints)),
                                        read(SegmentKey::BellCueChoice) != CueChoice::None, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog] {
        writeNow(SegmentKey::BellPoints, BellPointsText(dialog->points()));
        // Only a muted bell is written: a segment that never chose keeps no key for it.
        if (!dialog->ringing() || !read(SegmentKey::BellCueChoice).isEmpty()) {
            writeNow(SegmentKey::BellCueChoice,
                     dialog->ringing() ? CueChoice::Default : CueChoice::None);
        }
    });
    dialog->open();
}

void Form3::followSegment() {
    const QString profile = segmentProfile();
    background_->setProfile(profile);
    transition_->setProfile(profile);
    for (SoundChooser* chooser : cues_) {
        chooser->setProfile(profile);
    }
}

void Form3::chooseSegment() {
    // Steps 1 and 8 (the cue boxes' colours) come with loading each cue box, steps 13 and 14
    // (the picture boxes' colours) with refreshing each picture box.
    const QString styleText = read(SegmentKey::Style);
    const std::optional<TimingStyle> style = TimingStyleOf(styleText);
    C2->setEditText(styleText);
    if (style) {
        ShowStyleFields(*style);
    }
    for (SoundChooser* chooser : cues_) {
        chooser->load();
    }
    applyClockFormatRule(read(SegmentKey::Format));

    const std::optional<double> transition = StrictNumber(read(SegmentKey::UseTransition));
    if (transition == 0.0 || transition == 1.0) {
        Ch1->setChecked(*transition == 1.0);
    }
    enableTransitionPicture();

    Text1->setText(read(SegmentKey::Name));
    Text2->setText(read(SegmentKey::Limit));
    Text3->setText(read(SegmentKey::WarnPoint));
    Label1->load(read(SegmentKey::ClockColour));
    Label3->load(read(SegmentKey::WarnColour));
    Label8->load(read(SegmentKey::BackColour));
    Text9->setText(read(SegmentKey::QuestionLimit));
    Text10->setText(read(SegmentKey::AnswerLimit));
    Text7[0]->setText(read(SegmentKey::FontFace));
    Text7[1]->setText(read(SegmentKey::FontSize));
    Text7[2]->setText(IsYesFlag(read(SegmentKey::Bold)) ? SegmentPageText::Bold : QString());
    Text7[3]->setText(IsYesFlag(read(SegmentKey::Italic)) ? SegmentPageText::Italic : QString());
    Text4->setText(read(SegmentKey::QuestionerLimit));
    Text8->setText(read(SegmentKey::AnswererLimit));
    Text11->setText(read(SegmentKey::QuestionerWarnPoint));
    Text12->setText(read(SegmentKey::AnswererWarnPoint));
    Text13->setText(read(SegmentKey::SpeechLimit));
    transition_->refresh();
    background_->refresh();
    if (style) {
        showIllustration(*style);
    }
}

void Form3::chooseStyle() {
    const QString style = C2->currentText();
    if (segmentProfile().isEmpty()) {
        message(SettingsText::NoSegment);
    } else {
        writeNow(SegmentKey::Style, style);
    }
    if (const std::optional<TimingStyle> chosen = TimingStyleOf(style)) {
        ShowStyleFields(*chosen);
        showIllustration(*chosen);
    }
}

void Form3::chooseClockFormat() {
    setClockFormatFromC6();
    writeNow(SegmentKey::Format, clockFormat_);
}

void Form3::switchTransition() {
    writeNow(SegmentKey::UseTransition, CheckedFlagText(Ch1->isChecked()));
    enableTransitionPicture();
}

void Form3::enableTransitionPicture() {
    transition_->setEnabled(Ch1->isChecked());
}

void Form3::applyClockFormatRule(const QString& stored) {
    const std::optional<double> number = StrictNumber(stored);
    if (number == 1.0) {
        C6->setEditText(SegmentPageText::MinutesSeconds);
    } else if (!number || *number == 2.0) {
        C6->setEditText(SegmentPageText::Seconds);
    }
}

void Form3::setClockFormatFromC6() {
    if (C6->currentText() == SegmentPageText::MinutesSeconds) {
        clockFormat_ = ClockFormat::MinutesSeconds;
    } else if (C6->currentText() == SegmentPageText::Seconds) {
        clockFormat_ = ClockFormat::Seconds;
    }
}

void Form3::ShowStyleFields(TimingStyle style) {
    const QChar digit = QChar(u'0' + int(style));
    for (const StyleFields& row : kStyleFields) {
        for (const QString& name : row.fields) {
            if (QWidget* field = findChild<QWidget*>(name)) {
                field->setEnabled(row.enabledIn.contains(digit));
            }
        }
    }
}

void Form3::showIllustration(TimingStyle style) {
    Image2->load(AppPath(context().appDir, QStringLiteral("\\helpimg\\%1.jpg").arg(int(style))));
}

bool Form3::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick &&
        Text7.contains(qobject_cast<QLineEdit*>(watched))) {
        chooseFont();
        return true;
    }
    return WizardWindow::eventFilter(watched, event);
}

void Form3::chooseFont() {
    // The dialog starts at the font the boxes show; cancelling it keeps the boxes.
    fontDialog_->font = FontChoice{
        Text7[0]->text(), float(PointSizeValue(Text7[1]->text()).value_or(0)),
        Text7[2]->text() == SegmentPageText::Bold, Text7[3]->text() == SegmentPageText::Italic};
    if (!fontDialog_->Show()) {
        return;
    }
    const FontChoice& chosen = fontDialog_->font;
    Text7[0]->setText(chosen.face);
    Text7[1]->setText(SingleText(chosen.size));
    Text7[2]->setText(chosen.bold ? SegmentPageText::Bold : QString());
    Text7[3]->setText(chosen.italic ? SegmentPageText::Italic : QString());
}

void Form3::save() {
    using namespace SegmentKey;
    const QString profile = segmentProfile();
    // Only the box's own prompt counts as no style; an empty style is asked about as it is.
    if (profile.isEmpty() || C2->currentText() == SegmentPageText::NoStyle) {
        message(SegmentPageText::NothingToSave, MessageIcon::Warning);
        return;
    }
    const QString question = QStringLiteral("是否保存") + C1->currentText() + QStringLiteral("（") +
                             C2->currentText() + QStringLiteral("）的设置？");
    const bool ok =
        context().platform->Messages().Ask(question, QStringLiteral("提示"), MessageIcon::Question);
    if (isVisible()) {
        activateWindow();
    }
    if (!ok) {
        return;
    }
    setClockFormatFromC6();
    ProfileSave save(AppPath(context().appDir, profile));
    const auto write = [&](const QString& key, const QString& value) {
        save.write(kConfigSection, key, value);
    };
    write(Format, clockFormat_);
    write(Name, Text1->text());
    write(Limit, Text2->text());
    write(WarnPoint, Text3->text());
    write(FontFace, Text7[0]->text());
    write(FontSize, Text7[1]->text());
    write(Bold,
          Text7[2]->text() == SegmentPageText::Bold ? QStringLiteral("Y") : QStringLiteral("N"));
    write(Italic,
          Text7[3]->text() == SegmentPageText::Italic ? QStringLiteral("Y") : QStringLiteral("N"));
    Label1->saveTo(save, kConfigSection, ClockColour);
    Label3->saveTo(save, kConfigSection, WarnColour);
    Label8->saveTo(save, kConfigSection, BackColour);
    write(QuestionLimit, Text9->text());
    write(AnswerLimit, Text10->text());
    write(Style, C2->currentText());
    write(QuestionerLimit, Text4->text());
    write(AnswererLimit, Text8->text());
    write(QuestionerWarnPoint, Text11->text());
    write(AnswererWarnPoint, Text12->text());
    write(SpeechLimit, Text13->text());
    reportSave(save);
}
