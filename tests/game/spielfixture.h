#pragma once

#include "game/mainfrm.h"
#include "game/programmstart.h"
#include "platform/files.h"
#include "platform/qt/qtservices.h"
#include "support/recordingsoundplayer.h"
#include "support/virtualeventloop.h"
#include "testdata.h"
#include <accessdb/dateioeffner.h>

#include <QTemporaryDir>

namespace findolin::test {

// A whole run of the game on the virtual event loop, in a framework folder made from the shared real files
// (configuration, practice foci, result files, the Access spelling database). The test body runs while the
// main window is "shown", exactly where the real program waits in its event loop.
class SpielFixture : public StartAnsicht, public Spielbeobachter {
public:
    // `echteFenster` shows the dialogs instead of the script (the real Qt dialogs, for instance).
    explicit SpielFixture(quint32 seed = 1, double startSekunden = 36000.2,
                          platform::ModalPresenter* echteFenster = nullptr)
        : schleife(startSekunden), zufall(seed), praesenter(echteFenster ? *echteFenster : fenster) {
        fenster.runSelfClosingFormsOn(schleife);
    }

    // Lays out the framework folder; false when the shared files are absent.
    bool legeRahmenAn() {
        if (!QFileInfo::exists(testdataFile("access/Omnor-D.mdb")))
            return false;
        QDir(ordner.path()).mkpath("User");
        for (const char* datei : {"framework/Omnor.ini", "framework/Omnor.tsp", "framework/User/anna01.tmp",
                                  "framework/User/ben02.tmp", "access/Omnor-D.mdb"}) {
            const QString ziel = ordner.filePath(QString(datei).remove("framework/").remove("access/"));
            QFile::copy(testdataFile(datei), ziel);
            QFile::setPermissions(ziel, QFile::ReadOwner | QFile::WriteOwner);
        }
        // The program's help file and the pictures come from the demo folder the build lays out.
        QFile::copy(QStringLiteral(FINDOLIN_DEMO_DIR "/Findolin.chm"), ordner.filePath("Findolin.chm"));
        QDir(ordner.path()).mkpath("Grafik");
        for (const QString& bild : QDir(QStringLiteral(FINDOLIN_DEMO_DIR "/Grafik")).entryList(QDir::Files))
            QFile::copy(QStringLiteral(FINDOLIN_DEMO_DIR "/Grafik/") + bild,
                        ordner.filePath("Grafik/" + bild));
        return true;
    }

    // Changes the copied configuration file, byte for byte (it is in the Windows code page).
    void aendereIni(const QByteArray& von, const QByteArray& nach) {
        QFile ini(ordner.filePath("Omnor.ini"));
        QVERIFY(ini.open(QIODevice::ReadWrite));
        QByteArray inhalt = ini.readAll();
        QVERIFY2(inhalt.contains(von), von.constData());
        ini.resize(0);
        ini.write(inhalt.replace(von, nach));
    }

    // Starts the program with a launch list and runs `imSpiel` while the main window is shown. Returns the
    // exit code the program ended with (-1 while it still runs when `imSpiel` returns).
    int spiele(const QString& cmd, std::function<void(MainFrm&)> imSpiel) {
        imSpiel_ = std::move(imSpiel);
        try {
            starteFindolin(cmd, ordner.path(), dienste, *this, ergebnisDatei);
            return -1;
        } catch (const platform::ProcessTerminated& ende) {
            return ende.exitCode;
        }
    }

    void zeigeHintergrund() override { hintergrundGezeigt = true; }
    void zeigeHauptfenster(MainFrm& frm) override {
        frm.ereignisse().abonniere(*this);
        imSpiel_(frm);
    }
    void feldAufgedeckt(qint16 feld, const QString&) override { aufgedeckt = feld; }

    // Whether the event sound with this file name was played.
    bool spielte(const QString& name) const {
        return std::any_of(ton.played.begin(), ton.played.end(),
                           [&](const QString& p) { return p.endsWith("/Sound/" + name + ".WAV"); });
    }

    // The first open field that holds `buchstabe`, or one that holds none when `buchstabe` is empty.
    static qint16 feldMit(MainFrm& frm, const QString& buchstabe) {
        for (qint16 i = 0; i < 25; ++i) {
            const Feld& f = frm.brett().feld.feld(i);
            if (!f.feldErledigt && f.buchstabe == buchstabe)
                return i;
        }
        return -1;
    }
    // Clicks a field and lets the move run to its end, pause included.
    void klicke(MainFrm& frm, qint16 feld) {
        frm.brett().zuege.FldPic_MouseDown(feld, linkeMaustaste);
        schleife.advance(10);
    }

