#pragma once
// The projected screen, small, on the console: redrawn when the screen changes and, while one
// of its clocks runs, on a beat of its own, so the operator sees what the hall sees.

#include <QLabel>
#include <QPointer>
#include <QTimer>

class FullScreenWindow;

class ScreenMiniature : public QLabel {
    Q_OBJECT
  public:
    explicit ScreenMiniature(QWidget* parent = nullptr);

    // Shows `screen` from now on (none: an empty miniature).
    void follow(FullScreenWindow* screen);
    // What the screen shows changed: drawn at once, or left to the beat while a clock runs.
    void screenChanged();

  private:
    void redraw();

    QPointer<FullScreenWindow> screen_;
    QTimer beat_;
    qint64 shownKey_ = 0;  // the cacheKey() of the picture shown, to skip setting it again
};
