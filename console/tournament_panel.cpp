#include "console/tournament_panel.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

#include "console/tournament_settings_dialog.h"
#include "foundation/widgets/controls.h"
#include "foundation/widgets/widget_colours.h"
#include "tournament/tournament_link.h"

namespace {

// A small flat button: a notice row is one line of text high, so five fit on a laptop's console.
QToolButton* SmallButton(const QString& text, const char* name, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setText(text);
    button->setAccessibleName(text);
    button->setObjectName(QLatin1String(name));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

// A line of the notices, in the tab room's blue, with a button that closes it.
QWidget* NoticeRow(const QString& text, QWidget* parent, const std::function<void()>& close) {
    auto* row = new QWidget(parent);
    auto* line = new QHBoxLayout(row);
    line->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel(text, row);
    label->setObjectName(QStringLiteral("TournamentNoticeText"));
    label->setTextFormat(Qt::PlainText);  // from the network: never markup
    label->setWordWrap(true);
    SetTextColour(label, QColor(0, 90, 200));
    QFont larger = label->font();
    larger.setPointSize(11);
    larger.setBold(true);
    label->setFont(larger);
    QToolButton* closer = SmallButton(QStringLiteral("关闭"), "TournamentNoticeClose", row);
    closer->setMaximumHeight(QFontMetrics(larger).height());  // no taller than its line
    QObject::connect(closer, &QToolButton::clicked, row, close);
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
    // Beside the status, not over the clocks: the console's height is the notices' room.
    folded_ = new QLabel(this);
    folded_->setObjectName(QStringLiteral("TournamentNoticesFolded"));
    folded_->setTextFormat(Qt::PlainText);
    row->addWidget(folded_);
    clearFolded_ = SmallButton(QStringLiteral("清除"), "TournamentNoticesFoldedClear", this);
    row->addWidget(clearFolded_);
    // Takes no focus: the console's keys drive the clocks.
    QPushButton* settings =
        NewStripButton(this, QStringLiteral("TournamentSettings"), QStringLiteral("赛事联网设置…"));
    row->addWidget(settings);
    notices_ = new QWidget(this);  // placed by the console, which then owns it
    notices_->setObjectName(QStringLiteral("TournamentNotices"));
    auto* noticeColumn = new QVBoxLayout(notices_);
    noticeColumn->setContentsMargins(0, 0, 0, 0);
    noticeColumn->setSpacing(0);

    connect(settings, &QPushButton::clicked, this, &TournamentPanel::openSettings);
    connect(clearFolded_, &QToolButton::clicked, this, [this] { link_.clearFolded(); });
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
    folded_->setText(QStringLiteral("另有 %1 条较早的通知已收起").arg(list.folded()));
    folded_->setVisible(list.folded() > 0);
    clearFolded_->setVisible(list.folded() > 0);
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
        notices_->layout()->addWidget(
            NoticeRow(text, notices_, [this, id] { link_.closeNotice(id); }));
    }
}
