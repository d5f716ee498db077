// Metafiles: malformed ones are refused, every other one is replayed into a small picture.
#include "fuzzhilfe.h"
#include "wmfformat.h"

#include <wmf/picture.h>

#include <QGuiApplication>

using namespace findolin::wmf;

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv); // text records need the font database
    stilleLogs();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
    const QByteArray datei = eingabe(daten, groesse);
    if (!siehtAusWieMetafile(datei))
        return 0; // other pictures are Qt's image readers' business
    const auto bild = pictureFromData(datei, QStringLiteral("fuzz.wmf"));
    if (!bild)
        return 0;
    FUZZ_PRUEFE(bild->naturalSize().width() >= 0 && bild->naturalSize().height() >= 0);
    FUZZ_PRUEFE(!bild->toImage(QSize(40, 30), Qt::white).isNull());
    return 0;
}
