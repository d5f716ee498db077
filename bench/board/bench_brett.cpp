// How long dealing a word and playing a move take, against the bare cost of the virtual event loop serving
// the same number of clicks and timer events.
#include "board/spielbrett.h"
#include "kern/hilfsfunktionen.h"
#include "support/virtualeventloop.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <array>
#include <cstdio>

using namespace findolin;

namespace {

// What a move asks of the rest of the game: silence, and the next word from a short list.
class Umgebung : public ZugUmgebung {
public:
    explicit Umgebung(WortDatensatz& wort) : wort_(wort) {}
    void playSound(const QString&) override {}
    void waehleWort() override {
        static const std::array<std::pair<const char*, const char*>, 3> woerter{
            {{"die", "Maus"}, {"der", "Igel"}, {"das", "Schwimmbad"}}};
        const auto& [kontext, text] = woerter[static_cast<size_t>(gewaehlt++) % woerter.size()];
        wort_ = WortDatensatz{text, static_cast<qint16>(qstrlen(text)), kontext, 0, 0};
    }
    void risikoAnbieten(bool) override {}
    void setzeRateZeitZurueck() override {}
    int gewaehlt = 0;

private:
    WortDatensatz& wort_;
};

struct KeineAnsicht : platform::FormView {
    void repaintNow() override {}
};

// Ten twips per character and point: the layout needs some width, not a font.
struct EinfacheMessung : platform::TextMeasure {
    double breiteTwips(const QString& text, const platform::Schrift& s) const override {
        return 5.0 * s.punkte * static_cast<double>(text.size());
    }
    double zeilenhoeheTwips(const platform::Schrift& s) const override { return 20.0 * s.punkte; }
};

double mikrosekundenJe(qint64 nanos, int anzahl) {
    return static_cast<double>(nanos) / 1000.0 / anzahl;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    constexpr int runden = 20000;

    platform::VirtualEventLoop loop;
    platform::SeededRandom zufall(42);
    EinfacheMessung messung;
    KeineAnsicht ansicht;
    StartKontext kontext;
    kontext.nSpieler = 3;
    kontext.spielerName = {"Anna", "Ben", "Carla", "", ""};
    Einstellungen einstellungen;
    WortDatensatz wort;
    Umgebung umgebung(wort);
    Spielbeobachter niemand;
    Spielerliste spieler(kontext, einstellungen, niemand);
    Spielbrett brett(wort, kontext, einstellungen, spieler, umgebung, niemand,
                     BrettDienste{loop, loop, loop, zufall, messung, ansicht}, QStringLiteral("/omnor"));

    QElapsedTimer uhr;
    wort = WortDatensatz{QStringLiteral("Donaudampfschifffahrt"), 21, QStringLiteral("die"), 0, 0};
    uhr.start();
    for (int i = 0; i < runden; ++i)
        brett.zeigeNeuesWort();
    const qint64 austeilen = uhr.nsecsElapsed();

    umgebung.waehleWort();
    brett.zeigeNeuesWort();
    platform::SeededRandom spielerZufall(7);
    uhr.restart();
    for (int i = 0; i < runden; ++i) {
        qint16 f;
        do
            f = zufallsZahl(spielerZufall, 0, 24);
        while (brett.feld.feld(f).feldErledigt);
        loop.post([&, f] { brett.zuege.FldPic_MouseDown(f, linkeMaustaste); });
        loop.advance(3000);
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
    std::printf("points: %d %d %d after %d words\n", kontext.spielerPunkte[0], kontext.spielerPunkte[1],
                kontext.spielerPunkte[2], umgebung.gewaehlt);
    return 0;
}
