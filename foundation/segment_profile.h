#pragma once
// The profile files of a timed segment and the keys they hold.

#include <QString>
#include <array>
#include <optional>

#include "foundation/profile_store.h"

enum class TimingStyle { Single = 1, TwoSide, QuestionAnswer, QuestionerAnswerer, PerSpeech };

// "Mode-1" ... "Mode-5", compared exactly.
std::optional<TimingStyle> TimingStyleOf(const QString& text);
QString TimingStyleText(TimingStyle style);

// Clock formats "1" (minutes and seconds) and "2" (seconds), compared exactly.
namespace ClockFormat {
inline const QString MinutesSeconds = QStringLiteral("1");
inline const QString Seconds = QStringLiteral("2");
}  // namespace ClockFormat

namespace SegmentKey {
inline const QString Name = QStringLiteral("环节名称");
inline const QString ActiveName = QStringLiteral("名称");
inline const QString Format = QStringLiteral("计时格式");
inline const QString Limit = QStringLiteral("限时");
inline const QString WarnPoint = QStringLiteral("警告时间点");
inline const QString FontFace = QStringLiteral("计时字体");
inline const QString FontSize = QStringLiteral("计时字号");
inline const QString Bold = QStringLiteral("计时字体加粗");
inline const QString Italic = QStringLiteral("计时字体倾斜");
inline const QString ClockColour = QStringLiteral("倒计时字体颜色");
inline const QString WarnColour = QStringLiteral("时间不足时字体颜色");
inline const QString BackColour = QStringLiteral("背景颜色");
inline const QString Picture = QStringLiteral("背景图片");
inline const QString WarnCueChoice = QStringLiteral("时间不足提示音");
inline const QString TimeUpCueChoice = QStringLiteral("时间到提示音");
inline const QString OvertimeCueChoice = QStringLiteral("超时提示音");
inline const QString WarnCueFile = QStringLiteral("自定义时间不足提示音");
inline const QString TimeUpCueFile = QStringLiteral("自定义时间到提示音");
inline const QString OvertimeCueFile = QStringLiteral("自定义超时提示音");
inline const QString Style = QStringLiteral("计时样式");
inline const QString UseTransition = QStringLiteral("使用过场图片");
inline const QString TransitionPicture = QStringLiteral("过场图片");
inline const QString QuestionLimit = QStringLiteral("提问方一次提问限时");
inline const QString AnswerLimit = QStringLiteral("回答方一次回答限时");
inline const QString QuestionerLimit = QStringLiteral("提问方限时");
inline const QString AnswererLimit = QStringLiteral("回答方限时");
inline const QString QuestionerWarnPoint = QStringLiteral("提问方时间不足警告点");
inline const QString AnswererWarnPoint = QStringLiteral("回答方时间不足警告点");
inline const QString SpeechLimit = QStringLiteral("双方每次发言限时");
// Bells besides the warning cue: the points ("420:1,60:2") and whether they ring ("None" not).
inline const QString BellPoints = QStringLiteral("附加提示点");
inline const QString BellCueChoice = QStringLiteral("附加提示音");
}  // namespace SegmentKey

// A key of the segment profile and the name it is copied under into the active profile.
struct CopiedKey {
    QString from;
    QString to;
};

// Every key the launch copies, in the order it copies them ("使用过场图片" is not copied).
const std::array<CopiedKey, 27>& LaunchCopyList();
// The bell keys, copied after those only where the segment or the active profile holds one,
// so that an active profile of a segment without bells stays exactly as it was.
const std::array<CopiedKey, 2>& LaunchBellKeys();

inline constexpr int kSegmentCount = 8;

// AppDir "\config\tache\N.ini" for N in 1..8.
QString SegmentProfilePath(const QString& appDir, int segment);
// AppDir "\config\Timetemp.ini".
QString ActiveSegmentProfilePath(const QString& appDir);
// AppDir "\config\tache\timeformate.ini".
QString ClockFormatPresetPath(const QString& appDir);

// Folders (relative to AppDir) of the pictures a segment names.
inline const QString kClockPictureFolder = QStringLiteral("\\background\\jishi\\");
inline const QString kTransitionPictureFolder = QStringLiteral("\\background\\guochang\\");

// Which of the eight segments the active profile was copied from at its launch: the first
// whose copied keys all read as the active ones do; none when the settings changed since.
std::optional<int> ActiveSegmentNumber(const QString& appDir);

// Copies every key of the launch list from segment `segment` into the active profile.
void CopySegmentToActive(const QString& appDir, int segment);
