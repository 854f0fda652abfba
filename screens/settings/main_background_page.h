#pragma once
// Page 4-2 of the settings wizard, `Form7`: the main screen's background colour and picture
// ("\config\main.ini") and its three presentation buttons ("\config\PPT.ini"), whose files are
// imported into "\ppt\".

#include <QList>
#include <QStringList>

#include "screens/settings/wizard_window.h"

class ColourPreview;
class PictureSlot;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace MainBackgroundText {
inline const QString Heading = QStringLiteral("设置4-2：主界面背景设置及演示文件的导入");
inline const QString NoPresentation = QStringLiteral("您还未选择任何演示文件！");
inline const QString PresentationRemoved = QStringLiteral("演示文件已移除！");
inline const QString PictureRemoved = QStringLiteral("图片已移除，主界面背景将以纯色显示！");
inline const QString PresentationFilter = QStringLiteral(
    "幻灯片放映(*.pps)|*.pps|幻灯片放映(2007)(*.ppsx)|*.ppsx|演示文稿(*.ppt)|*.ppt|"
    "演示文稿(2007)(*.pptx)|*.pptx|演示文稿(Impress)(*.odp)|*.odp|所有文件(*.*)|*.*|");
// The help note, one entry per paragraph.
inline const QStringList Help{
    QStringLiteral("帮助："),
    QStringLiteral("    在此界面，您可以进行主界面的相关设置如背景颜色、背景图片。"),
    QStringLiteral("    为了能正常使用演示文件（目前支持的文件类型有ppt、pps、pptx、ppsx），"
                   "您的电脑上必须安装有LibreOffice中的Impress组件。但需要注意的是，所使用的"
                   "演示文件的版本不得高于系统所安装的LibreOffice所支持的版本。"),
    QStringLiteral("    对演示的文件的选择上，我们推荐使用放映文件（pps或ppsx格式）。"),
};
}  // namespace MainBackgroundText

class Form7 : public WizardWindow {
    Q_OBJECT
  public:
    explicit Form7(const AppContext& context, QWidget* parent = nullptr);
    ~Form7() override;

    QLabel* Label1;
    QFrame* Line1;
    QGroupBox* Frame1;  // "主界面背景设置"
    QGroupBox* Frame2;  // the presentations
    ColourPreview* Label2;
    QLineEdit* Text6;  // the background picture
    QPushButton* Command4;
    QPushButton* Command12;
    // Presentation k (1..3) is entry k-1: name box, file box, import and remove button.
    QList<QLineEdit*> names;  // Text1, Text2, Text3
    QList<QLineEdit*> files;  // Text9, Text10, Text11
    QPlainTextEdit* Text5;
    QPushButton* Command10;
    QPushButton* Command9;
    QPushButton* Command13;
    QPushButton* Command11;

  protected:
    bool event(QEvent* event) override;

  private:
    void buildControls();
    void fill();
    void saveNames();

    PictureSlot* background_;
    QList<PictureSlot*> presentations_;
};
