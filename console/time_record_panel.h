#pragma once
// The console's view of the time record: this debate's turns of today, over-time rows in red,
// an export of them as a spreadsheet file, and, once, why the record cannot be kept.

#include <QGroupBox>
#include <QList>

#include "foundation/platform/platform.h"
#include "timing/time_record.h"

class QLabel;
class QPushButton;
class QTableWidget;
class SegmentJournal;

class TimeRecordPanel : public QGroupBox {
    Q_OBJECT
  public:
    TimeRecordPanel(const AppContext& context, SegmentJournal& journal, QWidget* parent = nullptr);

  public slots:
    // Reads the record of today again.
    void reload();

  private:
    void exportTurns();
    void showProblem(const QString& problem);

    AppContext context_;
    QTableWidget* table_;
    QLabel* status_;
    QPushButton* export_;
    QList<TurnRecord> turns_;
};
