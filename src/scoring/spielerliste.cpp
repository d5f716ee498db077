#include "spielerliste.h"

#include "logging.h"

#include "platform/laufzeitfehler.h"

#include <limits>

namespace findolin {

Spielerliste::Spielerliste(StartKontext& kontext, const Einstellungen& einstellungen,
                           Spielbeobachter& ereignisse)
    : kontext_(kontext), einstellungen_(einstellungen), ereignisse_(ereignisse) {}

namespace {
size_t spielerIndex(qint16 spieler) {
    if (spieler < 0 || spieler >= maxSpieler)
        throw Laufzeitfehler(QStringLiteral("Diesen Spieler gibt es nicht"), QString::number(spieler));
    return static_cast<size_t>(spieler);
}
} // namespace

qint32& Spielerliste::punkte(qint16 spieler) {
    return kontext_.spielerPunkte[spielerIndex(spieler)];
}

qint32 Spielerliste::punkteAktSpieler() const {
    return kontext_.spielerPunkte[spielerIndex(aktSpieler)];
}

void Spielerliste::addierePunkte(qint16 delta) {
    qint32& stand = punkte(aktSpieler);
    const qint64 summe = qint64(stand) + delta;
    if (summe > std::numeric_limits<qint32>::max())
        throw Laufzeitfehler(QStringLiteral("Der Punktestand wird zu groß"), QString::number(summe));
    const qint32 vorher = stand;
    stand = summe < 0 ? 0 : static_cast<qint32>(summe);
    qCDebug(lcScoring) << "player" << aktSpieler << "points" << vorher << "+" << delta << "=" << stand;
    zeigeZiffern(0);
}

void Spielerliste::zeigeZiffern(qint16 art) {
    // A total of 100000 or more gives six digits; the five labels show the first five of them.
    if (art == 0) {
        const QString text = QStringLiteral("%1").arg(punkteAktSpieler(), 5, 10, QLatin1Char('0'));
        for (size_t i = 0; i < anzeige.punkZiff.size(); ++i)
            anzeige.punkZiff[i] = text.mid(static_cast<qsizetype>(i), 1);
    } else if (art == 1) {
        const QString text = QStringLiteral("%1").arg(risikoPunkte, 3, 10, QLatin1Char('0'));
        for (size_t i = 0; i < anzeige.risikoZiff.size(); ++i)
            anzeige.risikoZiff[i] = text.mid(static_cast<qsizetype>(i), 1);
    } else {
        return;
    }
    if (ziffernNeuZeichnen)
        ziffernNeuZeichnen();
}

void Spielerliste::setzeEinsatz(qint32 einsatz) {
    risikoPunkte = einsatz;
    qCDebug(lcScoring) << "player" << aktSpieler << "stakes" << risikoPunkte;
    zeigeZiffern(1);
    ereignisse_.einsatzGesetzt(aktSpieler, risikoPunkte);
}

void Spielerliste::zeigeAktuellenSpieler() {
    anzeige.spNameLbl = kontext_.spielerName[spielerIndex(aktSpieler)];
    zeigeZiffern(0);
}

void Spielerliste::naechsterSpieler() {
    aktSpieler = alsInt16(qint64(aktSpieler) + 1, QStringLiteral("Spielernummer"));
    if (aktSpieler >= kontext_.nSpieler)
        aktSpieler = 0;
    zeigeAktuellenSpieler();
    qCDebug(lcScoring) << "turn passes to player" << aktSpieler << anzeige.spNameLbl;
    ereignisse_.zugWeitergegeben(aktSpieler, anzeige.spNameLbl);
    if (anzeige.spNameLbl == computerName && einstellungen_.einstGegenComputer == 1) {
        menuesFreigeben(false);
        computerAmZug = true;
        if (computerZugStarten)
            computerZugStarten();
    } else {
        menuesFreigeben(true);
        computerAmZug = false;
    }
}

} // namespace findolin
