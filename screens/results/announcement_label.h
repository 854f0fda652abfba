#pragma once
// A large text label of the result announcement that the operator may drag into place with any
// mouse button: the grabbed point stays under the pointer, the label shows dark grey while it
// is held, and on release it reports where it was left.

#include <QLabel>

class AnnouncementLabel : public QLabel {
    Q_OBJECT
  public:
    AnnouncementLabel(const QString& objectName, const QString& placeholder, QWidget* parent);

    bool isDragged() const { return dragging_; }

  signals:
    // The button was let go after a press on the label.
    void released();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void showHeld(bool held);

    QPoint grab_;
    bool dragging_ = false;
};
