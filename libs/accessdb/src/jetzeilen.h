#pragma once

#include "jetseiten.h"
#include "tabelle.h"

// Rows of an Access table as bytes: built from field values for a new row, and taken apart again for the
// check of a written page and for finding the row to delete.
namespace findolin::accessdb::jet {

// A row's bytes for the values `werte`, one per column in the order of `tabelle.spalten` (a null value
// is the database's Null). Refuses values the column cannot hold and columns this writer does not fill.
QByteArray baueZeile(const TabellenDef& tabelle, const Format& format, const QList<Wert>& werte);

// One column's part of a row: whether the null mask marks it present (for yes/no columns: its value), and its
// bytes (none for yes/no columns and for columns added after the row was written).
struct Feldinhalt {
    bool da = false;
    QByteArray bytes;
};
// The parts of a row, one per column in the order of `tabelle.spalten`. Refuses a row whose bytes do not fit
// the table's columns.
QList<Feldinhalt> felderDerZeile(const TabellenDef& tabelle, const Format& format, const QByteArray& zeile);

// Text as a row or a long value keeps it: Jet 3 in the file's code page, Jet 4 in UTF-16 or its compressed
// form.
QString textAus(const Format& format, const QByteArray& bytes);

// The values of a row, one per column; long values (memo, OLE) come as null. Refuses a row whose bytes do not
// fit the table's columns.
QList<Wert> zerlegeZeile(const TabellenDef& tabelle, const Format& format, const QByteArray& zeile);

// The longest row a data page can take.
int maxZeilenLaenge(const Format& format);

} // namespace findolin::accessdb::jet
