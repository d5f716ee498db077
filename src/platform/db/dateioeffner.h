#pragma once

#include "abgeschirmt.h"
#include "database.h"

#include <QByteArray>

namespace findolin::platform::db {

enum class DateiFormat { Jet3, Jet4, Sqlite, Unbekannt };

// Tells the formats apart by the file's first bytes.
DateiFormat erkenneFormat(const QByteArray& kopf);

// Opens database files of every format the game reads: Access files (Jet 3 and Jet 4, read only) and SQLite
// files (read and write), whatever their name. A missing file, a file of another kind or a damaged file is a
// run-time error naming the file.
class DateiOeffner : public DatabaseOpener {
public:
    // `grenzen`: how long and how much memory reading an Access file may take before it counts as damaged.
    explicit DateiOeffner(const Lesegrenzen& grenzen = {}) : grenzen_(grenzen) {}
    std::unique_ptr<Database> open(const QString& path) override;
    // New files are SQLite files, built beside under the name followed by ".neu" and then renamed.
    std::unique_ptr<Database> create(const QString& path, const QStringList& schema) override;

private:
    Lesegrenzen grenzen_;
};

} // namespace findolin::platform::db
