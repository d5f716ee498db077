#pragma once

#include <QString>

namespace findolin {

// What the rest of the game knows of the searched word: the word, its length, the context shown in front of
// it, and the magnifier spot (positions counted from 1, inclusive; 0 and 0 when the word has none).
struct WortDatensatz {
    QString aktWort;
    qint16 wortLaenge = 0;
    QString aktKontext;
    qint16 vonPos = 0;
    qint16 bisPos = 0;
};

} // namespace findolin
