#pragma once

#include "feldauswertung.h"
#include "spielfeld.h"
#include "wortanzeige.h"

namespace findolin {

// Every service the board uses.
struct BrettDienste {
    platform::Clock& uhr;
    platform::BlockingPause& pause;
    platform::TimerFactory& timer;
    platform::RandomSource& zufall;
    platform::TextMeasure& messung;
    platform::FormView& ansicht;
};

// The board with its word display and its moves, built together over one word record.
class Spielbrett {
public:
    // Tells `ereignisse` of every word dealt and of what the moves do.
    Spielbrett(const WortDatensatz& wort, const StartKontext& kontext, const Einstellungen& einstellungen,
               Spielerliste& spieler, ZugUmgebung& umgebung, Spielbeobachter& ereignisse,
               BrettDienste dienste, const QString& appPfad);

    // The one way a searched word comes on the board: deals the word record's word on a cleared board, lays
    // out the word display, and starts the search at the first character.
    void zeigeNeuesWort();

    Spielfeld feld;
    Wortanzeige anzeige;
    Feldauswertung zuege;

private:
    const WortDatensatz& wort_;
    Spielbeobachter& ereignisse_;
};

} // namespace findolin
