#include "wmf/wmfwriter.h"

#include "wmfkonstanten.h"

#include <algorithm>
#include <bytes/littleendian.h>

namespace findolin::wmf {

namespace {

using bytes::haengeAn16;
using bytes::haengeAn32;

std::vector<qint16> farbWorte(Farbe f) {
    return {static_cast<qint16>(f.rot | (f.gruen << 8)), static_cast<qint16>(f.blau)};
}

std::vector<qint16> rechteckWorte(const QRect& r) {
    // Rectangles are stored bottom, right, top, left, with the right and bottom edges exclusive.
    return {static_cast<qint16>(r.y() + r.height()), static_cast<qint16>(r.x() + r.width()),
            static_cast<qint16>(r.y()), static_cast<qint16>(r.x())};
}

std::vector<qint16> punktWorte(const std::vector<QPoint>& punkte) {
    std::vector<qint16> worte;
    for (const QPoint& p : punkte) {
        worte.push_back(static_cast<qint16>(p.x()));
        worte.push_back(static_cast<qint16>(p.y()));
    }
    return worte;
}

} // namespace

WmfWriter::WmfWriter(int breite, int hoehe, int einheitenProZoll)
    : breite_(breite), hoehe_(hoehe), einheitenProZoll_(einheitenProZoll) {
    fenster({0, 0}, {breite, hoehe});
    record(SetBkMode, std::vector<qint16>{1}); // transparent background
}

void WmfWriter::record(quint16 funktion, const QByteArray& parameter) {
    QByteArray gerade = parameter;
    if (gerade.size() % 2)
        gerade.append('\0');
    const auto worte = static_cast<quint32>((recordKopf + gerade.size()) / 2);
    haengeAn32(records_, worte);
    haengeAn16(records_, funktion);
    records_.append(gerade);
    groessterRecord_ = std::max(groessterRecord_, worte);
}

void WmfWriter::record(quint16 funktion, const std::vector<qint16>& worte) {
    QByteArray parameter;
    for (const qint16 wort : worte)
        haengeAn16(parameter, static_cast<quint16>(wort));
    record(funktion, parameter);
}

int WmfWriter::neuesObjekt(quint16 funktion, const std::vector<qint16>& worte) {
    record(funktion, worte);
    const auto frei = std::find(belegt_.begin(), belegt_.end(), false);
    const int index = static_cast<int>(frei - belegt_.begin());
    if (frei == belegt_.end())
        belegt_.push_back(true);
    else
        *frei = true;
    return index;
}

int WmfWriter::stift(Farbe farbe, int breite, quint16 stil) {
    std::vector<qint16> worte{static_cast<qint16>(stil), static_cast<qint16>(breite), 0};
    const auto f = farbWorte(farbe);
    worte.insert(worte.end(), f.begin(), f.end());
    return neuesObjekt(CreatePenIndirect, worte);
}

int WmfWriter::pinsel(Farbe farbe) {
    return schraffur(farbe, 0xFFFF);
}

int WmfWriter::schraffur(Farbe farbe, quint16 art) {
    const bool voll = art == 0xFFFF;
    std::vector<qint16> worte{static_cast<qint16>(voll ? 0 : 2)};
    const auto f = farbWorte(farbe);
    worte.insert(worte.end(), f.begin(), f.end());
    worte.push_back(static_cast<qint16>(voll ? 0 : art));
    return neuesObjekt(CreateBrushIndirect, worte);
}

int WmfWriter::leererPinsel() {
    return neuesObjekt(CreateBrushIndirect, {1, 0, 0, 0});
}

void WmfWriter::waehle(int index) {
    record(SelectObject, std::vector<qint16>{static_cast<qint16>(index)});
}

void WmfWriter::loesche(int index) {
    record(DeleteObject, std::vector<qint16>{static_cast<qint16>(index)});
    if (index >= 0 && static_cast<size_t>(index) < belegt_.size())
        belegt_[static_cast<size_t>(index)] = false;
}

void WmfWriter::polygon(const std::vector<QPoint>& punkte) {
    auto worte = punktWorte(punkte);
    worte.insert(worte.begin(), static_cast<qint16>(punkte.size()));
    record(Polygon, worte);
}

void WmfWriter::polylinie(const std::vector<QPoint>& punkte) {
    auto worte = punktWorte(punkte);
    worte.insert(worte.begin(), static_cast<qint16>(punkte.size()));
    record(Polyline, worte);
}

void WmfWriter::polyPolygon(const std::vector<std::vector<QPoint>>& polygone) {
    std::vector<qint16> worte{static_cast<qint16>(polygone.size())};
    for (const auto& p : polygone)
        worte.push_back(static_cast<qint16>(p.size()));
    for (const auto& p : polygone) {
        const auto punkte = punktWorte(p);
        worte.insert(worte.end(), punkte.begin(), punkte.end());
    }
    record(PolyPolygon, worte);
}

void WmfWriter::ellipse(const QRect& rahmen) {
    record(Ellipse, rechteckWorte(rahmen));
}

void WmfWriter::rechteck(const QRect& rahmen) {
    record(Rectangle, rechteckWorte(rahmen));
}

void WmfWriter::rundesRechteck(const QRect& rahmen, int eckBreite, int eckHoehe) {
    auto worte = rechteckWorte(rahmen);
    worte.insert(worte.begin(), {static_cast<qint16>(eckHoehe), static_cast<qint16>(eckBreite)});
    record(RoundRect, worte);
}

void WmfWriter::sehne(const QRect& rahmen, QPoint start, QPoint ende) {
    std::vector<qint16> worte{static_cast<qint16>(ende.y()), static_cast<qint16>(ende.x()),
                              static_cast<qint16>(start.y()), static_cast<qint16>(start.x())};
    const auto r = rechteckWorte(rahmen);
    worte.insert(worte.end(), r.begin(), r.end());
    record(Chord, worte);
}

void WmfWriter::linie(QPoint von, QPoint nach) {
    record(MoveTo, std::vector<qint16>{static_cast<qint16>(von.y()), static_cast<qint16>(von.x())});
    record(LineTo, std::vector<qint16>{static_cast<qint16>(nach.y()), static_cast<qint16>(nach.x())});
}

void WmfWriter::fuellModus(bool winding) {
    record(SetPolyFillMode, std::vector<qint16>{winding ? qint16(2) : qint16(1)});
}

void WmfWriter::fenster(QPoint ursprung, QSize ausdehnung) {
    record(SetWindowOrg,
           std::vector<qint16>{static_cast<qint16>(ursprung.y()), static_cast<qint16>(ursprung.x())});
    record(SetWindowExt, std::vector<qint16>{static_cast<qint16>(ausdehnung.height()),
                                             static_cast<qint16>(ausdehnung.width())});
}

QByteArray WmfWriter::daten() const {
    QByteArray placeable;
    haengeAn32(placeable, placeableKennung);
    for (const int wert : {0, 0, 0, breite_, hoehe_, einheitenProZoll_})
        haengeAn16(placeable, static_cast<quint16>(wert));
    haengeAn32(placeable, 0);
    quint16 pruefsumme = 0;
    for (int i = 0; i < (placeableLaenge - 2) / 2; ++i)
        pruefsumme ^= bytes::u16(placeable, 2 * i);
    haengeAn16(placeable, pruefsumme);

    const auto gesamtWorte = static_cast<quint32>(kopfWorte + records_.size() / 2 + recordKopf / 2);
    QByteArray kopf;
    haengeAn16(kopf, 1); // in memory
    haengeAn16(kopf, kopfWorte);
    haengeAn16(kopf, 0x0300); // version
    haengeAn32(kopf, gesamtWorte);
    haengeAn16(kopf, static_cast<quint16>(std::max<size_t>(belegt_.size(), 1)));
    haengeAn32(kopf, groessterRecord_);
    haengeAn16(kopf, 0);

    QByteArray ende;
    haengeAn32(ende, recordKopf / 2);
    haengeAn16(ende, EndOfFile);
    return placeable + kopf + records_ + ende;
}

} // namespace findolin::wmf
