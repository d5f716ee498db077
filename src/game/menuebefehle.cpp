// The main window's menu commands that start a new game or open a dialog.
#include "mainfrm.h"

#include "logging.h"

namespace findolin {

namespace {
const QString neuMehrere =
    QStringList{QStringLiteral("Wenn ihr das Spiel neu beginnt,"),
                QStringLiteral("gehen alle Punkte verloren."),
                QStringLiteral("Seid ihr sicher, dass ihr das"), QStringLiteral("wirklich wollt?")}
        .join(QChar(13));
const QString neuEiner =
    QStringList{QStringLiteral("Wenn du das Spiel neu beginnst,"),
                QStringLiteral("gehen alle Punkte verloren."), QStringLiteral("Bist du sicher, dass du das"),
                QStringLiteral("wirklich willst?")}
        .join(QChar(13));
} // namespace

void MainFrm::mnuDateiNeu_Click() {
    StartKontext& kontext = modul_.kontext;
    // The computer opponent is not addressed.
    const int menschen = kontext.nSpieler - (modul_.einst.einstGegenComputer == 1 ? 1 : 0);
    const QString antwort =
        mldFenster_.zeigeMeldung(menschen > 1 ? neuMehrere : neuEiner, QStringLiteral("&ja"),
                                 QStringLiteral("&nein"), QStringLiteral("Neues Spiel"));
    if (antwort == QLatin1String("nein"))
        return;
    qCDebug(lcGame) << "new game";
    for (qint16 i = 0; i < kontext.nSpieler; ++i)
        kontext.spielerPunkte[static_cast<size_t>(i)] = 0;
    spieler_.zeigeZiffern(0);
    // The play-time bar is not refilled, and words of the earlier game stay avoided.
    spieler_.aktSpieler = maxSpieler;
    spieler_.naechsterSpieler();
    brett_.feld.loescheSpielfeld();
    waehleWort();
    brett_.zeigeNeuesWort();
}

void MainFrm::mnuBearbEinstell_Click() {
    const qint16 vorher = modul_.einst.einstGegenComputer;
    const QString hinweis = einstellFrm_.zeigeModal();
    if (!hinweis.isEmpty())
        mldFenster_.zeigeMeldung(hinweis, QStringLiteral("&OK"), QString(), EinstellFrm::keinPlatzTitel);
    if (modul_.einst.einstGegenComputer != vorher) {
        spieler_.aktSpieler = maxSpieler;
        spieler_.naechsterSpieler();
    }
}

void MainFrm::zeigeSpielerZeile(int index, bool sichtbar) {
    const auto i = static_cast<qint16>(index);
    if (sichtbar)
        dateiInfoFrm_.zeigeSpieler(i, modul_.kontext.spielerName[static_cast<size_t>(index)]);
    else
        dateiInfoFrm_.versteckeSpieler(i);
}

void MainFrm::mnuDateiInfo_Click() {
    dateiInfoFrm_.mnuDateiInfo_Click(modul_.kontext, rdb_.datInfLbl());
}

} // namespace findolin
