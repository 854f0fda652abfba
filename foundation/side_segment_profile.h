#pragma once
// The audience-question and guest-commentary segments: one profile, one section each, the same
// keys in both. The main screen names its buttons from it; the side timers run from it. Also
// the award ceremony's profile.

#include <QString>

inline const QString kSideSegmentProfile = QStringLiteral("\\config\\TW&DP.ini");
inline const QString kAudienceQuestionSection = QStringLiteral("配置信息TW");
inline const QString kCommentarySection = QStringLiteral("配置信息DP");
inline const QString kAudienceQuestionPictureFolder = QStringLiteral("\\background\\tiwen\\");
inline const QString kCommentaryPictureFolder = QStringLiteral("\\background\\dianping\\");

namespace SideKey {
inline const QString Name = QStringLiteral("环节名称");
inline const QString Limit = QStringLiteral("倒序限时");
inline const QString CountDown = QStringLiteral("倒序计时");  // "1" down from the limit, "0" up
inline const QString ShowClock = QStringLiteral("显示计时");  // "1" shown, "0" hidden
inline const QString Picture = QStringLiteral("背景图片");
inline const QString BackColour = QStringLiteral("背景颜色");
}  // namespace SideKey

// The award ceremony: "\config\cite.ini", section "配置信息"; its music keys are those of
// CeremonyMusic.
inline const QString kCeremonyProfile = QStringLiteral("\\config\\cite.ini");
inline const QString kCeremonyPictureFolder = QStringLiteral("\\background\\cite\\");

namespace CeremonyKey {
inline const QString Picture = QStringLiteral("背景图片");
inline const QString BackColour = QStringLiteral("背景颜色");
}  // namespace CeremonyKey
