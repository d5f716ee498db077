// Start-up: time from process start to the first dealt board on screen, and peak memory, of the real program
// in the demo framework folder, each as a ratio to a minimal Qt Widgets program measured in the same run.
// Also the processor time that the game's two-second pause uses.
#include "kern/hilfsfunktionen.h"
#include "platform/qt/qtservices.h"
#include "prozessmessung.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <ctime>
#include <vector>

using namespace messung;

namespace {

double prozessorSekunden() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec + t.tv_nsec / 1e9;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("FINDOLIN_AUTOMATION", FINDOLIN_FERNSTEUERUNG, 1);
    setenv("FINDOLIN_EXIT_WHEN_SHOWN", "1", 1);
    const char* findolin = FINDOLIN_PROGRAM;
    const char* minimal = MINIMAL_QT_PROGRAM;
    const char* ordner = FINDOLIN_DEMO_DIR;
    const char* startliste = "\"Version=4;UbixFeldName=LIP_;LupenFlag=1;nSpieler=2;Anna;Ben;anna;ben;\"";

    constexpr int runden = 21;
    std::vector<double> zeitSpiel, zeitMinimal, speicherSpiel, speicherMinimal;
    for (int i = 0; i < runden; ++i) {
        const Messung m = laufe(minimal, {}, ordner);
        const Messung s = laufe(findolin, {startliste}, ordner);
        zeitMinimal.push_back(m.sekunden);
        speicherMinimal.push_back(m.spitzeKiB);
        zeitSpiel.push_back(s.sekunden);
        speicherSpiel.push_back(s.spitzeKiB);
    }
    const double zeitVerhaeltnis = median(zeitSpiel) / median(zeitMinimal);
    const double speicherVerhaeltnis = median(speicherSpiel) / median(speicherMinimal);
    std::printf("start to first dealt board: findolin %.1f ms, minimal Qt window %.1f ms, ratio %.2f (goal "
                "<= 1.5) %s\n",
                median(zeitSpiel) * 1e3, median(zeitMinimal) * 1e3, zeitVerhaeltnis,
                zeitVerhaeltnis <= 1.5 ? "ok" : "MISSED");
    std::printf("peak memory: findolin %.0f KiB, minimal Qt window %.0f KiB, ratio %.2f (goal <= 1.5) %s\n",
                median(speicherSpiel), median(speicherMinimal), speicherVerhaeltnis,
                speicherVerhaeltnis <= 1.5 ? "ok" : "MISSED");

    // The pause after a move: the game's own pause against a busy wait on the clock over the same time.
    findolin::platform::QtClock uhr;
    findolin::platform::QtBlockingPause pause;
    QElapsedTimer wand;
    double cpu = prozessorSekunden();
    wand.start();
    findolin::warteSekunden(uhr, pause, 2);
    const double pauseCpu = prozessorSekunden() - cpu, pauseWand = wand.nsecsElapsed() / 1e9;
    cpu = prozessorSekunden();
    wand.start();
    while (wand.nsecsElapsed() < 300'000'000) {
    }
    const double busyCpu = prozessorSekunden() - cpu, busyWand = wand.nsecsElapsed() / 1e9;
    const double anteil = 100.0 * pauseCpu / pauseWand;
    std::printf(
        "two-second pause: %.3f s long, %.2f ms processor time = %.3f %% of one core (goal < 2 %%) %s; "
        "a busy wait uses %.0f %%\n",
        pauseWand, pauseCpu * 1e3, anteil, anteil < 2.0 ? "ok" : "MISSED", 100.0 * busyCpu / busyWand);
    return 0;
}
