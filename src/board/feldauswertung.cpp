#include "feldauswertung.h"

#include "logging.h"
#include "spielbrett.h"

#include "kern/hilfsfunktionen.h"
#include "platform/laufzeitfehler.h"

namespace findolin {

namespace {
// How the log names a result.
const char* ergebnisText(FeldErgebnis ergebnis) {
    switch (ergebnis) {
    case FeldErgebnis::Richtig:
        return "hit";
    case FeldErgebnis::Joker:
        return "joker";
    case FeldErgebnis::WortFertig:
        return "word completed";
    default:
        return "miss";
    }
}
} // namespace

Feldauswertung::Feldauswertung(Spielbrett& brett, Spielerliste& spieler, const Einstellungen& einstellungen,
                               const WortDatensatz& wort, ZugUmgebung& umgebung, Spielbeobachter& ereignisse,
                               ZugDienste dienste, QString appPfad)
    : brett_(brett), feld_(brett.feld), spieler_(spieler), einstellungen_(einstellungen), wort_(wort),
      umgebung_(umgebung), ereignisse_(ereignisse), dienste_(dienste), appPfad_(std::move(appPfad)),
      fldAnzTimer_(dienste.timer.createTimer(1, [this] { FldAnzTimer_Timer(); })) {}

void Feldauswertung::FldPic_MouseDown(qint16 index, int button) {
    if (auswertungAnstehend() || button != linkeMaustaste || spieler_.computerAmZug)
        return;
    deckeFeldAuf(index);
}

void Feldauswertung::Form_KeyDown(int keyCode) {
    FeldCursor& cursor = feld_.fldCurs;
    if (!cursor.sichtbar || spieler_.computerAmZug)
        return;
    // The cursor moves by one field and stops at the edges; the arrows work even while a move is evaluated.
    constexpr int raster = brettlayout::feldRaster;
    constexpr int grenze = brettlayout::fldFrameWidth;
    switch (keyCode) {
    case tasteLinks:
        if (cursor.left - raster >= 0)
            cursor.left -= raster;
        break;
    case tasteHoch:
        if (cursor.top - raster >= 0)
            cursor.top -= raster;
        break;
    case tasteRechts:
        if (cursor.left + 2 * raster <= grenze)
            cursor.left += raster;
        break;
    case tasteRunter:
        if (cursor.top + 2 * raster <= grenze)
            cursor.top += raster;
        break;
    case tasteEnter: {
        if (auswertungAnstehend())
            return;
        aktFeld_ = cursorFeld();
        if (feld_.feld(aktFeld_).feldErledigt)
            return;
        qCDebug(lcBoard) << "Enter on field" << aktFeld_;
        deckeAuf(aktFeld_);
        break;
    }
    default:
        break;
    }
}

qint16 Feldauswertung::cursorFeld() const {
    const int raster = brettlayout::feldRaster;
    return alsInt16(5 * (feld_.fldCurs.top / raster) + feld_.fldCurs.left / raster,
                    QStringLiteral("Cursorfeld"));
}

void Feldauswertung::deckeFeldAuf(qint16 i) {
    if (feld_.feld(i).feldErledigt)
        return; // a found field or a taken joker cannot be uncovered
    aktFeld_ = i;
    qCDebug(lcBoard) << "player" << spieler_.aktSpieler << "uncovers field" << i;
    deckeAuf(i);
}

void Feldauswertung::deckeAuf(qint16 i) {
    fldAnzTimer_->setEnabled(true);
    Feld& f = feld_.feld(i);
    feldFarbe_ = f.farbe;
    f.farbe = weiss;
    if (f.buchstabe != jokerZeichen)
        f.buchstabeSichtbar = true; // the joker shows its picture only with the evaluation
    ereignisse_.feldAufgedeckt(i, f.buchstabe);
    dienste_.ansicht.repaintNow();
    pruefeFeld(i);
    if (einstellungen_.einstRatezeit == 1)
        umgebung_.setzeRateZeitZurueck();
}

void Feldauswertung::pruefeFeld(qint16 i) {
    Feld& f = feld_.feld(i);
    feldErgebnis_ = FeldErgebnis::Leer;
    warGesehen_ = f.feldGesehen;
    f.feldGesehen = true;
    if (f.buchstabe == jokerZeichen) {
        feldErgebnis_ = FeldErgebnis::Joker;
    } else if (f.buchstabe.isEmpty()) {
        feldErgebnis_ = FeldErgebnis::Leer;
    } else if (f.buchstabe != feld_.gesuchterBuchstabe()) {
        feldErgebnis_ = FeldErgebnis::Falsch;
    } else {
        feld_.findeBuchstaben(i);
        feldErgebnis_ = feld_.aktPos > wort_.wortLaenge ? FeldErgebnis::WortFertig : FeldErgebnis::Richtig;
    }
    qCDebug(lcBoard) << "field" << i << "holds" << f.buchstabe << "result" << int(feldErgebnis_)
                     << (warGesehen_ ? "(seen before)" : "");
}

void Feldauswertung::FldAnzTimer_Timer() {
    umgebung_.risikoAnbieten(false);
    fldAnzTimer_->setEnabled(false);
    const FeldErgebnis ergebnis = feldErgebnis_;
    const Zugwertung wertung = werteZug(ergebnis, warGesehen_, spieler_.risikoPunkte);
    umgebung_.playSound(wertung.sound);
    if (ergebnis == FeldErgebnis::Joker)
        zeigeJoker();
    qCDebug(lcBoard) << ergebnisText(ergebnis) << "on field" << aktFeld_ << "points" << wertung.punkte;
    spieler_.addierePunkte(alsInt16(wertung.punkte, QStringLiteral("Punkte")));
    ereignisse_.zugAusgewertet(aktFeld_, ergebnis);
    if (ergebnis == FeldErgebnis::Richtig || ergebnis == FeldErgebnis::WortFertig)
        zeigeFundZeichen();
    warteZweiSekunden();
    if (istFehlgriff(ergebnis)) {
        Feld& f = feld_.feld(aktFeld_);
        f.buchstabeSichtbar = false;
        f.farbe = feldFarbe_;
        spieler_.naechsterSpieler();
    } else if (ergebnis == FeldErgebnis::WortFertig) {
        feld_.loescheSpielfeld();
        umgebung_.waehleWort();
        brett_.zeigeNeuesWort();
    }
    if (pruefeHinweis()) {
        umgebung_.playSound(QStringLiteral("Achtung"));
        umgebung_.risikoAnbieten(true);
        ereignisse_.risikoAngeboten(spieler_.aktSpieler);
    }
    spieler_.risikoPunkte = 0;
    spieler_.zeigeZiffern(1);
}

void Feldauswertung::zeigeFundZeichen() {
    // The found word shows the character in the word's own case.
    brett_.anzeige.fuegeFundZeichenAn(wort_.aktWort.mid(feld_.aktPos - 2, 1));
}

void Feldauswertung::warteZweiSekunden() {
    // What changed must show before the pause, which serves no paint event.
    dienste_.ansicht.repaintNow();
    warteSekunden(dienste_.uhr, dienste_.pause, 2);
}

void Feldauswertung::zeigeJoker() {
    const qint16 n = zufallsZahl(dienste_.zufall, 1, 3);
    // The view draws the picture from its path and leaves the field plain when the file is missing.
    Feld& f = feld_.feld(aktFeld_);
    f.bildPfad = jokerBild(appPfad_, n);
    f.feldErledigt = true;
}

QString Feldauswertung::jokerBild(const QString& appPfad, int n) {
    return appPfad + QStringLiteral("/Grafik/JOKER") + QString::number(n) + QStringLiteral(".WMF");
}

bool Feldauswertung::pruefeHinweis() {
    return hinweisGezogen(dienste_.zufall) && feld_.sucheBekanntesFeld() >= 0;
}

} // namespace findolin
