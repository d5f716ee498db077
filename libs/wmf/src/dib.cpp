#include "dib.h"

#include "wmfformat.h"

#include <QtEndian>
#include <bit>
#include <vector>

namespace findolin::wmf {

namespace {

constexpr quint32 biRgb = 0, biBitfields = 3;
constexpr qint64 groessteFlaeche = 32LL * 1024 * 1024;

struct DibKopf {
    qint32 breite = 0, hoehe = 0;
    int bits = 0;
    quint32 kompression = biRgb;
    quint32 farbenBenutzt = 0;
    quint32 kopfLaenge = 0;
    bool kern = false; // the old 12-byte header with three-byte colour entries
    quint32 masken[3] = {0x7C00, 0x03E0, 0x001F};
};

std::optional<DibKopf> leseKopf(ParamReader& reader) {
    DibKopf kopf;
    kopf.kopfLaenge = reader.u32();
    if (kopf.kopfLaenge == 12) {
        kopf.kern = true;
        kopf.breite = reader.u16();
        kopf.hoehe = reader.u16();
        reader.skip(2);
        kopf.bits = reader.u16();
    } else if (kopf.kopfLaenge >= 40 && kopf.kopfLaenge <= 124) {
        kopf.breite = static_cast<qint32>(reader.u32());
        kopf.hoehe = static_cast<qint32>(reader.u32());
        reader.skip(2);
        kopf.bits = reader.u16();
        kopf.kompression = reader.u32();
        reader.skip(12);
        kopf.farbenBenutzt = reader.u32();
        reader.skip(4);
        if (kopf.kompression == biBitfields) {
            for (auto& maske : kopf.masken)
                maske = reader.u32();
            reader.skip(kopf.kopfLaenge > 52 ? kopf.kopfLaenge - 52 : 0);
        } else {
            reader.skip(kopf.kopfLaenge - 40);
        }
    } else {
        return std::nullopt;
    }
    if (!reader.ok() || kopf.breite <= 0 || kopf.hoehe == 0 || kopf.hoehe == INT32_MIN)
        return std::nullopt;
    if (static_cast<qint64>(kopf.breite) * std::abs(kopf.hoehe) > groessteFlaeche)
        return std::nullopt;
    if (kopf.kompression == biBitfields && kopf.bits != 16 && kopf.bits != 32)
        return std::nullopt;
    if (kopf.kompression != biRgb && kopf.kompression != biBitfields)
        return std::nullopt;
    return kopf;
}

// The value of a masked channel, stretched to 0..255.
int kanal(quint32 wert, quint32 maske) {
    if (maske == 0)
        return 0;
    const int verschiebung = std::countr_zero(maske);
    const quint32 hoechster = maske >> verschiebung;
    return static_cast<int>(((wert & maske) >> verschiebung) * 255u / hoechster);
}

QRgb pixel(const uchar* zeile, int x, const DibKopf& kopf, const std::vector<QRgb>& palette) {
    auto ausPalette = [&](quint32 index) { return index < palette.size() ? palette[index] : qRgb(0, 0, 0); };
    switch (kopf.bits) {
    case 1:
        return ausPalette((zeile[x / 8] >> (7 - x % 8)) & 1);
    case 4:
        return ausPalette((zeile[x / 2] >> (x % 2 == 0 ? 4 : 0)) & 0x0F);
    case 8:
        return ausPalette(zeile[x]);
    case 16: {
        const quint32 wert = qFromLittleEndian<quint16>(zeile + 2 * x);
        return qRgb(kanal(wert, kopf.masken[0]), kanal(wert, kopf.masken[1]), kanal(wert, kopf.masken[2]));
    }
    case 24:
        return qRgb(zeile[3 * x + 2], zeile[3 * x + 1], zeile[3 * x]);
    default: {
        const quint32 wert = qFromLittleEndian<quint32>(zeile + 4 * x);
        if (kopf.kompression == biBitfields)
            return qRgb(kanal(wert, kopf.masken[0]), kanal(wert, kopf.masken[1]),
                        kanal(wert, kopf.masken[2]));
        return qRgb((wert >> 16) & 0xFF, (wert >> 8) & 0xFF, wert & 0xFF);
    }
    }
}

} // namespace

std::optional<QImage> leseDib(QByteArrayView data) {
    ParamReader reader(data);
    const auto kopf = leseKopf(reader);
    if (!kopf)
        return std::nullopt;
    if (kopf->bits != 1 && kopf->bits != 4 && kopf->bits != 8 && kopf->bits != 16 && kopf->bits != 24 &&
        kopf->bits != 32)
        return std::nullopt;

    std::vector<QRgb> palette;
    quint32 eintraege = kopf->farbenBenutzt;
    if (kopf->bits <= 8 && (eintraege == 0 || eintraege > (1u << kopf->bits)))
        eintraege = 1u << kopf->bits;
    if (eintraege > 256)
        return std::nullopt;
    for (quint32 i = 0; i < eintraege; ++i) {
        const int b = reader.u8(), g = reader.u8(), r = reader.u8();
        if (!kopf->kern)
            reader.skip(1);
        palette.push_back(qRgb(r, g, b));
    }

    const int breite = kopf->breite, hoehe = std::abs(kopf->hoehe);
    const qint64 zeilenLaenge = ((static_cast<qint64>(breite) * kopf->bits + 31) / 32) * 4;
    const auto pixelDaten = reader.bytes(zeilenLaenge * hoehe);
    if (!reader.ok())
        return std::nullopt;

    QImage bild(breite, hoehe, QImage::Format_RGB32);
    if (bild.isNull())
        return std::nullopt;
    const bool vonUnten = kopf->hoehe > 0;
    for (int y = 0; y < hoehe; ++y) {
        const auto* zeile = reinterpret_cast<const uchar*>(pixelDaten.data()) + zeilenLaenge * y;
        auto* ziel = reinterpret_cast<QRgb*>(bild.scanLine(vonUnten ? hoehe - 1 - y : y));
        for (int x = 0; x < breite; ++x)
            ziel[x] = pixel(zeile, x, *kopf, palette);
    }
    return bild;
}

} // namespace findolin::wmf
