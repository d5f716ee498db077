#pragma once

#include <QtGlobal>

namespace findolin {

// The controls of the settings dialog: check boxes hold 0 or 1, the strength option array selects 0
// ("&stark") or 1 ("sch&wach"). The dialog edits these; the settings record only changes when it is
// confirmed. As the dialog is made, sound and saving are checked; loading the settings then sets every
// control whose key the file holds, so until then the controls and the record (all 0) can differ.
struct EinstellFormular {
    qint16 tonEin = 1;
    qint16 rateZeitEin = 0;
    qint16 feldMarkEin = 0;
    qint16 gegenComp = 0;
    bool gegenCompEnabled = true;
    qint16 spSt = 0;
    bool spStEnabled = true;
    qint16 einstSaveOpt = 1;
};

} // namespace findolin
