#include "wertung.h"

#include "kern/hilfsfunktionen.h"

namespace findolin {

Zugwertung werteZug(FeldErgebnis ergebnis, bool warGesehen, qint32 einsatz) {
    const qint64 s = einsatz > 0 ? einsatz : 0;
    switch (ergebnis) {
    case FeldErgebnis::Leer:
        return {s > 0 ? -s : -3, s > 0 ? QStringLiteral("AllgemeinerFehler") : QStringLiteral("Annahme1")};
    case FeldErgebnis::Falsch:
        return {s > 0 ? -s : -3, s > 0 ? QStringLiteral("AllgemeinerFehler") : QStringLiteral("Annahme2")};
    case FeldErgebnis::Richtig:
        return {s + (warGesehen ? 50 : 20), QStringLiteral("BewegungStart")};
    case FeldErgebnis::Joker:
        return {100, QStringLiteral("Glückstreffer")};
    case FeldErgebnis::WortFertig:
        return {s + 20, QStringLiteral("Gratulation1")};
    }
    return {};
}

qint16 zieheEinsatz(platform::RandomSource& zufall) {
    return zufallsZahl(zufall, 50, 300);
}

bool hinweisGezogen(platform::RandomSource& zufall) {
    return zufallsZahl(zufall, 1, 100) > 75;
}

} // namespace findolin
