#pragma once

#include "abgeschirmt.h"
#include "tabelle.h"

namespace findolin::accessdb {

// Access files (Jet 3 and Jet 4), read through libmdb, which runs shielded (see liesAbgeschirmt): the catalog
// when the file is opened, each table when it is first used. Rows are added and deleted by our own writer
// (JetTransaktion), unless `nurLesen` or the file or its folder cannot be written.
std::shared_ptr<Speicher> oeffneJetDatei(const QString& pfad, int seitengroesse, bool nurLesen = false,
                                         const Lesegrenzen& grenzen = {});

} // namespace findolin::accessdb
