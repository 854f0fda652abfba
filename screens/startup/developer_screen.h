#pragma once
// The developer window `Form19` ("开发者信息"): a heading and seven lines about this program.
// The line under the pointer is highlighted, and the two link lines open their web site.

#include <QList>

#include "screens/startup/information_window.h"

class QLabel;

inline const QString kLinkToolTip = QStringLiteral("单击浏览该网站");

class Form19 : public InformationWindow {
    Q_OBJECT
  public:
    explicit Form19(AppContext& context, QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;  // the heading, never highlighted
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;  // link
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;  // link
    QLabel* Label8 = nullptr;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // A move over the window's own background: no line is highlighted.
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    // `line` in its highlight colour and every other detail line black; none for null.
    void highlight(QLabel* line);
    QList<QLabel*> details() const;

    // The web address of each link line.
    QList<std::pair<QLabel*, QString>> links_;
};
