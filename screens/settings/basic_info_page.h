#pragma once
// Page 4-1 of the settings wizard, `Form2`: the names of the debate (competition, organisers,
// motions, teams, debaters, judges) in 26 boxes, saved to "\config\BasicInfo.ini" for the match
// report and the result screens.

#include <QList>
#include <QStringList>

#include "screens/settings/wizard_window.h"

class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace BasicInfoText {
inline const QString Heading = QStringLiteral("设置4-1:基本设置");
// The note, one entry per line as the page shows it.
inline const QStringList Note{
    QStringLiteral("设置说明："),
    QStringLiteral("    此步设置可以跳过。该设置"),
    QStringLiteral("主要是为了在比赛完生成比赛报"),
    QStringLiteral("表，如果需要最终的报表的话，"),
    QStringLiteral("可以进行相关设置。"),
};
}  // namespace BasicInfoText

class Form2 : public WizardWindow {
    Q_OBJECT
  public:
    explicit Form2(const AppContext& context, QWidget* parent = nullptr);

    // The controls, named as on the layout; `Text1(i)` is Text1[i], object name "Text1_i". The
    // label beside Text1(i) is Label2[i], beside Text2(i) Label3[i], beside Text3(i) Label4[i].
    QLabel* Label1;
    QFrame* Line1;
    QList<QLineEdit*> Text1;
    QList<QLineEdit*> Text2;
    QList<QLineEdit*> Text3;
    QList<QLabel*> Label2;
    QList<QLabel*> Label3;
    QList<QLabel*> Label4;
    QPlainTextEdit* Text4;
    QPushButton* Command1;
    QPushButton* Command5;
    QPushButton* Command2;
    QPushButton* Command4;

    // The 26 boxes in the order of their keys: Text1, then Text2, then Text3.
    QList<QLineEdit*> boxes() const;

  private:
    void buildControls();
    void fill();
    void save();
};
