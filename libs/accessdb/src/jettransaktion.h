#pragma once

#include "tabelle.h"

#include <QHash>
#include <QSet>
#include <functional>
#include <memory>

namespace findolin::accessdb {

namespace jet {
class Schreiber;
}
class ListenSperre;

// The row changes of an Access file between two writes to disk. All changes of a transaction go to one copy
// of the file in memory; the commit writes it beside the original, reads it back through the reader and
// checks every touched page, and only then puts it in the original's place. Outside a transaction every
// change is committed at once. The file's lock is taken when the transaction begins (or at the first change),
// before anything is read for it, and held until this object goes, so that what was written can be read back
// before another writer comes.
class JetTransaktion {
public:
    // Reads a table whole from an Access file, as the reader sees it.
    using Leser = std::function<std::shared_ptr<Tabelle>(const QString& pfad, const QString& tabelle)>;

    JetTransaktion(QString pfad, Leser leser);
    ~JetTransaktion();

    qint64 fuegeEin(const Tabelle& tabelle, const Zeile& zeile);
    void loesche(const Tabelle& tabelle, const Zeile& zeile);

    // Waits for the file's lock; a run-time error when another program keeps it too long.
    void beginne();
    // True when the file was replaced.
    bool bestaetige();
    void verwerfe();

private:
    struct Erwartung {
        std::shared_ptr<Tabelle> vorher; // as the reader saw it before the first change
        QHash<qint64, QList<Wert>> neu;
        QSet<qint64> weg;
    };
    template <typename Tue> auto aendere(const Tabelle& tabelle, Tue&& tue);
    void pruefeKopie(const QString& kopie) const;
    bool schreibe();
    void sperre();

    QString pfad_;
    Leser leser_;
    bool offen_ = false;
    bool gescheitert_ = false; // a change of the open transaction was refused: it cannot be committed
    std::unique_ptr<ListenSperre> sperre_;
    std::unique_ptr<jet::Schreiber> schreiber_;
    QHash<QString, Erwartung> erwartet_; // by table name
};

} // namespace findolin::accessdb
