#pragma once

#include "kern/startkontext.h"
#include "platform/services.h"

namespace findolin {

// Reads a framework text file, which is written in the Windows ANSI code page.
QString leseTextdatei(const platform::FileSystem& dateien, const QString& pfad);

// Number and title of the practice focus from "Omnor.tsp".
void leseUebungsTitel(const platform::FileSystem& dateien, const Pfade& pfade, StartKontext& kontext);

// The play-time factor from "MaximaleSpielDauer" in the section "[Spiele]" of "Omnor.ini".
void leseMaxSpielDauer(const platform::FileSystem& dateien, const Pfade& pfade, StartKontext& kontext);
qint16 energieFaktorFuer(qint16 maxSpielDauer);

// The words the players still have to practise, from their result files, each word once.
void leseFehlerWorte(const platform::FileSystem& dateien, const Pfade& pfade, StartKontext& kontext);

} // namespace findolin
