#include "dib.h"
#include "wmfplayer.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPaintEngine>
#include <cmath>
#include <numbers>

// The drawing records: shapes, lines, text and bitmaps, all in logical units under the window mapping.
namespace findolin::wmf {

namespace {

constexpr quint32 srcAnd = 0x008800C6, srcPaint = 0x00EE0086, srcInvert = 0x00660046;
constexpr quint32 patCopy = 0x00F00021, blackness = 0x00000042, whiteness = 0x00FF0062;
constexpr quint16 taUpdateCp = 0x0001, taRight = 0x0002, taCenter = 0x0006;
constexpr quint16 taBottom = 0x0008, taBaseline = 0x0018;
constexpr quint16 etoOpaque = 0x0002, etoClipped = 0x0004;

Qt::PenStyle linienStil(quint16 stil) {
    switch (stil & 0x0F) {
    case 1:
        return Qt::DashLine;
    case 2:
        return Qt::DotLine;
    case 3:
        return Qt::DashDotLine;
    case 4:
        return Qt::DashDotDotLine;
    case 5:
        return Qt::NoPen;
    default:
        return Qt::SolidLine;
    }
}

Qt::BrushStyle schraffur(int art) {
    static constexpr Qt::BrushStyle stile[] = {Qt::HorPattern,   Qt::VerPattern,   Qt::FDiagPattern,
                                               Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
    return art >= 0 && art < 6 ? stile[art] : Qt::SolidPattern;
}

double winkel(QPointF punkt, QRectF rahmen) {
    const QPointF mitte = rahmen.center();
    const double rx = rahmen.width() / 2, ry = rahmen.height() / 2;
    if (rx == 0 || ry == 0)
        return 0;
    return std::atan2(-(punkt.y() - mitte.y()) / ry, (punkt.x() - mitte.x()) / rx) * 180 / std::numbers::pi;
}

} // namespace

QPen Abspieler::stift() const {
    const auto& s = z_.stift;
    const Qt::PenStyle stil = linienStil(s.stil);
    if (stil == Qt::NoPen)
        return Qt::NoPen;
    // Widths are logical units along x; a pen never gets thinner than one device pixel.
    const double skala = std::abs(abbildung_.m11()) * geraeteSkala_;
    QPen pen(s.farbe, std::max(1.0, s.breite * skala), stil);
    pen.setCosmetic(true);
    const quint16 ende = s.stil & 0x0F00, ecke = s.stil & 0xF000;
    pen.setCapStyle(ende == 0x0100 ? Qt::SquareCap : ende == 0x0200 ? Qt::FlatCap : Qt::RoundCap);
    pen.setJoinStyle(ecke == 0x1000 ? Qt::BevelJoin : ecke == 0x2000 ? Qt::MiterJoin : Qt::RoundJoin);
    return pen;
}

QBrush Abspieler::pinsel() const {
    const auto& b = z_.pinsel;
    switch (b.art) {
    case PinselObjekt::Voll:
        return QBrush(b.farbe);
    case PinselObjekt::Schraffiert:
        return QBrush(b.farbe, schraffur(b.schraffur));
    case PinselObjekt::Muster: {
        // Patterns repeat in pixels of the picture's place, as on the screen, not in logical units.
        QBrush muster(b.muster);
        muster.setTransform(abbildung_.inverted());
        return muster;
    }
    default:
        return Qt::NoBrush;
    }
}

void Abspieler::zeichne(const QPainterPath& pfad, bool fuellen) {
    if (fuellen && z_.pinsel.art == PinselObjekt::Schraffiert && z_.hintergrundDeckend)
        painter_.fillPath(pfad, z_.hintergrund);
    painter_.setPen(stift());
    painter_.setBrush(fuellen ? pinsel() : QBrush(Qt::NoBrush));
    painter_.drawPath(pfad);
}

QRectF Abspieler::rechteck(ParamReader& p) const {
    const double unten = p.i16(), rechts = p.i16(), oben = p.i16(), links = p.i16();
    return QRectF(QPointF(links, oben), QPointF(rechts, unten)).normalized();
}

void Abspieler::polygon(ParamReader& p, bool geschlossen) {
    const qsizetype anzahl = std::min<qsizetype>(p.u16(), p.rest() / 4);
    QPolygonF punkte;
    punkte.reserve(anzahl);
    for (qsizetype i = 0; i < anzahl; ++i) {
        const double x = p.i16(), y = p.i16();
        punkte.append({x, y});
    }
    if (punkte.size() < 2)
        return;
    QPainterPath pfad;
    pfad.setFillRule(z_.fuellRegel);
    pfad.addPolygon(punkte);
    if (geschlossen)
        pfad.closeSubpath();
    zeichne(pfad, geschlossen);
}

void Abspieler::polyPolygon(ParamReader& p) {
    const int polygone = p.u16();
    std::vector<int> anzahlen;
    for (int i = 0; i < polygone && p.ok(); ++i)
        anzahlen.push_back(p.u16());
    if (!p.ok())
        return;
    QPainterPath pfad;
    pfad.setFillRule(z_.fuellRegel);
    for (const int anzahl : anzahlen) {
        if (p.rest() < static_cast<qsizetype>(anzahl) * 4)
            break;
        QPolygonF punkte;
        for (int i = 0; i < anzahl; ++i) {
            const double x = p.i16(), y = p.i16();
            punkte.append({x, y});
        }
        if (punkte.size() < 2)
            continue;
        pfad.addPolygon(punkte);
        pfad.closeSubpath();
    }
    zeichne(pfad, true);
}

void Abspieler::bogen(ParamReader& p, quint16 funktion) {
    const double yEnde = p.i16(), xEnde = p.i16(), yStart = p.i16(), xStart = p.i16();
    const QRectF rahmen = rechteck(p);
    if (!p.ok() || rahmen.isEmpty())
        return;
    // Arcs run counter-clockwise from the start to the end point; equal points give a full ellipse.
    const double start = winkel({xStart, yStart}, rahmen);
    double bogen = winkel({xEnde, yEnde}, rahmen) - start;
    while (bogen <= 0)
        bogen += 360;
    QPainterPath pfad;
    if (funktion == Pie) {
        pfad.moveTo(rahmen.center());
        pfad.arcTo(rahmen, start, bogen);
        pfad.closeSubpath();
    } else {
        pfad.arcMoveTo(rahmen, start);
        pfad.arcTo(rahmen, start, bogen);
        if (funktion == Chord)
            pfad.closeSubpath();
    }
    zeichne(pfad, funktion != Arc);
}

void Abspieler::rundesRechteck(ParamReader& p) {
    const double hoehe = p.i16(), breite = p.i16();
    const QRectF r = rechteck(p);
    if (!p.ok())
        return;
    QPainterPath pfad;
    pfad.addRoundedRect(r, std::abs(breite) / 2, std::abs(hoehe) / 2);
    zeichne(pfad, true);
}

void Abspieler::linieNach(ParamReader& p) {
    const double y = p.i16(), x = p.i16();
    if (!p.ok())
        return;
    QPainterPath pfad(z_.position);
    pfad.lineTo(x, y);
    z_.position = {x, y};
    zeichne(pfad, false);
}

void Abspieler::setzePixel(ParamReader& p) {
    const QColor farbe = p.farbe();
    const double y = p.i16(), x = p.i16();
    if (p.ok())
        painter_.fillRect(QRectF(x, y, 1, 1), farbe);
}

void Abspieler::text(ParamReader& p) {
    const int laenge = p.u16();
    const QByteArray bytes = p.bytes(laenge).toByteArray();
    p.skip(laenge % 2);
    const double y = p.i16(), x = p.i16();
    if (p.ok())
        schreibe(textImZeichensatz(bytes, z_.schrift.zeichensatz), {x, y}, {});
}

void Abspieler::extText(ParamReader& p) {
    const double y = p.i16(), x = p.i16();
    const int laenge = p.u16();
    const quint16 optionen = p.u16();
    QRectF rahmen;
    if (optionen & (etoOpaque | etoClipped)) {
        const double links = p.i16(), oben = p.i16(), rechts = p.i16(), unten = p.i16();
        rahmen = QRectF(QPointF(links, oben), QPointF(rechts, unten)).normalized();
    }
    const QByteArray bytes = p.bytes(laenge).toByteArray();
    p.skip(laenge % 2);
    if (!p.ok())
        return;
    std::vector<double> abstaende;
    if (p.rest() >= laenge * 2)
        for (int i = 0; i < laenge; ++i)
            abstaende.push_back(p.i16());
    painter_.save();
    if (optionen & etoOpaque)
        painter_.fillRect(rahmen, z_.hintergrund);
    if (optionen & etoClipped)
        painter_.setClipRect(rahmen, Qt::IntersectClip);
    schreibe(textImZeichensatz(bytes, z_.schrift.zeichensatz), {x, y}, abstaende);
    painter_.restore();
}

void Abspieler::schreibe(const QString& text, QPointF bezug, std::vector<double> abstaende) {
    if (text.isEmpty())
        return;
    // Advances count bytes; for double-byte character sets they no longer match the characters.
    if (abstaende.size() != static_cast<size_t>(text.size()))
        abstaende.clear();
    const auto& s = z_.schrift;
    // Glyphs stay upright whichever way the window runs; only their size follows the mapping.
    const double skalaX = std::abs(abbildung_.m11()), skalaY = std::abs(abbildung_.m22());
    double em = s.hoehe == 0 ? 12 / skalaY : s.hoehe < 0 ? -s.hoehe : s.hoehe / 1.15;
    QFont font(s.name.isEmpty() ? QStringLiteral("Arial") : s.name);
    const int dpi = painter_.device()->logicalDpiY() > 0 ? painter_.device()->logicalDpiY() : 96;
    font.setPointSizeF(std::max(0.5, em * skalaY * 72.0 / dpi));
    font.setWeight(static_cast<QFont::Weight>(std::clamp(s.gewicht == 0 ? 400 : s.gewicht, 100, 900)));
    font.setItalic(s.kursiv);
    font.setUnderline(s.unterstrichen);
    font.setStrikeOut(s.durchgestrichen);

    const bool fortlaufend = z_.textAusrichtung & taUpdateCp;
    const QPointF start = fortlaufend ? z_.position : bezug;
    const QFontMetricsF metrik(font, painter_.device());
    double breite = 0;
    for (const double d : abstaende)
        breite += d * skalaX;
    if (abstaende.empty())
        breite = metrik.horizontalAdvance(text);

    double dx = 0, dy = 0;
    const quint16 horizontal = z_.textAusrichtung & taCenter, vertikal = z_.textAusrichtung & taBaseline;
    if (horizontal == taCenter)
        dx = -breite / 2;
    else if (horizontal == taRight)
        dx = -breite;
    if (vertikal == 0)
        dy = metrik.ascent();
    else if (vertikal == taBottom)
        dy = -metrik.descent();

    const QPointF anker = abbildung_.map(start);
    painter_.save();
    painter_.setWorldTransform(basis_);
    painter_.translate(anker);
    painter_.rotate(-s.neigung / 10.0);
    painter_.setFont(font);
    if (z_.hintergrundDeckend)
        painter_.fillRect(QRectF(dx, dy - metrik.ascent(), breite, metrik.height()), z_.hintergrund);
    painter_.setPen(z_.textFarbe);
    if (abstaende.empty()) {
        painter_.drawText(QPointF(dx, dy), text);
    } else {
        double x = dx;
        for (qsizetype i = 0; i < text.size(); ++i) {
            painter_.drawText(QPointF(x, dy), QString(text[i]));
            x += abstaende[static_cast<size_t>(i)] * skalaX;
        }
    }
    painter_.restore();
    if (fortlaufend && skalaX > 0)
        z_.position.rx() += (horizontal == taRight ? -breite : breite) / abbildung_.m11();
}

void Abspieler::bitmap(ParamReader& p, quint16 funktion) {
    const quint32 rop = p.u32();
    // Without a bitmap the blits fill with the brush; their source fields then end in a reserved word.
    if (funktion == DibBitBlt && p.rest() == 14) {
        p.skip(6);
        musterBlock(p, rop);
        return;
    }
    if (funktion == DibStretchBlt && p.rest() == 20) {
        p.skip(10);
        musterBlock(p, rop);
        return;
    }
    QRectF quelle, ziel;
    if (funktion == StretchDib)
        p.skip(2); // colour usage
    if (funktion == SetDibToDev) {
        p.skip(8); // colour usage, scan count, start scan, y of the bitmap
        p.skip(2);
        const double h = p.i16(), w = p.i16(), y = p.i16(), x = p.i16();
        ziel = QRectF(x, y, w, h);
        quelle = QRectF(0, 0, w, h);
    } else if (funktion == DibBitBlt) {
        const double ys = p.i16(), xs = p.i16(), h = p.i16(), w = p.i16(), y = p.i16(), x = p.i16();
        quelle = QRectF(xs, ys, w, h);
        ziel = QRectF(x, y, w, h);
    } else {
        const double hs = p.i16(), ws = p.i16(), ys = p.i16(), xs = p.i16();
        const double h = p.i16(), w = p.i16(), y = p.i16(), x = p.i16();
        quelle = QRectF(xs, ys, ws, hs);
        ziel = QRectF(x, y, w, h);
    }
    const auto bild = leseDib(p.bytes(p.rest()));
    if (!p.ok() || !bild)
        return;
    QImage gezeigt = bild->mirrored(ziel.width() < 0, ziel.height() < 0);
    if (funktion == StretchDib)
        quelle.moveTop(gezeigt.height() - quelle.bottom()); // its source is counted from the bottom row
    if (funktion == SetDibToDev)
        quelle = gezeigt.rect();
    painter_.save();
    const bool raster = painter_.paintEngine() && painter_.paintEngine()->type() == QPaintEngine::Raster;
    if (raster && rop == srcAnd)
        painter_.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
    else if (raster && rop == srcPaint)
        painter_.setCompositionMode(QPainter::RasterOp_SourceOrDestination);
    else if (raster && rop == srcInvert)
        painter_.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter_.drawImage(ziel.normalized(), gezeigt, quelle.normalized());
    painter_.restore();
}

void Abspieler::musterBlock(ParamReader& p, quint32 rop) {
    const double h = p.i16(), w = p.i16(), y = p.i16(), x = p.i16();
    if (!p.ok())
        return;
    const QRectF r = QRectF(x, y, w, h).normalized();
    if (rop == patCopy)
        painter_.fillRect(r, pinsel());
    else if (rop == blackness)
        painter_.fillRect(r, Qt::black);
    else if (rop == whiteness)
        painter_.fillRect(r, Qt::white);
}

} // namespace findolin::wmf
