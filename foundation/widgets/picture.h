#pragma once
// The stretched background picture (Image1 of the full-window screens and settings pages): it
// shows a JPEG, BMP, PNG or GIF file stretched to its own size, ignoring proportions.

#include <QImage>
#include <QPixmap>
#include <QWidget>

class StretchedPicture : public QWidget {
    Q_OBJECT
  public:
    explicit StretchedPicture(QWidget* parent = nullptr);

    // Shows the picture in `path`. A missing or unreadable file returns false and leaves the
    // current picture (or none) on show.
    bool load(const QString& path);
    // Shows no picture: the parent's background shows through.
    void clear();
    bool hasPicture() const { return !picture_.isNull(); }

    // The picture as painted at the current size; scaled once per size and then reused.
    QPixmap stretchedPicture() const;

  signals:
    // Positions are in this widget's coordinates; moves arrive without a button held, too.
    void mouseMoved(QPoint position);
    void mousePressed(Qt::MouseButton button, QPoint position);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    // No larger than the largest screen, so scaling per size stays cheap for huge photos.
    QImage picture_;
    mutable QPixmap stretched_;
};

// Puts `picture` at the top-left corner of its window and gives it the window's full outer
// width and height, so the background covers the whole window.
void FillWindow(QWidget* picture);
