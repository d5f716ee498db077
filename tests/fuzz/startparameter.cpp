// The launch list: either a named error, another protocol version, or a sound context.
#include "fuzzhilfe.h"
#include "platform/cp1252.h"
#include "rahmen/startliste.h"

using namespace findolin;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
    const QString cmd = ausWindows1252(eingabe(daten, groesse));
    istRahmenAufruf(cmd);
    StartKontext kontext;
    try {
        if (!leseStartParameter(cmd, kontext))
            return 0;
    } catch (const Laufzeitfehler&) {
        return 0;
    }
    FUZZ_PRUEFE(kontext.nSpieler >= 0 && kontext.nSpieler <= maxSpieler);
    for (int i = 0; i < kontext.nSpieler; ++i) {
        const QString& kennung = kontext.spielerKennung[i];
        FUZZ_PRUEFE(!kennung.contains(u'/') && !kennung.contains(u'\\') && !kennung.contains(u':'));
        FUZZ_PRUEFE(!kennung.contains(QLatin1String("..")));
    }
    return 0;
}
