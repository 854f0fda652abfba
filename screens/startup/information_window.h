#pragma once
// The frame of the two information windows, opened over the settings: a fixed-size window that
// stays on top, closed only by its close box, with the caption "debaclock" animated by Timer1.
// While it is open the main screen's operator controls are locked; any close unlocks them.

#include "foundation/platform/platform.h"
#include "foundation/widgets/captioned_window.h"

class InformationWindow : public CaptionedWindow {
    Q_OBJECT
  public:
    InformationWindow(AppContext& context, const QString& objectName, QSize designClientTwips,
                      QWidget* parent = nullptr);

  protected:
    void closeEvent(QCloseEvent* event) override;

    AppContext& context_;
};
