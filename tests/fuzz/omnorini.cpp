// The configuration's round trip: load, save, load again gives the same settings, and every line outside the
// section "[Findolin]" is written back byte for byte.
#include "settings/omnorini.h"
#include "fuzzhilfe.h"
#include "startup/startkontext.h"

#include <tuple>

using namespace findolin;

namespace {

auto alsTupel(const Einstellungen& e) {
    return std::tuple(e.einstTon, e.einstRatezeit, e.einstFeldMarkierung, e.einstGegenComputer,
                      e.einstSpielStaerke, e.einstSpeichern);
}

// Lines as the game reads them: ended by LF, a CR before it dropped.
QList<QByteArray> zeilen(const QByteArray& text) {
    QList<QByteArray> ergebnis;
    for (qsizetype anfang = 0; anfang < text.size();) {
        qsizetype ende = text.indexOf('\n', anfang);
        if (ende < 0)
            ende = text.size();
        QByteArray zeile = text.mid(anfang, ende - anfang);
        if (zeile.endsWith('\r'))
            zeile.chop(1);
        ergebnis.append(zeile);
        anfang = ende + 1;
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

    const QList<QByteArray> alt = zeilen(eingabe(daten, groesse));
    const QList<QByteArray> neu = zeilen(dateien.dateien.value(ini));
    qsizetype kopf = alt.indexOf("[Findolin]");
    if (kopf < 0)
        kopf = alt.size() - 1;
    qsizetype naechster = kopf + 1; // the next section's header, or the end
    while (naechster < alt.size() && !alt[naechster].startsWith('['))
        ++naechster;
    const qsizetype rest = alt.size() - naechster;
    FUZZ_PRUEFE(neu.size() >= kopf + 1 + rest);
    FUZZ_PRUEFE(neu.mid(0, kopf + 1) == alt.mid(0, kopf + 1));
    FUZZ_PRUEFE(neu.mid(neu.size() - rest) == alt.mid(naechster));
    return 0;
}
