#include "feldauswertung.h"

#include "logging.h"

#include "kern/hilfsfunktionen.h"
#include "platform/laufzeitfehler.h"

namespace findolin {

namespace {
constexpr qint16 ergebnisLeer = 0;
constexpr qint16 ergebnisFalsch = 1;
constexpr qint16 ergebnisRichtig = 2;
constexpr qint16 ergebnisJoker = 3;
constexpr qint16 ergebnisWortFertig = 4;
} // namespace

Feldauswertung::Feldauswertung(Spielfeld& spielfeld, Wortanzeige& wortanzeige, Spielerliste& spieler,
                               const Einstellungen& einstellungen, const WortDatensatz& wort,
                               ZugUmgebung& umgebung, ZugDienste dienste, QString appPfad)
    : feld_(spielfeld), anzeige_(wortanzeige), spieler_(spieler), einstellungen_(einstellungen), wort_(wort),
      umgebung_(umgebung), dienste_(dienste), appPfad_(std::move(appPfad)),
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
        feld_.aktFeld = cursorFeld();
        if (feld_.feld(feld_.aktFeld).feldErledigt)
            return;
        qCDebug(lcBoard) << "Enter on field" << feld_.aktFeld;
        deckeAuf(feld_.aktFeld);
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
    feld_.aktFeld = i;
    qCDebug(lcBoard) << "player" << spieler_.aktSpieler << "uncovers field" << i;
    deckeAuf(i);
}

void Feldauswertung::deckeAuf(qint16 i) {
    fldAnzTimer_->setEnabled(true);
    Feld& f = feld_.feld(i);
    feld_.feldFarbe = f.farbe;
    f.farbe = weiss;
    if (f.buchstabe != jokerZeichen)
        f.buchstabeSichtbar = true; // the joker shows its picture only with the evaluation
    dienste_.ansicht.repaintNow();
    pruefeFeld(i);
    if (einstellungen_.einstRatezeit == 1)
        umgebung_.setzeRateZeitZurueck();
}

void Feldauswertung::pruefeFeld(qint16 i) {
    Feld& f = feld_.feld(i);
    feld_.feldErgebnis = ergebnisLeer;
    feld_.warGesehen = f.feldGesehen;
    f.feldGesehen = true;
    if (f.buchstabe == jokerZeichen) {
        feld_.feldErgebnis = ergebnisJoker;
    } else if (f.buchstabe.isEmpty()) {
        feld_.feldErgebnis = ergebnisLeer;
    } else if (f.buchstabe != feld_.gesuchterBuchstabe()) {
        feld_.feldErgebnis = ergebnisFalsch;
    } else {
        f.feldErledigt = true;
        feld_.aktPos = alsInt16(qint64(feld_.aktPos) + 1, QStringLiteral("Wortposition"));
        feld_.feldErgebnis = feld_.aktPos > wort_.wortLaenge ? ergebnisWortFertig : ergebnisRichtig;
    }
    qCDebug(lcBoard) << "field" << i << "holds" << f.buchstabe << "result" << feld_.feldErgebnis
                     << (feld_.warGesehen ? "(seen before)" : "");
}

void Feldauswertung::FldAnzTimer_Timer() {
    umgebung_.risikoAnbieten(false);
    fldAnzTimer_->setEnabled(false);
    switch (feld_.feldErgebnis) {
    case ergebnisLeer:
    case ergebnisFalsch:
        werteFehlgriffAus();
        break;
    case ergebnisRichtig:
        werteTrefferAus();
        break;
    case ergebnisJoker:
        werteJokerAus();
        break;
    case ergebnisWortFertig:
        werteWortEndeAus();
        break;
    default:
        break;
    }
    if (pruefeHinweis()) {
        umgebung_.playSound(QStringLiteral("Achtung"));
        umgebung_.risikoAnbieten(true);
    }
    spieler_.risikoPunkte = 0;
    spieler_.zeigeZiffern(1);
}

void Feldauswertung::werteFehlgriffAus() {
    qint16 d = -3;
    if (spieler_.risikoPunkte <= 0) {
        umgebung_.playSound(feld_.feldErgebnis == ergebnisLeer ? QStringLiteral("Annahme1")
                                                               : QStringLiteral("Annahme2"));
    } else {
        umgebung_.playSound(QStringLiteral("AllgemeinerFehler"));
        d = alsInt16(-qint64(spieler_.risikoPunkte), QStringLiteral("Punkte"));
    }
    qCDebug(lcBoard) << "miss on field" << feld_.aktFeld << "points" << d;
    spieler_.addierePunkte(d);
    warteZweiSekunden();
    Feld& f = feld_.feld(feld_.aktFeld);
    f.buchstabeSichtbar = false;
    f.farbe = feld_.feldFarbe;
    spieler_.naechsterSpieler();
}

void Feldauswertung::werteTrefferAus() {
    umgebung_.playSound(QStringLiteral("BewegungStart"));
    const qint64 b = feld_.warGesehen ? 50 : 20;
    const qint64 d = spieler_.risikoPunkte <= 0 ? b : spieler_.risikoPunkte + b;
    qCDebug(lcBoard) << "hit on field" << feld_.aktFeld << "points" << d;
    spieler_.addierePunkte(alsInt16(d, QStringLiteral("Punkte")));
    zeigeFundZeichen();
    warteZweiSekunden();
}

void Feldauswertung::werteJokerAus() {
    umgebung_.playSound(QStringLiteral("Glückstreffer"));
    zeigeJoker();
    qCDebug(lcBoard) << "joker on field" << feld_.aktFeld << "points" << 100;
    spieler_.addierePunkte(100); // a joker ignores the stake
    warteZweiSekunden();
}

void Feldauswertung::werteWortEndeAus() {
    umgebung_.playSound(QStringLiteral("Gratulation1"));
    const qint64 d = spieler_.risikoPunkte <= 0 ? 20 : spieler_.risikoPunkte + 20;
    qCDebug(lcBoard) << "word completed on field" << feld_.aktFeld << "points" << d;
    spieler_.addierePunkte(alsInt16(d, QStringLiteral("Punkte")));
    zeigeFundZeichen();
    warteZweiSekunden();
    feld_.loescheSpielfeld();
    umgebung_.waehleWort();
    anzeige_.zeigeNeuesWort();
}

void Feldauswertung::zeigeFundZeichen() {
    // The found word shows the character in the word's own case.
    anzeige_.fuegeFundZeichenAn(wort_.aktWort.mid(feld_.aktPos - 2, 1));
}

void Feldauswertung::warteZweiSekunden() {
    // What changed must show before the pause, which serves no paint event.
    dienste_.ansicht.repaintNow();
    warteSekunden(dienste_.uhr, dienste_.pause, 2);
}

void Feldauswertung::zeigeJoker() {
    const qint16 n = zufallsZahl(dienste_.zufall, 1, 3);
    // The view draws the picture from its path and leaves the field plain when the file is missing.
    Feld& f = feld_.feld(feld_.aktFeld);
    f.bildPfad = appPfad_ + QStringLiteral("/Grafik/JOKER") + QString::number(n) + QStringLiteral(".WMF");
    f.feldErledigt = true;
}

bool Feldauswertung::pruefeHinweis() {
    const qint16 r = zufallsZahl(dienste_.zufall, 1, 100);
    if (r <= 75)
        return false;
    return feld_.sucheBekanntesFeld() >= 0;
}

} // namespace findolin
