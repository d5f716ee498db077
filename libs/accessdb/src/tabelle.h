#pragma once

#include <accessdb/database.h>

#include <QDateTime>
#include <QList>
#include <QStringList>
#include <memory>
#include <string>
#include <vector>

namespace findolin::accessdb {

enum class FeldArt { JaNein, Ganzzahl, Kommazahl, Text, Datum, Binaer };

// A row outside its table: the values in field order and the key by which the file finds the row again. For
// SQLite files the key is the rowid. For Access files it is the row's place in the file: the number of its
// data page shifted left by 8, joined with the row's 0-based index in that page's row offset table
// ((page << 8) | index), so a writer can go straight back to the row.
struct Zeile {
    QList<Wert> werte;
    qint64 schluessel = 0;
};

// Rows are numbered by their table in the order they came in; a number stays the row's while the table lives.
using ZeilePtr = quint32;

// One field of every row, held compactly: numbers and dates in a vector of their kind, yes/no values as
// bytes, texts as UTF-8 in one pool (binary data likewise), and Null as one bit per row.
class Spalte {
public:
    explicit Spalte(FeldArt art) : art_(art) {}
    FeldArt art() const { return art_; }
    // Appends a value already converted to the field's kind (or Null).
    void haenge(const Wert& wert);
    // Appends straight from what a file gives, for the field's own kind: Null, a whole number, a fraction, a
    // yes/no value, UTF-8 text or binary data.
    void haengeNull() { neu(true); }
    void haengeGanzzahl(qint64 zahl) { zahlen_[neu(false)] = zahl; }
    void haengeKommazahl(double zahl) { kommas_[neu(false)] = zahl; }
    void haengeJaNein(bool ja) { janein_[neu(false)] = ja ? 1 : 0; }
    void haengeBytes(const char* daten, size_t laenge);
    void setze(ZeilePtr zeile, const Wert& wert);
    Wert wert(ZeilePtr zeile) const;
    void reserviere(size_t zeilen);
    void verdichte();

private:
    // A new row's slot, its value still the kind's zero; returns its index.
    size_t neu(bool null);
    void legeAb(size_t stelle, const Wert& wert);
    void legeBytesAb(size_t stelle, const char* daten, size_t laenge);

    FeldArt art_;
    std::vector<bool> null_;
    std::vector<qint64> zahlen_;   // Ganzzahl
    std::vector<double> kommas_;   // Kommazahl
    std::vector<quint8> janein_;   // JaNein, 0 or 1
    std::vector<QDateTime> daten_; // Datum
    std::string pool_;             // Text (UTF-8) and Binaer
    std::vector<quint32> anfang_, laenge_;
};

// A table held in memory, its rows in table order.
struct Tabelle {
    QString name;
    QStringList felder;
    QList<FeldArt> arten;
    int schluesselFeld = -1; // the field that holds the row's key and is numbered by the file (AutoNumber)
    std::vector<ZeilePtr> zeilen; // the rows in table order, without deleted ones

    // Sets the fields and their kinds; the table has no rows yet.
    void legeFelderAn(const QStringList& namen, const QList<FeldArt>& feldArten);
    // A new row, kept by the table (but not yet in `zeilen`); its values are converted to the fields' kinds.
    ZeilePtr neueZeile(const Zeile& zeile);
    // The other way to a new row: one value for every field, appended to its column (spalteZumFuellen), then
    // the row closed with its key.
    Spalte& spalteZumFuellen(int feld) { return spalten_[feld]; }
    ZeilePtr schliesseZeile(qint64 schluessel);
    Wert wert(ZeilePtr zeile, int feld) const { return spalten_[feld].wert(zeile); }
    // The row taken out of the table, for changing it.
    Zeile zeile(ZeilePtr zeile) const;
    void setze(ZeilePtr zeile, const QList<Wert>& werte);
    qint64 schluessel(ZeilePtr zeile) const { return schluessel_[zeile]; }
    // For a writer whose change moved the row in the file.
    void setzeSchluessel(ZeilePtr zeile, qint64 schluessel) { schluessel_[zeile] = schluessel; }
    bool geloescht(ZeilePtr zeile) const { return geloescht_[zeile]; }
    void markiereGeloescht(ZeilePtr zeile) { geloescht_[zeile] = true; }
    // Room for `anzahl` rows, when the file tells their number beforehand.
    void reserviere(size_t anzahl);
    // Gives back what the vectors hold beyond the rows, once loading is done.
    void verdichte();

    // The index of a field, its name matched without regard to case; -1 when there is none.
    int feldIndex(const QString& feld) const;
    // The value converted to the field's kind, as the file would store it.
    Wert passend(int feld, const Wert& wert) const;

private:
    std::vector<Spalte> spalten_;
    std::vector<qint64> schluessel_;
    std::vector<bool> geloescht_;
};

// The file behind the tables: where changed rows go.
class Speicher {
public:
    virtual ~Speicher() = default;
    virtual QString datei() const = 0;
    virtual bool nurLesen() const = 0;
    virtual QStringList tabellen() const = 0;
    // Loads a table whole; a missing table is a run-time error.
    virtual std::shared_ptr<Tabelle> lade(const QString& name) = 0;
    // Stores a new row and returns its key.
    virtual qint64 fuegeEin(const Tabelle& tabelle, const Zeile& zeile) = 0;
    virtual void aendere(const Tabelle& tabelle, const Zeile& zeile) = 0;
    virtual void loesche(const Tabelle& tabelle, const Zeile& zeile) = 0;
    // A transaction, as Database describes it; verwerfe() never fails.
    virtual void beginne() = 0;
    virtual void bestaetige() = 0;
    virtual void verwerfe() = 0;
    // Whether fuehreAus() can make tables.
    virtual bool legtTabellenAn() const = 0;
    virtual void fuehreAus(const QString& sql) = 0;
};

} // namespace findolin::accessdb
