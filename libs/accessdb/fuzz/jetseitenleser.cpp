// Access files through our own page reader, which the game uses where libmdb is not at hand (Windows): a
// named error, or every table read whole, as many rows as the file counts.
#include "fuzzhilfe.h"
#include "jetleser.h"

using namespace findolin;
using namespace findolin::accessdb;

namespace {

struct Puffer : jet::Ausgabe {
    QByteArray strom;
    void schreibe(const void* d, size_t n) override {
        strom.append(static_cast<const char*>(d), qsizetype(n));
    }
};

QByteArray lies(const QByteArray& pfad, const char* tabelle) {
    Puffer p;
    jet::liesSeiten(pfad.constData(), tabelle, p);
    return p.strom;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    stilleLogs();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
    const auto datei = alsDatei(daten, groesse);
    const QByteArray pfad = QFile::encodeName(datei->fileName());
    try {
        for (const QString& name : jet::tabellenAus(lies(pfad, nullptr), datei->fileName()))
            jet::tabelleAus(lies(pfad, name.toUtf8().constData()), name, datei->fileName());
    } catch (const Laufzeitfehler&) {
    }
    return 0;
}
