#pragma once
// The frame of the settings windows: a captioned window whose picture Image1 fills it (the
// design's own, or the wizard theme's), with what every page does alike: its messages, its
// writes and saves that say when a profile could not be written, and the picture preview that
// the page background closes.

#include "foundation/platform/message_boxes.h"
#include "foundation/platform/platform.h"
#include "foundation/widgets/captioned_window.h"

class PicturePreview;
class QFrame;
class QLabel;
class ProfileSave;
class StretchedPicture;

class WizardWindow : public CaptionedWindow {
    Q_OBJECT
  public:
    // The design client area of every settings window, in twips.
    static QSize DesignClientTwips() { return {12000, 9000}; }

    WizardWindow(const AppContext& context, const QString& objectName, QWidget* parent = nullptr);

    StretchedPicture* picture() const { return image1_; }
    const AppContext& context() const { return context_; }
    PicturePreview* preview() const { return preview_; }

    // A message box of this page; the keyboard comes back to the page afterwards.
    void message(const QString& text, MessageIcon icon = MessageIcon::None);
    // Writes one key of `profile` (relative to AppDir) at once; says so when it did not take.
    bool writeAtOnce(const QString& profile, const QString& section, const QString& key,
                     const QString& value);
    // "数据保存成功！" when every write of `save` took effect, else what went wrong.
    void reportSave(const ProfileSave& save);
    // "返回主界面": the main screen, which stays open behind the wizard, then this page closes.
    void backToMain();

  protected:
    // A caption right-aligned in the twips rectangle, naming `buddy` ("Text2Caption"). The
    // mouse goes through it to the page background, which ends a picture preview.
    QLabel* addCaption(const QString& text, QWidget* buddy, int left, int top, int width,
                       int height);
    // The page's heading at the top left (object name `headingName`), underlined by `Line1`
    // across the page.
    void addHeading(const QString& text, QLabel*& heading, QFrame*& line1,
                    const QString& headingName = QStringLiteral("Label1"));
    // The theme lookup: the stored theme's picture in Image1; any other value, or a picture
    // that cannot be loaded, leaves the picture as it is.
    void loadTheme();
    void hideEvent(QHideEvent* event) override;

  private:
    AppContext context_;
    StretchedPicture* image1_;
    PicturePreview* preview_;
};
