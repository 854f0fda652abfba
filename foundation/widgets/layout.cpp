#include "foundation/widgets/layout.h"

#include <QVariant>
#include <QWidget>

#include "foundation/values.h"
#include "foundation/widgets/single_text.h"
#include "foundation/widgets/twips.h"

namespace {

QSize rememberedDesign;

const QString kTagSeparator = QStringLiteral("   ");

bool IsControl(const QWidget* widget) {
    const QString name = widget->objectName();
    return !name.isEmpty() && !name.startsWith(QLatin1String("qt_"));
}

}  // namespace

QString TagOf(const QObject* control) {
    return control->property(kTagProperty).toString();
}

void SetTag(QObject* control, const QString& tag) {
    control->setProperty(kTagProperty, tag);
}

QString GeometryTag(float left, float top, float width, float height) {
    QString tag;
    for (float number : {left, top, width, height})
        tag += SingleText(number) + kTagSeparator;
    return tag;
}

TaggedGeometry ReadGeometryTag(const QString& tag) {
    const QStringList parts = tag.split(kTagSeparator);
    auto number = [&parts](int index) {
        return index < parts.size() ? LeadingNumber(parts[index]) : 0.0;
    };
    return {number(0), number(1), number(2), number(3)};
}

QList<QWidget*> LayoutControls(QWidget* screen) {
    QList<QWidget*> controls;
    // Windows parented to the screen (dialogs, pop-ups) are not controls, nor is anything in them.
    const auto visit = [&controls](auto&& self, QWidget* parent) -> void {
        for (QObject* child : parent->children()) {
            auto* widget = qobject_cast<QWidget*>(child);
            if (!widget || widget->isWindow())
                continue;
            if (IsControl(widget))
                controls.append(widget);
            self(self, widget);
        }
    };
    visit(visit, screen);
    return controls;
}

void RememberLayout(QWidget* screen) {
    rememberedDesign = QSize(screen->width() * kTwipsPerPixel, screen->height() * kTwipsPerPixel);
    for (QWidget* control : LayoutControls(screen)) {
        const QRect r = control->geometry();
        SetTag(control, GeometryTag(TwipsFromPixels(r.x()), TwipsFromPixels(r.y()),
                                    TwipsFromPixels(r.width()), TwipsFromPixels(r.height())));
    }
}

namespace {

// Current client size against the remembered one, across and down; nullopt while a side of
// the remembered size is zero.
std::optional<QPointF> Ratio(const QWidget* screen) {
    if (rememberedDesign.width() == 0 || rememberedDesign.height() == 0)
        return std::nullopt;
    return QPointF(TwipsFromPixels(screen->width()) / rememberedDesign.width(),
                   TwipsFromPixels(screen->height()) / rememberedDesign.height());
}

void PlaceScaled(QWidget* control, const TaggedGeometry& design, QPointF ratio) {
    control->setGeometry(RectFromTwips(design.left * ratio.x(), design.top * ratio.y(),
                                       design.width * ratio.x(), design.height * ratio.y()));
}

}  // namespace

void ScaleLayout(QWidget* screen) {
    const std::optional<QPointF> ratio = Ratio(screen);
    if (!ratio)
        return;
    for (QWidget* control : LayoutControls(screen)) {
        const QString tag = TagOf(control);
        if (!tag.isEmpty())
            PlaceScaled(control, ReadGeometryTag(tag), *ratio);
    }
}

QPointF DesignPosition(const QWidget* control) {
    const QPointF ratio = Ratio(control->window()).value_or(QPointF(1, 1));
    return {TwipsFromPixels(control->x()) / ratio.x(), TwipsFromPixels(control->y()) / ratio.y()};
}

void MoveToDesignPosition(QWidget* control, std::optional<double> left, std::optional<double> top) {
    const QPointF ratio = Ratio(control->window()).value_or(QPointF(1, 1));
    TaggedGeometry design = TagOf(control).isEmpty()
                                ? TaggedGeometry{TwipsFromPixels(control->x()) / ratio.x(),
                                                 TwipsFromPixels(control->y()) / ratio.y(),
                                                 TwipsFromPixels(control->width()) / ratio.x(),
                                                 TwipsFromPixels(control->height()) / ratio.y()}
                                : ReadGeometryTag(TagOf(control));
    design.left = left.value_or(design.left);
    design.top = top.value_or(design.top);
    SetTag(control, GeometryTag(float(design.left), float(design.top), float(design.width),
                                float(design.height)));
    PlaceScaled(control, design, ratio);
}

QSize RememberedDesignSize() {
    return rememberedDesign;
}
