#pragma once
// The small windows of the settings wizard, the match report and the information screens: a
// fixed-size window with a caption and a close box, centred on the screen, in the design font,
// with its caption "debaclock" animated by Timer1 every 500 ms.

#include <QSize>
#include <QWidget>

class QTimer;

class CaptionedWindow : public QWidget {
    Q_OBJECT
  public:
    // `designClientTwips`: the window's fixed client size; `extraFlags` e.g. to stay on top.
    explicit CaptionedWindow(QSize designClientTwips, Qt::WindowFlags extraFlags = {},
                             QWidget* parent = nullptr);

    QTimer* Timer1;  // caption step, 500 ms

    // One step of the caption animation, what Timer1 runs; tests call it to fire a tick.
    void onTimer1();
};

// Moves `window` to the middle of the primary screen's available area.
void CentreOnScreen(QWidget* window);
