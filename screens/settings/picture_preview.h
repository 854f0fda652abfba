#pragma once
// The picture preview of the settings pages. A path box shows only a file name; while the
// mouse is over it, the small borderless window `Form14` shows the picture itself, and the
// mouse on the page background closes it. What to show is handed over in "\config\preview.ini".

#include <QList>
#include <QPointer>
#include <QWidget>

#include "foundation/platform/platform.h"

class QLabel;
class StretchedPicture;

inline const QString kPreviewProfile = QStringLiteral("\\config\\preview.ini");
inline const QString kPreviewKey = QStringLiteral("背景图片");

class Form14 : public QWidget {
    Q_OBJECT
  public:
    // Loading reads the hand-over file once: an empty name shows the no-picture notice.
    Form14(const QString& appDir, QWidget* page);

    StretchedPicture* Image1;
    QLabel* Label1;         // "图片预览"
    QLabel* Label2;         // "无法生成预览！"
    QList<QLabel*> Label3;  // the reasons, object names "Label3_0" .. "Label3_3"
    bool noticeShown() const;
};

class PicturePreview : public QObject {
    Q_OBJECT
  public:
    // `page` is the settings page the preview belongs to; it keeps the keyboard and mouse.
    PicturePreview(const AppContext& context, QWidget* page);
    ~PicturePreview() override;

    // The picture that `key` of `profile` (relative to AppDir) names in `folder`, shown beside
    // `box`. An empty profile (no segment chosen) names no picture.
    void ShowPicturePreview(const QString& profile, const QString& section, const QString& key,
                            const QString& folder, QWidget* box);
    // Closing a preview that is not open does nothing.
    void ClosePicturePreview();

    // The open preview, or null.
    Form14* window() const { return form14_; }

  private:
    AppContext context_;
    QWidget* page_;
    QPointer<Form14> form14_;
};