    // A move as a test sees it: who uncovered which field in which word, how long after the end of the last
    // pause (or of the watch's start), and that player's points once the move was evaluated.
    struct Zug {
        int spieler;
        qint16 feld;
        QString wort;
        qint64 nachPauseMs;
        qint32 punkte = -1;
    };
    std::vector<Zug> zuege;
    qint64 pausenEnde = 0;
    qint16 aufgedeckt = -1; // the field the game told was uncovered last

    // Notes a move uncovered now, and the points of one whose evaluation is over.
    void notiereZuege(MainFrm& frm) {
        const bool anstehend = frm.brett().zuege.auswertungAnstehend();
        if (!zuege.empty() && zuege.back().punkte < 0 && !anstehend)
            zuege.back().punkte = frm.modul().kontext.spielerPunkte[size_t(zuege.back().spieler)];
        if (anstehend && (zuege.empty() || zuege.back().punkte >= 0))
            zuege.push_back({frm.spieler().aktSpieler, aufgedeckt, frm.woerter().aktWort(),
                             schleife.nowMs() - pausenEnde});
    }
    // Lets one millisecond pass; a longer step of the clock is a pause that just ended.
    void schritt(MainFrm& frm) {
        const qint64 vorher = schleife.nowMs();
        schleife.advance(1);
        if (schleife.nowMs() > vorher + 1)
            pausenEnde = schleife.nowMs();
        notiereZuege(frm);
    }

    // Seeded draws; a test can put the next few values in front.
    struct Zufall : platform::SeededRandom {
        using SeededRandom::SeededRandom;
        std::deque<float> vorweg;
        float nextUnit() override {
            if (vorweg.empty())
                return SeededRandom::nextUnit();
            const float r = vorweg.front();
            vorweg.pop_front();
            return r;
        }
        // The next zufallsZahl(von, bis) gives `wert`.
        void gibt(int von, int bis, int wert) { vorweg.push_back((wert - von + 0.5f) / (bis - von + 1)); }
    };

    // Notes every help call: "topic <file>", "context <id> <file>", "close <file>" (file names only).
    struct Hilfe : platform::HelpViewer {
        QStringList aufrufe;
        void displayTopic(const QString& d) override { aufrufe << "topic " + QFileInfo(d).fileName(); }
        void helpContext(const QString& d, qint32 id) override {
            aufrufe << QStringLiteral("context %1 ").arg(id) + QFileInfo(d).fileName();
        }
        void closeAll(const QString& d) override { aufrufe << "close " + QFileInfo(d).fileName(); }
    };

    QTemporaryDir ordner;
    QString ergebnisDatei; // where the program end reports the points, for a launcher; empty: nowhere
    platform::VirtualEventLoop schleife;
    Zufall zufall;
    platform::QtFileSystem dateien;
    platform::QtTextMeasure masse;
    platform::ScriptedPresenter fenster;
    platform::ModalPresenter& praesenter; // the script, or what the test passed
    platform::ThrowingProcessControl prozess;
    platform::RecordingSoundPlayer ton;
    accessdb::DateiOeffner datenbanken;
    Hilfe hilfe;
    Dienste dienste{schleife,   schleife, schleife, zufall,      dateien, masse,
                    praesenter, prozess,  ton,      datenbanken, hilfe};
    bool hintergrundGezeigt = false;

private:
    std::function<void(MainFrm&)> imSpiel_;
};

inline const QString zweiSpieler =
    QStringLiteral("\"Version=4;UbixFeldName=;LupenFlag=1;nSpieler=2;Anna;Ben;anna01;ben02;\"");
// Anna and the computer, whose entry plays itself once "GegenComputer" is on.
inline const QString mitComputer =
    QStringLiteral("\"Version=4;UbixFeldName=;nSpieler=2;Anna Maria Schulz;Computer;anna01;ben02;\"");

} // namespace findolin::test

// Declares the game fixture `s` over a framework folder of the shared real files; skips when they are absent.
#define SPIEL_IM_RAHMEN(s, ...)                                                                              \
    findolin::test::SpielFixture s{__VA_ARGS__};                                                             \
    if (!s.legeRahmenAn())                                                                                   \
    QSKIP("shared test data not found")
