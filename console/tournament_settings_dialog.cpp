#include "console/tournament_settings_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "foundation/paths.h"
#include "foundation/widgets/widget_colours.h"
#include "tournament/tournament_link.h"

TournamentSettingsDialog::TournamentSettingsDialog(QString appDir, TournamentLink& link,
                                                   QWidget* parent)
    : QDialog(parent), appDir_(std::move(appDir)), link_(link) {
    setObjectName(QStringLiteral("TournamentSettingsDialog"));
    setWindowTitle(QStringLiteral("赛事联网设置"));
    stored_ = ReadTournamentSettings(AppPath(appDir_, kTournamentProfile));
    auto* column = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    column->addLayout(form);
    const auto field = [&](const QString& caption, const QString& value, const char* name) {
        auto* edit = new QLineEdit(value, this);
        edit->setObjectName(QLatin1String(name));
        edit->setAccessibleName(caption);
        form->addRow(caption + QStringLiteral("："), edit);
        return edit;
    };
    const auto box = [&](const QString& caption, bool checked, const char* name) {
        auto* check = new QCheckBox(caption, this);
        check->setObjectName(QLatin1String(name));
        check->setAccessibleName(caption);
        check->setChecked(checked);
        form->addRow(check);
        return check;
    };
    enabled_ = box(QStringLiteral("启用"), stored_.enabled, "TournamentEnabled");
    host_ = field(QStringLiteral("服务器"), stored_.host, "TournamentHost");
    port_ = field(QStringLiteral("端口"), stored_.port, "TournamentPort");
    port_->setPlaceholderText(QString::number(kDefaultBrokerPort));
    tls_ = box(QStringLiteral("加密"), stored_.tls, "TournamentTls");
    tournament_ = field(QStringLiteral("赛事"), stored_.tournament, "TournamentId");
    room_ = field(QStringLiteral("赛场"), stored_.room, "TournamentRoom");
    user_ = field(QStringLiteral("用户名"), stored_.user, "TournamentUser");
    user_->setPlaceholderText(QStringLiteral("与赛场相同"));
    password_ = field(QStringLiteral("口令"), stored_.password, "TournamentPassword");
    password_->setEchoMode(QLineEdit::Password);

    problem_ = new QLabel(this);
    problem_->setObjectName(QStringLiteral("TournamentSettingsProblem"));
    problem_->setTextFormat(Qt::PlainText);
    problem_->setWordWrap(true);
    problem_->hide();
    SetTextColour(problem_, Qt::red);
    column->addWidget(problem_);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* save =
        buttons->addButton(QStringLiteral("保存并连接"), QDialogButtonBox::AcceptRole);
    save->setObjectName(QStringLiteral("TournamentConnect"));
    save->setDefault(true);
    QPushButton* cancel = buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("TournamentCancel"));
    column->addWidget(buttons);
    connect(save, &QPushButton::clicked, this, &TournamentSettingsDialog::saveAndConnect);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    setMinimumWidth(420);
}

TournamentSettings TournamentSettingsDialog::typed() const {
    TournamentSettings settings = stored_;
    settings.enabled = enabled_->isChecked();
    settings.host = host_->text().trimmed();
    settings.port = port_->text().trimmed();
    settings.tls = tls_->isChecked();
    settings.tournament = tournament_->text().trimmed();
    settings.room = room_->text().trimmed();
    settings.user = user_->text().trimmed();
    settings.password = password_->text();
    return settings;
}

void TournamentSettingsDialog::saveAndConnect() {
    const TournamentSettings settings = typed();
    QString problem = settings.enabled ? RoomSettingsProblem(settings) : QString();
    if (problem.isEmpty()) {
        problem = WriteTournamentSettings(AppPath(appDir_, kTournamentProfile), settings);
    }
    problem_->setText(problem);
    problem_->setVisible(!problem.isEmpty());
    if (problem.isEmpty()) {
        link_.applySettings();
        accept();
    }
}
