#pragma once
// The frame of the two information windows, opened over the settings: a fixed-size window that
// stays on top, closed only by its close box, with the caption "debaclock" animated by Timer1.
// While it is open the main screen's operator controls are locked; any close unlocks them.

#include <QSize>
#include <QWidget>

#include "foundation/platform/platform.h"

class QTimer;

class InformationWindow : public QWidget {
    Q_OBJECT
  public:
    InformationWindow(AppContext& context, const QString& objectName, QSize designClientTwips,
                      QWidget* parent = nullptr);

    QTimer* Timer1 = nullptr;  // caption step, 500 ms

    // The timer's handler; tests call it to fire a tick without waiting.
    void onTimer1();

  protected:
    void closeEvent(QCloseEvent* event) override;

    AppContext& context_;
};
