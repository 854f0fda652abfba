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

void ScaleLayout(QWidget* screen) {
    if (rememberedDesign.width() == 0 || rememberedDesign.height() == 0)
        return;
    const double across = TwipsFromPixels(screen->width()) / rememberedDesign.width();
    const double down = TwipsFromPixels(screen->height()) / rememberedDesign.height();
    for (QWidget* control : LayoutControls(screen)) {
        const QString tag = TagOf(control);
        if (tag.isEmpty())
            continue;
        const TaggedGeometry design = ReadGeometryTag(tag);
        control->setGeometry(RectFromTwips(design.left * across, design.top * down,
                                           design.width * across, design.height * down));
    }
}

QSize RememberedDesignSize() {
    return rememberedDesign;
}
