#pragma once
// The score entry window `Form16`, opened over the main screen: the operator types each team's
// final score twice into boxes that hide what is typed, saves the scores and the winner when
// both pairs agree, and only then may go on to the result announcement.

#include <QList>
#include <QPixmap>
#include <QWidget>
#include <optional>

#include "foundation/platform/platform.h"

class QFrame;
class QLabel;
class QPushButton;
class ScoreBox;

namespace ScoreEntryText {
inline const QString Refused = QStringLiteral("只能输入数字和小数点！");
inline const QString RefusedTitle = QStringLiteral("出错啦！");
inline const QString Mismatch = QStringLiteral("数据前后输入不一致，请重新输入！");
inline const QString Saved = QStringLiteral("数据保存成功！");
// Followed by the reason the profile gave.
inline const QString NotSaved = QStringLiteral("成绩未能保存：");
}  // namespace ScoreEntryText

class Form16 : public QWidget {
    Q_OBJECT
  public:
    explicit Form16(AppContext& context, QWidget* parent = nullptr);

    // The controls, named as on the layout; `Label1(i)` is Label1[i], object name "Label1_i".
    QLabel* Label2;
    QFrame* Line1;
    QList<QLabel*> Label1;
    ScoreBox* Text1;
    ScoreBox* Text2;
    ScoreBox* Text3;
    ScoreBox* Text4;
    QPushButton* Command3;
    QPushButton* Command1;
    QPushButton* Command2;

  protected:
    bool event(QEvent* event) override;
    // Any button pressed on the background moves the window.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    void buildControls();
    void save();
    void announce();
    void backToMain();
    void refuseCharacter();
    // A message box of this screen; the keyboard comes back to the screen afterwards.
    void message(const QString& text, const QString& title, MessageIcon icon = MessageIcon::None);

    AppContext& context_;
    QPixmap background_;
    // Mouse position less window position while the window follows the mouse itself.
    std::optional<QPoint> dragOffset_;
};
