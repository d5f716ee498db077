#pragma once

#include <QByteArray>
#include <QPoint>
#include <QRect>
#include <vector>

// Writes placeable Windows metafiles: a frame in logical units, drawing objects and shapes. The build makes
// the joker pictures with it; tests make small metafiles of known content with it.
namespace findolin::wmf {

struct Farbe {
    quint8 rot = 0, gruen = 0, blau = 0;
};

class WmfWriter {
public:
    // The frame is breite x hoehe logical units, `einheitenProZoll` of them to the inch (1440: twips).
    WmfWriter(int breite, int hoehe, int einheitenProZoll = 1440);

    // Objects take the lowest free index, as Windows gives them out; the index is returned.
    int stift(Farbe farbe, int breite, quint16 stil = 0);
    int pinsel(Farbe farbe);
    int schraffur(Farbe farbe, quint16 art);
    int leererPinsel();
    int leererStift() { return stift({}, 0, 5); }
    void waehle(int index);
    void loesche(int index);

    void polygon(const std::vector<QPoint>& punkte);
    void polylinie(const std::vector<QPoint>& punkte);
    void polyPolygon(const std::vector<std::vector<QPoint>>& polygone);
    void ellipse(const QRect& rahmen);
    void rechteck(const QRect& rahmen);
    void rundesRechteck(const QRect& rahmen, int eckBreite, int eckHoehe);
    void sehne(const QRect& rahmen, QPoint start, QPoint ende);
    void linie(QPoint von, QPoint nach);
    void fuellModus(bool winding);
    void fenster(QPoint ursprung, QSize ausdehnung);

    // Any record, its parameters given as 16-bit words.
    void record(quint16 funktion, const std::vector<qint16>& worte);
    void record(quint16 funktion, const QByteArray& parameter);

    // The whole file: placeable header, metafile header, the records and the end record.
    QByteArray daten() const;

private:
    int neuesObjekt(quint16 funktion, const std::vector<qint16>& worte);

    int breite_, hoehe_, einheitenProZoll_;
    QByteArray records_;
    quint32 groessterRecord_ = 3;
    std::vector<bool> belegt_;
};

} // namespace findolin::wmf
