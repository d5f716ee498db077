#include "spielbrett.h"

namespace findolin {

Spielbrett::Spielbrett(const WortDatensatz& wort, const StartKontext& kontext,
                       const Einstellungen& einstellungen, Spielerliste& spieler, ZugUmgebung& umgebung,
                       BrettDienste dienste, const QString& appPfad)
    : feld(dienste.zufall, wort), anzeige(wort, kontext, dienste.messung),
      zuege(*this, spieler, einstellungen, wort, umgebung,
            ZugDienste{dienste.uhr, dienste.pause, dienste.timer, dienste.zufall, dienste.ansicht}, appPfad) {
}

void Spielbrett::zeigeNeuesWort() {
    feld.teileAus();
    anzeige.zeigeWort();
}

} // namespace findolin
