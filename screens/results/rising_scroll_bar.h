#pragma once
// A vertical scroll bar with its maximum at the top, as the ceremony's volume bar is laid out:
// the handle rises as the value grows, and every way of moving it goes the way it looks. Qt
// draws an inverted scroll bar upside down but still maps the arrows and the trough to the
// upright direction (the top arrow would lower the value and move the handle down), so clicks
// on them are turned round here.

#include <QScrollBar>

class RisingScrollBar : public QScrollBar {
    Q_OBJECT
  public:
    explicit RisingScrollBar(QWidget* parent = nullptr);

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void turnRound(int action);

    bool mouseHeld_ = false;
};
