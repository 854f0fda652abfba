#pragma once
// Screens are designed in twips on a 96-dpi canvas, where 15 twips make one pixel. Controls are
// placed from their designed twips geometry through these helpers.

#include <QRect>
#include <QSize>
#include <QWidget>
#include <QtMath>

inline constexpr int kTwipsPerPixel = 15;

// Nearest whole pixel of a twips length.
inline int PixelsFromTwips(double twips) {
    return qRound(twips / kTwipsPerPixel);
}

inline double TwipsFromPixels(int pixels) {
    return double(pixels) * kTwipsPerPixel;
}

inline QSize SizeFromTwips(double width, double height) {
    return {PixelsFromTwips(width), PixelsFromTwips(height)};
}

inline QRect RectFromTwips(double left, double top, double width, double height) {
    return {PixelsFromTwips(left), PixelsFromTwips(top), PixelsFromTwips(width),
            PixelsFromTwips(height)};
}

// Moves `control` (relative to its parent) to its designed twips geometry.
inline void PlaceInTwips(QWidget* control, double left, double top, double width, double height) {
    control->setGeometry(RectFromTwips(left, top, width, height));
}
