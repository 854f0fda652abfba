#include "screens/startup/splash_screen.h"

#include <QCloseEvent>
#include <QLabel>
#include <QTimer>

#include "foundation/platform/navigator.h"
#include "foundation/program.h"
#include "foundation/widgets/captioned_window.h"
#include "foundation/widgets/twips.h"
#include "foundation/widgets/widget_colours.h"
#include "foundation/widgets/window_opacity.h"

namespace {

constexpr int kFadeInStep = 7;
constexpr int kFadeOutStep = 14;
constexpr int kSecondsShown = 3;

QString VersionText() {
    return QStringLiteral("版本：%1.%2.%3")
        .arg(kVersionMajor)
        .arg(kVersionMinor)
        .arg(kVersionPatch);
}

}  // namespace

Form1::Form1(AppContext& context, QWidget* parent)
    : QWidget(parent, Qt::FramelessWindowHint | Qt::SplashScreen), context_(context) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(kProgramTitle);
    setFixedSize(SizeFromTwips(8085, 3405));

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(QPixmap(QStringLiteral(":/startup/splash.jpg")));
    Image1->setScaledContents(true);
    Image1->setGeometry(rect());
    CentreOnScreen(this);

    Label1 = new QLabel(QStringLiteral("版本信息"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont font(QStringLiteral("宋体"));
    font.setPointSizeF(15.75);
    font.setBold(true);
    Label1->setFont(font);
    SetTextColour(Label1, Qt::red);
    PlaceInTwips(Label1, 1800, 2040, 4455, 495);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(15);
    connect(Timer1, &QTimer::timeout, this, &Form1::onTimer1);
    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->setInterval(1000);
    connect(Timer2, &QTimer::timeout, this, &Form1::onTimer2);

    // Loading.
    Timer2->stop();
    Label1->setText(VersionText());
    SetWindowOpacity(this, 0);
    fadingIn_ = true;
    Timer1->start();
}

void Form1::onTimer1() {
    if (fadingIn_) {
        opacity_ = static_cast<qint16>(opacity_ + kFadeInStep);
        if (opacity_ >= 255) {
            opacity_ = 255;
            Timer1->stop();
            Timer2->start();
        }
        SetWindowOpacity(this, opacity_);
        if (opacity_ == 255) {
            // Nothing moves for three seconds: the time to ready the music for later screens.
            context_.platform->WarmUpMedia();
        }
        return;
    }
    opacity_ = static_cast<qint16>(opacity_ - kFadeOutStep);
    if (opacity_ > 0) {
        SetWindowOpacity(this, opacity_);
        return;
    }
    opacity_ = 0;
    Timer1->stop();
    mayClose_ = true;
    context_.navigator->ShowMain();
    close();
}

void Form1::onTimer2() {
    if (++secondsShown_ == kSecondsShown) {
        Timer2->stop();
        close();
    }
}

void Form1::closeEvent(QCloseEvent* event) {
    if (mayClose_) {
        event->accept();
        return;
    }
    event->ignore();
    fadingIn_ = false;
    Timer1->start();
}
