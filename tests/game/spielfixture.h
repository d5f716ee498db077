#pragma once

#include "game/mainfrm.h"
#include "game/programmstart.h"
#include "platform/audio/recordingsoundplayer.h"
#include "platform/db/dateioeffner.h"
#include "platform/files.h"
#include "platform/qt/qtservices.h"
#include "platform/virtualeventloop.h"
#include "testdata.h"

#include <QTemporaryDir>

namespace findolin::test {

// A whole run of the game on the virtual event loop, in a framework folder made from the shared real files
// (configuration, practice foci, result files, the Access spelling database). The test body runs while the
// main window is "shown", exactly where the real program waits in its event loop.
class SpielFixture : public StartAnsicht {
public:
    explicit SpielFixture(quint32 seed = 1) : zufall(seed) {}

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
        // The pictures come from the demo folder the build lays out.
        QDir(ordner.path()).mkpath("Grafik");
        for (const QString& bild : QDir(QStringLiteral(FINDOLIN_DEMO_DIR "/Grafik")).entryList(QDir::Files))
            QFile::copy(QStringLiteral(FINDOLIN_DEMO_DIR "/Grafik/") + bild,
                        ordner.filePath("Grafik/" + bild));
        return true;
    }

    // Starts the program with a launch list and runs `imSpiel` while the main window is shown. Returns the
    // exit code the program ended with (-1 while it still runs when `imSpiel` returns).
    int spiele(const QString& cmd, std::function<void(MainFrm&)> imSpiel) {
        imSpiel_ = std::move(imSpiel);
        try {
            starteFindolin(cmd, ordner.path(), dienste, *this);
            return -1;
        } catch (const platform::ProcessTerminated& ende) {
            return ende.exitCode;
        }
    }

    void zeigeHintergrund() override { hintergrundGezeigt = true; }
    void zeigeHauptfenster(MainFrm& mainFrm) override { imSpiel_(mainFrm); }

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

    QTemporaryDir ordner;
    platform::VirtualEventLoop schleife{36000.2};
    platform::SeededRandom zufall;
    platform::QtFileSystem dateien;
    platform::QtTextMeasure masse;
    platform::ScriptedPresenter fenster;
    platform::ThrowingProcessControl prozess;
    platform::RecordingSoundPlayer ton;
    platform::db::DateiOeffner datenbanken;
    Dienste dienste{schleife, schleife, schleife, zufall, dateien, masse, fenster, prozess, ton, datenbanken};
    bool hintergrundGezeigt = false;

private:
    std::function<void(MainFrm&)> imSpiel_;
};

inline const QString zweiSpieler =
    QStringLiteral("\"Version=4;UbixFeldName=;LupenFlag=1;nSpieler=2;Anna;Ben;anna01;ben02;\"");

} // namespace findolin::test
