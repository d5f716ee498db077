#pragma once

#include "tabelle.h"

#include <QByteArray>
#include <string>

// Reading Access files with libmdb, split in two halves so the library can run in a process of its own: the
// reading half turns the catalog or one table into a byte stream (it uses only libmdb, glib and malloc, no
// Qt), the other half turns the stream back into table names or a table and checks it on the way.
namespace findolin::platform::db::jet {

// Where the reading half writes.
class Ausgabe {
public:
    virtual ~Ausgabe() = default;
    virtual void schreibe(const void* daten, size_t laenge) = 0;
};

// Writes the names of the file's own tables, or, when `tabelle` is given, that table's fields and rows.
void lies(const char* pfad, const char* tabelle, Ausgabe& ausgabe);

QStringList tabellenAus(const QByteArray& strom, const QString& pfad);
// `name` is the table asked for; errors name it and the file.
std::shared_ptr<Tabelle> tabelleAus(const QByteArray& strom, const QString& name, const QString& pfad);

} // namespace findolin::platform::db::jet
