#pragma once
// The words the settings pages share.

#include <QString>

namespace SettingsText {
inline const QString Saved = QStringLiteral("数据保存成功！");
// Followed by the reason the profile gave.
inline const QString NotSaved = QStringLiteral("设置未能保存：");
inline const QString NoPicture = QStringLiteral("您还未选择任何图片！");
inline const QString PictureRemoved = QStringLiteral("图片已移除！");
inline const QString NoSegment = QStringLiteral("您还未选择环节！");
inline const QString ColourPreview = QStringLiteral("颜色预览");
inline const QString NoColour = QStringLiteral("未设置");
inline const QString ImportButton = QStringLiteral("导入...");
inline const QString RemoveButton = QStringLiteral("移除");
inline const QString StopButton = QStringLiteral("■");
// File dialog filters, "description|pattern|" in the order offered.
inline const QString PictureFilter =
    QStringLiteral("jpg文件(*.jpg)|*.jpg|位图文件(*.bmp)|*.bmp|所有文件(*.*)|*.*|");
inline const QString WaveFilter = QStringLiteral("波形文件(*.wav)|*.wav|所有文件(*.*)|*.*|");
inline const QString MusicFilter =
    QStringLiteral("mp3文件(*.mp3)|*.mp3|波形文件(*.wav)|*.wav|所有文件(*.*)|*.*| ");
}  // namespace SettingsText
