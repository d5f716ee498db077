#pragma once

#include <accessdb/database.h>
#include <accessdb/lesegrenzen.h>

#include <QByteArray>

namespace findolin::accessdb {

enum class DateiFormat { Jet3, Jet4, Sqlite, Unbekannt };

// Tells the formats apart by the file's first bytes.
DateiFormat erkenneFormat(const QByteArray& kopf);

// Opens database files of every format the game reads, Access files (Jet 3 and Jet 4) and SQLite files,
// whatever their name; both are read and written. A missing file, a file of another kind or a damaged file is
// a run-time error naming the file.
class DateiOeffner : public DatabaseOpener {
public:
    // `grenzen`: how long and how much memory reading an Access file may take before it counts as damaged.
    explicit DateiOeffner(const Lesegrenzen& grenzen = {}) : grenzen_(grenzen) {}
    std::unique_ptr<Database> open(const QString& path) override;
    std::unique_ptr<Database> openReadOnly(const QString& path) override;
    // New files are SQLite files, made beside under a name of this process and put in place at the first
    // commit, while the lock file is held that Access files are written under.
    std::unique_ptr<Database> create(const QString& path, const QStringList& schema) override;

private:
    std::unique_ptr<Database> oeffne(const QString& path, bool nurLesen);
    Lesegrenzen grenzen_;
};

} // namespace findolin::accessdb
