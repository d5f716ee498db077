#include "ergebnisbericht.h"

namespace findolin {

QByteArray ergebnisbericht(const StartKontext& kontext) {
    QByteArray bericht;
    for (int i = 0; i < kontext.nSpieler && i < maxSpieler; ++i)
        bericht +=
            QByteArray::number(kontext.spielerPunkte[i]) + ';' + kontext.spielerName[i].toUtf8() + '\n';
    return bericht;
}

QList<Spielergebnis> leseErgebnisbericht(const QByteArray& bericht) {
    QList<Spielergebnis> ergebnisse;
    for (const QByteArray& zeile : bericht.split('\n')) {
        const qsizetype trenner = zeile.indexOf(';');
        bool zahl = false;
        const qint32 punkte = zeile.left(trenner).toInt(&zahl);
        if (trenner > 0 && zahl)
            ergebnisse.append({QString::fromUtf8(zeile.mid(trenner + 1)), punkte});
    }
    return ergebnisse;
}

} // namespace findolin
