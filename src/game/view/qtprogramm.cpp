#include "qtprogramm.h"

#include "game/mainfrm.h"
#include "game/programmstart.h"
#include "hintergrund.h"
#include "mainfrmview.h"
#include "platform/audio/nachladenderplayer.h"
#include "platform/commandline.h"
#include "platform/dateisystem.h"
#include "platform/errorguard.h"
#include "platform/files.h"
#include "platform/qt/deutsch.h"
#include "platform/qt/fehlerfenster.h"
#include "platform/qt/fernsteuerung.h"
#include "platform/qt/programmsymbol.h"
#include "platform/qt/qtservices.h"
#include "platform/qt/twips.h"
#include "qtdienste.h"

#include <QApplication>
#include <QDir>
#include <QScreen>
#include <memory>

namespace findolin::view {

namespace {

// In the middle of the free area of its screen; never with its title bar above the screen's top.
void zentriere(QWidget& fenster) {
    fenster.adjustSize();
    const QRect frei = fenster.screen()->availableGeometry();
    QRect aussen = fenster.frameGeometry();
    aussen.moveCenter(frei.center());
    fenster.move(aussen.topLeft().x(), std::max(frei.top(), aussen.top()));
}

class QtStartAnsicht : public StartAnsicht {
public:
    QtStartAnsicht(const QString& appPfad, platform::QtModalPresenter& presenter,
                   platform::NachladenderSoundPlayer& ton)
        : appPfad_(appPfad), presenter_(presenter), ton_(ton) {}

    void zeigeHintergrund() override {
        hintergrund_ = std::make_unique<HintergrundFenster>();
        hintergrund_->zeige();
    }

    // What can wait until the first board is on screen: the background's picture and the sound output.
    void nachDemErstenBild() {
        platform::runGuarded([this] {
            const QString bild = platform::imOrdner(appPfad_, QStringLiteral("Grafik/HINTERGRUND.GIF"));
            // a fifo in its place is a run-time error, not a window that waits for ever
            if (const QString gefunden = platform::findeDatei(bild); !gefunden.isEmpty())
                platform::dateisystem::pruefeGewoehnlich(gefunden);
            hintergrund_->setzeBild(bild);
        });
        ton_.ladeImHintergrund();
    }

    void zeigeHauptfenster(MainFrm& mainFrm) override {
        MainFrmView fenster(mainFrm, appPfad_);
        presenter_.setParent(&fenster);
        fenster.nachErstemZeichnen = [this] {
            if (platform::Fernsteuerung* fern = platform::fernsteuerung(); fern && fern->erstesBildGezeigt())
                return;
            nachDemErstenBild();
        };
        zentriere(fenster);
        fenster.show();
        if (platform::Fernsteuerung* fern = platform::fernsteuerung())
            fern->hauptfensterGezeigt(fenster);
        QApplication::exec();
        presenter_.setParent(nullptr);
    }

private:
    QString appPfad_;
    platform::QtModalPresenter& presenter_;
    platform::NachladenderSoundPlayer& ton_;
    std::unique_ptr<HintergrundFenster> hintergrund_;
};

} // namespace

void richteFensterEin(QSize bildschirm) {
    // The class of the windows (WM_CLASS), which the desktop entry names as StartupWMClass, and the
    // application id on Wayland: docks show the game's windows under the menu entry.
    QCoreApplication::setApplicationName(QStringLiteral("org.findolin.Findolin"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.findolin.Findolin"));
    QApplication::setWindowIcon(platform::programmSymbol());
    platform::twips::setzeMassstab(MainFrmView::massstabFuer(bildschirm));
    QApplication::setFont(platform::twips::schrift({QStringLiteral("MS Sans Serif"), 8.25, false}));
}

int laufeFindolin(int argc, char** argv) {
    QApplication app(argc, argv);
    platform::sprichDeutsch(app);
    richteFensterEin(QGuiApplication::primaryScreen()->availableGeometry().size());
    platform::installErrorWindow();
    const QString cmd = platform::commandLineArguments(argc, argv);
    // The framework's files lie in the program folder, unless FINDOLIN_FRAMEWORK_DIR names another folder
    // (the launcher's copy in the user's data folder); the sound module always lies beside the program.
    const QString programmordner = QCoreApplication::applicationDirPath();
    const QString rahmen = qEnvironmentVariable("FINDOLIN_FRAMEWORK_DIR");
    const QString appPfad = rahmen.isEmpty() ? programmordner : QDir(rahmen).absolutePath();

    platform::NachladenderSoundPlayer ton(
        platform::imOrdner(programmordner, QStringLiteral("findolin_klang")));
    QtDienste qt(ton, appPfad);
    QtStartAnsicht ansicht(appPfad, qt.fenster, ton);

    int exitCode = rahmen::exitCodeRuntimeError;
    // A launcher that plays the framework's part learns the players' points at the end through this file.
    const QString ergebnisDatei = qEnvironmentVariable("FINDOLIN_ERGEBNISDATEI");
    platform::runGuarded(
        [&] { exitCode = starteFindolin(cmd, appPfad, qt.dienste, ansicht, ergebnisDatei); });
    return exitCode;
}

} // namespace findolin::view
