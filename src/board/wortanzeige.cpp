#include "wortanzeige.h"

#include "brettlayout.h"
#include "logging.h"

#include "platform/laufzeitfehler.h"

#include <algorithm>
#include <cmath>

namespace findolin {

Wortanzeige::Wortanzeige(const WortDatensatz& wort, const StartKontext& kontext,
                         const platform::TextMeasure& messung)
    : wort_(wort), kontext_(kontext), messung_(messung) {}

qint16 Wortanzeige::textBreite(const QString& text, qint16 von, qint16 bis, qint16 wortSchrift) const {
    const qint64 anzahl = std::max<qint64>(qint64(bis) - von + 1, 0);
    if (anzahl == 0)
        return 0;
    const QString teil = text.mid(std::max<qsizetype>(von - 1, 0), static_cast<qsizetype>(anzahl));
    platform::Schrift schrift;
    schrift.punkte = wortSchrift != 0 ? suchWortLbl.punkte : suchKontLbl.punkte;
    schrift.fett = true;
    return alsInt16(std::llround(messung_.breiteTwips(teil, schrift)), QStringLiteral("Textbreite"));
}

void Wortanzeige::setzeSchriftgroessen() {
    suchKontLbl.punkte = kontextSchrift;
    fundKontLbl.punkte = kontextSchrift;
    suchWortLbl.punkte = wortSchrift;
    fundWortLbl.punkte = wortSchrift;
}

void Wortanzeige::verkleinereSchrift() {
    for (auto* label : {&suchKontLbl, &fundKontLbl, &suchWortLbl, &fundWortLbl})
        label->punkte = std::max(label->punkte - 1.0, kleinsteSchrift);
}

void Wortanzeige::zeigeWort() {
    setzeSchriftgroessen();

    const int rahmenBreite = brettlayout::wortFrameWidth;
    const auto laenge = [](const QString& s) { return alsInt16(s.size(), QStringLiteral("Textlänge")); };
    qint16 w1 = 0;
    int links = 0;
    for (;;) {
        w1 = textBreite(wort_.aktKontext, 1, laenge(wort_.aktKontext), 0);
        links = suchKontLbl.left + w1 + 50; // the word begins 50 twips after the context
        suchKontLbl.caption = wort_.aktKontext;
        suchKontLbl.width = w1;
        suchWortLbl.caption = wort_.aktWort;
        suchWortLbl.left = links;
        suchWortLbl.width = rahmenBreite - links - 50;
        const qint16 w2 = textBreite(wort_.aktWort, 1, laenge(wort_.aktWort), 1);
        if (links + w2 + 60 <= rahmenBreite || suchWortLbl.punkte <= kleinsteSchrift)
            break;
        verkleinereSchrift();
    }
    setzeLeseLupe();

    fundKontLbl.caption = wort_.aktKontext;
    fundKontLbl.width = w1;
    fundWortLbl.caption.clear();
    fundWortLbl.left = links;
    fundWortLbl.width = suchWortLbl.width;
    qCDebug(lcBoard) << "new word" << wort_.aktKontext << wort_.aktWort << "at" << suchWortLbl.punkte
                     << "points";
}

void Wortanzeige::setzeLeseLupe() {
    if (wort_.vonPos == 0 && wort_.bisPos == 0) {
        leseLupe.sichtbar = false;
        return;
    }
    int x = suchWortLbl.left;
    if (wort_.vonPos != 1)
        x += textBreite(wort_.aktWort, 1, alsInt16(wort_.vonPos - 1, QStringLiteral("Lupenstelle")), 1);
    leseLupe.left = x - 30;
    leseLupe.width = textBreite(wort_.aktWort, wort_.vonPos, wort_.bisPos, 1) + 60;
    leseLupe.sichtbar = kontext_.lupenFlag != 0;
}

} // namespace findolin
