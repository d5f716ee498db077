#include "menueleiste.h"

#include "mainfrm.h"

namespace findolin {

const std::vector<Menue>& menueLeiste() {
    constexpr bool grau = true; // while the computer moves
    static const MenuePunkt strich;
    static const std::vector<Menue> leiste{
        {{QStringLiteral("mnuDatei"), QStringLiteral("&Datei"), 1000},
         {{QStringLiteral("mnuDateiNeu"), QStringLiteral("&Neu ..."), 3006, grau,
           &MainFrm::mnuDateiNeu_Click},
          strich,
          {QStringLiteral("mnuDateiInfo"), QStringLiteral("&Info ..."), 3004, grau,
           &MainFrm::mnuDateiInfo_Click},
          {QStringLiteral("mnuDateiMeisterliste"), QStringLiteral("&Meisterliste ..."), 3005, grau,
           &MainFrm::mnuDateiMeisterliste_Click},
          strich,
          {QStringLiteral("mnuDateiEnde"), QStringLiteral("&Ende ..."), 0, grau,
           &MainFrm::mnuDateiEnde_Click}}},
        {{QStringLiteral("mnuBearbeiten"), QStringLiteral("&Bearbeiten"), 1000},
         {{QStringLiteral("mnuBearbEinstell"), QStringLiteral("&Einstellungen ..."), 3003, grau,
           &MainFrm::mnuBearbEinstell_Click}}},
        {{QStringLiteral("mnuHilfe"), QStringLiteral("&Hilfe"), 1000},
         {{QStringLiteral("mnuHilfeInfo"), QStringLiteral("&Info über ..."), 3007, grau,
           &MainFrm::mnuHilfeInfo_Click},
          strich,
          // The operating notes stay open to the children while the computer moves.
          {QStringLiteral("mnuHilfeBedienung"), QStringLiteral("&Bedienungshinweise ..."), 1000, !grau,
           &MainFrm::mnuHilfeBedienung_Click},
          {QStringLiteral("mnuHilfeSpielregeln"), QStringLiteral("&Spielregeln ..."), 2000, grau,
           &MainFrm::mnuHilfeSpielregeln_Click},
          {QStringLiteral("mnuHilfeAktKat"), QStringLiteral("Üb&ungsschwerpunkt ..."), 3008, grau,
           &MainFrm::mnuHilfeAktKat_Click}}}};
    return leiste;
}

qint32 hilfeKontextVon(const QString& name) {
    for (const Menue& menue : menueLeiste()) {
        if (menue.kopf.name == name)
            return menue.kopf.hilfeKontext;
        for (const MenuePunkt& punkt : menue.punkte)
            if (punkt.name == name)
                return punkt.hilfeKontext;
    }
    return 0;
}

} // namespace findolin
