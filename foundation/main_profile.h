#pragma once
// "\config\main.ini": the main screen's background and music volume, written by the main screen
// and by the settings page of the main background.

#include <QString>

#include "foundation/cues.h"

inline const QString kMainProfile = QStringLiteral("\\config\\main.ini");
inline const QString kMainPictureFolder = QStringLiteral("\\background\\main\\");
// Shown when the stored picture has gone.
inline const QString kDefaultMainPicture = QStringLiteral("default.jpg");

namespace MainKey {
inline const QString BackColour = QStringLiteral("背景颜色");
inline const QString Picture = QStringLiteral("背景图片");
inline const QString Volume = kVolumeKey;  // the key every music profile names its volume with
}  // namespace MainKey

// "\config\PPT.ini": the three presentation buttons of the main screen, each with a caption
// and a file imported into "\ppt\".
inline const QString kPresentationProfile = QStringLiteral("\\config\\PPT.ini");
inline const QString kPresentationFolder = QStringLiteral("\\ppt\\");
inline constexpr int kPresentationCount = 3;

// "1_名称" ... "3_名称": the caption of button k (1..3).
inline QString PresentationCaptionKey(int k) {
    return QStringLiteral("%1_名称").arg(k);
}
// "1_演示文件名称" ... "3_演示文件名称": the stored file name of presentation k.
inline QString PresentationFileKey(int k) {
    return QStringLiteral("%1_演示文件名称").arg(k);
}
