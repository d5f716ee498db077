#pragma once

#include "kern/lesehilfen.h"

#include <QString>

namespace findolin {

// One record of the framework's list of practice foci ("Omnor.tsp"): a title and the yes/no column of the
// spelling database that holds its words. A title that begins with ">>>" heads a group and is no focus.
struct Uebungseintrag {
    QString titel;
    QString feldName;
    qint16 nummer = 0; // among the foci, group headings not counted, from 1; 0 for a heading

    bool istUeberschrift() const { return istGruppenueberschrift(titel); }
    static bool istGruppenueberschrift(const QString& titel) {
        return titel.startsWith(QLatin1String(">>>"));
    }
};

// Reads the list record by record, numbering the foci; a reader may stop at the record it looks for, so what
// follows it need not be well-formed. A record cut off at the end, or a number beyond 16 bits, is a run-time
// error naming the file.
class Uebungsliste {
public:
    Uebungsliste(const QString& text, const QString& dateiname);

    bool amEnde() const { return leser_.amEnde(); }
    Uebungseintrag naechster();

private:
    FeldLeser leser_;
    qint16 nummer_ = 0;
};

} // namespace findolin
