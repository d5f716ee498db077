// How long dealing a word and playing a move take, against the bare cost of the virtual event loop serving
// the same number of clicks and timer events.
#include "board/brettfixture.h"

#include "startup/hilfsfunktionen.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>

using namespace findolin;
using namespace findolin::test;

namespace {

double mikrosekundenJe(qint64 nanos, int anzahl) {
    return static_cast<double>(nanos) / 1000.0 / anzahl;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    constexpr int runden = 20000;

    Brett b(42, {"Anna", "Ben", "Carla"});
    QElapsedTimer uhr;
    uhr.start();
    for (int i = 0; i < runden; ++i)
        b.legeWort(QStringLiteral("Donaudampfschifffahrt"), QStringLiteral("die"));
    const qint64 austeilen = uhr.nsecsElapsed();

    b.umgebung.woerter = {{"die", "Maus"}, {"der", "Igel"}, {"das", "Schwimmbad"}};
    b.umgebung.waehleWort();
    b.brett->anzeige.zeigeNeuesWort();
    platform::SeededRandom spielerZufall(7);
    uhr.restart();
    for (int i = 0; i < runden; ++i) {
        qint16 f;
        do
            f = zufallsZahl(spielerZufall, 0, 24);
        while (b.feld().feld(f).feldErledigt);
        b.klicke(f);
    }
    const qint64 zuege = uhr.nsecsElapsed();

    // The baseline: the same clicks and 1 ms timers served by the loop, doing nothing.
    platform::VirtualEventLoop leer;
    auto timer = leer.createTimer(1, [] {});
    uhr.restart();
    for (int i = 0; i < runden; ++i) {
        leer.post([&] { timer->setEnabled(true); });
        leer.advance(1);
        timer->setEnabled(false);
        leer.advance(3000);
    }
    const qint64 grundlast = uhr.nsecsElapsed();

    std::printf("deal and lay out a word:   %8.2f us\n", mikrosekundenJe(austeilen, runden));
    std::printf("one move with evaluation:  %8.2f us\n", mikrosekundenJe(zuege, runden));
    std::printf("baseline, empty loop turn: %8.2f us\n", mikrosekundenJe(grundlast, runden));
    std::printf("move / baseline:           %8.1f x\n",
                static_cast<double>(zuege) / static_cast<double>(grundlast));
    std::printf("points: %d %d %d after %d words\n", b.punkte(0), b.punkte(1), b.punkte(2),
                b.umgebung.gewaehlteWorte);
    return 0;
}
