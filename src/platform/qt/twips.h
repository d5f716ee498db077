#pragma once

#include "platform/services.h"

#include <QFont>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <cmath>

// The forms are laid out in twips; the screen counts logical pixels. This is the one place that maps them.
namespace findolin::platform::twips {

inline constexpr double proPixel = 15.0;

inline int px(double twips) {
    return static_cast<int>(std::lround(twips / proPixel));
}
inline double vonPixeln(double pixels) {
    return pixels * proPixel;
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

// The font of a control, sized in points as the form gives them (96 logical DPI: 9.75 points are 13 pixels).
QFont schrift(const Schrift& schrift);

} // namespace findolin::platform::twips
