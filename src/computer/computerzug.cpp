#include "computerzug.h"

#include "logging.h"

#include "kern/hilfsfunktionen.h"

namespace findolin {

ComputerWahl waehleComputerFeld(Spielfeld& feld, qint16 einstSpielStaerke, platform::RandomSource& zufall) {
    ComputerWahl w{feld.sucheBekanntesFeld(), feld.sucheNeuesFeld(), feld.sucheZufallsFeld(), -1};
    if (w.neu < 0)
        w.neu = w.zufall;
    if (w.bekannt < 0)
        w.bekannt = w.neu;
    w.feld = w.bekannt;
    const bool schwach = einstSpielStaerke == spielStaerkeSchwach;
    if (schwach && zufallsZahl(zufall, 0, 100) <= 50)
        w.feld = w.zufall;
    qCDebug(lcComputer) << "computer choice:" << (schwach ? "weak" : "strong") << "candidates" << w.bekannt
                        << w.neu << w.zufall << "field" << w.feld;
    return w;
}

bool simuliereComputerZug(Spielfeld& feld, Feldauswertung& zuege, Spielerliste& spieler,
                          qint16 einstSpielStaerke, platform::RandomSource& zufall) {
    spieler.computerAmZug = true;
    const qint16 wahl = waehleComputerFeld(feld, einstSpielStaerke, zufall).feld;
    const QString& buchstabe = feld.feld(wahl).buchstabe;
    const bool treffer = buchstabe == jokerZeichen || buchstabe == feld.gesuchterBuchstabe();
    // After a hit the computer moves again; until then its flag is down, as between a human's moves.
    if (treffer)
        spieler.computerAmZug = false;
    zuege.deckeFeldAuf(wahl);
    return !treffer;
}

} // namespace findolin
