#pragma once
// The small dialog of page 4-3 that sets a segment's bells: the moments of remaining time at
// which a handbell rings, and how often it is struck each time.

#include <QDialog>
#include <QList>

#include "foundation/bell_points.h"

class QCheckBox;
class QListWidget;
class QSpinBox;

namespace BellDialogText {
inline const QString Title = QStringLiteral("附加提示点");
inline const QString Button = QStringLiteral("附加提示点…");
inline const QString Ringing = QStringLiteral("在以下剩余时间响铃");
inline const QString Add = QStringLiteral("添加");
inline const QString Remove = QStringLiteral("删除");
// "剩余 1分00秒，响铃 2 次"
QString Item(const BellPoint& point);
}  // namespace BellDialogText

class BellPointsDialog : public QDialog {
    Q_OBJECT
  public:
    BellPointsDialog(const QList<BellPoint>& points, bool ringing, QWidget* parent = nullptr);

    QList<BellPoint> points() const { return points_; }
    bool ringing() const;

    // The controls, for the keyboard and for tests.
    QListWidget* list;
    QSpinBox* minutes;
    QSpinBox* seconds;
    QSpinBox* rings;

  private:
    void add();
    void removeChosen();
    void showPoints();

    QCheckBox* ringing_;
    QList<BellPoint> points_;
};
