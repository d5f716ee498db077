// The configuration's round trip: load, save, load again gives the same settings, and every line outside the
// section "[Findolin]" is written back byte for byte.
#include "settings/omnorini.h"
#include "fuzzhilfe.h"
#include "kern/startkontext.h"

#include <tuple>

using namespace findolin;

namespace {

auto alsTupel(const Einstellungen& e) {
    return std::tuple(e.einstTon, e.einstRatezeit, e.einstFeldMarkierung, e.einstGegenComputer,
                      e.einstSpielStaerke, e.einstSpeichern);
}

// The lines of the file as the game reads them: each ended by CR LF, LF or CR (the last one maybe by
// nothing).
struct Zeile {
    qsizetype anfang, naechste;
    QByteArray text;
};
QList<Zeile> zeilen(const QByteArray& datei) {
    QList<Zeile> ergebnis;
    for (qsizetype anfang = 0; anfang < datei.size();) {
        qsizetype ende = anfang;
        while (ende < datei.size() && datei[ende] != '\r' && datei[ende] != '\n')
            ++ende;
        const qsizetype laenge = datei.mid(ende, 2) == "\r\n" ? 2 : (ende < datei.size() ? 1 : 0);
        ergebnis.append({anfang, ende + laenge, datei.mid(anfang, ende - anfang)});
        anfang = ende + laenge;
    }
    return ergebnis;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    stilleLogs();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
    const Pfade pfade = Pfade::ausProgrammordner(QStringLiteral("/omnor"));
    const QString ini = pfade.imProgrammordner(QStringLiteral("Omnor.ini"));
    SpeicherDateien dateien;
    dateien.dateien.insert(ini, eingabe(daten, groesse));
    Einstellungen erst;
    EinstellFormular formular;
    try {
        loadOmnorIni(dateien, pfade, 2, erst, formular);
    } catch (const Laufzeitfehler&) {
        return 0;
    }
    formular.einstSaveOpt = 1;
    saveOmnorIni(dateien, pfade, erst, formular);
    Einstellungen dann;
    EinstellFormular formular2;
    loadOmnorIni(dateien, pfade, 2, dann, formular2);
    FUZZ_PRUEFE(alsTupel(erst) == alsTupel(dann));

    // Everything up to the section's header line and from the next section's header on stays as it was.
    const QByteArray alt = eingabe(daten, groesse), neu = dateien.dateien.value(ini);
    qsizetype kopfEnde = alt.size(), naechsterKopf = alt.size();
    for (const Zeile& zeile : zeilen(alt)) {
        if (kopfEnde == alt.size() && zeile.text == "[Findolin]")
            kopfEnde = zeile.naechste;
        else if (kopfEnde < alt.size() && zeile.text.startsWith('[')) {
            naechsterKopf = zeile.anfang;
            break;
        }
    }
    FUZZ_PRUEFE(neu.startsWith(alt.left(kopfEnde)));
    FUZZ_PRUEFE(neu.endsWith(alt.mid(naechsterKopf)));
    return 0;
}
