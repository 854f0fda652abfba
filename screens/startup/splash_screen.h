#pragma once

#include <QWidget>

#include "foundation/platform/platform.h"

class QLabel;
class QTimer;

// The splash: fades in, stays three seconds, fades out, then hands over to the main screen.
// It refuses to close until its fade-out has ended; a close request jumps to the fade-out.
class Form1 : public QWidget {
    Q_OBJECT
  public:
    explicit Form1(AppContext& context, QWidget* parent = nullptr);

    int opacity() const { return opacity_; }
    bool fadingIn() const { return fadingIn_; }

    QLabel* Image1 = nullptr;
    QLabel* Label1 = nullptr;
    QTimer* Timer1 = nullptr;  // fade step, 15 ms
    QTimer* Timer2 = nullptr;  // seconds fully shown, 1000 ms

    // The timers' handlers; tests call them to fire a tick without waiting.
    void onTimer1();
    void onTimer2();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    AppContext& context_;
    qint16 opacity_ = 0;
    bool fadingIn_ = true;
    bool mayClose_ = false;
    qint16 secondsShown_ = 0;
};
