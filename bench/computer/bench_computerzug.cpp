// How long the computer takes to choose a field (its three board searches and the pick), strong and weak,
// against a bare loop over the 25 fields that reads the same flags.
#include "computer/computerzug.h"
#include "kern/hilfsfunktionen.h"
#include "support/virtualeventloop.h"

#include <QElapsedTimer>
#include <cstdio>

using namespace findolin;

namespace {

// A board in mid-game: the word dealt, some fields seen, some letters found.
void mischeBrett(Spielfeld& feld, platform::RandomSource& zufall) {
    feld.loescheSpielfeld();
    feld.verteileBuchstaben();
    for (qint16 i = 0; i < 25; ++i) {
        Feld& f = feld.feld(i);
        f.feldGesehen = zufallsZahl(zufall, 0, 2) == 0;
        f.feldErledigt = f.feldGesehen && zufallsZahl(zufall, 0, 3) == 0;
    }
    feld.aktPos = zufallsZahl(zufall, 1, 5);
}

} // namespace

int main() {
    constexpr int bretter = 64;
    constexpr int runden = 200'000;
    platform::SeededRandom zufall(5);
    WortDatensatz wort{QStringLiteral("Schiffsschaukel"), 15, QStringLiteral("die"), 0, 0};
    std::vector<std::unique_ptr<Spielfeld>> felder;
    for (int b = 0; b < bretter; ++b) {
        felder.push_back(std::make_unique<Spielfeld>(zufall, wort));
        mischeBrett(*felder.back(), zufall);
    }

    QElapsedTimer uhr;
    qint64 summe = 0;
    qint64 ns[3];
    for (int art = 0; art < 3; ++art) {
        uhr.start();
        for (int i = 0; i < runden; ++i) {
            Spielfeld& feld = *felder[static_cast<size_t>(i % bretter)];
            if (art == 2) {
                // The baseline: one pass over the fields, reading the flags the searches read.
                for (const Feld& f : feld.felder())
                    summe += f.feldGesehen + 2 * f.feldErledigt;
            } else {
                summe += waehleComputerFeld(feld, static_cast<qint16>(art), zufall).feld;
            }
        }
        ns[art] = uhr.nsecsElapsed();
    }
    const auto je = [](qint64 n) { return static_cast<double>(n) / runden; };
    std::printf("computer choice, strong:      %7.1f ns\n", je(ns[0]));
    std::printf("computer choice, weak:        %7.1f ns\n", je(ns[1]));
    std::printf("baseline, loop over 25 fields: %6.1f ns\n", je(ns[2]));
    std::printf("strong / baseline: %.1f x, weak / baseline: %.1f x  (checksum %lld)\n",
                static_cast<double>(ns[0]) / ns[2], static_cast<double>(ns[1]) / ns[2],
                static_cast<long long>(summe));
    return 0;
}
