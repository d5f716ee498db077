// Processor time of the game while nobody plays: the guess time sweeping (its message comes every 20 s and
// is answered at once), the risk lamp blinking and the play-time bar draining, in the real main window
// offscreen. The baseline, measured in the same run, is a bare Qt window with one 500 ms timer doing nothing.
#include "game/mainfrm.h"
#include "game/programmstart.h"
#include "game/view/mainfrmview.h"
#include "game/view/qtdienste.h"
#include "platform/qt/qtservices.h"
#include "support/recordingsoundplayer.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <ctime>

using namespace findolin;

namespace {

double prozessorSekunden() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec + t.tv_nsec / 1e9;
}

// Serves events for `millisekunden` and returns the processor time that took.
double leerlauf(int millisekunden) {
    const double vorher = prozessorSekunden();
    QEventLoop schleife;
    QTimer::singleShot(millisekunden, &schleife, &QEventLoop::quit);
    schleife.exec();
    return prozessorSekunden() - vorher;
}

class BenchAnsicht : public StartAnsicht {
public:
    BenchAnsicht(const QString& appPfad, platform::QtModalPresenter& presenter, int sekunden)
        : appPfad_(appPfad), presenter_(presenter), sekunden_(sekunden) {}
    void zeigeHintergrund() override {}
    void zeigeHauptfenster(MainFrm& mainFrm) override {
        view::MainFrmView fenster(mainFrm, appPfad_);
        presenter_.setParent(&fenster);
        fenster.show();
        // An offer whose blinking has ended is made again, so the lamp blinks all the time.
        QTimer wiederAnbieten;
        QObject::connect(&wiederAnbieten, &QTimer::timeout, [&mainFrm] {
            if (!mainFrm.risiko().blinkt())
                mainFrm.risiko().risikoAnbieten(true);
        });
        wiederAnbieten.start(250);
        leerlauf(2000); // warm-up: fonts, pictures, first paints
        cpu = leerlauf(sekunden_ * 1000);
        presenter_.setParent(nullptr);
    }
    double cpu = 0;

private:
    QString appPfad_;
    platform::QtModalPresenter& presenter_;
    int sekunden_;
};

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    qputenv("FINDOLIN_AUTOMATION", FINDOLIN_FERNSTEUERUNG); // the guess time's message is answered at once
    QApplication app(argc, argv);
    const int sekunden = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;

    QTemporaryDir ordner;
    for (const char* datei : {"Omnor.ini", "Omnor.tsp", "Omnor-D.mdb", "User/anna.tmp", "User/ben.tmp"}) {
        QDir(ordner.path()).mkpath(QFileInfo(ordner.filePath(datei)).path());
        QFile::copy(QStringLiteral(FINDOLIN_DEMO_DIR "/") + datei, ordner.filePath(datei));
    }
    QDir(ordner.path()).mkpath("Grafik");
    for (const QString& bild : QDir(QStringLiteral(FINDOLIN_DEMO_DIR "/Grafik")).entryList(QDir::Files))
        QFile::copy(QStringLiteral(FINDOLIN_DEMO_DIR "/Grafik/") + bild, ordner.filePath("Grafik/" + bild));
    QFile ini(ordner.filePath("Omnor.ini"));
    ini.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    ini.open(QIODevice::ReadWrite);
    const QByteArray text = ini.readAll().replace("RatezeitBegrenzen=0", "RatezeitBegrenzen=1");
    ini.resize(0);
    ini.write(text);
    ini.close();

    platform::RecordingSoundPlayer ton;
    view::QtDienste qt(ton, ordner.path());
    BenchAnsicht ansicht(ordner.path(), qt.fenster, sekunden);
    starteFindolin("\"Version=4;UbixFeldName=LIP_;LupenFlag=1;nSpieler=2;Anna;Ben;anna;ben;\"", ordner.path(),
                   qt.dienste, ansicht);

    QWidget leer;
    leer.resize(640, 442);
    leer.show();
    QTimer nichts;
    QObject::connect(&nichts, &QTimer::timeout, [] {});
    nichts.start(500);
    leerlauf(2000);
    const double grundlast = leerlauf(sekunden * 1000);

    const double anteil = 100.0 * ansicht.cpu / sekunden;
    std::printf("idle game, %d s with guess time, blinking lamp and play-time bar: %.1f ms processor time = "
                "%.3f %% of one core (goal < 1 %%) %s\n",
                sekunden, ansicht.cpu * 1e3, anteil, anteil < 1.0 ? "ok" : "MISSED");
    std::printf("baseline, bare window with a 500 ms timer: %.1f ms = %.3f %%; game / baseline %.1f x\n",
                grundlast * 1e3, 100.0 * grundlast / sekunden, ansicht.cpu / std::max(grundlast, 1e-6));
    return 0;
}
