#include "startvorbereitung.h"

#include "platform/laufzeitfehler.h"
#include "spielordner.h"

#include <QDir>

namespace findolin::launcher {

QString quellordner(const Startwahl& wahl, const Installation& installation) {
    return wahl.rahmenordner.isEmpty() ? installation.vorlage : wahl.rahmenordner;
}

Startbereit bereiteStartVor(const Startwahl& wahl, const Installation& installation) {
    if (const QString fehler = pruefeWahl(wahl); !fehler.isEmpty())
        throw Laufzeitfehler(fehler);
    const QString quelle = quellordner(wahl, installation);
    const Angebot angebot = leseAngebot(quelle);
    const Schwerpunkt* schwerpunkt = angebot.waehle(wahl.schwerpunkt);
    if (!schwerpunkt)
        throw Laufzeitfehler(
            QStringLiteral("Der Ordner bietet keinen Übungsschwerpunkt, zu dem es Wörter gibt"),
            QDir::toNativeSeparators(quelle));
    const QString spielordner = standardSpielordner();
    pruefeSchreibbar(spielordner);
    gleicheAb(spielordner, quelle, false);
    bereiteSchwerpunktVor(spielordner, angebot, *schwerpunkt);
    const QStringList namen = spielerliste(wahl);
    setzeComputer(spielordner, namen.contains(computerName));
    legeErgebnisdateienAn(spielordner, spielerKennungen(namen));

    Startwahl gespielt = wahl;
    gespielt.lupe = wahl.lupe && lupenGrund(*schwerpunkt).isEmpty();
    gespielt.grundwortschatz = wahl.grundwortschatz && grundwortschatzGrund(angebot, *schwerpunkt).isEmpty();
    return {spielordner, baueStartliste(gespielt), schwerpunkt->titel, wahl.originalgroesse};
}

} // namespace findolin::launcher
