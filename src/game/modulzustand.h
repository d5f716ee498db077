#pragma once

#include "kern/startkontext.h"
#include "settings/einstellformular.h"
#include "settings/einstellungen.h"

namespace findolin {

// What lives for the whole run and is shared by start-up and the windows: the launch context, the folders,
// the settings with their dialog's controls, and the help context of the practice focus.
struct Modulzustand {
    StartKontext kontext;
    Pfade pfade;
    Einstellungen einst;
    EinstellFormular formular;
    qint32 hilfeKontext = 0;
    // Where the program end reports the players' points to the launcher that started the game; empty:
    // nowhere.
    QString ergebnisDatei;
};

} // namespace findolin
