#pragma once

#include "kern/startkontext.h"
#include "platform/services.h"
#include <accessdb/database.h>

#include <QDate>
#include <functional>
#include <vector>

namespace findolin {

// One result offered to the list, or one row of it.
struct MeisterEintrag {
    QString name;
    QString programm;
    QString datum;
    qint32 punkte = 0;
};

// The high-score list "Meisterliste": the table `Punkte` of the file Meister.mdb in the user folder, which
// several games of the framework share; every row names the game that wrote it, and this game only counts,
// shows and deletes its own rows. The file is opened for each operation and closed after it.
//
// Access files (Jet 3 and Jet 4) and SQLite files are read and written; an Access file is written only where
// its table has no index and no other program has it open, else it is left as it was. Where the file is
// missing, it is made at the first write, as an SQLite file, with its first rows. Two games ending together
// take turns: each writes under the list's lock and reads its rows back before letting go.
class MeisterListe {
public:
    static inline const QString programm = QStringLiteral("Findolin");
    static constexpr qint16 maxZeilen = 10;     // rows per game
    static constexpr qint32 suchStart = 100000; // where the search for the lowest result starts
    static constexpr int nameLaenge = 18;       // names are shown cut to this many characters

    // What the main form shows, in its message window with the button "&OK", when updateMeister reports a
    // reason: the caption hinweisTitel and the text hinweisText(reason), for a list open in Access for
    // example
    //   "Die Punkte konnten nicht in die Meisterliste eingetragen werden."
    //   "Die Datenbank ist in einem anderen Programm geöffnet (Meister.ldb, Rechner „PC07“); auch nach 10
    //   Sekunden Warten wird sie nicht geschrieben"
    //   "/home/.../User/Meister.mdb"
    // (lines separated by a carriage return). For a full disk the last line names the folder.
    static inline const QString hinweisTitel = QStringLiteral("Meisterliste");
    static QString hinweisText(const QString& grund);

    // `datei` is the user folder followed by "Meister.mdb"; the date of a result is today's date of `uhr`.
    MeisterListe(accessdb::DatabaseOpener& oeffner, const platform::Clock& uhr, QString datei);

    // At program end: offers every player with more than 0 points to the list, all in one transaction, so
    // that the file holds the old or the new list at every moment, and reads the list back before it says
    // "written" in the log. Never throws: a list that cannot be written (an Access file open in Access or
    // with an index, a list another program keeps locked too long, a read-only or damaged file, a full disk,
    // a folder that cannot be written) leaves the file as it was and returns the reason, which the caller
    // shows and then goes on; empty when all went well.
    QString updateMeister(const StartKontext& kontext);

    // Deletes every row of this game, all in one transaction; the other games' rows stay. Returns how many
    // rows went (0 where there is no list). A list that cannot be written is a run-time error, and the file
    // stays as it was.
    int leere();

    // What became of one result: whether it entered the list, and in English words, for the log.
    struct Aufnahme {
        bool eingetragen;
        QString bericht;
    };
    // The rule of admission for one result, on an open database inside a transaction.
    Aufnahme fuegeEin(accessdb::Database& db, const MeisterEintrag& eintrag) const;

    // The rows of this game in the order the dialog shows them: by points, highest first, equal points in
    // the order the query returns them. A missing file (or an SQLite file without the table) is an empty
    // list; a file that cannot be read as the list, damaged for instance, is a run-time error.
    std::vector<MeisterEintrag> zeilen() const;

    const QString& datei() const { return datei_; }

private:
    qint16 zaehle(accessdb::Recordset& rs, const MeisterEintrag& eintrag) const;
    qint32 niedrigste(accessdb::Recordset& rs, const MeisterEintrag& eintrag) const;
    void neu(accessdb::Recordset& rs, const MeisterEintrag& eintrag) const;
    void entferne(accessdb::Recordset& rs, const MeisterEintrag& eintrag, qint32 punkte) const;
    std::vector<Aufnahme> schreibe(const std::vector<MeisterEintrag>& eintraege);
    // Opens the list for writing (made where it is missing) and makes `aenderung` in one transaction under
    // the list's lock: all of it reaches the file, or nothing, and the list is read back before the lock
    // goes. `aenderung` runs again when another game made the list meanwhile.
    void veraendere(const std::function<void(accessdb::Database&)>& aenderung);
    void veraendereEinmal(const std::function<void(accessdb::Database&)>& aenderung);
    void pruefeTabelle(const accessdb::Database& db) const;

    accessdb::DatabaseOpener& oeffner_;
    const platform::Clock& uhr_;
    QString datei_;
};

// The date as the list stores it, "06.12.2026", whatever the system's language: the German short form with a
// four-digit year, in which the framework's other games write their rows into the shared list.
QString datumsText(const QDate& datum);

} // namespace findolin
