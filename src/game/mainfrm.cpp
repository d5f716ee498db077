#include "mainfrm.h"

#include "logging.h"
#include "settings/omnorini.h"
#include "startup/hilfsfunktionen.h"
#include "startup/lesehilfen.h"
#include "startup/rahmendateien.h"

namespace findolin {

MainFrm::MainFrm(Dienste& dienste, StartKontext& kontext, const Pfade& pfade)
    : d_(dienste), kontext_(kontext), pfade_(pfade), mldFenster_(dienste.fenster, dienste.masse),
      endeFrm_(dienste.fenster) {}

void MainFrm::Form_Load() {
    loadOmnorIni(d_.dateien, pfade_, kontext_.nSpieler, einst_, formular_);
    fldCursVisible = einst_.einstFeldMarkierung == 1;
    letzteEnergieZeit = static_cast<qint32>(rundeGerade(d_.uhr.secondsSinceMidnight()));
    uebTitelLabel = kontext_.uebungsTitel;
    kontext_.uebungsTitel.clear();
    spNameLbl = kontext_.spielerName[0];
    kontext_.fehlerWorte.leeren();
    leseFehlerWorte(d_.dateien, pfade_, kontext_);
    qCDebug(lcGame) << "main window loaded for" << kontext_.nSpieler << "players";
}

void MainFrm::mnuDateiEnde_Click() {
    endeFrm_.frageBeenden(kontext_.nSpieler, einst_.einstGegenComputer);
    if (endeFrm_.antwort() != QLatin1String("nein"))
        programmEnde();
}

bool MainFrm::Form_Unload() {
    if (restZeitStand >= 100) {
        endeFrm_.frageBeenden(kontext_.nSpieler, einst_.einstGegenComputer);
        if (endeFrm_.antwort() == QLatin1String("nein"))
            return true;
    }
    programmEnde();
    return false;
}

void MainFrm::programmEnde() {
    qCDebug(lcGame) << "program end";
    warteSekunden(d_.uhr, d_.pause, 2);
    saveOmnorIni(d_.dateien, pfade_, einst_, formular_);
    d_.prozess.terminate(0);
}

} // namespace findolin
