#pragma once
// The frame of the settings windows: a captioned window whose picture Image1 fills it (the
// design's own, or the wizard theme's).

#include "foundation/platform/platform.h"
#include "foundation/widgets/captioned_window.h"

class StretchedPicture;

class WizardWindow : public CaptionedWindow {
    Q_OBJECT
  public:
    // The design client area of every settings window, in twips.
    static QSize DesignClientTwips() { return {12000, 9000}; }

    WizardWindow(const AppContext& context, const QString& objectName, QWidget* parent = nullptr);

    StretchedPicture* picture() const { return image1_; }

  protected:
    const AppContext& context() const { return context_; }
    // The theme lookup: the stored theme's picture in Image1; any other value, or a picture
    // that cannot be loaded, leaves the picture as it is.
    void loadTheme();

  private:
    AppContext context_;
    StretchedPicture* image1_;
};
