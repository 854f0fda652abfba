#include "console/hall_panel.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "app/hall_service.h"
#include "foundation/widgets/widget_colours.h"
#include "hall/qr_code.h"

namespace {
constexpr int kCodeSide = 164;
}

HallPanel::HallPanel(HallService& service, QWidget* parent)
    : QGroupBox(QStringLiteral("局域网：手机、平板看时钟和遥控"), parent), service_(service) {
    auto* grid = new QGridLayout(this);
    enabled_ = new QCheckBox(QStringLiteral("开启"), this);
    enabled_->setObjectName(QStringLiteral("RemoteEnabled"));
    enabled_->setFocusPolicy(Qt::NoFocus);
    grid->addWidget(enabled_, 0, 0);
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("RemoteStatus"));
    grid->addWidget(status_, 0, 1);
    addresses_ = new QLabel(this);
    addresses_->setObjectName(QStringLiteral("RemoteAddress"));
    addresses_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    grid->addWidget(addresses_, 1, 0, 1, 2);
    newToken_ = new QPushButton(QStringLiteral("换新口令"), this);
    newToken_->setObjectName(QStringLiteral("RemoteNewToken"));
    newToken_->setFocusPolicy(Qt::NoFocus);
    newToken_->setToolTip(QStringLiteral("已打开的遥控页面随即失效，需重新扫码"));
    grid->addWidget(newToken_, 2, 0, Qt::AlignLeft);
    code_ = new QLabel(this);
    code_->setObjectName(QStringLiteral("RemoteQr"));
    code_->setFixedSize(kCodeSide, kCodeSide);
    code_->setAccessibleName(QStringLiteral("遥控页面地址的二维码"));
    grid->addWidget(code_, 0, 2, 3, 1);
    grid->setColumnStretch(1, 1);

    connect(enabled_, &QCheckBox::toggled, this, [this](bool on) {
        if (on != service_.isRunning()) {
            service_.setEnabled(on);
        }
    });
    connect(newToken_, &QPushButton::clicked, &service_, &HallService::newToken);
    connect(&service_, &HallService::changed, this, &HallPanel::refresh);
    refresh();
}

void HallPanel::refresh() {
    const bool running = service_.isRunning();
    {
        const QSignalBlocker quiet(enabled_);
        enabled_->setChecked(running);
    }
    // Off, the panel is one line, and the console keeps its room for the clocks.
    for (QWidget* detail : {static_cast<QWidget*>(addresses_), static_cast<QWidget*>(code_),
                            static_cast<QWidget*>(newToken_)}) {
        detail->setVisible(running);
    }
    if (!service_.problem().isEmpty()) {
        status_->setText(QStringLiteral("无法开启：") + service_.problem() +
                         QStringLiteral("。请在 config\\remote.ini 中换一个“端口”。"));
        SetTextColour(status_, Qt::red);
    } else {
        status_->setText(running
                             ? QStringLiteral("已开启，%1 个页面已连接").arg(service_.clientCount())
                             : QStringLiteral("未开启"));
        SetTextColour(status_, palette().color(QPalette::WindowText));
    }
    const QString remote = running ? service_.remoteAddress() : QString();
    if (remote == shownAddress_) {
        return;  // a client came or went: the addresses stay
    }
    shownAddress_ = remote;
    if (!running) {
        addresses_->clear();
        code_->clear();
        return;
    }
    addresses_->setText(QStringLiteral("时钟：%1\n遥控：%2").arg(service_.mirrorAddress(), remote));
    // Whole pixels per module, so every module is as wide as the next for the camera.
    const QImage code = QrCodeImage(remote);
    const int pixels = code.isNull() ? 1 : std::max(1, kCodeSide / code.width());
    code_->setPixmap(QPixmap::fromImage(code.scaled(code.size() * pixels)));
}
