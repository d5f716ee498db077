#include "aufnahmeanalyse.h"

#include "platform/audio/wavdatei.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <cmath>

using findolin::platform::leseWav;
using findolin::platform::WavDaten;

namespace {
// parec records 16-bit mono at 44100 Hz behind a plain 44-byte header.
constexpr double bytesProMs = 44100.0 * 2 / 1000;
constexpr qint64 kopfBytes = 44;
} // namespace

double aufnahmeLaengeMs(const QString& wavPfad) {
    return std::max<qint64>(0, QFileInfo(wavPfad).size() - kopfBytes) / bytesProMs;
}

Hoerbefund analysiereAufnahme(const QString& wavPfad, double schwelle) {
    Hoerbefund befund;
    QFile datei(wavPfad);
    if (!datei.open(QIODevice::ReadOnly))
        return befund;
    const auto wav = leseWav(datei.readAll());
    if (!wav || wav->format != WavDaten::Format::Int16 || wav->kanaele != 1)
        return befund;
    befund.gelesen = true;
    const auto* samples = reinterpret_cast<const qint16*>(wav->samples.constData());
    const qsizetype n = wav->samples.size() / 2;
    const double msProSample = 1000.0 / wav->abtastrate;
    befund.aufnahmeMs = n * msProSample;
    const int grenze = int(schwelle * 32768);
    qsizetype erster = -1;
    qsizetype letzter = -1;
    qsizetype luecke = 0;
    for (qsizetype i = 0; i < n; ++i) {
        if (std::abs(int(qFromLittleEndian(samples[i]))) <= grenze)
            continue;
        if (erster < 0)
            erster = i;
        else
            luecke = std::max(luecke, i - letzter - 1);
        letzter = i;
    }
    if (erster < 0)
        return befund;
    befund.klingt = true;
    befund.anfangMs = erster * msProSample;
    befund.endeMs = (letzter + 1) * msProSample;
    befund.laengsteLueckeMs = luecke * msProSample;
    return befund;
}
