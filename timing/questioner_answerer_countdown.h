#pragma once
// Form18: the questioner and answerer countdown of timing style "Mode-4". The questioning and
// the answering side each count their own limit down on a clock of their own, with their own
// warning point; one runs at a time and the operator switches with the mouse buttons. A
// timed-out clock shows "时间到！" in red and counts no overtime.

#include <QtGlobal>

#include "timing/clock_screen.h"

class QLabel;
class QPushButton;

class Form18 : public ClockScreen {
    Q_OBJECT
  public:
    explicit Form18(const AppContext& context, QWidget* parent = nullptr);

  protected:
    QList<Counter> counters() override {
        return {SecondsOf(questioner_.clock, questioner_.remaining),
                SecondsOf(answerer_.clock, answerer_.remaining)};
    }

  private:
    // One side: its clock label, its tick, the seconds it has left and its warning point.
    struct Side {
        QLabel* clock;
        SecondTicker* timer;
        QString limitKey;
        qint16 remaining = 0;
        qint16 warnPoint = 0;
    };

    void onMousePress(Qt::MouseButton button);
    void onTick(Side& side);
    void pause();
    void reset();

    QLabel* label1_0_;
    QLabel* label1_1_;
    Side questioner_;
    Side answerer_;
    QPushButton* command2_;
    QPushButton* command4_;
    QPushButton* command1_;

    QString format_;
};
