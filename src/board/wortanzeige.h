#pragma once

#include "words/wortdatensatz.h"

#include "kern/startkontext.h"
#include "platform/services.h"

#include <QString>

namespace findolin {

// A label or shape of the word display: position and size in twips relative to its frame, font size in
// points (Arial bold), caption and visibility.
struct AnzeigeElement {
    QString caption;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    double punkte = 0;
    bool sichtbar = true;
};

// The searched word with its context in the frame "gesucht", the found word below it in the frame
// "gefunden", and the reading magnifier around the letters the practice focus is about.
class Wortanzeige {
public:
    // The smallest font size the fit loop goes down to. A context and word that do not fit even then are
    // shown at that size, cut at the frame's edge.
    static constexpr double kleinsteSchrift = 1.0;
    static constexpr double kontextSchrift = 8.0;
    static constexpr double wortSchrift = 20.0;

    Wortanzeige(const WortDatensatz& wort, const StartKontext& kontext, const platform::TextMeasure& messung);

    // Lays out both lines and the magnifier for the word record's word; the found word starts empty.
    void zeigeWort();
    // The width in twips of characters von to bis (from 1) of the text, in the word's font when wortSchrift
    // is non-zero, else in the context's.
    qint16 textBreite(const QString& text, qint16 von, qint16 bis, qint16 wortSchrift) const;
    void setzeSchriftgroessen();
    void verkleinereSchrift();
    void setzeLeseLupe();
    // Appends a found character to the found word.
    void fuegeFundZeichenAn(const QString& zeichen) { fundWortLbl.caption += zeichen; }

    AnzeigeElement suchKontLbl{{}, 90, 540, 315, 285, kontextSchrift, true};
    AnzeigeElement suchWortLbl{{}, 450, 330, 2535, 525, wortSchrift, true};
    AnzeigeElement leseLupe{{}, 690, 300, 315, 525, 0, true};
    AnzeigeElement fundKontLbl{{}, 90, 540, 315, 285, kontextSchrift, true};
    AnzeigeElement fundWortLbl{{}, 480, 330, 2355, 525, wortSchrift, true};

private:
    const WortDatensatz& wort_;
    const StartKontext& kontext_;
    const platform::TextMeasure& messung_;
};

} // namespace findolin
