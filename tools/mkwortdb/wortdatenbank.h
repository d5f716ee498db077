#pragma once

#include <QList>
#include <QString>
#include <optional>

// Builds the spelling database from a word list: one row per word in WortListe with its context, the basic
// vocabulary flag and one yes/no column per practice focus, and the magnifier spots in LupenStellen.
namespace findolin::wortdb {

struct WortEintrag {
    QString wort;
    QString kontext; // a null string when the word has no context (Null in the database)
    bool gws = false;
};

// A stretch of letters, counted from 1, both ends inclusive.
struct Stelle {
    qint16 vonPos;
    qint16 bisPos;
};

// A practice focus of the demo: its column, its number in the practice-focus list and its rule.
struct Schwerpunkt {
    QString feld;
    qint16 ubix;
    // The first spot of the word that the focus is about, if it has one.
    std::optional<Stelle> (*stelle)(const QString& wort);
};

// The five demo foci in the order of the practice-focus list: ck, tz, ie, double consonant, sharp s.
const QList<Schwerpunkt>& schwerpunkte();

// Reads the word list: one word per line, "[der|die|das] Wort [*]", "*" marking the basic vocabulary; lines
// starting with "#" and empty lines are skipped. Errors name the line.
QList<WortEintrag> leseWortliste(const QString& text);

// Writes the database as an SQLite file; RefNr counts the words from 1 in list order. An existing file is
// replaced only when the new one is complete.
void schreibeWortDatenbank(const QString& pfad, const QList<WortEintrag>& worte);

} // namespace findolin::wortdb
