#pragma once

#include "tabelle.h"

#include <QByteArray>
#include <string>

// Reading Access files, split in two halves so the library can run in a process of its own: the reading half
// turns the catalog or one table into a byte stream (through libmdb it uses only the library, glib and
// malloc, no Qt), the other half turns the stream back into table names or a table and checks it on the way.
namespace findolin::accessdb::jet {

// Where the reading half writes.
class Ausgabe {
public:
    virtual ~Ausgabe() = default;
    virtual void schreibe(const void* daten, size_t laenge) = 0;
};

// The stream, buffered; everything in the machine's byte order, since both halves run on one machine. A
// catalog is 'V', the number of tables and their names; a table is 'T', its name, its fields (name and
// FeldArt), the row count the file states, then per row 'Z', its key and one value per field (0 for Null, or
// 1 and the value), and 'E' at the end. A failure is 'F' and a Lesefehler.
class Strom {
public:
    explicit Strom(Ausgabe& ausgabe) : ausgabe_(ausgabe) {}
    ~Strom() { leere(); }
    template <typename T> void zahl(T wert) { bytes(&wert, sizeof wert); }
    void text(const char* daten, size_t laenge) {
        zahl(quint32(laenge));
        bytes(daten, laenge);
    }
    void bytes(const void* daten, size_t laenge) {
        puffer_.append(static_cast<const char*>(daten), laenge);
        if (puffer_.size() >= 65536)
            leere();
    }
    void leere() {
        if (!puffer_.empty())
            ausgabe_.schreibe(puffer_.data(), puffer_.size());
        puffer_.clear();
    }

private:
    Ausgabe& ausgabe_;
    std::string puffer_;
};

enum Lesefehler : quint8 { NichtOeffnbar = 1, KatalogNichtLesbar, TabelleFehlt, TabelleNichtLesbar };

// Writes the names of the file's own tables, or, when `tabelle` is given, that table's fields and rows:
// through libmdb (jetleser.cpp, where the library is at hand), or through our own page reader
// (jetseitenleser.cpp).
void lies(const char* pfad, const char* tabelle, Ausgabe& ausgabe);
void liesSeiten(const char* pfad, const char* tabelle, Ausgabe& ausgabe);

using Lesefunktion = void (*)(const char* pfad, const char* tabelle, Ausgabe& ausgabe);
// libmdb's reader where the build has the library (not on Windows), otherwise null.
extern const Lesefunktion libmdbLeser;
// The reader the game uses: libmdb's where there is one, our page reader elsewhere.
inline Lesefunktion spielLeser() {
    return libmdbLeser ? libmdbLeser : liesSeiten;
}

QStringList tabellenAus(const QByteArray& strom, const QString& pfad);
// `name` is the table asked for; errors name it and the file.
std::shared_ptr<Tabelle> tabelleAus(const QByteArray& strom, const QString& name, const QString& pfad);

} // namespace findolin::accessdb::jet
