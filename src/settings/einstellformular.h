#pragma once

#include <QtGlobal>

namespace findolin {

// The controls of the settings dialog: check boxes hold 0 or 1, the strength option array selects 0
// ("&stark") or 1 ("sch&wach"). The dialog edits these; the settings record only changes when it is
// confirmed.
struct EinstellFormular {
    qint16 tonEin = 0;
    qint16 rateZeitEin = 0;
    qint16 feldMarkEin = 0;
    qint16 gegenComp = 0;
    bool gegenCompEnabled = true;
    qint16 spSt = 0;
    bool spStEnabled = true;
    qint16 einstSaveOpt = 0;
};

} // namespace findolin
