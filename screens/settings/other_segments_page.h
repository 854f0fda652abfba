#pragma once
// Page 4-4 of the settings wizard, `Form10`: the parts of a debate that the segment clocks do
// not time. The audience-question and commentary timers ("\config\TW&DP.ini"), the result
// announcement ("\config\Result.ini", whose label layout is opened from here) and the award
// ceremony ("\config\cite.ini"). Pictures, sounds and check boxes are written the moment they
// change; names, limits and colours only when the operator saves.

#include <QList>

#include "screens/settings/wizard_window.h"

class ColourPreview;
class MediaPlayer;
class PictureSlot;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class SoundChooser;

namespace OtherSegmentsText {
inline const QString Heading = QStringLiteral("设置4-4：设置其它环节");
inline const QString AudienceQuestions =
    QStringLiteral("观众提问（默认名称，可以自定义）环节功能设置");
inline const QString Commentary = QStringLiteral("嘉宾点评（默认名称，可以自定义）环节功能设置");
inline const QString Result = QStringLiteral("公布比赛结果功能设置");
inline const QString Ceremony = QStringLiteral("颁奖环节功能设置");
inline const QString SaveNote = QStringLiteral("*设置完每一环节后请单击“保存设置”按钮");
inline const QString SecondsNote = QStringLiteral("*时间单位均以秒(S)计");
inline const QString ColourToolTip = QStringLiteral("双击此处更该颜色");
inline const QString ChooseMusic = QStringLiteral("请选择音乐");
inline const QString ShowClock = QStringLiteral("显示计时");
inline const QString CountDown = QStringLiteral("倒序计时");
inline const QString Loop = QStringLiteral("循环播放");
}  // namespace OtherSegmentsText

class Form10 : public WizardWindow {
    Q_OBJECT
  public:
    explicit Form10(const AppContext& context, QWidget* parent = nullptr);
    ~Form10() override;

    // The controls, named as on the layout. Frame1 audience questions, Frame2 commentary,
    // Frame3 result announcement, Frame4 award ceremony.
    QLabel* Label1;
    QFrame* Line1;
    QGroupBox* Frame1;
    QGroupBox* Frame2;
    QGroupBox* Frame3;
    QGroupBox* Frame4;

    QLineEdit* Text2;       // audience-question name
    QLineEdit* Text4;       // commentary name
    QLineEdit* Text6;       // audience-question countdown limit
    QLineEdit* Text7;       // commentary countdown limit
    QCheckBox* Check1;      // audience questions: "显示计时"
    QCheckBox* Check2;      // commentary: "显示计时"
    QCheckBox* Check3;      // audience questions: "倒序计时"
    QCheckBox* Check4;      // commentary: "倒序计时"
    ColourPreview* Label2;  // audience questions
    ColourPreview* Label3;  // commentary
    ColourPreview* Label5;  // result announcement
    ColourPreview* Label4;  // award ceremony

    // The picture path boxes (each with its import and remove button).
    QLineEdit* Text1;   // ceremony
    QLineEdit* Text3;   // audience questions
    QLineEdit* Text5;   // commentary
    QLineEdit* Text8;   // announcement opening
    QLineEdit* Text10;  // with the affirmative score
    QLineEdit* Text11;  // with the negative score
    QLineEdit* Text9;   // with the winner

    QComboBox* Cb1;          // announcement music
    QComboBox* Cb2;          // effect with the affirmative score
    QComboBox* Cb3;          // effect with the negative score
    QComboBox* Cb4;          // effect with the winner
    QComboBox* C1;           // ceremony music
    QCheckBox* Ch2;          // announcement music loops
    QCheckBox* Ch1;          // ceremony music loops
    QPushButton* Command10;  // "■": ends the announcement music preview
    QPushButton* Command5;   // "■": ends the ceremony music preview
    QPushButton* Command11;  // "更多设置...": the announcement's label layout

    QLabel* Label6;         // note: save after each segment
    QLabel* Label7;         // note: times are in seconds
    QPushButton* Command3;  // "保存设置"
    QPushButton* Command4;  // "<<上一步"
    QPushButton* Command6;  // "下一步>>", never enabled: there is no later page
    QPushButton* Command2;  // "返回主界面"

    MediaPlayer* WP;  // music previews

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildControls();
    void connectControls();
    void open();
    // The timer flags of one side segment: "显示计时" enables its countdown box and limit.
    void showClockClicked(QCheckBox* show, QCheckBox* countDown, QLineEdit* limit,
                          const QString& section);
    void countDownClicked(QCheckBox* countDown, QLineEdit* limit, const QString& section);
    void loopClicked(QCheckBox* loop, const QString& profile);
    void save();
    void designLayout();

    // In the opening's order: Text3, Text5, Text8, Text10, Text11, Text9, Text1.
    QList<PictureSlot*> pictures_;
    // Cb1, Cb2, Cb3, Cb4, C1.
    QList<SoundChooser*> sounds_;
};
