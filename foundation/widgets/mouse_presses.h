#pragma once
// Clock screens are driven by pressing a mouse button anywhere on the picture or on a clock:
// which widget is pressed does not matter, only which button. A quick second press arrives as a
// double click and counts as a press of its own, so no click of the operator is lost.

#include <QList>
#include <QObject>
#include <functional>

class QWidget;

class MousePresses : public QObject {
    Q_OBJECT
  public:
    using Handler = std::function<void(Qt::MouseButton)>;

    // `handler` receives the button of every press on one of `targets`. Owned by `owner`.
    MousePresses(QObject* owner, const QList<QWidget*>& targets, Handler handler);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    Handler handler_;
};
