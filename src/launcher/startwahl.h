#pragma once

#include <QString>
#include <QStringList>

class QSettings;

namespace findolin::launcher {

// What the players chose in the launcher: the framework's part of a start.
struct Startwahl {
    QStringList spieler;          // the names as typed; empty rows do not count
    QString schwerpunkt;          // the title of the practice focus
    bool lupe = true;             // the magnifier marks the hard spots of the searched word
    bool grundwortschatz = false; // only words of the basic vocabulary
    bool computer = false;        // the computer plays along, after the children
    bool originalgroesse = false; // the game's window at its original size instead of filling the screen
    QString rahmenordner;         // where words, pictures and sounds come from; empty: the demo folder

    bool operator==(const Startwahl&) const = default;
};

// The computer plays an entry of the player list of this name, as the last one, while its setting is on. The
// game switches that setting off when four or more entries come in the launch list, so the launcher lets the
// computer join at most two children; with three, the game's own settings can still add it.
inline const QString computerName = QStringLiteral("Computer");
inline constexpr int maxKinderMitComputer = 2;

// Why the computer cannot play along with this many children; empty when it can.
QString computerGrund(int kinder);

// The names that play, without blanks at their ends and without empty rows.
QStringList mitspieler(const Startwahl& wahl);

// The entries of the game's player list: the children, then the computer where it plays along.
QStringList spielerliste(const Startwahl& wahl);

// Why the choice cannot start a game, in German for the window; empty when it can. Names are told apart
// without regard to case: "Ben" and "ben" would be one child to the high-score list. A child cannot be
// called "Computer".
QString pruefeWahl(const Startwahl& wahl);

// The keys of the players' result files, made from their names: lower-case letters and digits, umlauts
// written out, anything else one "_"; "spieler<number>" when nothing is left. Where two names give the same
// key ("Zoë" and "Zoe"), the later one gets "_2", "_3", ...
QStringList spielerKennungen(const QStringList& namen);

// The launch list the framework hands the game, with its two delimiters. The choice must have passed
// pruefeWahl (else a run-time error). The practice focus is always the one the game reads, LIP_: the
// launcher puts the chosen one's words there (spielordner.h).
QString baueStartliste(const Startwahl& wahl);

// The last choice, or the first-use defaults (one player named after the user, magnifier on).
Startwahl ladeWahl(const QSettings& einstellungen);
void merkeWahl(QSettings& einstellungen, const Startwahl& wahl);

} // namespace findolin::launcher
