#include "tournament_panel.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "foundation/paths.h"
#include "foundation/profile_store.h"
#include "foundation/tournament_profile.h"
#include "foundation/widgets/widget_colours.h"
#include "tournament/tournament_link.h"

TournamentPanel::TournamentPanel(QString appDir, TournamentLink& link, QWidget* parent)
    : QGroupBox(QStringLiteral("赛事联网"), parent), appDir_(std::move(appDir)), link_(link) {
    setObjectName(QStringLiteral("TournamentPanel"));
    // Two compact rows: the laptop's screen is shared with the clocks and the launch list.
    auto* grid = new QGridLayout(this);
    const auto field = [&](const QString& caption, int row, int column, const char* name) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QLatin1String(name));
        edit->setAccessibleName(caption);
        auto* label = new QLabel(caption + QStringLiteral("："), this);
        label->setBuddy(edit);
        grid->addWidget(label, row, column);
        grid->addWidget(edit, row, column + 1);
        return edit;
    };
    enabled_ = new QCheckBox(QStringLiteral("启用"), this);
    enabled_->setObjectName(QStringLiteral("TournamentEnabled"));
    grid->addWidget(enabled_, 0, 0);
    host_ = field(QStringLiteral("服务器"), 0, 1, "TournamentHost");
    port_ = field(QStringLiteral("端口"), 0, 3, "TournamentPort");
    port_->setMaximumWidth(70);
    tls_ = new QCheckBox(QStringLiteral("加密"), this);
    tls_->setObjectName(QStringLiteral("TournamentTls"));
    grid->addWidget(tls_, 0, 5);
    tournament_ = field(QStringLiteral("赛事"), 0, 6, "TournamentId");
    room_ = field(QStringLiteral("赛场"), 1, 1, "TournamentRoom");
    user_ = field(QStringLiteral("用户名"), 1, 3, "TournamentUser");
    password_ = field(QStringLiteral("口令"), 1, 6, "TournamentPassword");
    password_->setEchoMode(QLineEdit::Password);
    auto* apply = new QPushButton(QStringLiteral("保存并连接"), this);
    apply->setObjectName(QStringLiteral("TournamentConnect"));
    apply->setFocusPolicy(Qt::NoFocus);
    grid->addWidget(apply, 1, 8);
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("TournamentStatus"));
    grid->addWidget(status_, 0, 8);
    notices_ = new QWidget(this);  // placed by the console, which then owns it
    notices_->setObjectName(QStringLiteral("TournamentNotices"));
    auto* noticeColumn = new QVBoxLayout(notices_);
    noticeColumn->setContentsMargins(0, 0, 0, 0);

    connect(apply, &QPushButton::clicked, this, &TournamentPanel::saveAndConnect);
    connect(&link_, &TournamentLink::statusChanged, this, &TournamentPanel::showStatus);
    connect(&link_, &TournamentLink::noticeReceived, this, &TournamentPanel::addNotice);
    load();
    showStatus();
}

void TournamentPanel::load() {
    const QString profile = AppPath(appDir_, kTournamentProfile);
    const auto read = [&](const QString& key) {
        return ReadProfileString(profile, kConfigSection, key);
    };
    enabled_->setChecked(read(TournamentKey::Enabled) == QLatin1String("1"));
    host_->setText(read(TournamentKey::Host));
    port_->setText(read(TournamentKey::Port));
    tls_->setChecked(read(TournamentKey::Tls) == QLatin1String("1"));
    tournament_->setText(read(TournamentKey::Tournament));
    room_->setText(read(TournamentKey::Room));
    user_->setText(read(TournamentKey::User));
    password_->setText(read(TournamentKey::Password));
}

void TournamentPanel::saveAndConnect() {
    const QString profile = AppPath(appDir_, kTournamentProfile);
    const auto keep = [&](const QString& key, const QString& value) {
        WriteProfileString(profile, kConfigSection, key, value);
    };
    keep(TournamentKey::Enabled, enabled_->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
    keep(TournamentKey::Host, host_->text().trimmed());
    keep(TournamentKey::Port, port_->text().trimmed());
    keep(TournamentKey::Tls, tls_->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
    keep(TournamentKey::Tournament, tournament_->text().trimmed());
    keep(TournamentKey::Room, room_->text().trimmed());
    keep(TournamentKey::User, user_->text().trimmed());
    keep(TournamentKey::Password, password_->text());
    link_.applySettings();
}

void TournamentPanel::showStatus() {
    status_->setText(link_.status());
    SetTextColour(
        status_, link_.statusIsProblem() ? QColor(Qt::red) : palette().color(QPalette::WindowText));
}

void TournamentPanel::addNotice(const TournamentNotice& notice) {
    auto* row = new QWidget(notices_);
    row->setObjectName(QStringLiteral("TournamentNotice"));
    auto* line = new QHBoxLayout(row);
    line->setContentsMargins(0, 0, 0, 0);
    auto* text = new QLabel(
        QStringLiteral("%1 %2：%3")
            .arg(notice.received.toString(QStringLiteral("HH:mm")),
                 notice.forThisRoomOnly ? QStringLiteral("致本赛场") : QStringLiteral("赛事通知"),
                 notice.text),
        row);
    text->setObjectName(QStringLiteral("TournamentNoticeText"));
    text->setTextFormat(Qt::PlainText);  // from the network: never markup
    text->setWordWrap(true);
    SetTextColour(text, QColor(0, 90, 200));
    QFont larger = text->font();
    larger.setPointSize(13);
    larger.setBold(true);
    text->setFont(larger);
    auto* close = new QPushButton(QStringLiteral("关闭"), row);
    close->setObjectName(QStringLiteral("TournamentNoticeClose"));
    close->setFocusPolicy(Qt::NoFocus);
    connect(close, &QPushButton::clicked, row, &QObject::deleteLater);
    line->addWidget(text, 1);
    line->addWidget(close);
    notices_->layout()->addWidget(row);
}
