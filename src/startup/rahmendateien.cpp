#include "rahmendateien.h"

#include "kern/lesehilfen.h"
#include "logging.h"
#include "platform/cp1252.h"
#include "platform/files.h"
#include "platform/laufzeitfehler.h"
#include "rahmen/dateinamen.h"
#include "rahmen/uebungsliste.h"

#include <QDir>
#include <cmath>

namespace findolin {

QString leseTextdatei(const platform::FileSystem& dateien, const QString& pfad) {
    return ausWindows1252(dateien.readAll(pfad));
}

void leseUebungsTitel(const platform::FileSystem& dateien, const Pfade& pfade, StartKontext& kontext) {
    const QString pfad = pfade.imProgrammordner(rahmen::uebungsliste);
    Uebungsliste liste(leseTextdatei(dateien, pfad), QDir::toNativeSeparators(pfad));
    // The number counts the foci up to this record, and a heading's record leaves it as it was.
    kontext.ubixNr = 0;
    while (!liste.amEnde()) {
        const Uebungseintrag eintrag = liste.naechster();
        if (!eintrag.istUeberschrift())
            kontext.ubixNr = eintrag.nummer;
        if (eintrag.feldName == kontext.ubixFeldName) {
            kontext.uebungsTitel = eintrag.titel;
            break;
        }
    }
    qCDebug(lcStartup) << "practice focus" << kontext.ubixNr << kontext.uebungsTitel;
}

qint16 energieFaktorFuer(qint16 maxSpielDauer) {
    const double m = maxSpielDauer < 5 ? 5.0 : maxSpielDauer;
    const double faktor = std::floor((15.0 / m) * 5.0);
    return faktor < 1.0 ? qint16(1) : static_cast<qint16>(faktor);
}

void leseMaxSpielDauer(const platform::FileSystem& dateien, const Pfade& pfade, StartKontext& kontext) {
    const QString pfad = pfade.imProgrammordner(rahmen::omnorIni);
    FeldLeser leser(leseTextdatei(dateien, pfad), QDir::toNativeSeparators(pfad));
    while (!leser.amEnde()) {
        if (leser.naechstesFeld() == QLatin1String("[Spiele]"))
            break;
    }
    // The entry may stand anywhere after the header; the search does not stop at the next section.
    const QString key = QStringLiteral("MaximaleSpielDauer=");
    while (!leser.amEnde()) {
        const QString feld = leser.naechstesFeld();
        if (feld.startsWith(QLatin1Char(';')) || !feld.startsWith(key))
            continue;
        const qint16 m = leseGanzzahl(feld.mid(key.size()).trimmed(), QStringLiteral("MaximaleSpielDauer"));
        kontext.energieFaktor = energieFaktorFuer(m);
    }
    qCDebug(lcStartup) << "play-time factor" << kontext.energieFaktor;
}

void leseFehlerWorte(const platform::FileSystem& dateien, const Pfade& pfade, StartKontext& kontext) {
    for (int i = 0; i < kontext.nSpieler; ++i) {
        const QString pfad = pfade.imUserOrdner(rahmen::ergebnisDatei(kontext.spielerKennung[i]));
        FeldLeser leser(leseTextdatei(dateien, pfad), QDir::toNativeSeparators(pfad));
        while (!leser.amEnde()) {
            const QString feld = leser.naechstesFeld();
            if (feld.contains(QLatin1String("= OK")))
                continue;
            const qsizetype gleich = feld.indexOf(QLatin1Char('='));
            if (gleich < 0)
                throw Laufzeitfehler(QStringLiteral("Eine Zeile der Ergebnisdatei hat kein \"=\""),
                                     QDir::toNativeSeparators(pfad) + QStringLiteral(": ") + feld);
            const qint16 n = leseGanzzahl(feld.left(gleich), QStringLiteral("Wortnummer in ") + pfad);
            if (!kontext.fehlerWorte.enthaelt(n))
                kontext.fehlerWorte.merke(n);
        }
    }
    qCDebug(lcStartup) << "error words" << kontext.fehlerWorte.eintraege();
}

} // namespace findolin
