#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QColor>
#include <QRect>
#include <QString>
#include <optional>
#include <vector>

// The structure of a Windows metafile: an optional placeable header, the metafile header and a sequence of
// records. Parsing checks every record boundary, so the player never reads past the data.
namespace findolin::platform::wmf {

// The record functions the player knows.
enum Funktion : quint16 {
    EndOfFile = 0x0000,
    SetBkColor = 0x0201,
    SetBkMode = 0x0102,
    SetMapMode = 0x0103,
    SetRop2 = 0x0104,
    SetPolyFillMode = 0x0106,
    SetTextColor = 0x0209,
    SetWindowOrg = 0x020B,
    SetWindowExt = 0x020C,
    SetViewportOrg = 0x020D,
    SetViewportExt = 0x020E,
    OffsetWindowOrg = 0x020F,
    ScaleWindowExt = 0x0410,
    OffsetViewportOrg = 0x0211,
    ScaleViewportExt = 0x0412,
    LineTo = 0x0213,
    MoveTo = 0x0214,
    ExcludeClipRect = 0x0415,
    IntersectClipRect = 0x0416,
    Arc = 0x0817,
    Ellipse = 0x0418,
    Pie = 0x081A,
    Rectangle = 0x041B,
    RoundRect = 0x061C,
    PatBlt = 0x061D,
    SaveDc = 0x001E,
    SetPixel = 0x041F,
    TextOut = 0x0521,
    Polygon = 0x0324,
    Polyline = 0x0325,
    Escape = 0x0626,
    RestoreDc = 0x0127,
    SelectClipRegion = 0x012C,
    SelectObject = 0x012D,
    SetTextAlign = 0x012E,
    Chord = 0x0830,
    ExtTextOut = 0x0A32,
    SetDibToDev = 0x0D33,
    PolyPolygon = 0x0538,
    DibBitBlt = 0x0940,
    DibStretchBlt = 0x0B41,
    DibCreatePatternBrush = 0x0142,
    StretchDib = 0x0F43,
    DeleteObject = 0x01F0,
    CreatePalette = 0x00F7,
    CreatePatternBrush = 0x01F9,
    CreatePenIndirect = 0x02FA,
    CreateFontIndirect = 0x02FB,
    CreateBrushIndirect = 0x02FC,
    CreateRegion = 0x06FF,
};

struct Record {
    quint16 funktion = 0;
    qsizetype offset = 0; // of the parameters, in the document's data
    qsizetype laenge = 0; // of the parameters, in bytes
};

struct Document {
    QByteArray data;
    bool placeable = false;
    int einheitenProZoll = 0; // of the placeable header; 0 without one
    QRect rahmen;             // the logical frame: the placeable header's box, else the first window records
    quint16 objektAnzahl = 0;
    std::vector<Record> records;

    QByteArrayView parameter(const Record& record) const {
        return QByteArrayView(data).sliced(record.offset, record.laenge);
    }
};

// Reads a metafile. On malformed input returns nothing and says why in `fehler`.
std::optional<Document> parse(const QByteArray& data, QString* fehler = nullptr);

// True when the bytes start like a metafile (placeable or plain).
bool siehtAusWieMetafile(QByteArrayView data);

// A little-endian reader over a record's parameters. Reading past the end yields 0 and clears ok().
class ParamReader {
public:
    explicit ParamReader(QByteArrayView data) : data_(data) {}

    quint16 u16();
    qint16 i16() { return static_cast<qint16>(u16()); }
    quint32 u32();
    quint8 u8();
    QColor farbe(); // a COLORREF: red, green, blue, reserved
    QByteArrayView bytes(qsizetype anzahl);
    void skip(qsizetype anzahl) { (void)bytes(anzahl); }
    qsizetype rest() const { return data_.size() - pos_; }
    qsizetype position() const { return pos_; }
    bool ok() const { return ok_; }

private:
    QByteArrayView data_;
    qsizetype pos_ = 0;
    bool ok_ = true;
};

} // namespace findolin::platform::wmf
