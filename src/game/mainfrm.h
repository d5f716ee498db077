#pragma once

#include "board/spielbrett.h"
#include "computer/compzugfrm.h"
#include "dienste.h"
#include "highscores/meisterfrm.h"
#include "highscores/meisterliste.h"
#include "info/infodialoge.h"
#include "kern/meldungsfenster.h"
#include "modulzustand.h"
#include "scoring/ratezeit.h"
#include "scoring/risiko.h"
#include "scoring/spielerliste.h"
#include "scoring/spielzeit.h"
#include "settings/einstellfrm.h"
#include "sound/soundmodul.h"
#include "words/rdbmanager.h"

namespace findolin {

// The main window's logic: its load procedure, the moves on its board, the commands that end the program,
// and the state of the controls that the view draws. Everything runs on the user-interface thread.
class MainFrm : private ZugUmgebung, private EinstellWirkung {
public:
    static inline const QString caption = QStringLiteral("Omnor - Findolin");

    MainFrm(Dienste& dienste, Modulzustand& modul, SoundModul& sound);

    void Form_Load();
    // "&Ende ...": asks first; "nein" keeps the game going.
    void mnuDateiEnde_Click();
    // "&Neu ...": after the question, every player starts again at 0 with a fresh board and an unused word.
    void mnuDateiNeu_Click();
    // "&Info ...": the players' points and the word set.
    void mnuDateiInfo_Click();
    // "&Info über ...".
    void mnuHilfeInfo_Click() { infoFrm_.mnuHilfeInfo_Click(); }
    // "&Meisterliste ...".
    void mnuDateiMeisterliste_Click() { meisterFrm_.zeige(); }
    // "&Einstellungen ...": when the opponent setting changed, the turn goes to the first player at once.
    void mnuBearbEinstell_Click();
    // The help commands: the operating notes, the rules, and the practice focus in the sibling help file.
    void mnuHilfeBedienung_Click();
    void mnuHilfeSpielregeln_Click();
    void mnuHilfeAktKat_Click();
    // F1 on a highlighted menu or menu item: the program's help file at that item's topic, where it has one.
    void hilfeZuMenue(const QString& menueName);
    // Closing the window: asks while play time is left. Returns true to keep the window open.
    bool Form_Unload();
    // The one orderly end: plays the closing sound, writes what must be written and ends the process.
    void programmEnde();

    // The view that repaints the form at once where the game needs it (before a pause).
    void verbindeAnsicht(platform::FormView* ansicht) { ansicht_.ziel = ansicht; }

    // Where the window and the screen reader hear what happens in the game.
    Spielereignisse& ereignisse() { return ereignisse_; }
    const Modulzustand& modul() const { return modul_; }
    Spielbrett& brett() { return brett_; }
    Spielerliste& spieler() { return spieler_; }
    RdbManager& woerter() { return rdb_; }
    Risiko& risiko() { return risiko_; }
    RateZeit& rateZeit() { return rateZeit_; }
    SpielZeit& spielZeit() { return spielZeit_; }
    CompZugFrm& compZugFrm() { return compZugFrm_; }
    DateiInfoFrm& dateiInfoFrm() { return dateiInfoFrm_; }
    EinstellFrm& einstellFrm() { return einstellFrm_; }

    // Control state the view shows.
    QString uebTitelLabel = QStringLiteral("[kein Übungsschwerpunkt]");
    QString uebBausteinBild;

private:
    void meldeErgebnis();
    // What a move needs from the rest of the game.
    void playSound(const QString& ereignis) override { sound_.playSound(ereignis); }
    void waehleWort() override;
    void risikoAnbieten(bool ein) override { risiko_.risikoAnbieten(ein); }
    void setzeRateZeitZurueck() override { rateZeit_.setzeRateZeitZurueck(); }
    // The computer's turn: its waiting window paces the moves; returns after the first one.
    void starteComputerZug();

    // What confirmed settings change on the main form.
    bool rateZeitLaeuft() const override { return rateZeit_.laeuft(); }
    void switchVuRestZeit(bool ein) override { rateZeit_.switchVuRestZeit(ein); }
    void zeigeFeldCursor(bool sichtbar) override { brett_.feld.fldCurs.sichtbar = sichtbar; }
    void zeigeSpielerZeile(int index, bool sichtbar) override;
    // Opens a help file of the program folder at a context id (0: its default topic); a missing file is told.
    void zeigeHilfe(const QString& datei, qint32 kontext);

    // Forwards immediate repaints to the view once there is one; during the load there is none yet.
    struct Ansicht : platform::FormView {
        platform::FormView* ziel = nullptr;
        void repaintNow() override {
            if (ziel)
                ziel->repaintNow();
        }
    };

    Dienste& d_;
    Modulzustand& modul_;
    SoundModul& sound_;
    Ansicht ansicht_;
    Spielereignisse ereignisse_;
    EndeFrm endeFrm_;
    MldFenster mldFenster_;
    Spielerliste spieler_;
    RdbManager rdb_;
    Spielbrett brett_;
    Risiko risiko_;
    RateZeit rateZeit_;
    SpielZeit spielZeit_;
    CompZugFrm compZugFrm_;
    DateiInfoFrm dateiInfoFrm_;
    InfoFrm infoFrm_;
    EinstellFrm einstellFrm_;
    MeisterListe meisterListe_;
    MeisterFrm meisterFrm_;
};

} // namespace findolin
