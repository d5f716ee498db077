#include "spielbrett.h"

namespace findolin {

Spielbrett::Spielbrett(const WortDatensatz& wort, const StartKontext& kontext,
                       const Einstellungen& einstellungen, Spielerliste& spieler, ZugUmgebung& umgebung,
                       Spielbeobachter& ereignisse, BrettDienste dienste, const QString& appPfad)
    : feld(dienste.zufall, wort), anzeige(wort, kontext, dienste.messung),
      zuege(*this, spieler, einstellungen, wort, umgebung, ereignisse,
            ZugDienste{dienste.uhr, dienste.pause, dienste.timer, dienste.zufall, dienste.ansicht}, appPfad),
      wort_(wort), ereignisse_(ereignisse) {}

void Spielbrett::zeigeNeuesWort() {
    feld.teileAus();
    anzeige.zeigeWort();
    ereignisse_.neuesWort(wort_.aktKontext, wort_.aktWort);
}

} // namespace findolin
