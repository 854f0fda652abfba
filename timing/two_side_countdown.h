#pragma once
// Form6: the two-side countdown of timing style "Mode-2". The affirmative side "正方" and the
// negative side "反方" each count the same segment limit down on a clock of their own; one
// runs at a time and the operator hands the time over with a mouse button or an arrow key.
// Each clock warns, runs out red with " 时间到！" and counts no overtime.

#include <QtGlobal>

#include "timing/clock_screen.h"

class QLabel;
class QPushButton;

class Form6 : public ClockScreen {
    Q_OBJECT
  public:
    explicit Form6(const AppContext& context, QWidget* parent = nullptr);

  protected:
    QList<Counter> counters() override {
        return {SecondsOf(affirmative_.clock, affirmative_.remaining),
                SecondsOf(negative_.clock, negative_.remaining)};
    }
    // The window previews the keyboard: Left and Right act whichever control has the focus.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // One side: its clock label, its tick and the seconds it has left.
    struct Side {
        QLabel* clock;
        SecondTicker* timer;
        qint16 remaining = 0;
    };

    void onMousePress(Qt::MouseButton button);
    // Runs `running`, stops the other side; neither remaining time changes.
    void runSide(Side& running, Side& stopped);
    void onTick(Side& side);
    void pause();
    void reset();

    QLabel* label2_;
    QLabel* label3_;
    Side affirmative_;
    Side negative_;
    QPushButton* command3_;
    QPushButton* command2_;
    QPushButton* command1_;

    QString format_;
    qint16 warnPoint_ = 0;
};
