#pragma once

#include "rahmenordner.h"
#include "startwahl.h"

namespace findolin::launcher {

// The framework folder the choice takes its words, pictures and sounds from: the chosen one, or the demo
// folder of the installation.
QString quellordner(const Startwahl& wahl, const Installation& installation);

// Everything a start with this choice needs: the game folder checked and made ready (spielordner.h), a
// result file for every new player, and the launch list for it. The magnifier and the basic vocabulary are
// only asked for where the focus has spots and such words, the computer only where it can join (startwahl.h).
// A choice that cannot start, or a folder that cannot be made ready, is a run-time error.
struct Startbereit {
    QString spielordner;
    QString startliste;
    QString schwerpunkt; // the title of the focus played
    bool originalgroesse = false;
};
Startbereit bereiteStartVor(const Startwahl& wahl, const Installation& installation);

} // namespace findolin::launcher
