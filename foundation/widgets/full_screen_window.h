#pragma once
// Base of the full-window screens (clock screens, transition, side timers, announcement,
// ceremony, report): a frameless window that fills the screen, captioned "debaclock", with a
// stretched background picture Image1 behind every control. The screen places its controls in
// twips for its design size, calls rememberLayout() once they are placed, and from then on
// every resize keeps the designed proportions.

#include <QSize>
#include <QWidget>

class StretchedPicture;

class FullScreenWindow : public QWidget {
    Q_OBJECT
  public:
    // `designClientTwips`: the client size the screen's controls are placed for.
    explicit FullScreenWindow(QSize designClientTwips, QWidget* parent = nullptr);

    // Image1: the window's background picture, filling the window.
    StretchedPicture* picture() const { return picture_; }

  protected:
    void showEvent(QShowEvent* event) override;
    // RememberLayout over this window; call once the controls are placed, before showing.
    void rememberLayout();

    // ScaleLayout, then Image1 to the full window.
    void resizeEvent(QResizeEvent* event) override;
    // Image1 to the full window again whenever the window is activated.
    bool event(QEvent* event) override;

  private:
    StretchedPicture* picture_;
};
