#pragma once
// Form17: the single countdown of timing style "Mode-1". One large clock counts the segment
// limit down; it warns once at the warning point and stops with " 时间到！" at zero. No
// overtime is counted here.

#include <QtGlobal>

#include "timing/clock_screen.h"

class QLabel;
class QPushButton;

class Form17 : public ClockScreen {
    Q_OBJECT
  public:
    explicit Form17(const AppContext& context, QWidget* parent = nullptr);

  protected:
    QList<Counter> counters() override { return {SecondsOf(label2_, remaining_)}; }

  private:
    void onTick();
    void start();
    void pause();
    void reset();

    QLabel* label2_;
    QPushButton* command4_;
    QPushButton* command3_;
    QPushButton* command2_;
    QPushButton* command1_;
    SecondTicker* timer1_;

    QString format_;
    qint16 remaining_ = 0;
    qint16 warnPoint_ = 0;
};
