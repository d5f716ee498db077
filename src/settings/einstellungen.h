#pragma once

#include <QtGlobal>

namespace findolin {

// The six user settings. Each is 0 (off) or 1 (on); the strength is 0 for "&stark", 1 for "sch&wach".
// All are 0 until the configuration file has been read.
struct Einstellungen {
    qint16 einstTon = 0;
    qint16 einstRatezeit = 0;
    qint16 einstFeldMarkierung = 0;
    qint16 einstGegenComputer = 0;
    qint16 einstSpielStaerke = 0;
    qint16 einstSpeichern = 0;
};

} // namespace findolin
