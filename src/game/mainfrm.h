#pragma once

#include "dienste.h"
#include "settings/einstellformular.h"
#include "settings/einstellungen.h"
#include "startup/meldungsfenster.h"
#include "startup/startkontext.h"

namespace findolin {

// The main window's logic: its load procedure, the commands that end the program, and the state of the
// controls the view draws. Everything runs on the user-interface thread.
class MainFrm {
public:
    static inline const QString caption = QStringLiteral("Omnor - Findolin");

    MainFrm(Dienste& dienste, StartKontext& kontext, const Pfade& pfade);

    void Form_Load();
    // "&Ende ...": asks first; "nein" keeps the game going.
    void mnuDateiEnde_Click();
    // Closing the window: asks while play time is left. Returns true to keep the window open.
    bool Form_Unload();
    // The one orderly end: writes what must be written and ends the process.
    void programmEnde();

    const Einstellungen& einstellungen() const { return einst_; }
    const EinstellFormular& einstellFormular() const { return formular_; }
    const StartKontext& kontext() const { return kontext_; }
    MldFenster& mldFenster() { return mldFenster_; }
    EndeFrm& endeFrm() { return endeFrm_; }

    // Control state the view shows.
    QString uebTitelLabel = QStringLiteral("[kein Übungsschwerpunkt]");
    QString spNameLbl;
    bool fldCursVisible = false;
    qint32 letzteEnergieZeit = 0;
    // Height of the play-time bar in twips; play time is left while it is 100 or more.
    double restZeitStand = 2400;

private:
    Dienste& d_;
    StartKontext& kontext_;
    const Pfade& pfade_;
    Einstellungen einst_;
    EinstellFormular formular_;
    MldFenster mldFenster_;
    EndeFrm endeFrm_;
};

} // namespace findolin
