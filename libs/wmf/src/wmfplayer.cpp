#include "wmfplayer.h"

#include "logging.h"

#include <cmath>

namespace findolin::wmf {

namespace {

constexpr int savedcTiefe = 256;

} // namespace

void spieleAb(const Document& doc, QPainter& painter, const QRectF& ziel, Wiedergabe wie) {
    if (ziel.isEmpty())
        return;
    painter.save();
    Abspieler(doc, painter, ziel, wie).spiele();
    painter.restore();
}

Abspieler::Abspieler(const Document& doc, QPainter& painter, const QRectF& ziel, Wiedergabe wie)
    : doc_(doc), painter_(painter), ziel_(ziel), wie_(wie), basis_(painter.worldTransform()),
      objekte_(doc.objektAnzahl) {
    const QTransform geraet = painter.deviceTransform();
    geraeteSkala_ = std::sqrt(std::abs(geraet.determinant()));
    if (!(geraeteSkala_ > 0))
        geraeteSkala_ = 1;
    z_.fensterOrg = doc.rahmen.topLeft();
    z_.fensterExt = QPointF(doc.rahmen.width(), doc.rahmen.height());
    z_.clip = grundClip();
}

std::optional<QPainterPath> Abspieler::grundClip() const {
    if (!wie_.amZielBeschneiden)
        return std::nullopt;
    QPainterPath rahmen;
    rahmen.addRect(ziel_);
    return rahmen;
}

void Abspieler::spiele() {
    painter_.setRenderHint(QPainter::Antialiasing);
    painter_.setRenderHint(QPainter::TextAntialiasing);
    painter_.setRenderHint(QPainter::SmoothPixmapTransform);
    fensterGeaendert();
    clipGeaendert();
    for (const auto& r : doc_.records) {
        if (wie_.endeVorText && (r.funktion == TextOut || r.funktion == ExtTextOut))
            return;
        ParamReader p(doc_.parameter(r));
        record(r.funktion, p);
    }
}

void Abspieler::record(quint16 funktion, ParamReader& p) {
    switch (funktion) {
    case CreatePenIndirect:
    case CreateBrushIndirect:
    case CreateFontIndirect:
    case DibCreatePatternBrush:
    case CreatePatternBrush:
    case CreatePalette:
    case CreateRegion: {
        // A record that failed to make its object still takes its slot, so later indices stay right.
        const auto daten = p.bytes(p.rest());
        objekte_.lege(erzeugeObjekt(funktion, daten).value_or(AnderesObjekt{}));
        return;
    }
    case SelectObject:
        waehleObjekt(p.u16());
        return;
    case DeleteObject:
        objekte_.loesche(p.u16());
        return;
    default:
        break;
    }
    if (zustandsRecord(funktion, p))
        return;
    if (abbildungGueltig_ && zeichenRecord(funktion, p))
        return;
    qCDebug(lcPictures) << "metafile record skipped:" << Qt::hex << funktion;
}

bool Abspieler::zustandsRecord(quint16 funktion, ParamReader& p) {
    switch (funktion) {
    case SetWindowOrg:
    case SetWindowExt:
    case OffsetWindowOrg: {
        const double y = p.i16(), x = p.i16();
        if (!p.ok())
            return true;
        if (funktion == SetWindowOrg)
            z_.fensterOrg = {x, y};
        else if (funktion == SetWindowExt)
            z_.fensterExt = {x, y};
        else
            z_.fensterOrg += QPointF(x, y);
        fensterGeaendert();
        return true;
    }
    case ScaleWindowExt: {
        const int yNenner = p.i16(), yZaehler = p.i16(), xNenner = p.i16(), xZaehler = p.i16();
        if (p.ok() && xNenner != 0 && yNenner != 0) {
            z_.fensterExt = {z_.fensterExt.x() * xZaehler / xNenner, z_.fensterExt.y() * yZaehler / yNenner};
            fensterGeaendert();
        }
        return true;
    }
    case SetViewportOrg:
    case SetViewportExt:
    case OffsetViewportOrg:
    case ScaleViewportExt:
    case SetMapMode:
    case SetRop2:
    case Escape:
        return true;
    case SetBkColor:
        z_.hintergrund = p.farbe();
        return true;
    case SetTextColor:
        z_.textFarbe = p.farbe();
        return true;
    case SetBkMode:
        z_.hintergrundDeckend = p.u16() == 2;
        return true;
    case SetPolyFillMode:
        z_.fuellRegel = p.u16() == 2 ? Qt::WindingFill : Qt::OddEvenFill;
        return true;
    case SetTextAlign:
        z_.textAusrichtung = p.u16();
        return true;
    case MoveTo: {
        const double y = p.i16(), x = p.i16();
        if (p.ok())
            z_.position = {x, y};
        return true;
    }
    case SaveDc:
        if (gesichert_.size() < savedcTiefe)
            gesichert_.push_back(z_);
        return true;
    case RestoreDc:
        stelleWiederHer(p.i16());
        return true;
    case IntersectClipRect:
    case ExcludeClipRect:
        if (abbildungGueltig_)
            clipRechteck(p, funktion == IntersectClipRect);
        return true;
    case SelectClipRegion:
        // Regions are not kept; selecting one (or none) lifts the clipping to the picture's frame.
        z_.clip = grundClip();
        clipGeaendert();
        return true;
    default:
        return false;
    }
}

bool Abspieler::zeichenRecord(quint16 funktion, ParamReader& p) {
    switch (funktion) {
    case LineTo:
        linieNach(p);
        return true;
    case Rectangle:
    case Ellipse: {
        const QRectF r = rechteck(p);
        if (!p.ok())
            return true;
        QPainterPath pfad;
        if (funktion == Rectangle)
            pfad.addRect(r);
        else
            pfad.addEllipse(r);
        zeichne(pfad, true);
        return true;
    }
    case RoundRect:
        rundesRechteck(p);
        return true;
    case Arc:
    case Pie:
    case Chord:
        bogen(p, funktion);
        return true;
    case Polygon:
    case Polyline:
        polygon(p, funktion == Polygon);
        return true;
    case PolyPolygon:
        polyPolygon(p);
        return true;
    case TextOut:
        if (wie_.text)
            text(p);
        return true;
    case ExtTextOut:
        if (wie_.text)
            extText(p);
        return true;
    case DibBitBlt:
    case DibStretchBlt:
    case StretchDib:
    case SetDibToDev:
        bitmap(p, funktion);
        return true;
    case PatBlt:
        musterBlock(p, p.u32());
        return true;
    case SetPixel:
        setzePixel(p);
        return true;
    default:
        return false;
    }
}

void Abspieler::waehleObjekt(int index) {
    const GdiObjekt* objekt = objekte_.holen(index);
    if (!objekt) {
        qCDebug(lcPictures) << "metafile selects a missing object" << index;
        return;
    }
    if (const auto* stift = std::get_if<StiftObjekt>(objekt))
        z_.stift = *stift;
    else if (const auto* pinsel = std::get_if<PinselObjekt>(objekt))
        z_.pinsel = *pinsel;
    else if (const auto* schrift = std::get_if<SchriftObjekt>(objekt))
        z_.schrift = *schrift;
}

void Abspieler::stelleWiederHer(int ebene) {
    // Negative: that many steps back; positive: the level counted from the first save.
    const qsizetype anzahl = static_cast<qsizetype>(gesichert_.size());
    const qsizetype ziel = ebene < 0 ? anzahl + ebene : ebene - 1;
    if (ebene == 0 || ziel < 0 || ziel >= anzahl)
        return;
    z_ = gesichert_[static_cast<size_t>(ziel)];
    gesichert_.resize(static_cast<size_t>(ziel));
    fensterGeaendert();
    clipGeaendert();
}

void Abspieler::fensterGeaendert() {
    const QPointF ext = z_.fensterExt;
    abbildungGueltig_ = ext.x() != 0 && ext.y() != 0;
    if (!abbildungGueltig_)
        return;
    const double sx = ziel_.width() / ext.x(), sy = ziel_.height() / ext.y();
    abbildung_ =
        QTransform(sx, 0, 0, sy, ziel_.left() - z_.fensterOrg.x() * sx, ziel_.top() - z_.fensterOrg.y() * sy);
    painter_.setWorldTransform(abbildung_ * basis_);
}

void Abspieler::clipGeaendert() {
    painter_.setWorldTransform(basis_);
    if (z_.clip)
        painter_.setClipPath(*z_.clip);
    else
        painter_.setClipping(false);
    if (abbildungGueltig_)
        painter_.setWorldTransform(abbildung_ * basis_);
}

void Abspieler::clipRechteck(ParamReader& p, bool schneiden) {
    const QRectF r = rechteck(p);
    if (!p.ok())
        return;
    QPainterPath pfad;
    pfad.addPolygon(abbildung_.map(QPolygonF(r)));
    if (!z_.clip) {
        // Without a clip so far, everything the drawing could reach is inside.
        QPainterPath alles;
        alles.addRect(abbildung_.mapRect(QRectF(-32768, -32768, 65536, 65536)));
        z_.clip = alles;
    }
    z_.clip = schneiden ? z_.clip->intersected(pfad) : z_.clip->subtracted(pfad);
    clipGeaendert();
}

} // namespace findolin::wmf
