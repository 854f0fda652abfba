#include "screens/settings/wizard_window.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QTimer>

#include "foundation/program.h"
#include "foundation/settings_profiles.h"
#include "foundation/widgets/picture.h"
#include "foundation/widgets/title_reveal.h"
#include "foundation/widgets/twips.h"

WizardWindow::WizardWindow(const AppContext& context, const QString& objectName, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      context_(context),
      image1_(new StretchedPicture(this)),
      timer1_(new QTimer(this)) {
    setObjectName(objectName);
    setWindowTitle(kProgramTitle);
    setFont(QFont(QStringLiteral("宋体"), 9));
    const QSize design = DesignClientTwips();
    setFixedSize(SizeFromTwips(design.width(), design.height()));
    if (const QScreen* display = QGuiApplication::primaryScreen()) {
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(),
                                        display->availableGeometry()));
    }
    image1_->setObjectName(QStringLiteral("Image1"));
    image1_->setGeometry(rect());
    image1_->lower();
    image1_->load(QStringLiteral(":/settings/wizard.jpg"));

    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer1_->setInterval(500);
    connect(timer1_, &QTimer::timeout, this, [this] { TitleReveal(this); });
    timer1_->start();
}

void WizardWindow::loadTheme() {
    image1_->load(StoredThemePicture(context_.appDir));
}
