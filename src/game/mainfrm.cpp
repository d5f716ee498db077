#include "mainfrm.h"

#include "board/farbtabelle.h"
#include "computer/computerzug.h"
#include "kern/hilfsfunktionen.h"
#include "kern/lesehilfen.h"
#include "logging.h"
#include "platform/files.h"
#include "platform/laufzeitfehler.h"
#include "rahmen/ergebnisbericht.h"
#include "settings/omnorini.h"
#include "startup/rahmendateien.h"
#include "words/bausteinbild.h"

namespace findolin {

MainFrm::MainFrm(Dienste& dienste, Modulzustand& modul, SoundModul& sound)
    : d_(dienste), modul_(modul), sound_(sound), endeFrm_(dienste.fenster),
      mldFenster_(dienste.fenster, dienste.masse), spieler_(modul.kontext, modul.einst, ereignisse_),
      rdb_(modul.kontext, dienste.zufall, dienste.datenbanken),
      brett_(rdb_.wortDatensatz(), modul.kontext, modul.einst, spieler_, *this, ereignisse_,
             {dienste.uhr, dienste.pause, dienste.timer, dienste.zufall, dienste.masse, ansicht_},
             modul.pfade.appPfad),
      risiko_(spieler_, sound, dienste.zufall, dienste.timer),
      rateZeit_(spieler_, sound, mldFenster_, dienste.timer),
      spielZeit_(modul.kontext.energieFaktor, dienste.uhr, dienste.timer, mldFenster_, rateZeit_),
      compZugFrm_(dienste.fenster, dienste.timer,
                  [this] {
                      return simuliereComputerZug(brett_.feld, brett_.zuege, spieler_,
                                                  modul_.einst.einstSpielStaerke, d_.zufall);
                  }),
      dateiInfoFrm_(dienste.fenster), infoFrm_(dienste.fenster),
      einstellFrm_(dienste.fenster, modul.einst, modul.formular, modul.kontext, *this),
      meisterListe_(dienste.datenbanken, dienste.uhr,
                    modul.pfade.imUserOrdner(QStringLiteral("Meister.mdb"))),
      meisterFrm_(dienste.fenster, meisterListe_) {
    spieler_.ziffernNeuZeichnen = [this] { ansicht_.repaintNow(); };
    spieler_.computerZugStarten = [this] { starteComputerZug(); };
    spielZeit_.programmEnde = [this] { programmEnde(); };
    // Once play time is over nothing moves behind the closing message, not even the computer.
    spielZeit_.spielzeitAbgelaufen = [this] { compZugFrm_.compZugTimer().setEnabled(false); };
}

void MainFrm::starteComputerZug() {
    // The greyed menus and the computer's name show before the waiting window opens.
    ansicht_.repaintNow();
    compZugFrm_.compZugTimer().setInterval(CompZugFrm::takt);
    compZugFrm_.compZugTimer().setEnabled(true);
    compZugFrm_.zeigeModal();
}

void MainFrm::Form_Load() {
    const Pfade& pfade = modul_.pfade;
    StartKontext& kontext = modul_.kontext;
    loadOmnorIni(d_.dateien, pfade, kontext.nSpieler, modul_.einst, modul_.formular);
    brett_.feld.fldCurs.sichtbar = modul_.einst.einstFeldMarkierung == 1;
    sound_.playSound(QStringLiteral("ProgrammStart"));
    spielZeit_.merkeZeit();
    spieler_.aktSpieler = 0;
    initFarbTabelle(brett_.feld.feldFarben);
    brett_.feld.loescheSpielfeld();
    uebBausteinBild =
        pfade.imProgrammordner(QStringLiteral("Grafik/") + bausteinBildName(kontext.ubixFeldName));
    uebTitelLabel = kontext.uebungsTitel;
    kontext.uebungsTitel.clear();
    spieler_.zeigeAktuellenSpieler();
    for (qint16 i = 0; i < kontext.nSpieler; ++i)
        dateiInfoFrm_.zeigeSpieler(i, kontext.spielerName[static_cast<size_t>(i)]);
    kontext.fehlerWorte.leeren();
    leseFehlerWorte(d_.dateien, pfade, kontext);
    spielZeit_.starte();
    rateZeit_.initVuMeter();
    rateZeit_.switchVuRestZeit(modul_.einst.einstRatezeit != 0);
    risiko_.zeigeLampen(0);
    risiko_.risikoAnbieten(false);
    rdb_.oeffneDatenbank(pfade.imProgrammordner(QStringLiteral("Omnor-D.mdb")));
    rdb_.setzeWortFilter();
    rdb_.leereBenutzteWorte();
    waehleWort();
    brett_.zeigeNeuesWort();
    qCDebug(lcGame) << "main window loaded:" << kontext.nSpieler << "players, first word" << rdb_.aktWort();
}

// Chooses the next word. An empty word, or one longer than the board can hold (one field stays free for the
// joker), cannot be played: it is passed over, and counts as used like every word chosen.
void MainFrm::waehleWort() {
    constexpr int laengstesWort = brettlayout::anzahlFelder - 1;
    const int versuche = 8 * rdb_.wortAnzahl() + 16;
    for (int versuch = 0; versuch < versuche; ++versuch) {
        rdb_.waehleWort();
        if (rdb_.wortLaenge() >= 1 && rdb_.wortLaenge() <= laengstesWort)
            return;
        qCDebug(lcGame) << "word does not fit the board, passed over:" << rdb_.aktWort();
    }
    throw Laufzeitfehler(QStringLiteral("Kein Wort der Auswahl passt auf das Spielfeld (1 bis 24 Zeichen)"),
                         rdb_.wortFilter());
}

void MainFrm::mnuDateiEnde_Click() {
    if (endeFrm_.frageBeenden(modul_.kontext.nSpieler, modul_.einst.einstGegenComputer) !=
        QLatin1String("nein"))
        programmEnde();
}

bool MainFrm::Form_Unload() {
    if (spielZeit_.zeitUebrig()) {
        if (endeFrm_.frageBeenden(modul_.kontext.nSpieler, modul_.einst.einstGegenComputer) ==
            QLatin1String("nein"))
            return true;
    }
    programmEnde();
    return false;
}

// For the launcher that asked for it: who got how many points in the game that ends. A report that cannot
// be written costs nothing of the game's own.
void MainFrm::meldeErgebnis() {
    const QString& datei = modul_.ergebnisDatei;
    if (datei.isEmpty())
        return;
    try {
        d_.dateien.replaceVia(datei, datei + QStringLiteral(".neu"), ergebnisbericht(modul_.kontext));
        qCDebug(lcGame) << "points reported to" << datei;
    } catch (const Laufzeitfehler& fehler) {
        qCDebug(lcGame) << "points not reported:" << fehler.what();
    }
}

void MainFrm::programmEnde() {
    qCDebug(lcGame) << "program end";
    ereignisse_.spielEnde();
    sound_.playSound(QStringLiteral("ProgrammEnde"));
    warteSekunden(d_.uhr, d_.pause, 2);
    sound_.schliessen();
    d_.hilfe.closeAll(modul_.pfade.imProgrammordner(QStringLiteral("Ubix.chm")));
    d_.hilfe.closeAll(modul_.pfade.imProgrammordner(QStringLiteral("Findolin.chm")));
    const QString grund = meisterListe_.updateMeister(modul_.kontext);
    if (!grund.isEmpty())
        mldFenster_.zeigeMeldung(MeisterListe::hinweisText(grund), QStringLiteral("&OK"), QString(),
                                 MeisterListe::hinweisTitel);
    saveOmnorIni(d_.dateien, modul_.pfade, modul_.einst, modul_.formular);
    meldeErgebnis();
    d_.prozess.terminate(0);
}

} // namespace findolin
