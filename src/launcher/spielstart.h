#pragma once

#include <QObject>
#include <QProcess>

namespace findolin::launcher {

// How a game ended: its exit code (0 the normal end, 1 a refusal, 2 a run-time error) and, unless it ended
// normally, what the game said about it.
struct Spielende {
    int exitCode = 0;
    QString meldung;
};

// What the game said before it ended: the text after its last "Laufzeitfehler: " line, or a sentence of
// our own when it said nothing (a crash, or a program that could not be started).
QString meldungDesSpiels(const QByteArray& fehlerausgabe, int exitCode, bool abgestuerzt);

// Starts the game in a framework folder with a launch list, as the framework does, and reports its end.
// The game's standard output passes through; its error output is passed on and kept for the report.
class Spielstart : public QObject {
    Q_OBJECT
public:
    void starte(const QString& spiel, const QString& rahmenordner, const QString& startliste);
    bool laeuft() const { return prozess_.state() != QProcess::NotRunning; }

signals:
    void beendet(const findolin::launcher::Spielende& ende);

private:
    void melde(int exitCode, bool abgestuerzt);

    QProcess prozess_;
    QByteArray fehlerausgabe_;
    bool gemeldet_ = false;
};

} // namespace findolin::launcher
