#include "console/time_record_panel.h"

#include <QDate>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "foundation/clock_format.h"
#include "foundation/debate_profiles.h"
#include "foundation/file_names.h"
#include "foundation/paths.h"
#include "foundation/platform/dialogs.h"
#include "foundation/profile_store.h"
#include "foundation/segment_profile.h"
#include "foundation/widgets/widget_colours.h"
#include "timing/segment_journal.h"

namespace {

const QStringList kHeadings = {QStringLiteral("环节"), QStringLiteral("方/角色"),
                               QStringLiteral("限时"), QStringLiteral("用时"),
                               QStringLiteral("超时"), QStringLiteral("开始")};

QString Duration(int seconds) {
    return FormatClock(qint16(std::min(seconds, 32767)), ClockFormat::MinutesSeconds);
}

QString DebateName(const AppContext& context) {
    return ReadProfileString(AppPath(context.appDir, kDebateInfoProfile), kDebateInfoSection,
                             DebateKey::Competition);
}

}  // namespace

TimeRecordPanel::TimeRecordPanel(const AppContext& context, SegmentJournal& journal,
                                 QWidget* parent)
    : QGroupBox(QStringLiteral("用时记录"), parent), context_(context) {
    setObjectName(QStringLiteral("TimeRecord"));
    auto* column = new QVBoxLayout(this);
    table_ = new QTableWidget(0, int(kHeadings.size()), this);
    table_->setObjectName(QStringLiteral("TimeRecordTable"));
    table_->setAccessibleName(QStringLiteral("用时记录"));
    table_->setHorizontalHeaderLabels(kHeadings);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionMode(QAbstractItemView::NoSelection);
    table_->setFocusPolicy(Qt::NoFocus);
    column->addWidget(table_, 1);
    auto* row = new QHBoxLayout;
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("TimeRecordStatus"));
    status_->setWordWrap(true);
    row->addWidget(status_, 1);
    export_ = new QPushButton(QStringLiteral("导出…"), this);
    export_->setObjectName(QStringLiteral("ExportTimeRecord"));
    export_->setFocusPolicy(Qt::NoFocus);
    row->addWidget(export_);
    column->addLayout(row);

    connect(export_, &QPushButton::clicked, this, &TimeRecordPanel::exportTurns);
    connect(&journal, &SegmentJournal::turnRecorded, this, &TimeRecordPanel::reload);
    connect(&journal, &SegmentJournal::recordProblemChanged, this, &TimeRecordPanel::showProblem);
    reload();
}

void TimeRecordPanel::reload() {
    QFile file(TimeRecordPath(context_.appDir, QDate::currentDate()));
    const QList<TurnRecord> all =
        file.open(QIODevice::ReadOnly) ? TimeRecordRows(file.readAll()) : QList<TurnRecord>();
    const QString debate = DebateName(context_);
    turns_.clear();
    for (const TurnRecord& turn : all) {
        if (turn.debate == debate) {
            turns_ << turn;
        }
    }
    table_->setRowCount(int(turns_.size()));
    for (int i = 0; i < turns_.size(); ++i) {
        const TurnRecord& turn = turns_[i];
        const QStringList cells = {
            turn.segment ? QStringLiteral("%1 %2").arg(turn.segment).arg(turn.segmentName)
                         : turn.segmentName,
            turn.role + (turn.interrupted ? QStringLiteral("（中断）") : QString()),
            turn.limit > 0 ? Duration(turn.limit) : QString(),
            Duration(turn.used),
            turn.over > 0 ? Duration(turn.over) : QString(),
            turn.start.toString(QStringLiteral("HH:mm:ss"))};
        for (int c = 0; c < cells.size(); ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            if (turn.over > 0) {
                item->setForeground(Qt::red);
            }
            table_->setItem(i, c, item);
        }
    }
    table_->scrollToBottom();
    export_->setEnabled(!turns_.isEmpty());
}

void TimeRecordPanel::exportTurns() {
    const std::unique_ptr<SaveFileDialog> dialog = context_.platform->NewSaveFileDialog(this);
    dialog->title = QStringLiteral("导出用时记录");
    dialog->filter = QStringLiteral("用时记录 (*.csv)|*.csv");
    dialog->fileName = SafeFileName(DebateName(context_) + QStringLiteral("用时记录.csv"));
    if (!dialog->Show()) {
        return;
    }
    QString path = dialog->fileName;
    if (!path.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive)) {
        path += QStringLiteral(".csv");
    }
    const QString whyNot = SaveTimeRecord(path, turns_);
    status_->setText(whyNot.isEmpty() ? QStringLiteral("已导出：") + path
                                      : QStringLiteral("用时记录无法导出：") + whyNot);
    SetTextColour(status_, whyNot.isEmpty() ? QColor(Qt::darkGreen) : QColor(Qt::red));
}

void TimeRecordPanel::showProblem(const QString& problem) {
    status_->setText(problem.isEmpty() ? QString()
                                       : QStringLiteral("用时记录无法保存：") + problem);
    SetTextColour(status_, Qt::red);
}
