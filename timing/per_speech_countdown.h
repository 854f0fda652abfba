#pragma once
// Form22: the per-speech countdown of timing style "Mode-5". A large total clock counts the
// segment down; a small speech clock limits every single speech. Each left click starts a new
// speech with a full speech clock, while the total goes on from where it stands.

#include <QtGlobal>

#include "timing/clock_screen.h"

class QLabel;
class QPushButton;
class TurnClock;

class Form22 : public ClockScreen {
    Q_OBJECT
  public:
    explicit Form22(const AppContext& context, QWidget* parent = nullptr);

  protected:
    QList<Counter> counters() override;

  private:
    void newSpeech(Qt::MouseButton button);
    void onTotalTick();
    void start();
    void pause();
    void reset();

    QLabel* label3_;
    QLabel* label1_;
    QLabel* label2_;
    QPushButton* command4_;
    QPushButton* command3_;
    QPushButton* command2_;
    QPushButton* command1_;
    SecondTicker* timer1_;
    SecondTicker* timer2_;
    TurnClock* speech_;

    QString format_;
    qint16 total_ = 0;
    qint16 warnPoint_ = 0;
};
