#include "vorleser.h"

#include "anzeigen.h"
#include "brettansicht.h"
#include "game/mainfrm.h"

#include <QLabel>
#include <QStringList>
#include <cmath>

namespace findolin::view {

namespace {

// What an uncovered field shows: its letter, "leer" or "Joker".
QString inhalt(const QString& buchstabe) {
    if (buchstabe == jokerZeichen)
        return QStringLiteral("Joker");
    return buchstabe.isEmpty() ? QStringLiteral("leer") : buchstabe;
}

QString ergebnis(FeldErgebnis feldErgebnis) {
    switch (feldErgebnis) {
    case FeldErgebnis::Richtig:
        return QStringLiteral("richtig");
    case FeldErgebnis::Joker:
        return QStringLiteral("Glückstreffer");
    case FeldErgebnis::WortFertig:
        return QStringLiteral("richtig. Das Wort ist fertig");
    default:
        return QStringLiteral("daneben");
    }
}

QString mitEinheit(int anzahl, const QString& einzahl, const QString& mehrzahl) {
    return QStringLiteral("%1 %2").arg(anzahl).arg(anzahl == 1 ? einzahl : mehrzahl);
}

} // namespace

Vorleser::Vorleser(MainFrm& frm, const Anzeigen& anzeigen, Ansage& ansage)
    : frm_(frm), anzeigen_(anzeigen), ansage_(ansage), amZug_(frm.spieler().aktSpieler) {
    frm_.ereignisse().abonniere(*this);
    benenne();
}

Vorleser::~Vorleser() {
    frm_.ereignisse().kuendige(*this);
}

void Vorleser::benenne() {
    const Spielerliste& spieler = frm_.spieler();
    setzeZugangsName(anzeigen_.punkte, QStringLiteral("Punkte: %1").arg(spieler.punkteAktSpieler()));
    setzeZugangsName(anzeigen_.einsatz, QStringLiteral("Einsatz: %1").arg(spieler.risikoPunkte));
    setzeZugangsName(anzeigen_.spName, QStringLiteral("Am Zug: ") + spieler.anzeige.spNameLbl);
    const Wortanzeige& w = frm_.brett().anzeige;
    setzeZugangsName(anzeigen_.suchWort,
                     QStringLiteral("Gesucht: ") +
                         (w.suchKontLbl.caption + QLatin1Char(' ') + w.suchWortLbl.caption).trimmed());
    setzeZugangsName(anzeigen_.fundWort, QStringLiteral("Gefunden: ") + (w.fundWortLbl.caption.isEmpty()
                                                                             ? QStringLiteral("noch nichts")
                                                                             : w.fundWortLbl.caption));
    const Risiko& r = frm_.risiko();
    setzeZugangsName(anzeigen_.lampeRot, r.risikoAusImg == Lampe::Rot
                                             ? QStringLiteral("Rote Lampe: kein Risiko")
                                             : QStringLiteral("Rote Lampe: aus"));
    setzeZugangsName(anzeigen_.lampeGruen, r.risikoZiffEnabled
                                               ? QStringLiteral("Grüne Lampe: Risiko angeboten")
                                               : QStringLiteral("Grüne Lampe: aus"));
    benenneMessgeraete();
}

// The guess-time meter in seconds left, the play-time bar in minutes left.
void Vorleser::benenneMessgeraete() {
    const RateZeit& rate = frm_.rateZeit();
    if (rate.vuRestZeitEin) {
        const int gesamt = RateZeit::ablauf / RateZeit::schrittProSekunde;
        const int sekunden = std::max(0, RateZeit::ablauf - rate.rateZeit) / RateZeit::schrittProSekunde;
        setzeZugangsName(anzeigen_.vuMeter,
                         QStringLiteral("Ratezeit: noch ") +
                             mitEinheit(sekunden, QStringLiteral("Sekunde"), QStringLiteral("Sekunden")));
        anzeigen_.vuMeter->setzeWert(Zugaenglich::Wert{sekunden, 0, gesamt});
    } else {
        setzeZugangsName(anzeigen_.vuMeter, QStringLiteral("Ratezeit: aus"));
        anzeigen_.vuMeter->setzeWert(std::nullopt);
    }
    const SpielZeit& zeit = frm_.spielZeit();
    const int faktor = frm_.modul().kontext.energieFaktor;
    if (faktor <= 0) {
        setzeZugangsName(anzeigen_.restZeit, QStringLiteral("Spielzeit: unbegrenzt"));
        return;
    }
    const auto minuten = [faktor](int hoehe) {
        return int(std::ceil(std::max(0, hoehe - SpielZeit::rest) / double(faktor) / 60));
    };
    const int uebrig = minuten(zeit.hoehe);
    setzeZugangsName(anzeigen_.restZeit,
                     QStringLiteral("Spielzeit: noch ") +
                         mitEinheit(uebrig, QStringLiteral("Minute"), QStringLiteral("Minuten")));
    anzeigen_.restZeit->setzeWert(Zugaenglich::Wert{uebrig, 0, minuten(SpielZeit::balkenHoehe)});
}

void Vorleser::feldAufgedeckt(qint16 feld, const QString& buchstabe) {
    offen_.feld = feldName(feld) + QStringLiteral(": ") + inhalt(buchstabe);
    aufgedeckt_ = feld;
    auswertungOffen_ = true;
}

void Vorleser::zugAusgewertet(qint16 feld, FeldErgebnis feldErgebnis) {
    if (feld == aufgedeckt_ && auswertungOffen_)
        offen_.feld += QStringLiteral(", ") + ergebnis(feldErgebnis);
    auswertungOffen_ = false;
}

void Vorleser::zugWeitergegeben(qint16 spieler, const QString& name) {
    // The same player again (a single player, a new game begun by the first) is no news.
    if (spieler != amZug_)
        offen_.amZug = name + QStringLiteral(" ist am Zug");
    amZug_ = spieler;
}

void Vorleser::neuesWort(const QString& kontext, const QString& wort) {
    offen_.neuesWort = QStringLiteral("Neues Wort: ") + (kontext + QLatin1Char(' ') + wort).trimmed();
}

void Vorleser::risikoAngeboten(qint16) {
    offen_.risiko = QStringLiteral("Risiko angeboten");
}

void Vorleser::einsatzGesetzt(qint16, qint32 einsatz) {
    offen_.einsatz =
        QStringLiteral("Einsatz: ") + mitEinheit(einsatz, QStringLiteral("Punkt"), QStringLiteral("Punkte"));
}

void Vorleser::spielEnde() {
    beendet_ = true;
    offen_ = {};
}

void Vorleser::aktualisiere(bool sagen) {
    benenne();
    if (!sagen || auswertungOffen_ || beendet_)
        return;
    QStringList teile;
    for (const QString& teil : {offen_.feld, offen_.neuesWort, offen_.amZug, offen_.risiko, offen_.einsatz})
        if (!teil.isEmpty())
            teile << teil;
    offen_ = {};
    ansage_.sage(teile.join(QStringLiteral(". ")));
}

} // namespace findolin::view
