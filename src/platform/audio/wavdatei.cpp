#include "wavdatei.h"

#include <bytes/littleendian.h>

namespace findolin::platform {

namespace {

using bytes::u16;
using bytes::u32;

constexpr quint16 formatPcm = 1;
constexpr quint16 formatFloat = 3;
constexpr quint16 formatExtensible = 0xFFFE;

std::optional<WavDaten> fehler(QString* grund, const QString& text) {
    if (grund)
        *grund = text;
    return std::nullopt;
}

struct FormatBlock {
    quint16 art = 0;
    quint16 kanaele = 0;
    quint32 abtastrate = 0;
    quint16 bits = 0;
};

std::optional<WavDaten::Format> sampleFormat(const FormatBlock& f) {
    if (f.art == formatFloat)
        return f.bits == 32 ? std::optional(WavDaten::Format::Float) : std::nullopt;
    if (f.art != formatPcm)
        return std::nullopt;
    switch (f.bits) {
    case 8:
        return WavDaten::Format::UInt8;
    case 16:
        return WavDaten::Format::Int16;
    case 32:
        return WavDaten::Format::Int32;
    default:
        return std::nullopt;
    }
}

} // namespace

int WavDaten::bytesProFrame() const {
    const int bytes = format == Format::UInt8 ? 1 : format == Format::Int16 ? 2 : 4;
    return bytes * kanaele;
}

qint64 WavDaten::dauerMikrosekunden() const {
    if (abtastrate <= 0 || bytesProFrame() <= 0)
        return 0;
    return samples.size() / bytesProFrame() * qint64(1000000) / abtastrate;
}

std::optional<WavDaten> leseWav(const QByteArray& datei, QString* grund) {
    if (datei.size() < 12 || !datei.startsWith("RIFF") || datei.mid(8, 4) != "WAVE")
        return fehler(grund, QStringLiteral("keine RIFF/WAVE-Datei"));
    std::optional<FormatBlock> format;
    std::optional<QByteArray> daten;
    qsizetype pos = 12;
    while (pos + 8 <= datei.size() && !(format && daten)) {
        const QByteArray kennung = datei.mid(pos, 4);
        const qsizetype laenge = u32(datei, pos + 4);
        const qsizetype anfang = pos + 8;
        // Writers that stream often leave the data length open or too large: take what is there.
        const qsizetype vorhanden = qMin(laenge, datei.size() - anfang);
        if (kennung == "fmt ") {
            if (vorhanden < 16)
                return fehler(grund, QStringLiteral("Formatblock zu kurz"));
            FormatBlock f{u16(datei, anfang), u16(datei, anfang + 2), u32(datei, anfang + 4),
                          u16(datei, anfang + 14)};
            if (f.art == formatExtensible && vorhanden >= 26)
                f.art = u16(datei, anfang + 24); // the first two bytes of the sub-format GUID
            format = f;
        } else if (kennung == "data") {
            daten = datei.mid(anfang, vorhanden);
        }
        pos = anfang + laenge + (laenge & 1); // chunks are padded to an even length
    }
    if (!format)
        return fehler(grund, QStringLiteral("kein Formatblock"));
    if (!daten)
        return fehler(grund, QStringLiteral("kein Datenblock"));
    const auto art = sampleFormat(*format);
    if (!art)
        return fehler(
            grund,
            QStringLiteral("nicht unterstütztes Format %1 mit %2 Bit").arg(format->art).arg(format->bits));
    if (format->kanaele < 1 || format->kanaele > 8 || format->abtastrate < 1000 ||
        format->abtastrate > 384000)
        return fehler(grund, QStringLiteral("unbrauchbare Kanalzahl oder Abtastrate"));
    WavDaten wav;
    wav.format = *art;
    wav.kanaele = format->kanaele;
    wav.abtastrate = static_cast<int>(format->abtastrate);
    wav.samples = *daten;
    wav.samples.truncate(wav.samples.size() - wav.samples.size() % wav.bytesProFrame());
    return wav;
}

} // namespace findolin::platform
