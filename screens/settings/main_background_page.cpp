#include "screens/settings/main_background_page.h"

#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "foundation/foundation.h"
#include "foundation/platform/navigator.h"
#include "foundation/platform/screen_catalogue.h"
#include "foundation/widgets/controls.h"
#include "foundation/widgets/twips.h"
#include "screens/settings/colour_preview.h"
#include "screens/settings/picture_slot.h"
#include "screens/settings/settings_texts.h"

namespace {

constexpr int kRowHeight = 330;
constexpr int kButtonWidth = 900;

}  // namespace

Form7::Form7(const AppContext& context, QWidget* parent)
    : WizardWindow(context, screenObjectName(ScreenId::MainBackgroundPage), parent) {
    buildControls();
    connect(Label2, &ColourPreview::chosen, this, [this](quint32 colour) {
        writeAtOnce(kMainProfile, kConfigSection, MainKey::BackColour, QString::number(colour));
    });
    connect(background_, &PictureSlot::removed, this,
            [this] { this->context().navigator->ClearMainPicture(); });
    connect(Command9, &QPushButton::clicked, this, &Form7::saveNames);
    connect(Command10, &QPushButton::clicked, this,
            [this] { this->context().navigator->Replace(this, ScreenId::BasicInfoPage); });
    connect(Command13, &QPushButton::clicked, this,
            [this] { this->context().navigator->Replace(this, ScreenId::SegmentPage); });
    connect(Command11, &QPushButton::clicked, this, &WizardWindow::backToMain);

    loadTheme();
    fill();
}

Form7::~Form7() = default;

void Form7::buildControls() {
    addHeading(MainBackgroundText::Heading, Label1, Line1);

    // The background: colour and picture side by side.
    Frame1 = new QGroupBox(QStringLiteral("主界面背景设置"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    PlaceInTwips(Frame1, 480, 1080, 11040, 1080);
    Label2 = new ColourPreview(this, QStringLiteral("Label2"), QStringLiteral("双击此处更改颜色"));
    PlaceInTwips(Label2, 1740, 1560, 1200, kRowHeight);
    addCaption(QStringLiteral("背景颜色"), Label2, 600, 1560, 1020, kRowHeight);
    background_ =
        new PictureSlot(this, {QStringLiteral("Text6"),
                               QStringLiteral("Command4"),
                               QStringLiteral("Command12"),
                               {kMainProfile, kConfigSection, MainKey::Picture, kMainPictureFolder},
                               SettingsText::PictureFilter,
                               SettingsText::NoPicture,
                               MainBackgroundText::PictureRemoved});
    Text6 = background_->box();
    Command4 = background_->importButton();
    Command12 = background_->removeButton();
    addCaption(QStringLiteral("背景图片"), Text6, 3240, 1560, 1020, kRowHeight);
    PlaceInTwips(Text6, 4380, 1560, 4740, kRowHeight);
    PlaceInTwips(Command4, 9240, 1530, kButtonWidth, 390);
    PlaceInTwips(Command12, 10260, 1530, kButtonWidth, 390);

    // The presentations, one row each: caption, file, import, remove.
    Frame2 = new QGroupBox(
        QStringLiteral("演示文件导入（操作系统上需安装LibreOffice中的Impress）组件"), this);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    PlaceInTwips(Frame2, 480, 2340, 11040, 2340);
    const QString nameBoxes[] = {QStringLiteral("Text1"), QStringLiteral("Text2"),
                                 QStringLiteral("Text3")};
    const QString fileBoxes[] = {QStringLiteral("Text9"), QStringLiteral("Text10"),
                                 QStringLiteral("Text11")};
    const QString imports[] = {QStringLiteral("Command1"), QStringLiteral("Command2"),
                               QStringLiteral("Command3")};
    const QString removes[] = {QStringLiteral("Command5"), QStringLiteral("Command6"),
                               QStringLiteral("Command7")};
    for (int k = 1; k <= kPresentationCount; ++k) {
        const int top = 2400 + k * 540;
        QLineEdit* name = NewTextBox(this, nameBoxes[k - 1]);
        PlaceInTwips(name, 2160, top, 2400, kRowHeight);
        addCaption(QStringLiteral("自定义环节名称"), name, 600, top, 1440, kRowHeight);
        auto* slot = new PictureSlot(this, {fileBoxes[k - 1],
                                            imports[k - 1],
                                            removes[k - 1],
                                            {kPresentationProfile, kConfigSection,
                                             PresentationFileKey(k), kPresentationFolder},
                                            MainBackgroundText::PresentationFilter,
                                            MainBackgroundText::NoPresentation,
                                            MainBackgroundText::PresentationRemoved,
                                            /*cancelClearsKey=*/true,
                                            /*previews=*/false});
        addCaption(QStringLiteral("演示文件"), slot->box(), 4680, top, 900, kRowHeight);
        PlaceInTwips(slot->box(), 5700, top, 3420, kRowHeight);
        PlaceInTwips(slot->importButton(), 9240, top - 30, kButtonWidth, 390);
        PlaceInTwips(slot->removeButton(), 10260, top - 30, kButtonWidth, 390);
        names << name;
        files << slot->box();
        presentations_ << slot;
    }

    Text5 = new QPlainTextEdit(MainBackgroundText::Help.join(QLatin1Char('\n')), this);
    Text5->setObjectName(QStringLiteral("Text5"));
    Text5->setReadOnly(true);
    Text5->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Text5->setFocusPolicy(Qt::NoFocus);
    PlaceInTwips(Text5, 480, 4860, 11040, 2760);

    Command10 = NewButton(this, QStringLiteral("Command10"), QStringLiteral("<<上一步"));
    PlaceInTwips(Command10, 1740, 8100, 1440, 480);
    Command9 = NewButton(this, QStringLiteral("Command9"), QStringLiteral("保存设置"));
    PlaceInTwips(Command9, 5340, 8100, 1500, 480);
    Command13 = NewButton(this, QStringLiteral("Command13"), QStringLiteral("下一步>>"));
    PlaceInTwips(Command13, 8460, 8100, 1440, 480);
    Command11 = NewButton(this, QStringLiteral("Command11"), QStringLiteral("返回主界面"));
    PlaceInTwips(Command11, 10020, 8100, 1500, 480);

    QList<QWidget*> order{Command4, Command12};
    for (int i = 0; i < kPresentationCount; ++i) {
        order << names[i] << presentations_[i]->importButton() << presentations_[i]->removeButton();
    }
    order << Command10 << Command9 << Command13 << Command11;
    for (qsizetype i = 1; i < order.size(); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
}

void Form7::fill() {
    const QString ppt = AppPath(context().appDir, kPresentationProfile);
    for (int k = 1; k <= kPresentationCount; ++k) {
        names[k - 1]->setText(ReadProfileString(ppt, kConfigSection, PresentationCaptionKey(k)));
        presentations_[k - 1]->refresh();
    }
    Label2->load(ReadProfileString(AppPath(context().appDir, kMainProfile), kConfigSection,
                                   MainKey::BackColour));
    background_->refresh();
}

bool Form7::event(QEvent* event) {
    // The names are what the operator types here, so the keyboard starts there.
    if (event->type() == QEvent::WindowActivate) {
        names.first()->setFocus();
    }
    return WizardWindow::event(event);
}

void Form7::saveNames() {
    ProfileSave save(AppPath(context().appDir, kPresentationProfile));
    for (int k = 1; k <= kPresentationCount; ++k) {
        save.write(kConfigSection, PresentationCaptionKey(k), names[k - 1]->text());
    }
    reportSave(save);
}
