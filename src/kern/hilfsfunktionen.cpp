#include "hilfsfunktionen.h"

#include "lesehilfen.h"
#include "platform/laufzeitfehler.h"

#include <cmath>

namespace findolin {

qint16 zufallsZahl(platform::RandomSource& zufall, qint16 von, qint16 bis) {
    const float r = zufall.nextUnit();
    const qint16 k = alsInt16(qint64(bis) - von + 1, QStringLiteral("Zufallsbereich"));
    const float x = std::floor(static_cast<float>(k) * r + static_cast<float>(von));
    // Both limits in this order: when bis is smaller than von, von wins.
    float begrenzt = x > bis ? static_cast<float>(bis) : x;
    if (begrenzt < von)
        begrenzt = von;
    return static_cast<qint16>(begrenzt);
}

void warteSekunden(const platform::Clock& uhr, platform::BlockingPause& pause, qint16 n) {
    constexpr double tag = 86400.0;
    const double start = uhr.secondsSinceMidnight();
    const double t0 = rundeGerade(start);
    // The rounded reading reaches t0 + n once the clock passes t0 + n - 0.5; count from the first reading so
    // that midnight, where the time of day starts again at 0, does not matter.
    const double dauer = t0 + n - 0.5 - start;
    for (;;) {
        double vergangen = uhr.secondsSinceMidnight() - start;
        if (vergangen < 0)
            vergangen += tag;
        if (vergangen >= dauer)
            return;
        pause.block(dauer - vergangen);
    }
}

} // namespace findolin
