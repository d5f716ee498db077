#pragma once

#include <QtGlobal>

namespace findolin {

// The remaining-time meter's geometry, in twips of the form: a needle from the dial's centre, sweeping
// clockwise from the lower left (value 0) over the top (500) to the lower right (1000), and the hub.
struct VuMeter {
    static constexpr double dialLeft = 8700, dialTop = 5700, dialWidth = 825;

    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;                                   // vuNadel
    double achseLeft = 0, achseTop = 0, achseWidth = 135, achseHeight = 135; // vuAchse

    // Places the needle for a meter value from 0 to 1000.
    void drawVuZeiger(qint16 wert);
    // The meter's start: the needle at rest, the hub an eighth of the dial wide, centred on the pivot.
    void initVuMeter();
};

double gradInBogen(double grad);

struct PolarPunkt {
    qint16 dx, dy;
};
PolarPunkt polarPunkt(double radius, double grad);

} // namespace findolin
