#include "vorleser.h"

#include "anzeigen.h"
#include "brettansicht.h"
#include "game/mainfrm.h"

#include <QLabel>
#include <QStringList>
#include <cmath>
#include <utility>

namespace findolin::view {

namespace {

QString feldName(int i) {
    return QStringLiteral("Feld %1%2").arg(QChar(u'A' + i % 5)).arg(i / 5 + 1);
}

// What an uncovered field shows: its letter, "leer" or "Joker".
QString inhalt(const Feld& f) {
    if (f.buchstabe == jokerZeichen)
        return QStringLiteral("Joker");
    return f.buchstabe.isEmpty() ? QStringLiteral("leer") : f.buchstabe;
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

// The number a row of digit labels shows.
template <std::size_t n> QString zahl(const std::array<QString, n>& ziffern) {
    QString text;
    for (const QString& z : ziffern)
        text += z;
    return QString::number(text.toLongLong());
}

QString mitEinheit(int anzahl, const QString& einzahl, const QString& mehrzahl) {
    return QStringLiteral("%1 %2").arg(anzahl).arg(anzahl == 1 ? einzahl : mehrzahl);
}

} // namespace

Vorleser::Vorleser(MainFrm& frm, const Anzeigen& anzeigen, Ansage& ansage)
    : frm_(frm), anzeigen_(anzeigen), ansage_(ansage), letzter_(stand()) {
    benenne();
}

Vorleser::Stand Vorleser::stand() const {
    Stand s;
    for (int i = 0; i < 25; ++i)
        s.felder[i] = feldZustand(frm_.brett().feld.feld(static_cast<qint16>(i)));
    s.aktSpieler = frm_.spieler().aktSpieler;
    const Wortanzeige& w = frm_.brett().anzeige;
    s.suchWort = (w.suchKontLbl.caption + QLatin1Char(' ') + w.suchWortLbl.caption).trimmed();
    s.risikoAngeboten = frm_.risiko().risikoZiffEnabled;
    s.einsatz = zahl(frm_.spieler().anzeige.risikoZiff).toInt();
    return s;
}

void Vorleser::benenne() {
    const PunkteAnzeige& p = frm_.spieler().anzeige;
    setzeZugangsName(anzeigen_.punkte, QStringLiteral("Punkte: ") + zahl(p.punkZiff));
    setzeZugangsName(anzeigen_.einsatz, QStringLiteral("Einsatz: ") + zahl(p.risikoZiff));
    setzeZugangsName(anzeigen_.spName, QStringLiteral("Am Zug: ") + p.spNameLbl);
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

QStringList Vorleser::neuigkeiten(const Stand& jetzt) {
    QStringList teile;
    const Spielfeld& brett = frm_.brett().feld;
    for (int i = 0; i < 25; ++i)
        if (letzter_.felder[i] == QLatin1String("verdeckt") && jetzt.felder[i] != QLatin1String("verdeckt")) {
            aufgedeckt_ = i;
            aufgedecktInhalt_ = inhalt(brett.feld(static_cast<qint16>(i)));
        }
    if (jetzt.suchWort != letzter_.suchWort)
        teile << QStringLiteral("Neues Wort: ") + jetzt.suchWort;
    if (jetzt.aktSpieler != letzter_.aktSpieler)
        teile << frm_.spieler().anzeige.spNameLbl + QStringLiteral(" ist am Zug");
    if (jetzt.risikoAngeboten && !letzter_.risikoAngeboten)
        teile << QStringLiteral("Risiko angeboten");
    if (jetzt.einsatz > 0 && letzter_.einsatz == 0)
        teile << QStringLiteral("Einsatz: ") +
                     mitEinheit(jetzt.einsatz, QStringLiteral("Punkt"), QStringLiteral("Punkte"));
    return teile;
}

void Vorleser::aktualisiere(bool sagen) {
    benenne();
    const Stand jetzt = stand();
    offen_ << neuigkeiten(jetzt);
    letzter_ = jetzt;
    if (!sagen)
        return;
    // The field comes first; its result is known once the move has been checked, after its repaint.
    const Spielfeld& brett = frm_.brett().feld;
    if (aufgedeckt_ >= 0) {
        QString feld = feldName(aufgedeckt_) + QStringLiteral(": ") + aufgedecktInhalt_;
        if (aufgedeckt_ == brett.aktFeld)
            feld += QStringLiteral(", ") + ergebnis(brett.feldErgebnis);
        offen_.prepend(feld);
        aufgedeckt_ = -1;
    }
    if (!offen_.isEmpty())
        ansage_.sage(std::exchange(offen_, {}).join(QStringLiteral(". ")));
}

} // namespace findolin::view
