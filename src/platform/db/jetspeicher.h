#pragma once

#include "tabelle.h"

namespace findolin::platform::db {

// Access files (Jet 3 and Jet 4), read through libmdb; rows are added and deleted by our own writer, unless
// `nurLesen` or the file or its folder cannot be written.
std::shared_ptr<Speicher> oeffneJetDatei(const QString& pfad, int seitengroesse, bool nurLesen = false);

} // namespace findolin::platform::db
