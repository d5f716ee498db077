#pragma once

#include "tabelle.h"

namespace findolin::platform::db {

// Access files (Jet 3 and Jet 4), read through libmdb. They can only be read.
std::shared_ptr<Speicher> oeffneJetDatei(const QString& pfad, int seitengroesse);

} // namespace findolin::platform::db
