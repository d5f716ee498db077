#include "wmfobjects.h"

#include "dib.h"
#include "platform/cp1252.h"

#include <QStringDecoder>

namespace findolin::wmf {

namespace {

// Writers that undercount their objects still get room, up to the most a 16-bit index can name.
constexpr size_t groessteTabelle = 65535;

constexpr int symbolZeichensatz = 2;

const char* kodierung(int zeichensatz) {
    switch (zeichensatz) {
    case 128:
        return "Shift_JIS";
    case 129:
        return "windows-949";
    case 134:
        return "GBK";
    case 136:
        return "Big5";
    case 161:
        return "windows-1253";
    case 162:
        return "windows-1254";
    case 177:
        return "windows-1255";
    case 178:
        return "windows-1256";
    case 186:
        return "windows-1257";
    case 204:
        return "windows-1251";
    case 238:
        return "windows-1250";
    default:
        return nullptr;
    }
}

// The Symbol font puts Greek letters where Latin ones are.
QString symbolText(QByteArrayView bytes) {
    static const QString gross = QStringLiteral("ΑΒΧΔΕΦΓΗΙϑΚΛΜΝΟΠΘΡΣΤΥςΩΞΨΖ");
    static const QString klein = QStringLiteral("αβχδεφγηιϕκλμνοπθρστυϖωξψζ");
    QString text = ausWindows1252(bytes.toByteArray());
    for (QChar& c : text) {
        if (c >= u'A' && c <= u'Z')
            c = gross[c.unicode() - u'A'];
        else if (c >= u'a' && c <= u'z')
            c = klein[c.unicode() - u'a'];
    }
    return text;
}

std::optional<GdiObjekt> stift(ParamReader& reader) {
    StiftObjekt stift;
    stift.stil = reader.u16();
    stift.breite = std::abs(reader.i16());
    reader.skip(2);
    stift.farbe = reader.farbe();
    return reader.ok() ? std::optional<GdiObjekt>(stift) : std::nullopt;
}

std::optional<GdiObjekt> pinsel(ParamReader& reader) {
    PinselObjekt pinsel;
    const quint16 stil = reader.u16();
    pinsel.farbe = reader.farbe();
    pinsel.schraffur = reader.u16();
    if (!reader.ok())
        return std::nullopt;
    switch (stil) {
    case 0:
        pinsel.art = PinselObjekt::Voll;
        break;
    case 2:
        pinsel.art = PinselObjekt::Schraffiert;
        break;
    case 1:
    default: // patterns need a bitmap, which this record cannot carry
        pinsel.art = PinselObjekt::Leer;
        break;
    }
    return pinsel;
}

std::optional<GdiObjekt> musterPinsel(ParamReader& reader) {
    reader.skip(4); // style and colour usage
    auto bild = leseDib(reader.bytes(reader.rest()));
    PinselObjekt pinsel;
    if (bild) {
        pinsel.art = PinselObjekt::Muster;
        pinsel.muster = *bild;
    } else {
        pinsel.art = PinselObjekt::Voll;
        pinsel.farbe = Qt::gray;
    }
    return pinsel;
}

std::optional<GdiObjekt> schrift(ParamReader& reader) {
    SchriftObjekt schrift;
    schrift.hoehe = reader.i16();
    schrift.breite = reader.i16();
    schrift.neigung = reader.i16();
    reader.skip(2); // orientation
    schrift.gewicht = reader.i16();
    schrift.kursiv = reader.u8() != 0;
    schrift.unterstrichen = reader.u8() != 0;
    schrift.durchgestrichen = reader.u8() != 0;
    schrift.zeichensatz = reader.u8();
    reader.skip(4); // precision, quality, pitch and family
    if (!reader.ok())
        return std::nullopt;
    QByteArray name = reader.bytes(std::min<qsizetype>(32, reader.rest())).toByteArray();
    if (const auto ende = name.indexOf('\0'); ende >= 0)
        name.truncate(ende);
    schrift.name =
        textImZeichensatz(name, schrift.zeichensatz == symbolZeichensatz ? 0 : schrift.zeichensatz);
    return schrift;
}

} // namespace

QString textImZeichensatz(QByteArrayView bytes, int zeichensatz) {
    if (zeichensatz == symbolZeichensatz)
        return symbolText(bytes);
    if (const char* name = kodierung(zeichensatz)) {
        QStringDecoder decoder(name);
        if (decoder.isValid())
            return decoder.decode(bytes);
    }
    return ausWindows1252(bytes.toByteArray());
}

std::optional<GdiObjekt> erzeugeObjekt(quint16 funktion, QByteArrayView parameter) {
    ParamReader reader(parameter);
    switch (funktion) {
    case CreatePenIndirect:
        return stift(reader);
    case CreateBrushIndirect:
        return pinsel(reader);
    case DibCreatePatternBrush:
        return musterPinsel(reader);
    case CreateFontIndirect:
        return schrift(reader);
    case CreatePatternBrush: {
        PinselObjekt grau;
        grau.farbe = Qt::gray;
        return grau;
    }
    case CreatePalette:
    case CreateRegion:
        return AnderesObjekt{};
    default:
        return std::nullopt;
    }
}

void ObjektTabelle::lege(GdiObjekt objekt) {
    for (auto& slot : slots_) {
        if (!slot) {
            slot = std::move(objekt);
            return;
        }
    }
    if (slots_.size() < groessteTabelle)
        slots_.emplace_back(std::move(objekt));
}

const GdiObjekt* ObjektTabelle::holen(int index) const {
    if (index < 0 || static_cast<size_t>(index) >= slots_.size() || !slots_[static_cast<size_t>(index)])
        return nullptr;
    return &*slots_[static_cast<size_t>(index)];
}

void ObjektTabelle::loesche(int index) {
    if (index >= 0 && static_cast<size_t>(index) < slots_.size())
        slots_[static_cast<size_t>(index)].reset();
}

} // namespace findolin::wmf
