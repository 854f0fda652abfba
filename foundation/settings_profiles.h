#pragma once
// The profiles of the settings wizard itself: the wizard's theme and where the notice page of
// new versions is fetched from, with the marker cut that reads that page.

#include <QString>

// "\Config\Theme.ini", section "配置信息": which of four pictures every wizard window shows.
inline const QString kThemeProfile = QStringLiteral("\\Config\\Theme.ini");
inline const QString kThemeKey = QStringLiteral("设置界面主题");

// The picture of a theme value: "Theme-1" ... "Theme-4" exactly give AppDir
// "\Theme\Theme1.jpg" ... "\Theme\Theme4.jpg"; any other value (a different letter case,
// the empty text) gives the empty text, and the window keeps its designed picture.
QString ThemePicturePath(const QString& appDir, const QString& theme);

// The picture of the theme stored now, or the empty text.
QString StoredThemePicture(const QString& appDir);

// "\Update\Update.ini", section "配置信息": the address of the notice page.
inline const QString kUpdateProfile = QStringLiteral("\\Update\\Update.ini");
inline const QString kNoticeAddressKey = QStringLiteral("获取版本信息的网络地址");

// The text between the first `start` and the first `end` of `text`, exactly as it stands
// (blanks and line breaks kept); empty when a marker is empty or missing, or when the end does
// not come after the start. Letter case counts.
QString TextBetween(const QString& text, const QString& start, const QString& end);
