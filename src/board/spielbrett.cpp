#include "spielbrett.h"

namespace findolin {

Spielbrett::Spielbrett(const WortDatensatz& wort, const StartKontext& kontext,
                       const Einstellungen& einstellungen, Spielerliste& spieler, ZugUmgebung& umgebung,
                       BrettDienste dienste, const QString& appPfad)
    : feld(dienste.zufall, wort), anzeige(feld, wort, kontext, dienste.messung),
      zuege(feld, anzeige, spieler, einstellungen, wort, umgebung,
            ZugDienste{dienste.uhr, dienste.pause, dienste.timer, dienste.zufall, dienste.ansicht}, appPfad) {
}

} // namespace findolin
