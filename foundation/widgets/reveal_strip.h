#pragma once
// Operator controls of the full-window screens appear only while the mouse moves inside a strip
// along the bottom or left edge of the window, so the audience sees a clean screen otherwise.

#include <QList>
#include <QObject>
#include <QPoint>
#include <QPointer>

class QWidget;

class RevealStrip : public QObject {
    Q_OBJECT
  public:
    enum class Edge {
        Bottom,  // pointer lower than the window's height minus depth x the reference's height
        Left,    // pointer nearer the left edge than the reference's width
    };

    // The strip is measured from `reference`'s size at the moment of each move, so it follows
    // ScaleLayout. It belongs to `window`. Visibility is left as it is until the first move.
    RevealStrip(QWidget* window, Edge edge, QWidget* reference, int depth = 1);

    // The controls shown and hidden together.
    void addControl(QWidget* control);
    // Mouse moves over `source` (the window or one of its widgets) show or hide the controls;
    // `source` gets mouse tracking so that moves arrive without a button held.
    void watch(QWidget* source);

    bool contains(QPoint windowPosition) const;
    // Shows the controls when `windowPosition` lies in the strip, hides them otherwise.
    void track(QPoint windowPosition);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* window_;
    Edge edge_;
    QPointer<QWidget> reference_;
    int depth_;
    QList<QPointer<QWidget>> controls_;
};
