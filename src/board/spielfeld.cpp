#include "spielfeld.h"

#include "logging.h"

#include "kern/hilfsfunktionen.h"
#include "platform/laufzeitfehler.h"

namespace findolin {

using brettlayout::anzahlFelder;

QString grossBuchstabe(const QString& zeichen) {
    QString gross = zeichen;
    for (auto& c : gross)
        c = c.toUpper(); // the simple mapping keeps ß, where a full mapping would make "SS"
    return gross;
}

Spielfeld::Spielfeld(platform::RandomSource& zufall, const WortDatensatz& wort)
    : zufall_(zufall), wort_(wort) {
    initFarbTabelle(feldFarben);
}

namespace {
size_t feldIndex(qint16 i) {
    if (i < 0 || i >= anzahlFelder)
        throw Laufzeitfehler(QStringLiteral("Diese Feldnummer gibt es auf dem Spielfeld nicht"),
                             QString::number(i));
    return static_cast<size_t>(i);
}
} // namespace

Feld& Spielfeld::feld(qint16 i) {
    return felder_[feldIndex(i)];
}

const Feld& Spielfeld::feld(qint16 i) const {
    return felder_[feldIndex(i)];
}

void Spielfeld::loescheSpielfeld() {
    for (auto& f : felder_) {
        if (f.buchstabe == jokerZeichen)
            f.bildPfad.clear();
        f.buchstabe.clear();
        f.buchstabeSichtbar = false;
        f.farbe = feldFarben[static_cast<size_t>(zufallsZahl(zufall_, 0, 9))];
        f.feldErledigt = false;
        f.feldGesehen = false;
    }
}

void Spielfeld::teileAus() {
    loescheSpielfeld();
    verteileBuchstaben();
    aktPos = 1;
}

void Spielfeld::verteileBuchstaben() {
    // Before each draw n + 1 fields are empty, but k is drawn from 0 to n - 1: the last empty field in board
    // order is never taken, so field 24 stays empty for every word shorter than 24 characters.
    qint16 n = 24;
    for (qint16 p = 1; p <= wort_.wortLaenge; ++p) {
        const qint16 k = zufallsZahl(zufall_, 0, alsInt16(n - 1, QStringLiteral("Feldzahl")));
        const qint16 f = freiesFeld(k);
        felder_[static_cast<size_t>(f)].buchstabe = grossBuchstabe(wort_.aktWort.mid(p - 1, 1));
        n = alsInt16(n - 1, QStringLiteral("Feldzahl"));
    }
    const qint16 z = zufallsZahl(zufall_, 0, 20);
    qint16 joker = -1;
    if (z > 4) { // no joker in 5 chances of 21
        joker = freiesFeld(zufallsZahl(zufall_, 0, alsInt16(n - 1, QStringLiteral("Feldzahl"))));
        felder_[static_cast<size_t>(joker)].buchstabe = jokerZeichen;
    }
    qCDebug(lcBoard) << "dealt" << wort_.aktWort << "joker on field" << joker;
    qCDebug(lcBoard).noquote() << "board:" << brettZeile();
}

QString Spielfeld::brettZeile() const {
    QString zeile;
    for (const Feld& f : felder_)
        zeile += f.buchstabe.isEmpty() ? QStringLiteral(".") : f.buchstabe;
    return zeile;
}

qint16 Spielfeld::freiesFeld(qint16 k) const {
    qint16 zaehler = 0;
    for (qint16 i = 0; i < anzahlFelder; ++i) {
        if (!felder_[static_cast<size_t>(i)].buchstabe.isEmpty())
            continue;
        if (zaehler == k)
            return i;
        ++zaehler;
    }
    return 0;
}

QString Spielfeld::gesuchterBuchstabe() const {
    if (aktPos < 1)
        return {};
    return grossBuchstabe(wort_.aktWort.mid(aktPos - 1, 1));
}

void Spielfeld::findeBuchstaben(qint16 i) {
    feld(i).feldErledigt = true;
    aktPos = alsInt16(qint64(aktPos) + 1, QStringLiteral("Wortposition"));
}

qint16 Spielfeld::sucheBekanntesFeld() const {
    const QString gesucht = gesuchterBuchstabe();
    for (qint16 i = 0; i < anzahlFelder; ++i) {
        const Feld& f = felder_[static_cast<size_t>(i)];
        if (f.feldGesehen && !f.feldErledigt && f.buchstabe == gesucht)
            return i;
    }
    return -1;
}

qint16 Spielfeld::sucheNeuesFeld() const {
    for (qint16 i = 0; i < anzahlFelder; ++i) {
        const Feld& f = felder_[static_cast<size_t>(i)];
        if (!f.feldGesehen && !f.feldErledigt)
            return i;
    }
    return -1;
}

qint16 Spielfeld::sucheZufallsFeld() {
    const qint16 s = zufallsZahl(zufall_, 0, 24);
    for (qint16 i = s; i < anzahlFelder; ++i)
        if (!felder_[static_cast<size_t>(i)].feldErledigt)
            return i;
    for (qint16 i = s - 1; i >= 0; --i)
        if (!felder_[static_cast<size_t>(i)].feldErledigt)
            return i;
    return -1;
}

} // namespace findolin
