#pragma once

#include "wmfformat.h"

#include <QColor>
#include <QImage>
#include <QString>
#include <variant>
#include <vector>

// The drawing objects a metafile creates and selects: pens, brushes and fonts. Palettes and regions take a
// slot in the object table as they do on Windows, but draw nothing here.
namespace findolin::wmf {

struct StiftObjekt {
    quint16 stil = 0; // line style in the low bits, end caps and joins above
    int breite = 0;   // in logical units; 0 is one device pixel
    QColor farbe = Qt::black;
};

struct PinselObjekt {
    enum Art { Voll, Leer, Schraffiert, Muster };
    Art art = Voll;
    QColor farbe = Qt::white;
    int schraffur = 0;
    QImage muster;
};

struct SchriftObjekt {
    int hoehe = 0; // logical units; negative gives the character height, positive the cell height
    int breite = 0;
    int neigung = 0; // escapement, tenths of a degree counter-clockwise
    int gewicht = 400;
    bool kursiv = false, unterstrichen = false, durchgestrichen = false;
    int zeichensatz = 0;
    QString name;
};

struct AnderesObjekt {};

using GdiObjekt = std::variant<StiftObjekt, PinselObjekt, SchriftObjekt, AnderesObjekt>;

// The characters of a text record in a font's character set: the Windows code pages of the charset numbers,
// the Greek letters of the Symbol font, and Windows-1252 for everything else.
QString textImZeichensatz(QByteArrayView bytes, int zeichensatz);

// Makes the object of a create record; nothing for any other record or for too short parameters.
std::optional<GdiObjekt> erzeugeObjekt(quint16 funktion, QByteArrayView parameter);

// The metafile's object table. A new object takes the lowest free index; indices are checked on every use.
class ObjektTabelle {
public:
    explicit ObjektTabelle(int groesse) : slots_(static_cast<size_t>(groesse)) {}

    void lege(GdiObjekt objekt);
    const GdiObjekt* holen(int index) const;
    void loesche(int index);

private:
    std::vector<std::optional<GdiObjekt>> slots_;
};

} // namespace findolin::wmf
