#include "vumeter.h"

#include "kern/lesehilfen.h"
#include "platform/laufzeitfehler.h"

#include <cmath>

namespace findolin {

double gradInBogen(double grad) {
    return grad * (3.1415926535 / 180);
}

PolarPunkt polarPunkt(double radius, double grad) {
    const double a = gradInBogen(grad);
    return {alsInt16(static_cast<qint64>(rundeGerade(radius * std::cos(a))), QStringLiteral("dx")),
            alsInt16(static_cast<qint64>(rundeGerade(radius * std::sin(a))), QStringLiteral("dy"))};
}

void VuMeter::drawVuZeiger(qint16 wert) {
    const double winkel = wert / 1000.0 * 264 - 42;
    const double h = dialWidth / 2;
    const PolarPunkt d = polarPunkt(h * 0.6, winkel);
    x1 = dialLeft + h;
    y1 = dialTop + h;
    x2 = dialLeft + h - d.dx;
    y2 = dialTop + h - d.dy;
}

void VuMeter::initVuMeter() {
    drawVuZeiger(0);
    achseWidth = dialWidth / 8;
    achseTop = dialTop + dialWidth / 2 - achseWidth / 2;
    achseLeft = dialLeft + dialWidth / 2 - achseWidth / 2;
}

} // namespace findolin
