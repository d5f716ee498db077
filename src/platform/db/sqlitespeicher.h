#pragma once

#include "tabelle.h"

namespace findolin::platform::db {

// SQLite files, read and written through the SQLite library. Yes/no fields are declared BOOLEAN or YESNO.
std::shared_ptr<Speicher> oeffneSqliteDatei(const QString& pfad);

} // namespace findolin::platform::db
