#pragma once

#include "kern/startkontext.h"
#include "platform/db/database.h"
#include "platform/services.h"

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
// missing, it is made at the first write, as an SQLite file.
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
    //   "Die Datenbank ist in einem anderen Programm geöffnet (Meister.ldb ist da); sie wird nicht
    //   geschrieben"
    //   "/home/.../User/Meister.mdb"
    // (lines separated by a carriage return).
    static inline const QString hinweisTitel = QStringLiteral("Meisterliste");
    static QString hinweisText(const QString& grund);

    // `datei` is the user folder followed by "Meister.mdb"; the date of a result is today's date of `uhr`.
    MeisterListe(platform::db::DatabaseOpener& oeffner, const platform::Clock& uhr, QString datei);

    // At program end: offers every player with more than 0 points to the list, all in one transaction, so
    // that the file holds the old or the new list at every moment. Never throws: a list that cannot be
    // written (an Access file open in Access or with an index, a read-only or broken file, a folder that
    // cannot be written) leaves the file as it was and returns the reason, which the caller shows and then
    // goes on; empty when all went well.
    QString updateMeister(const StartKontext& kontext);

    // Deletes every row of this game, all in one transaction; the other games' rows stay. Returns how many
    // rows went (0 where there is no list). A list that cannot be written is a run-time error, and the file
    // stays as it was.
    int leere();

    // The rule of admission for one result, on an open database inside a transaction; says in English what
    // became of it, for the log.
    QString fuegeEin(platform::db::Database& db, const MeisterEintrag& eintrag) const;

    // The rows of this game in the order the dialog shows them: by points, highest first, equal points in
    // the order the query returns them. A missing file or table is an empty list; a broken file is a
    // run-time error.
    std::vector<MeisterEintrag> zeilen() const;

    const QString& datei() const { return datei_; }

private:
    qint16 zaehle(platform::db::Recordset& rs, const MeisterEintrag& eintrag) const;
    qint32 niedrigste(platform::db::Recordset& rs, const MeisterEintrag& eintrag) const;
    void neu(platform::db::Recordset& rs, const MeisterEintrag& eintrag) const;
    void entferne(platform::db::Recordset& rs, const MeisterEintrag& eintrag, qint32 punkte) const;
    QStringList schreibe(const std::vector<MeisterEintrag>& eintraege);
    // Opens the list for writing (made where it is missing) and makes `aenderung` in one transaction: all of
    // it reaches the file, or nothing. Returns what `aenderung` says it did.
    QStringList veraendere(const std::function<QStringList(platform::db::Database&)>& aenderung);

    platform::db::DatabaseOpener& oeffner_;
    const platform::Clock& uhr_;
    QString datei_;
};

// The date as the list stores it, "06.12.2026", whatever the system's language: the German short form with a
// four-digit year, in which the framework's other games write their rows into the shared list.
QString datumsText(const QDate& datum);

} // namespace findolin
