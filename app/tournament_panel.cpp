#include "tournament_panel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "foundation/widgets/widget_colours.h"
#include "tournament/tournament_link.h"
#include "tournament_settings_dialog.h"

namespace {

QPushButton* ConsoleButton(const QString& text, const char* name, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setFocusPolicy(Qt::NoFocus);  // the console's keys drive the clocks
    return button;
}

// A line of the notices, in the tab room's blue, with a button that closes it.
QWidget* NoticeRow(const QString& text, const char* name, QWidget* parent,
                   const std::function<void()>& close) {
    auto* row = new QWidget(parent);
    auto* line = new QHBoxLayout(row);
    line->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel(text, row);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);  // from the network: never markup
    label->setWordWrap(true);
    SetTextColour(label, QColor(0, 90, 200));
    QFont larger = label->font();
    larger.setPointSize(13);
    larger.setBold(true);
    label->setFont(larger);
    QPushButton* closer = ConsoleButton(QStringLiteral("关闭"), "TournamentNoticeClose", row);
    QObject::connect(closer, &QPushButton::clicked, row, close);
    line->addWidget(label, 1);
    line->addWidget(closer);
    return row;
}

}  // namespace

TournamentPanel::TournamentPanel(QString appDir, TournamentLink& link, QWidget* parent)
    : QGroupBox(QStringLiteral("赛事联网"), parent), appDir_(std::move(appDir)), link_(link) {
    setObjectName(QStringLiteral("TournamentPanel"));
    auto* row = new QHBoxLayout(this);
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("TournamentStatus"));
    status_->setTextFormat(Qt::PlainText);  // carries the broker's words
    status_->setWordWrap(true);
    row->addWidget(status_, 1);
    QPushButton* settings =
        ConsoleButton(QStringLiteral("赛事联网设置…"), "TournamentSettings", this);
    row->addWidget(settings);
    notices_ = new QWidget(this);  // placed by the console, which then owns it
    notices_->setObjectName(QStringLiteral("TournamentNotices"));
    auto* noticeColumn = new QVBoxLayout(notices_);
    noticeColumn->setContentsMargins(0, 0, 0, 0);

    connect(settings, &QPushButton::clicked, this, &TournamentPanel::openSettings);
    connect(&link_, &TournamentLink::statusChanged, this, &TournamentPanel::showStatus);
    connect(&link_, &TournamentLink::noticesChanged, this, &TournamentPanel::showNotices);
    showStatus();
    showNotices();
}

void TournamentPanel::openSettings() {
    auto* dialog = new TournamentSettingsDialog(appDir_, link_, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

void TournamentPanel::showStatus() {
    status_->setText(link_.status());
    SetTextColour(
        status_, link_.statusIsProblem() ? QColor(Qt::red) : palette().color(QPalette::WindowText));
}

// At most a few rows, whatever came: the list is the link's, drawn anew when it changes.
void TournamentPanel::showNotices() {
    for (QWidget* row : notices_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        row->setParent(nullptr);  // gone from the console at once, freed once idle
        row->deleteLater();
    }
    const NoticeList& list = link_.notices();
    if (list.folded() > 0) {
        notices_->layout()->addWidget(
            NoticeRow(QStringLiteral("另有 %1 条较早的通知已收起").arg(list.folded()),
                      "TournamentNoticesFolded", notices_, [this] { link_.clearFolded(); }));
    }
    for (const TournamentNotice& notice : list.shown()) {
        QString text = QStringLiteral("%1 %2：%3")
                           .arg(notice.received.toString(QStringLiteral("HH:mm")),
                                notice.forThisRoomOnly ? QStringLiteral("致本赛场")
                                                       : QStringLiteral("赛事通知"),
                                notice.text);
        if (notice.times > 1) {
            text += QStringLiteral("（共 %1 次）").arg(notice.times);
        }
        const quint64 id = notice.id;
        notices_->layout()->addWidget(NoticeRow(text, "TournamentNoticeText", notices_,
                                                [this, id] { link_.closeNotice(id); }));
    }
}
