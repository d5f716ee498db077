#pragma once

#include "dienste.h"

namespace findolin {

class MainFrm;

// What start-up needs of the window system beyond the dialogs: the background window, and the main window
// shown until it is gone.
class StartAnsicht {
public:
    virtual ~StartAnsicht() = default;
    virtual void zeigeHintergrund() = 0;
    virtual void zeigeHauptfenster(MainFrm& mainFrm) = 0;
};

// The program's entry: refuses to run without the framework's launch list or with another protocol version,
// reads the launch context and the framework's files, then shows the main window. Returns the exit code.
// `ergebnisDatei`: where the program end reports the players' points (see rahmen/ergebnisbericht.h).
int starteFindolin(const QString& cmd, const QString& programmordner, Dienste& dienste, StartAnsicht& ansicht,
                   const QString& ergebnisDatei = {});

} // namespace findolin
