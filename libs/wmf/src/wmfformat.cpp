#include "wmfformat.h"

#include <QtEndian>

namespace findolin::wmf {

namespace {

// A side longer than this is not a picture for a form but broken data.
constexpr int groessteSeite = 32767;

bool scheitern(QString* fehler, const QString& text) {
    if (fehler)
        *fehler = text;
    return false;
}

bool istPlaceable(QByteArrayView data) {
    return data.size() >= 4 && qFromLittleEndian<quint32>(data.data()) == placeableKennung;
}

bool istMetafileKopf(QByteArrayView data) {
    if (data.size() < kopfLaenge)
        return false;
    const auto typ = qFromLittleEndian<quint16>(data.data());
    const auto worteImKopf = qFromLittleEndian<quint16>(data.data() + 2);
    return (typ == 1 || typ == 2) && worteImKopf == kopfWorte;
}

bool leseRecords(Document& doc, qsizetype start, QString* fehler) {
    const qsizetype ende = doc.data.size();
    qsizetype pos = start;
    while (pos < ende) {
        if (ende - pos < recordKopf)
            return scheitern(fehler, QStringLiteral("record head cut off at byte %1").arg(pos));
        const quint32 worte = qFromLittleEndian<quint32>(doc.data.constData() + pos);
        const auto funktion = qFromLittleEndian<quint16>(doc.data.constData() + pos + 4);
        if (worte < 3 || static_cast<qint64>(worte) * 2 > ende - pos)
            return scheitern(fehler,
                             QStringLiteral("record at byte %1 has size %2 words").arg(pos).arg(worte));
        const qsizetype laenge = static_cast<qsizetype>(worte) * 2;
        if (funktion == EndOfFile)
            return true;
        doc.records.push_back({funktion, pos + recordKopf, laenge - recordKopf});
        pos += laenge;
    }
    return scheitern(fehler, QStringLiteral("no end record"));
}

// A plain metafile has no frame of its own; its first window records give one.
std::optional<QRect> fensterAusRecords(const Document& doc) {
    std::optional<QPoint> org, ext;
    for (const auto& record : doc.records) {
        if (record.funktion != SetWindowOrg && record.funktion != SetWindowExt)
            continue;
        ParamReader reader(doc.parameter(record));
        const int y = reader.i16();
        const int x = reader.i16();
        if (!reader.ok())
            continue;
        if (record.funktion == SetWindowOrg && !org)
            org = QPoint(x, y);
        if (record.funktion == SetWindowExt && !ext)
            ext = QPoint(x, y);
        if (org && ext)
            break;
    }
    if (!ext)
        return std::nullopt;
    const QPoint o = org.value_or(QPoint());
    return QRect(o.x(), o.y(), ext->x(), ext->y());
}

} // namespace

bool siehtAusWieMetafile(QByteArrayView data) {
    return istPlaceable(data) || istMetafileKopf(data);
}

std::optional<Document> parse(const QByteArray& data, QString* fehler) {
    Document doc;
    doc.data = data;
    qsizetype pos = 0;
    if (istPlaceable(data)) {
        if (data.size() < placeableLaenge)
            return scheitern(fehler, QStringLiteral("placeable header cut off")), std::nullopt;
        ParamReader kopf(QByteArrayView(data).sliced(6, 10));
        const int links = kopf.i16(), oben = kopf.i16(), rechts = kopf.i16(), unten = kopf.i16();
        doc.placeable = true;
        doc.einheitenProZoll = kopf.u16();
        doc.rahmen = QRect(QPoint(links, oben), QSize(rechts - links, unten - oben));
        pos = placeableLaenge;
    }
    const QByteArrayView rest = QByteArrayView(data).sliced(pos);
    if (!istMetafileKopf(rest))
        return scheitern(fehler, QStringLiteral("no metafile header")), std::nullopt;
    doc.objektAnzahl = qFromLittleEndian<quint16>(rest.data() + 10);
    if (!leseRecords(doc, pos + kopfLaenge, fehler))
        return std::nullopt;
    if (!doc.placeable || doc.rahmen.isEmpty()) {
        const auto fenster = fensterAusRecords(doc);
        if (!fenster)
            return scheitern(fehler,
                             QStringLiteral("no frame: neither a placeable header nor window records")),
                   std::nullopt;
        doc.rahmen = *fenster;
    }
    const auto breite = std::abs(doc.rahmen.width()), hoehe = std::abs(doc.rahmen.height());
    if (breite == 0 || hoehe == 0 || breite > groessteSeite || hoehe > groessteSeite)
        return scheitern(fehler, QStringLiteral("frame of %1 x %2 units").arg(breite).arg(hoehe)),
               std::nullopt;
    if (doc.placeable && (doc.einheitenProZoll <= 0 || doc.einheitenProZoll > 100000))
        doc.einheitenProZoll = 1440;
    return doc;
}

quint16 ParamReader::u16() {
    const auto b = bytes(2);
    return b.size() == 2 ? qFromLittleEndian<quint16>(b.data()) : 0;
}

quint32 ParamReader::u32() {
    const auto b = bytes(4);
    return b.size() == 4 ? qFromLittleEndian<quint32>(b.data()) : 0;
}

quint8 ParamReader::u8() {
    const auto b = bytes(1);
    return b.size() == 1 ? static_cast<quint8>(b[0]) : 0;
}

QColor ParamReader::farbe() {
    const int r = u8(), g = u8(), b = u8();
    skip(1);
    return QColor(r, g, b);
}

QByteArrayView ParamReader::bytes(qsizetype anzahl) {
    if (anzahl < 0 || anzahl > rest()) {
        ok_ = false;
        pos_ = data_.size();
        return {};
    }
    const auto teil = data_.sliced(pos_, anzahl);
    pos_ += anzahl;
    return teil;
}

} // namespace findolin::wmf
