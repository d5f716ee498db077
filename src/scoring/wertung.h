#pragma once

#include "platform/services.h"

#include <QString>

namespace findolin {

// What the check of an uncovered field found.
enum class FeldErgebnis : qint16 {
    Leer = 0,      // neither a letter nor the joker
    Falsch = 1,    // another letter than the one needed next
    Richtig = 2,   // the letter needed next
    Joker = 3,     // the lucky hit
    WortFertig = 4 // the letter needed next, and the last one of the word
};

// An empty field or a wrong letter: the field is covered again and the turn passes.
constexpr bool istFehlgriff(FeldErgebnis ergebnis) {
    return ergebnis == FeldErgebnis::Leer || ergebnis == FeldErgebnis::Falsch;
}

// What a move brings: the points added to the player's (negative for a miss) and the event whose sound
// plays.
struct Zugwertung {
    qint64 punkte = 0;
    QString sound;
};

// The scoring of every move. `warGesehen`: an earlier move had uncovered the field; `einsatz`: the stake on
// this move, 0 or less when there is none. A hit earns the stake on top, a miss costs it instead of 3 points,
// the joker ignores it.
Zugwertung werteZug(FeldErgebnis ergebnis, bool warGesehen, qint32 einsatz);

// The stake the Risiko button draws: 50 to 300 points, each equally likely.
qint16 zieheEinsatz(platform::RandomSource& zufall);

// The first half of the attention hint after every move: in one draw of four the game looks for a seen, open
// field that holds the letter needed next, and offers the risk when there is one.
bool hinweisGezogen(platform::RandomSource& zufall);

} // namespace findolin
