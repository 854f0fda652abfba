#pragma once
// A screen that replaced the main screen brings it back when it closes, however it is closed
// (its own "返回主界面", the window system, the program ending), and only once.

#include <QObject>

class Navigator;
class QWidget;

class BackToMain : public QObject {
    Q_OBJECT
  public:
    // Belongs to `screen`.
    BackToMain(QWidget* screen, Navigator* navigator);

    // "返回主界面": the main screen is shown first, then the screen closes.
    void now();
    // The screen leads somewhere else than the main screen: its close no longer shows it.
    void release() { shown_ = true; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void showMainOnce();

    QWidget* screen_;
    Navigator* navigator_;
    bool shown_ = false;
};
