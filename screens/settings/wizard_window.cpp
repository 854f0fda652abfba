#include "screens/settings/wizard_window.h"

#include <QLabel>

#include "foundation/paths.h"
#include "foundation/platform/navigator.h"
#include "foundation/profile_store.h"
#include "foundation/program.h"
#include "foundation/settings_profiles.h"
#include "foundation/widgets/controls.h"
#include "foundation/widgets/picture.h"
#include "foundation/widgets/twips.h"
#include "screens/settings/picture_preview.h"
#include "screens/settings/settings_texts.h"

WizardWindow::WizardWindow(const AppContext& context, const QString& objectName, QWidget* parent)
    : CaptionedWindow(DesignClientTwips(), {}, parent),
      context_(context),
      image1_(new StretchedPicture(this)),
      preview_(new PicturePreview(context, this)) {
    setObjectName(objectName);
    image1_->setObjectName(QStringLiteral("Image1"));
    image1_->setGeometry(rect());
    image1_->lower();
    image1_->load(QStringLiteral(":/settings/wizard.jpg"));
    // The mouse crosses the page background between two path boxes, which ends a preview.
    image1_->setMouseTracking(true);
    connect(image1_, &StretchedPicture::mouseMoved, preview_, &PicturePreview::ClosePicturePreview);
}

void WizardWindow::addHeading(const QString& text, QLabel*& heading, QFrame*& line1,
                              const QString& headingName) {
    heading = new QLabel(text, this);
    heading->setObjectName(headingName);
    QFont font = this->font();
    font.setPointSizeF(15.75);
    font.setBold(true);
    heading->setFont(font);
    PlaceInTwips(heading, 480, 240, 11040, 480);
    line1 = NewLine(this, QStringLiteral("Line1"));
    PlaceInTwips(line1, 480, 780, 11040, kTwipsPerPixel);
    heading->setAttribute(Qt::WA_TransparentForMouseEvents);
    line1->setAttribute(Qt::WA_TransparentForMouseEvents);
}

QLabel* WizardWindow::addCaption(const QString& text, QWidget* buddy, int left, int top, int width,
                                 int height) {
    auto* caption = new QLabel(text, this);
    caption->setObjectName(buddy->objectName() + QStringLiteral("Caption"));
    caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    caption->setBuddy(buddy);
    caption->setAttribute(Qt::WA_TransparentForMouseEvents);
    PlaceInTwips(caption, left, top, width, height);
    return caption;
}

void WizardWindow::backToMain() {
    context_.navigator->ShowMain();
    close();
}

void WizardWindow::loadTheme() {
    image1_->load(StoredThemePicture(context_.appDir));
}

void WizardWindow::hideEvent(QHideEvent* event) {
    preview_->ClosePicturePreview();
    CaptionedWindow::hideEvent(event);
}

void WizardWindow::message(const QString& text, MessageIcon icon) {
    context_.platform->Messages().Show(text, kProgramTitle, icon);
    // Without a window manager that hands the keyboard back, the operator's next keys would
    // go nowhere once the box has closed.
    if (isVisible()) {
        activateWindow();
    }
}

bool WizardWindow::writeAtOnce(const QString& profile, const QString& section, const QString& key,
                               const QString& value) {
    QString whyNot;
    if (WriteProfileString(AppPath(context_.appDir, profile), section, key, value, &whyNot)) {
        return true;
    }
    message(SettingsText::NotSaved + whyNot, MessageIcon::Critical);
    return false;
}

void WizardWindow::reportSave(const ProfileSave& save) {
    // The operator must not leave believing a setting was kept when it was not.
    if (!save.succeeded()) {
        message(SettingsText::NotSaved + save.reasons(), MessageIcon::Critical);
        return;
    }
    message(SettingsText::Saved);
}
