// Sound files: a reason for refusing them, or whole frames of a format the player knows.
#include "fuzzhilfe.h"
#include "platform/audio/wavdatei.h"

using namespace findolin::platform;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
    QString grund;
    const auto wav = leseWav(eingabe(daten, groesse), &grund);
    if (!wav) {
        FUZZ_PRUEFE(!grund.isEmpty());
        return 0;
    }
    FUZZ_PRUEFE(wav->kanaele > 0 && wav->abtastrate > 0 && wav->bytesProFrame() > 0);
    FUZZ_PRUEFE(wav->samples.size() % wav->bytesProFrame() == 0);
    FUZZ_PRUEFE(wav->samples.size() <= qsizetype(groesse));
    FUZZ_PRUEFE(wav->dauerMikrosekunden() >= 0);
    return 0;
}
