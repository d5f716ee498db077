#include "spielereignisse.h"

#include <algorithm>

namespace findolin {

void Spielereignisse::abonniere(Spielbeobachter& beobachter) {
    beobachter_.push_back(&beobachter);
}

void Spielereignisse::kuendige(Spielbeobachter& beobachter) {
    std::erase(beobachter_, &beobachter);
}

// Over a copy: a listener may stop listening while it is told.
template <typename Meldung> void Spielereignisse::melde(Meldung meldung) {
    const std::vector<Spielbeobachter*> alle = beobachter_;
    for (Spielbeobachter* b : alle)
        meldung(*b);
}

void Spielereignisse::feldAufgedeckt(qint16 feld, const QString& buchstabe) {
    melde([&](Spielbeobachter& b) { b.feldAufgedeckt(feld, buchstabe); });
}

void Spielereignisse::zugAusgewertet(qint16 feld, FeldErgebnis ergebnis) {
    melde([&](Spielbeobachter& b) { b.zugAusgewertet(feld, ergebnis); });
}

void Spielereignisse::zugWeitergegeben(qint16 spieler, const QString& name) {
    melde([&](Spielbeobachter& b) { b.zugWeitergegeben(spieler, name); });
}

void Spielereignisse::neuesWort(const QString& kontext, const QString& wort) {
    melde([&](Spielbeobachter& b) { b.neuesWort(kontext, wort); });
}

void Spielereignisse::risikoAngeboten(qint16 spieler) {
    melde([&](Spielbeobachter& b) { b.risikoAngeboten(spieler); });
}

void Spielereignisse::einsatzGesetzt(qint16 spieler, qint32 einsatz) {
    melde([&](Spielbeobachter& b) { b.einsatzGesetzt(spieler, einsatz); });
}

void Spielereignisse::spielEnde() {
    melde([](Spielbeobachter& b) { b.spielEnde(); });
}

} // namespace findolin
