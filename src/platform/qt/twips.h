#pragma once

#include "platform/services.h"

#include <QFont>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <cmath>

// The forms are laid out in twips; the screen counts logical pixels. This is the one place that maps them.
// The whole game is drawn at one scale: at 1 a form has its original size (15 twips a pixel), at 2 it is
// twice as wide and high, its fonts twice as large. Every place, size and font goes through this mapping, so
// the forms scale as a whole and are drawn anew at every scale, never enlarged as pictures.
namespace findolin::platform::twips {

inline constexpr double proPixel = 15.0;

// The scale the forms are drawn at; 1 until the program chooses one, before its first window.
double massstab();
void setzeMassstab(double faktor);

// Twips in pixels at the scale, unrounded: for drawing lines and shapes.
inline double pixel(double twips) {
    return twips * massstab() / proPixel;
}
inline int px(double twips) {
    return static_cast<int>(std::lround(pixel(twips)));
}
inline double vonPixeln(double pixels) {
    return pixels * proPixel / massstab();
}
inline QPoint punkt(double left, double top) {
    return {px(left), px(top)};
}
inline QSize groesse(double width, double height) {
    return {px(width), px(height)};
}
inline QRect rechteck(double left, double top, double width, double height) {
    // Both edges are rounded, so that neighbouring controls meet exactly as their twips do.
    const int x = px(left), y = px(top);
    return {x, y, px(left + width) - x, px(top + height) - y};
}

// The font of a control as the form names it, sized in points at the scale (96 logical DPI: 9.75 points are
// 13 pixels at scale 1). The Windows fonts the forms name are drawn in Liberation Sans, which has Arial's
// metrics; Arial itself stands behind it where Liberation Sans is not installed.
QFont schrift(const Schrift& schrift);

} // namespace findolin::platform::twips
