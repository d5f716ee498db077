#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class QSettings;

namespace findolin::launcher {

// One record of the framework's list of practice foci; a title that begins with ">>>" heads a group.
struct Schwerpunkt {
    QString titel;
    QString feldName;
    bool istUeberschrift() const { return titel.startsWith(QLatin1String(">>>")); }
    // Findolin always practises the "ie" words of the field LIP_, whatever the list names.
    bool wirdGeuebt() const { return feldName == QLatin1String("LIP_"); }
};

// What the players chose in the launcher: the framework's part of a start.
struct Startwahl {
    QStringList spieler;          // the names as typed; empty rows do not count
    QString schwerpunkt;          // the title of the practice focus
    bool lupe = true;             // the magnifier marks the hard spots of the searched word
    bool grundwortschatz = false; // only words of the basic vocabulary
    QString rahmenordner;         // empty: the copy of the demo folder in the user's data folder

    bool operator==(const Startwahl&) const = default;
};

// The names that play, without blanks at their ends and without empty rows.
QStringList mitspieler(const Startwahl& wahl);

// Why the choice cannot start a game, in German for the window; empty when it can.
QString pruefeWahl(const Startwahl& wahl);

// The key of a player's result file, made from the name: lower-case letters and digits, umlauts written out,
// anything else one "_"; "spieler<nummer>" when nothing is left.
QString spielerKennung(const QString& name, int nummer);

// The practice focus of that title when the game practises it; else the one the game's word filter uses, else
// the first one.
Schwerpunkt waehleSchwerpunkt(const QList<Schwerpunkt>& liste, const QString& titel);

// The launch list the framework hands the game, with its two delimiters. The choice must have passed
// pruefeWahl (else a run-time error).
QString baueStartliste(const Startwahl& wahl, const Schwerpunkt& schwerpunkt);

// The last choice, or the first-use defaults (one player named after the user, magnifier on).
Startwahl ladeWahl(const QSettings& einstellungen);
void merkeWahl(QSettings& einstellungen, const Startwahl& wahl);

} // namespace findolin::launcher
