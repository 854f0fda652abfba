#include "screens/settings/wizard_window.h"

#include "foundation/settings_profiles.h"
#include "foundation/widgets/picture.h"

WizardWindow::WizardWindow(const AppContext& context, const QString& objectName, QWidget* parent)
    : CaptionedWindow(DesignClientTwips(), {}, parent),
      context_(context),
      image1_(new StretchedPicture(this)) {
    setObjectName(objectName);
    image1_->setObjectName(QStringLiteral("Image1"));
    image1_->setGeometry(rect());
    image1_->lower();
    image1_->load(QStringLiteral(":/settings/wizard.jpg"));
}

void WizardWindow::loadTheme() {
    image1_->load(StoredThemePicture(context_.appDir));
}
