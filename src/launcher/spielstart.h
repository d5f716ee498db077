#pragma once

#include "rahmen/ergebnisbericht.h"

#include <QObject>
#include <QProcess>
#include <QTemporaryDir>

namespace findolin::launcher {

// How a game ended: its exit code (0 the normal end, 1 a refusal, 2 a run-time error, -1 a crash), unless it
// ended normally what the game said about it, and after a normal end every player's points in the order of
// the player list, as the game reported them.
struct Spielende {
    int exitCode = 0;
    QString meldung;
    QList<Spielergebnis> ergebnisse;
};

// The points of a game for the window, best first, players with equal points in the order they played:
// "Gewonnen hat Mia!" (or who share the first place) and a line "Mia: 175 Punkte" for each; with one player
// only that line.
QString ergebnisText(const QList<Spielergebnis>& ergebnisse);

// What the game said before it ended: the text after its last "Laufzeitfehler: " line, or a sentence of
// our own when it said nothing (a crash, or a program that could not be started).
QString meldungDesSpiels(const QByteArray& fehlerausgabe, int exitCode, bool abgestuerzt);

// Starts the game in a framework folder with a launch list, as the framework does, and reports its end.
// The game's command line is the launch list alone; what else the launcher asks of the game goes through its
// environment: the folder (FINDOLIN_FRAMEWORK_DIR), the window at its original size
// (FINDOLIN_ORIGINALGROESSE=1) and the file for the points at the end (FINDOLIN_ERGEBNISDATEI).
// The game's standard output passes through; its error output is passed on and kept for the report.
class Spielstart : public QObject {
    Q_OBJECT
public:
    void starte(const QString& spiel, const QString& rahmenordner, const QString& startliste,
                bool originalgroesse = false);
    bool laeuft() const { return prozess_.state() != QProcess::NotRunning; }

signals:
    void beendet(const findolin::launcher::Spielende& ende);

private:
    void melde(int exitCode, bool abgestuerzt);

    QProcess prozess_;
    QTemporaryDir berichtOrdner_;
    QByteArray fehlerausgabe_;
    bool gemeldet_ = false;
};

} // namespace findolin::launcher
