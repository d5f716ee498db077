#pragma once

#include "wmfkonstanten.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QColor>
#include <QRect>
#include <QString>
#include <optional>
#include <vector>

// The structure of a Windows metafile: an optional placeable header, the metafile header and a sequence of
// records. Parsing checks every record boundary, so the player never reads past the data.
namespace findolin::wmf {

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

} // namespace findolin::wmf
