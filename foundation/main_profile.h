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
