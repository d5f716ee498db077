#pragma once

#include "wmfformat.h"
#include "wmfobjects.h"

#include <QPainter>
#include <QPainterPath>
#include <QRectF>
#include <QTransform>
#include <vector>

namespace findolin::wmf {

// How a metafile is replayed. Forms want everything, clipped to the picture's place; comparisons with other
// renderers may leave out text (fonts differ between systems) or show what a file draws beyond its frame.
struct Wiedergabe {
    bool text = true;
    bool endeVorText = false; // stop at the first text record
    bool amZielBeschneiden = true;
};

// Replays the records of a metafile on a painter. The metafile's window (its frame until a window record
// says otherwise) is mapped onto the target rectangle. Viewport records are read but change nothing: the
// target rectangle is the viewport.
void spieleAb(const Document& doc, QPainter& painter, const QRectF& ziel, Wiedergabe wie = {});

// The device context as the records change it; SAVEDC and RESTOREDC keep copies of it.
struct Zustand {
    QPointF fensterOrg;
    QPointF fensterExt;
    StiftObjekt stift;
    PinselObjekt pinsel;
    SchriftObjekt schrift;
    Qt::FillRule fuellRegel = Qt::OddEvenFill;
    bool hintergrundDeckend = true;
    QColor hintergrund = Qt::white;
    QColor textFarbe = Qt::black;
    quint16 textAusrichtung = 0;
    QPointF position;
    std::optional<QPainterPath> clip; // in the painter's coordinates, as the target rectangle is given
};

class Abspieler {
public:
    Abspieler(const Document& doc, QPainter& painter, const QRectF& ziel, Wiedergabe wie);
    void spiele();

private:
    void record(quint16 funktion, ParamReader& p);
    bool zustandsRecord(quint16 funktion, ParamReader& p);
    bool zeichenRecord(quint16 funktion, ParamReader& p);
    void waehleObjekt(int index);
    void stelleWiederHer(int ebene);
    void fensterGeaendert();
    void clipGeaendert();
    std::optional<QPainterPath> grundClip() const;
    void clipRechteck(ParamReader& p, bool schneiden);

    // Drawing, in wmfshapes.cpp.
    void zeichne(const QPainterPath& pfad, bool fuellen);
    QPen stift() const;
    QBrush pinsel() const;
    QRectF rechteck(ParamReader& p) const;
    void polygon(ParamReader& p, bool geschlossen);
    void polyPolygon(ParamReader& p);
    void bogen(ParamReader& p, quint16 funktion);
    void rundesRechteck(ParamReader& p);
    void linieNach(ParamReader& p);
    void text(ParamReader& p);
    void extText(ParamReader& p);
    void schreibe(const QString& text, QPointF bezug, std::vector<double> abstaende);
    void bitmap(ParamReader& p, quint16 funktion);
    void musterBlock(ParamReader& p, quint32 rop);
    void setzePixel(ParamReader& p);

    const Document& doc_;
    QPainter& painter_;
    QRectF ziel_;
    Wiedergabe wie_;
    QTransform basis_;     // the painter's own world transform
    double geraeteSkala_;  // device pixels per target unit
    QTransform abbildung_; // logical units to target coordinates
    bool abbildungGueltig_ = false;
    Zustand z_;
    std::vector<Zustand> gesichert_;
    ObjektTabelle objekte_;
};

} // namespace findolin::wmf
