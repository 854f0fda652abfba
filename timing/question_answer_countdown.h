#pragma once
// Form5: the question-and-answer countdown of timing style "Mode-3". A large total clock counts
// the segment down while either side has the floor; two small clocks limit one question and
// one answer. The left mouse button gives the floor to the questioner, the right one to the
// answerer, and the side that loses the floor finds its clock full again at its next turn.

#include <QtGlobal>

#include "timing/clock_screen.h"

class QLabel;
class QPushButton;
class TurnClock;

class Form5 : public ClockScreen {
    Q_OBJECT
  public:
    explicit Form5(const AppContext& context, QWidget* parent = nullptr);

  protected:
    QList<Counter> counters() override;

  private:
    void giveFloor(Qt::MouseButton button);
    void onTotalTick();
    void pause();
    void reset();
    void stopAll();

    QLabel* label1Question_;
    QLabel* label4_;
    QLabel* label1Answer_;
    QLabel* label5_;
    QLabel* label2_;
    QPushButton* command2_;
    QPushButton* command4_;
    QPushButton* command1_;
    SecondTicker* timer1_;
    SecondTicker* timer3_;
    SecondTicker* timer4_;
    TurnClock* question_;
    TurnClock* answer_;

    QString format_;
    qint16 total_ = 0;
    qint16 warnPoint_ = 0;
};
