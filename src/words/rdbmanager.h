#pragma once

#include "kern/startkontext.h"
#include "kern/wortnummern.h"
#include "platform/services.h"
#include "wortdatensatz.h"
#include <accessdb/database.h>

#include <array>

namespace findolin {

// Chooses the searched word from the spelling database: the word set of the practice focus (and of the
// basic vocabulary, when the framework asks for it), now and then a word a player got wrong before, otherwise
// a random word not yet used in this run; and fills the word record with the word's magnifier spot.
class RdbManager {
public:
    RdbManager(const StartKontext& kontext, platform::RandomSource& zufall,
               accessdb::DatabaseOpener& oeffner);

    // Opens the word table and the magnifier spots of the database file; the word count goes back to 0.
    void oeffneDatenbank(const QString& pfad);
    // Restricts the word set to the practice focus ("LIP_=TRUE", or "GWS=TRUE AND LIP_=TRUE") and counts it.
    void setzeWortFilter();
    // Chooses the next word, fills the word record and remembers the word as used. An empty word set is a
    // run-time error: there is nothing to play.
    void waehleWort();
    // True when the current word has a magnifier spot for the practice focus; the spot's row is then the
    // current row of the magnifier spots.
    bool hatLupenStelle();

    const WortDatensatz& wortDatensatz() const { return wort_; }
    const QString& aktWort() const { return wort_.aktWort; }
    qint16 wortLaenge() const { return wort_.wortLaenge; }
    const QString& aktKontext() const { return wort_.aktKontext; }
    qint16 vonPos() const { return wort_.vonPos; }
    qint16 bisPos() const { return wort_.bisPos; }

    qint16 wortAnzahl() const { return wortAnzahl_; }
    const QString& wortFilter() const { return filter_; }
    // The used-word list: the RefNr of every word chosen in this run, in order of choice, repeats included
    // once every word has been used. The caller empties it once at program start; a new game keeps it.
    const WortNummern& benutzteWorte() const { return benutzteWorte_; }
    void leereBenutzteWorte() { benutzteWorte_.leeren(); }
    bool istWortBenutzt(qint16 refNr) const { return benutzteWorte_.enthaelt(refNr); }
    void merkeWortBenutzt(qint16 refNr) { benutzteWorte_.merke(refNr); }
    // The two lines of the game-info dialog that the filter sets: 0 the word count as text, 1 "ja" or "nein"
    // for the basic vocabulary.
    const std::array<QString, 2>& datInfLbl() const { return datInfLbl_; }

private:
    bool versucheFehlerWort();
    void zieheZufallsWort();
    void ueberspringeBenutzte();
    void fuelleWortDatensatz();
    qint16 refNr(const accessdb::Recordset& rs) const;
    qint16 zahlFeld(const accessdb::Recordset& rs, const QString& feld) const;
    accessdb::Recordset& rdb() const;

    const StartKontext& kontext_;
    platform::RandomSource& zufall_;
    accessdb::DatabaseOpener& oeffner_;
    std::unique_ptr<accessdb::Database> db_;
    std::unique_ptr<accessdb::Recordset> rdb_;
    std::unique_ptr<accessdb::Recordset> lup_;
    QString pfad_;
    QString filter_;
    qint16 wortAnzahl_ = 0;
    WortNummern benutzteWorte_;
    WortDatensatz wort_;
    std::array<QString, 2> datInfLbl_;
};

} // namespace findolin
