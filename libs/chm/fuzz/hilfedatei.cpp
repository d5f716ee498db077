// Compiled help files: a damaged one is refused with a run-time error; one that opens gives its pages, its
// contents and its context ids without reading outside the file.
#include "fuzzhilfe.h"

#include <chm/hilfedatei.h>

#include <QCoreApplication>

using namespace findolin::chm;

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QCoreApplication app(*argc, *argv);
    stilleLogs();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
    const auto datei = alsDatei(daten, groesse, QStringLiteral(".chm")); // libchm reads from a file
    try {
        const HilfeDatei hilfe(datei->fileName());
        for (const QString& seite : hilfe.dateien()) {
            if (!seite.endsWith(QLatin1String(".htm"), Qt::CaseInsensitive))
                continue;
            try {
                (void)hilfe.lese(seite);
            } catch (const findolin::Laufzeitfehler&) {
            }
        }
        for (auto it = hilfe.kontexte().begin(); it != hilfe.kontexte().end(); ++it)
            FUZZ_PRUEFE(!it.value().isEmpty());
    } catch (const findolin::Laufzeitfehler&) {
    }
    return 0;
}
