// The framework's text files: the same bytes as practice-focus list, configuration and result file.
#include "startup/rahmendateien.h"
#include "fuzzhilfe.h"

using namespace findolin;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    stilleLogs();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
    const Pfade pfade = Pfade::ausProgrammordner(QStringLiteral("/omnor"));
    SpeicherDateien dateien;
    for (const QString& pfad : {pfade.imProgrammordner(QStringLiteral("Omnor.tsp")),
                                pfade.imProgrammordner(QStringLiteral("Omnor.ini")),
                                pfade.imUserOrdner(QStringLiteral("anna.tmp"))})
        dateien.dateien.insert(pfad, eingabe(daten, groesse));
    StartKontext kontext;
    kontext.ubixFeldName = QStringLiteral("LIP_");
    kontext.nSpieler = 1;
    kontext.spielerKennung[0] = QStringLiteral("anna");
    try {
        leseUebungsTitel(dateien, pfade, kontext);
        FUZZ_PRUEFE(kontext.ubixNr >= 0);
    } catch (const Laufzeitfehler&) {
    }
    try {
        leseMaxSpielDauer(dateien, pfade, kontext);
        FUZZ_PRUEFE(kontext.energieFaktor >= 0 && kontext.energieFaktor <= 15);
    } catch (const Laufzeitfehler&) {
    }
    try {
        leseFehlerWorte(dateien, pfade, kontext);
    } catch (const Laufzeitfehler&) {
    }
    const auto& worte = kontext.fehlerWorte.eintraege();
    FUZZ_PRUEFE(QSet<qint16>(worte.begin(), worte.end()).size() == worte.size());
    return 0;
}
