#pragma once

#include "abgeschirmt.h"
#include "tabelle.h"

namespace findolin::platform::db {

// Access files (Jet 3 and Jet 4), read through libmdb, which runs shielded (see liesAbgeschirmt): the catalog
// when the file is opened, each table when it is first used. They can only be read.
std::shared_ptr<Speicher> oeffneJetDatei(const QString& pfad, int seitengroesse,
                                         const Lesegrenzen& grenzen = {});

} // namespace findolin::platform::db
