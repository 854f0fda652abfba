#pragma once
// Proportional layout of a full-window screen. RememberLayout records the screen's designed
// client size (one pair for the whole program: only one such screen is open at a time) and
// writes each control's designed geometry into its "tag"; ScaleLayout later moves every control
// to its tagged geometry times the ratio of the current to the remembered client size.
//
// All numbers are twips (see twips.h). The controls of a screen are its descendant widgets that
// are not windows and have an object name not starting with "qt_" (Qt's own inner parts);
// each one's geometry is taken relative to its parent.

#include <QList>
#include <QPointF>
#include <QSize>
#include <QString>
#include <optional>

class QObject;
class QWidget;

// Name of the dynamic property that holds a control's tag.
inline constexpr char kTagProperty[] = "tag";

QString TagOf(const QObject* control);
void SetTag(QObject* control, const QString& tag);

// "left   top   width   height   ": each number as SingleText, each followed by three blanks.
QString GeometryTag(float left, float top, float width, float height);

// Up to four numbers from `tag` split at every three blanks (leading blanks of a part are
// ignored, a missing or empty part counts as 0): left, top, width, height.
struct TaggedGeometry {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};
TaggedGeometry ReadGeometryTag(const QString& tag);

// The controls RememberLayout and ScaleLayout handle, in tree order.
QList<QWidget*> LayoutControls(QWidget* screen);

// Stores the screen's client size in twips and tags every control with its geometry.
void RememberLayout(QWidget* screen);

// Moves every tagged control to its tagged geometry scaled by the current client size against
// the remembered one. Controls without a tag (created after RememberLayout) are left where
// they are. Does nothing while the remembered size has a zero side. Fonts are not scaled.
void ScaleLayout(QWidget* screen);

// The design client size (twips) of the last RememberLayout.
QSize RememberedDesignSize();

// Where `control` stands now, in twips of the remembered design: a position that keeps its
// meaning however large the screen it is shown on.
QPointF DesignPosition(const QWidget* control);

// Moves `control` to `left` and `top` (twips of the remembered design; a missing one keeps that
// edge). Its tag moves with it, so later resizes keep it there.
void MoveToDesignPosition(QWidget* control, std::optional<double> left, std::optional<double> top);
