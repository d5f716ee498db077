// The main window's help commands and F1 on its menus.
#include "mainfrm.h"

#include "logging.h"

#include <QHash>

namespace findolin {

namespace {
const QString findolinHilfe = QStringLiteral("Findolin.chm");
const QString ubixHilfe = QStringLiteral("Ubix.chm");
constexpr qint32 regelnKontext = 2000;

// The topic of each menu and menu item in the program's help file; "&Ende ..." has none.
const QHash<QString, qint32>& menueKontexte() {
    static const QHash<QString, qint32> kontexte{{QStringLiteral("mnuDatei"), 1000},
                                                 {QStringLiteral("mnuBearbeiten"), 1000},
                                                 {QStringLiteral("mnuHilfe"), 1000},
                                                 {QStringLiteral("mnuHilfeBedienung"), 1000},
                                                 {QStringLiteral("mnuHilfeSpielregeln"), 2000},
                                                 {QStringLiteral("mnuBearbEinstell"), 3003},
                                                 {QStringLiteral("mnuDateiInfo"), 3004},
                                                 {QStringLiteral("mnuDateiMeisterliste"), 3005},
                                                 {QStringLiteral("mnuDateiNeu"), 3006},
                                                 {QStringLiteral("mnuHilfeInfo"), 3007},
                                                 {QStringLiteral("mnuHilfeAktKat"), 3008}};
    return kontexte;
}
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
    const auto kontext = menueKontexte().constFind(menueName);
    if (kontext != menueKontexte().constEnd())
        zeigeHilfe(findolinHilfe, *kontext);
}

} // namespace findolin
