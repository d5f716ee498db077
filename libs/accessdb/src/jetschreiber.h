#pragma once

#include "jetseiten.h"
#include "tabelle.h"

#include <QHash>
#include <QSet>

// The writer for Access files (Jet 3 and Jet 4): adds rows to a table and deletes rows from it, on the
// file's bytes in memory. Every change is checked before it is made; what the writer does not fully
// understand (indexes, deleted columns, long values, a damaged page) it refuses with jet::Unverstanden,
// after which its bytes must be thrown away.
namespace findolin::accessdb::jet {

class Schreiber {
public:
    explicit Schreiber(QByteArray original);

    const QByteArray& original() const { return original_; }
    const QByteArray& daten() const { return datei_.daten(); }
    const QSet<quint32>& beruehrt() const { return beruehrt_; }
    bool geaendert() const { return !beruehrt_.isEmpty(); }
    const Datei& datei() const { return datei_; }
    // The definition page of a user table.
    quint32 tabellenSeite(const QString& name) { return tabelle(name).seite; }

    // Appends a row to the table `name`; `werte` belong to the fields `felder` (missing fields are Null,
    // AutoNumber fields are numbered by the table). Returns the row's key, (page << 8) | row, and puts the
    // stored values, in the order of `felder`, into `gespeichert`.
    qint64 fuegeEin(const QString& name, const QStringList& felder, const QList<Wert>& werte,
                    QList<Wert>& gespeichert);
    // Deletes the row with `schluessel` from the table `name`, after checking that it holds `erwartet`.
    void loesche(const QString& name, qint64 schluessel, const QStringList& felder,
                 const QList<Wert>& erwartet);

private:
    TabellenDef& tabelle(const QString& name);
    void schreibbar(const TabellenDef& t) const;
    quint32 seiteFuer(TabellenDef& t, int laenge);
    quint32 neueDatenseite(TabellenDef& t);
    void beruehre(const QList<quint32>& seiten);

    QByteArray original_;
    Datei datei_;
    QSet<quint32> beruehrt_;
    QHash<QString, quint32> katalog_; // user tables by lower-case name: their definition pages
    QHash<quint32, TabellenDef> tabellen_;
    QHash<quint32, quint32> letzte_; // the data page a table's rows go to
};

// The check of a written file: every touched page is consistent on its own and with its table (row offset
// table, free space, rows, row count, AutoNumber, page maps), and every page not touched is byte for byte the
// original one.
void pruefeSeiten(const QByteArray& neu, const QByteArray& original, const QSet<quint32>& beruehrt);

// Values as a reader gives them back: equal, numbers to rounding, times to the second.
bool gleicheWerte(const Wert& a, const Wert& b);

} // namespace findolin::accessdb::jet
