#pragma once
// Page 4-3 of the settings wizard, `Form3`: one of the eight timed segments and everything its
// segment profile "\config\tache\N.ini" holds. Style, cues, clock format, transition switch and
// pictures are written the moment they change; names, times, font and colours when the
// operator presses "保存设置".

#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

#include "foundation/segment_profile.h"
#include "screens/settings/wizard_window.h"

class ColourPreview;
class FontDialog;
class PictureSlot;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class SoundChooser;
class StretchedPicture;

namespace SegmentPageText {
inline const QString Heading = QStringLiteral("设置4-3：计时环节设置");
inline const QString SaveReminder = QStringLiteral("*设置完每一环节后请单击“保存设置”按钮");
inline const QString SecondsNote = QStringLiteral("*时间单位均以秒(S)计");
inline const QString SegmentPrompt = QStringLiteral("请选择环节");
// The segments of C1, in list order: item N names "\config\tache\N.ini".
inline const QStringList Segments{
    QStringLiteral("环节一"), QStringLiteral("环节二"), QStringLiteral("环节三"),
    QStringLiteral("环节四"), QStringLiteral("环节五"), QStringLiteral("环节六"),
    QStringLiteral("环节七"), QStringLiteral("环节八"),
};
// The items of C6 and the clock formats they stand for.
inline const QString MinutesSeconds = QStringLiteral("*分*秒");
inline const QString Seconds = QStringLiteral("*S");
inline const QString ColourToolTip = QStringLiteral("双击此处更该颜色");
inline const QString FontToolTip = QStringLiteral("双击此处更改字体");
inline const QString Bold = QStringLiteral("加粗");
inline const QString Italic = QStringLiteral("倾斜");
inline const QString NothingToSave = QStringLiteral("还未选择“环节”或“计时样式”！");
inline const QString NoStyle = QStringLiteral("请选择样式");
}  // namespace SegmentPageText

class Form3 : public WizardWindow {
    Q_OBJECT
  public:
    explicit Form3(const AppContext& context, QWidget* parent = nullptr);
    ~Form3() override;

    // The controls, named as on the layout; Text7(i) is Text7[i], object name "Text7_i". Each
    // field's caption is a label whose buddy is the field.
    QComboBox* C1;
    QLineEdit* Text1;
    QLineEdit* Text2;
    QLineEdit* Text3;
    QComboBox* C2;
    QComboBox* C3;
    QComboBox* C4;
    QComboBox* C5;
    QComboBox* C6;
    QList<QLineEdit*> Text7;
    ColourPreview* Label1;
    ColourPreview* Label3;
    ColourPreview* Label8;
    QLineEdit* Text6;
    QPushButton* Command8;
    QPushButton* Command7;
    QCheckBox* Ch1;
    QLineEdit* Text5;
    QPushButton* Command6;
    QPushButton* Command4;
    QGroupBox* Frame3;  // "对计时样式3的附加设置"
    QLineEdit* Text9;
    QLineEdit* Text10;
    QGroupBox* Frame4;  // "对计时样式4的附加设置"
    QLineEdit* Text4;
    QLineEdit* Text8;
    QLineEdit* Text11;
    QLineEdit* Text12;
    QGroupBox* Frame5;  // "对计时样式5的附加设置"
    QLineEdit* Text13;
    StretchedPicture* Image2;
    QPushButton* Command1;
    QPushButton* Command2;
    QPushButton* Command3;
    QPushButton* Command5;
    // Opens the segment's bells: the moments a handbell rings besides the warning cue.
    QPushButton* bellPointsButton;

    // The clock format the page has set ("1", "2"), empty until C6 is chosen or a save.
    QString clockFormat() const { return clockFormat_; }
    // The profile that C1's text names, relative to AppDir; empty when it names no segment.
    QString segmentProfile() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildControls();
    QLabel* caption(const QString& text, QWidget* field, int left, int top, int fieldLeft);
    QLineEdit* textBox(const QString& name, int left, int top, int width);
    QComboBox* dropDown(const QString& name, const QStringList& items, int left, int top,
                        int width);

    // The slots and choosers follow C1's text, whatever the operator types into it.
    void followSegment();
    void chooseSegment();
    void chooseStyle();
    void chooseClockFormat();
    void switchTransition();
    void chooseFont();
    void chooseBellPoints();
    void save();

    QString read(const QString& key) const;
    // A write at once to the segment's profile; skipped when C1 names no segment.
    void writeNow(const QString& key, const QString& value);
    void applyClockFormatRule(const QString& stored);
    void setClockFormatFromC6();
    void ShowStyleFields(TimingStyle style);
    void showIllustration(TimingStyle style);
    void enableTransitionPicture();

    PictureSlot* background_;
    PictureSlot* transition_;
    QList<SoundChooser*> cues_;
    std::unique_ptr<FontDialog> fontDialog_;
    QString clockFormat_;
};
