#pragma once

#include "database.h"

#include <QList>
#include <QStringList>
#include <deque>
#include <memory>
#include <vector>

namespace findolin::platform::db {

enum class FeldArt { JaNein, Ganzzahl, Kommazahl, Text, Datum, Binaer };

struct Zeile {
    QList<Wert> werte;
    qint64 schluessel = 0; // how the file finds the row again (the SQLite rowid)
    bool geloescht = false;
};
// Rows belong to their table, which keeps them at a fixed place; cursors point at them.
using ZeilePtr = Zeile*;

// A table held in memory, its rows in table order.
struct Tabelle {
    QString name;
    QStringList felder;
    QList<FeldArt> arten;
    int schluesselFeld = -1; // the field that holds the row's key and is numbered by the file (AutoNumber)
    std::vector<ZeilePtr> zeilen; // the rows in table order, without deleted ones

    // A new row, kept by the table (but not yet in `zeilen`).
    ZeilePtr neueZeile(Zeile zeile = {}) { return &bestand_.emplace_back(std::move(zeile)); }

    // The index of a field, its name matched without regard to case; -1 when there is none.
    int feldIndex(const QString& feld) const;
    // The value converted to the field's kind, as the file would store it.
    Wert passend(int feld, const Wert& wert) const;

private:
    std::deque<Zeile> bestand_;
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
    virtual void fuehreAus(const QString& sql) = 0;
};

} // namespace findolin::platform::db
