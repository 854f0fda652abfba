#pragma once
// The frame of the settings windows: a fixed-size window centred on the screen, its picture
// Image1 filling it (the design's own, or the wizard theme's), and its caption "debaclock"
// animated by Timer1.

#include <QWidget>

#include "foundation/platform/platform.h"

class QTimer;
class StretchedPicture;

class WizardWindow : public QWidget {
    Q_OBJECT
  public:
    // The design client area of every settings window, in twips.
    static QSize DesignClientTwips() { return {12000, 9000}; }

    WizardWindow(const AppContext& context, const QString& objectName, QWidget* parent = nullptr);

    StretchedPicture* picture() const { return image1_; }
    QTimer* captionTimer() const { return timer1_; }

  protected:
    const AppContext& context() const { return context_; }
    // The theme lookup: the stored theme's picture in Image1; any other value, or a picture
    // that cannot be loaded, leaves the picture as it is.
    void loadTheme();

  private:
    AppContext context_;
    StretchedPicture* image1_;
    QTimer* timer1_;
};
