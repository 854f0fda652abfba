#include "screens/settings/bell_points_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "foundation/clock_format.h"
#include "foundation/segment_profile.h"

namespace {

QSpinBox* NumberBox(const QString& name, const QString& accessible, int most, int value) {
    auto* box = new QSpinBox;
    box->setObjectName(name);
    box->setAccessibleName(accessible);
    box->setRange(0, most);
    box->setValue(value);
    return box;
}

}  // namespace

QString BellDialogText::Item(const BellPoint& point) {
    return QStringLiteral("剩余 %1，响铃 %2 次")
        .arg(FormatClock(qint16(point.remaining), ClockFormat::MinutesSeconds))
        .arg(point.rings);
}

BellPointsDialog::BellPointsDialog(const QList<BellPoint>& points, bool ringing, QWidget* parent)
    : QDialog(parent), points_(points) {
    setWindowTitle(BellDialogText::Title);
    ringing_ = new QCheckBox(BellDialogText::Ringing);
    ringing_->setObjectName(QStringLiteral("Ringing"));
    ringing_->setChecked(ringing);
    list = new QListWidget;
    list->setObjectName(QStringLiteral("Points"));
    list->setAccessibleName(BellDialogText::Title);
    minutes = NumberBox(QStringLiteral("Minutes"), QStringLiteral("分"), 545, 1);
    seconds = NumberBox(QStringLiteral("Seconds"), QStringLiteral("秒"), 59, 0);
    rings = NumberBox(QStringLiteral("Rings"), QStringLiteral("响铃次数"), kMostBellRings, 1);
    rings->setMinimum(1);
    auto* add = new QPushButton(BellDialogText::Add);
    add->setObjectName(QStringLiteral("Add"));
    auto* remove = new QPushButton(BellDialogText::Remove);
    remove->setObjectName(QStringLiteral("Remove"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);

    auto* entry = new QHBoxLayout;
    entry->addWidget(new QLabel(QStringLiteral("剩余")));
    entry->addWidget(minutes);
    entry->addWidget(new QLabel(QStringLiteral("分")));
    entry->addWidget(seconds);
    entry->addWidget(new QLabel(QStringLiteral("秒时，响铃")));
    entry->addWidget(rings);
    entry->addWidget(new QLabel(QStringLiteral("次")));
    entry->addWidget(add);
    auto* page = new QVBoxLayout(this);
    page->addWidget(ringing_);
    page->addWidget(list);
    page->addLayout(entry);
    page->addWidget(remove, 0, Qt::AlignLeft);
    page->addWidget(buttons);

    connect(add, &QPushButton::clicked, this, &BellPointsDialog::add);
    connect(remove, &QPushButton::clicked, this, &BellPointsDialog::removeChosen);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    showPoints();
}

bool BellPointsDialog::ringing() const {
    return ringing_->isChecked();
}

void BellPointsDialog::add() {
    // Through the stored form, so the dialog keeps exactly the rules a profile is read by; the
    // new point comes first, so it replaces one at the same moment.
    QList<BellPoint> more{{minutes->value() * 60 + seconds->value(), rings->value()}};
    more += points_;
    points_ = BellPointsFrom(BellPointsText(more));
    showPoints();
}

void BellPointsDialog::removeChosen() {
    const int row = list->currentRow();
    if (row >= 0 && row < points_.size()) {
        points_.removeAt(row);
        showPoints();
    }
}

void BellPointsDialog::showPoints() {
    list->clear();
    for (const BellPoint& point : points_) {
        list->addItem(BellDialogText::Item(point));
    }
}
