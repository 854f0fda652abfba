#pragma once
// The two profiles of one debate beyond its timing: "\config\BasicInfo.ini" with the names the
// report prints, and "\config\Result.ini" with the scores, the winner and every setting of the
// result announcement. Also the one rule several screens share: who won.

#include <QString>
#include <array>
#include <optional>

// "\config\BasicInfo.ini", section "辩论赛信息": free text as typed on the information page.
inline const QString kDebateInfoProfile = QStringLiteral("\\config\\BasicInfo.ini");
inline const QString kDebateInfoSection = QStringLiteral("辩论赛信息");

namespace DebateKey {
inline const QString Competition = QStringLiteral("辩论赛名称");
inline const QString Host = QStringLiteral("主办单位");
inline const QString Organiser = QStringLiteral("承办单位");
inline const QString CoOrganiser = QStringLiteral("协办单位");
inline const QString AffirmativeMotion = QStringLiteral("正方辩题");
inline const QString NegativeMotion = QStringLiteral("反方辩题");
inline const QString AffirmativeTeam = QStringLiteral("正方代表队");
inline const QString NegativeTeam = QStringLiteral("反方代表队");
}  // namespace DebateKey

// "正方一辩" ... "正方四辩" (n = 1..4).
QString AffirmativeDebaterKey(int n);
// "反方一辩" ... "反方四辩".
QString NegativeDebaterKey(int n);
// "评委一" ... "评委十" (n = 1..10).
QString JudgeKey(int n);
// All 26 keys in the order the information page writes them.
const std::array<QString, 26>& DebateInfoKeys();
// The debate's name in the program folder `appDir`.
QString DebateNameIn(const QString& appDir);

// "\config\Result.ini": section "得分" holds the scores, "配置信息" the winner and the
// announcement, "字体设置" the label fonts, "控件位置" the label positions.
inline const QString kResultProfile = QStringLiteral("\\config\\Result.ini");
inline const QString kScoreSection = QStringLiteral("得分");
inline const QString kLabelFontSection = QStringLiteral("字体设置");
inline const QString kLabelPositionSection = QStringLiteral("控件位置");
inline const QString kResultPictureFolder = QStringLiteral("\\background\\result\\");

namespace ResultKey {
inline const QString AffirmativeScore = QStringLiteral("正方总成绩");  // section "得分"
inline const QString NegativeScore = QStringLiteral("反方总成绩");     // section "得分"
inline const QString Winner = QStringLiteral("获胜方");
inline const QString DesignMode = QStringLiteral("设计模式");
inline const QString Picture = QStringLiteral("背景图片");
inline const QString AffirmativePicture = QStringLiteral("公布正方得分时背景图片");
inline const QString NegativePicture = QStringLiteral("公布反方得分时背景图片");
inline const QString WinnerPicture = QStringLiteral("公布获胜方时背景图片");
inline const QString BackColour = QStringLiteral("背景颜色");
}  // namespace ResultKey

// "设计模式": "On" opens the announcement for laying out its labels, "Off" for announcing.
namespace DesignMode {
inline const QString On = QStringLiteral("On");
inline const QString Off = QStringLiteral("Off");
}  // namespace DesignMode

// What the winner text is when the scores are equal.
inline const QString kDraw = QStringLiteral("互为平手");

// A text label of the announcement and the key prefix of its font and colour.
struct LabelObject {
    QString prefix;  // "正反方", "代表队名称", "得分", "获胜方"
    QString label;   // "L1" ... "L4"

    QString faceKey() const { return prefix + QStringLiteral("字体"); }
    QString sizeKey() const { return prefix + QStringLiteral("字号"); }
    QString boldKey() const { return prefix + QStringLiteral("字体加粗"); }
    QString italicKey() const { return prefix + QStringLiteral("字体倾斜"); }
    QString colourKey() const { return prefix + QStringLiteral("字体颜色"); }
    // "L1_left" and "L1_top", as they are read; the winner label's are written "l4_left" and
    // "l4_top", which name the same keys.
    QString leftKey() const { return label + QStringLiteral("_left"); }
    QString topKey() const { return label + QStringLiteral("_top"); }
    QString writtenLeftKey() const;
    QString writtenTopKey() const;
};

// L1 side caption, L2 team name, L3 score, L4 winner: in this order.
const std::array<LabelObject, 4>& LabelObjects();

// A font's yes/no setting as stored: "True" or "False".
QString FontFlagText(bool on);
// A stored yes/no setting: "True" or "False" in any letter case, or a number (0 is no);
// nullopt for anything else, so the label keeps its own setting.
std::optional<bool> FontFlagValue(const QString& text);

// The number at the start of a score: blanks, tabs and line breaks anywhere are skipped, then
// a sign, decimal digits with one full stop and an exponent (E or D) are read; 0 without a
// digit. "085" is 85, "1.2.3" is 1.2, "" and "." are 0.
double ScoreValue(const QString& text);

// The affirmative team's name when its score is higher, the negative team's when that one is,
// kDraw when they are equal. Compared as numbers: 9 loses to 10, 88.50 draws with 88.5.
QString DecideWinner(const QString& affirmativeScore, const QString& negativeScore,
                     const QString& affirmativeTeam, const QString& negativeTeam);
