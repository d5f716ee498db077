#pragma once

#include "startwahl.h"

namespace findolin::launcher {

// Where the installed game and the demo framework folder lie, seen from the launcher's own folder: installed
// as "bin/findolin-start" beside "libexec/findolin/findolin" and "share/findolin/omnor", or in the build tree
// beside "omnor", which holds both.
struct Installation {
    QString spiel;
    QString vorlage;

    static Installation neben(const QString& launcherOrdner);
};

// The copy of the demo folder in the user's data folder: $XDG_DATA_HOME/findolin/omnor.
QString standardRahmenordner();

// The folder the game plays in: the chosen one, or the standard copy, made from the demo folder on first use
// (the game writes its settings and high-score list beside itself). An existing copy is left as it is.
// A copy that fails is a run-time error and leaves nothing half made behind.
QString bereiteRahmenordnerVor(const Startwahl& wahl, const Installation& installation);

// The practice foci of "Omnor.tsp" in the folder; a missing or broken file is a run-time error.
QList<Schwerpunkt> leseSchwerpunkte(const QString& rahmenordner);

// An empty result file in the user folder for every player who has none yet: the game reads them all.
void legeErgebnisdateienAn(const QString& rahmenordner, const QStringList& kennungen);

// Everything a start with this choice needs: the folder made ready (see above, with a result file for every
// new player) and the launch list for it. A folder that cannot be made ready is a run-time error.
struct Startbereit {
    QString rahmenordner;
    QString startliste;
};
Startbereit bereiteStartVor(const Startwahl& wahl, const Installation& installation);

} // namespace findolin::launcher
