#pragma once

#include "kern/startkontext.h"

#include <QByteArray>
#include <QList>

namespace findolin {

// What the game reports at its end to a launcher that asked for it (the environment variable
// FINDOLIN_ERGEBNISDATEI names the file; the framework's launch list stays as it is): every entry of the
// player list with its points in the game that ended, the computer included, one line each in the list's
// order, "<points>;<name>" in UTF-8. A name cannot hold ";", which ends every item of the launch list.
struct Spielergebnis {
    QString name;
    qint32 punkte = 0;
    bool operator==(const Spielergebnis&) const = default;
};

QByteArray ergebnisbericht(const StartKontext& kontext);

// The report read back; lines that are not "<number>;<name>" are left out.
QList<Spielergebnis> leseErgebnisbericht(const QByteArray& bericht);

} // namespace findolin
