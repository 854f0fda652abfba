#include "foundation/widgets/picture.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QGuiApplication>
#include <QImageReader>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

namespace {

QAccessibleInterface* PictureAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String("StretchedPicture") && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Graphic);
    return nullptr;
}

// The size of the largest screen in device pixels: no window shows a picture larger.
QSize LargestScreenSize() {
    QSize largest;
    for (const QScreen* screen : QGuiApplication::screens())
        largest = largest.expandedTo(screen->geometry().size() * screen->devicePixelRatio());
    return largest;
}

}  // namespace

StretchedPicture::StretchedPicture(QWidget* parent) : QWidget(parent) {
    static const bool factoryInstalled = (QAccessible::installFactory(PictureAccessible), true);
    Q_UNUSED(factoryInstalled);
    setMouseTracking(true);
    setAccessibleName(QStringLiteral("背景图片"));
}

bool StretchedPicture::load(const QString& path) {
    if (path.isEmpty())
        return false;
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    const QSize fileSize = reader.size();
    const QSize bound = LargestScreenSize();
    // Reduced while decoding (JPEG decodes straight at the smaller size).
    if (fileSize.isValid() && bound.isValid() &&
        (fileSize.width() > bound.width() || fileSize.height() > bound.height()))
        reader.setScaledSize(fileSize.boundedTo(bound));
    QImage image = reader.read();
    if (image.isNull())
        return false;
    picture_ = std::move(image);
    stretched_ = QPixmap();
    update();
    return true;
}

void StretchedPicture::clear() {
    picture_ = QImage();
    stretched_ = QPixmap();
    update();
}

QPixmap StretchedPicture::stretchedPicture() const {
    if (picture_.isNull() || size().isEmpty())
        return {};
    const qreal ratio = devicePixelRatioF();
    const QSize target = size() * ratio;
    if (stretched_.size() != target) {
        stretched_ = QPixmap::fromImage(
            picture_.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        stretched_.setDevicePixelRatio(ratio);
    }
    return stretched_;
}

void StretchedPicture::paintEvent(QPaintEvent*) {
    const QPixmap pixmap = stretchedPicture();
    if (pixmap.isNull())
        return;
    QPainter painter(this);
    painter.drawPixmap(0, 0, pixmap);
}

void StretchedPicture::mouseMoveEvent(QMouseEvent* event) {
    emit mouseMoved(event->position().toPoint());
}

void StretchedPicture::mousePressEvent(QMouseEvent* event) {
    emit mousePressed(event->button(), event->position().toPoint());
}

void FillWindow(QWidget* picture) {
    const QWidget* window = picture->window();
    picture->setGeometry(QRect(QPoint(0, 0), window->frameGeometry().size()));
}
