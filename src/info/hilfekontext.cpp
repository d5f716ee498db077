#include "hilfekontext.h"

#include <array>

namespace findolin {

namespace {
struct Bereich {
    qint16 von, bis;
    qint32 basis;
};
constexpr std::array<Bereich, 12> bereiche = {{{1, 10, 1000},
                                               {11, 17, 1100},
                                               {18, 20, 1200},
                                               {21, 25, 1300},
                                               {26, 27, 1400},
                                               {28, 30, 1500},
                                               {31, 33, 1600},
                                               {34, 39, 1700},
                                               {40, 41, 1800},
                                               {42, 46, 1900},
                                               {47, 49, 2000},
                                               {50, 52, 2100}}};
} // namespace

qint32 hilfeKontextFuer(qint16 ubixNr, qint32 bisher) {
    for (const Bereich& b : bereiche) {
        if (ubixNr >= b.von && ubixNr <= b.bis)
            return b.basis + (ubixNr - b.von + 1);
    }
    return bisher;
}

} // namespace findolin
