#pragma once

#include "tabelle.h"

namespace findolin::accessdb {

// SQLite files, read and written through the SQLite library (only read with `nurLesen`). Yes/no fields are
// declared BOOLEAN or YESNO.
std::shared_ptr<Speicher> oeffneSqliteDatei(const QString& pfad, bool nurLesen = false);
// A new SQLite file with the tables `schema` declares; an existing file, or one that cannot be made, is a
// run-time error.
std::shared_ptr<Speicher> erzeugeSqliteDatei(const QString& pfad, const QStringList& schema);

} // namespace findolin::accessdb
