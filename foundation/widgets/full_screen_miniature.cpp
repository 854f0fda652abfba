// FullScreenWindow::miniature(): the window drawn small for the operator's console.

#include <QAbstractButton>
#include <QLabel>
#include <QPainter>
#include <algorithm>

#include "foundation/widgets/full_screen_window.h"
#include "foundation/widgets/picture.h"
#include "foundation/widgets/widget_colours.h"

QPixmap FullScreenWindow::miniature(const QSize& size) const {
    if (width() <= 0 || height() <= 0 || size.isEmpty()) {
        return {};
    }
    const qreal scale = std::min(qreal(size.width()) / width(), qreal(size.height()) / height());
    const QPointF origin((size.width() - width() * scale) / 2,
                         (size.height() - height() * scale) / 2);
    QList<const QLabel*> clocks;
    for (const QPointer<QLabel>& clock : clocks_) {
        if (clock) {
            clocks.append(clock);
        }
    }
    const QPixmap behind = picture_->stretchedPicture();
    QList<QWidget*> others;
    QString key = QStringLiteral("%1 %2 %3x%4 %5x%6")
                      .arg(behind.cacheKey())
                      .arg(BackgroundColour(this).name())
                      .arg(width())
                      .arg(height())
                      .arg(size.width())
                      .arg(size.height());
    for (QWidget* control : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (control == picture_ || !control->isVisible() ||
            clocks.contains(qobject_cast<const QLabel*>(control))) {
            continue;
        }
        others.append(control);
        key += control->objectName() + QString::number(control->isEnabled());
        if (const auto* label = qobject_cast<QLabel*>(control)) {
            key += label->text();
        } else if (const auto* button = qobject_cast<QAbstractButton*>(control)) {
            key += button->text();
        }
    }
    if (key != miniature_.backKey) {
        miniature_.back = QPixmap(size);
        miniature_.back.fill(Qt::black);
        QPainter painter(&miniature_.back);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.translate(origin);
        painter.scale(scale, scale);
        painter.fillRect(rect(), BackgroundColour(this));
        if (picture_->isVisible() && !behind.isNull()) {
            painter.drawPixmap(picture_->pos(), behind);
        }
        for (QWidget* control : others) {
            QWidget::RenderFlags flags = QWidget::DrawChildren;
            if (control->autoFillBackground()) {
                flags |= QWidget::DrawWindowBackground;
            }
            control->render(&painter, control->pos(), QRegion(), flags);
        }
        miniature_.backKey = key;
    }
    QString shown = key;
    for (const QLabel* clock : clocks) {
        shown += clock->text() + TextColour(clock).name();
    }
    if (shown == miniature_.shownKey) {
        return miniature_.shown;
    }
    // The clocks in a font scaled down, rather than through a scaled painter: the glyphs then
    // come from the font cache instead of being drawn as outlines every time.
    QPixmap picture = miniature_.back;
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::TextAntialiasing);
    for (const QLabel* clock : clocks) {
        QFont font = clock->font();
        if (font.pointSizeF() > 0) {
            font.setPointSizeF(std::max(1.0, font.pointSizeF() * scale));
        } else {
            font.setPixelSize(std::max(1, int(font.pixelSize() * scale)));
        }
        painter.setFont(font);
        painter.setPen(TextColour(clock));
        const QRectF box(origin + QPointF(clock->pos()) * scale, QSizeF(clock->size()) * scale);
        painter.drawText(box, int(clock->alignment()), clock->text());
    }
    painter.end();
    miniature_.shownKey = shown;
    miniature_.shown = picture;
    return picture;
}
