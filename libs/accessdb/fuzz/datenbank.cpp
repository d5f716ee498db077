// Database files of any format: a named error, or every row of every table can be read, as many as counted.
#include "fuzzhilfe.h"
#include <accessdb/dateioeffner.h>

using namespace findolin;
using namespace findolin::accessdb;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    stilleLogs();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
    const auto datei = alsDatei(daten, groesse);
    try {
        const auto db = DateiOeffner().open(datei->fileName());
        for (const QString& tabelle : db->tableNames()) {
            const auto rs = db->openRecordset(tabelle);
            int zeilen = 0;
            for (rs->moveFirst(); !rs->eof(); rs->moveNext(), ++zeilen)
                for (const QString& feld : rs->fieldNames())
                    rs->field(feld);
            FUZZ_PRUEFE(zeilen == rs->recordCount());
        }
    } catch (const Laufzeitfehler&) {
    }
    return 0;
}
