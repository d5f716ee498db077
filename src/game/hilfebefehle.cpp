// The main window's help commands and F1 on its menus.
#include "mainfrm.h"

#include "logging.h"
#include "menueleiste.h"

namespace findolin {

namespace {
const QString findolinHilfe = QStringLiteral("Findolin.chm");
const QString ubixHilfe = QStringLiteral("Ubix.chm");
constexpr qint32 regelnKontext = 2000;
} // namespace

void MainFrm::zeigeHilfe(const QString& datei, qint32 kontext) {
    const QString pfad = modul_.pfade.imProgrammordner(datei);
    if (!d_.dateien.exists(pfad)) {
        qCDebug(lcGame) << "help file missing:" << pfad;
        mldFenster_.zeigeMeldung(QStringLiteral("Die Hilfedatei fehlt:") + QChar(13) + pfad,
                                 QStringLiteral("&OK"), QString(), QStringLiteral("Hilfe"));
        return;
    }
    if (kontext == 0)
        d_.hilfe.displayTopic(pfad);
    else
        d_.hilfe.helpContext(pfad, kontext);
}

void MainFrm::mnuHilfeBedienung_Click() {
    zeigeHilfe(findolinHilfe, 0);
}

void MainFrm::mnuHilfeSpielregeln_Click() {
    zeigeHilfe(findolinHilfe, regelnKontext);
}

void MainFrm::mnuHilfeAktKat_Click() {
    zeigeHilfe(ubixHilfe, modul_.hilfeKontext);
}

void MainFrm::hilfeZuMenue(const QString& menueName) {
    if (const qint32 kontext = hilfeKontextVon(menueName); kontext != 0)
        zeigeHilfe(findolinHilfe, kontext);
}

} // namespace findolin
