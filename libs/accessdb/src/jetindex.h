#pragma once

#include "jetseiten.h"
#include "tabelle.h"

// A table's indexes kept in step with its rows, as far as this writer understands them: indexes on one Long
// column, ascending, whose entries all lie on one leaf page (the index of a small table such as an
// AutoNumber key). Every other index makes the writer refuse, naming it.
namespace findolin::accessdb::jet {

// Refuses a table with an index this writer cannot keep.
void indizesVerstanden(const Datei& datei, const TabellenDef& tabelle);

// Enters the row at (seite, zeile) with `werte` (one per column) into every index of the table, or takes it
// out (`weg`); the changed pages go to `geaendert`.
void pflegeIndizes(Datei& datei, const TabellenDef& tabelle, const QList<Wert>& werte, quint32 seite,
                   int zeile, bool weg, QList<quint32>& geaendert);

// The check of an index leaf page: entries in order, each one naming a row of the table that holds its key,
// one entry for every row.
void pruefeIndexseite(Datei& datei, quint32 seite);

} // namespace findolin::accessdb::jet
