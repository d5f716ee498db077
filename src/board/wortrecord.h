#pragma once

#include <QString>

namespace findolin {

// The searched word as the board and the word display read it: the word, its length, the context shown in
// front of it (an article, say) and the magnifier spot, character positions counted from 1 (0 and 0: none).
struct WortRecord {
    QString aktWort;
    qint16 wortLaenge = 0;
    QString aktKontext;
    qint16 vonPos = 0;
    qint16 bisPos = 0;
};

} // namespace findolin
