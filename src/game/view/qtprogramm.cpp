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
#include "platform/qt/programmsymbol.h"
#include "platform/qt/qtservices.h"
#include "platform/qt/twips.h"
#include "qtdienste.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>
#include <cstdio>
#include <memory>

namespace findolin::view {

namespace {

// A left click in the middle of the widget, as the mouse gives it.
void klicke(QWidget* widget) {
    if (!widget)
        return;
    const QPointF mitte = QRectF(widget->rect()).center();
    for (const QEvent::Type art : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent ereignis(art, mitte, widget->mapToGlobal(mitte), Qt::LeftButton,
                             art == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(widget, &ereignis);
    }
}

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
            // For the start-up benchmark: end as soon as the first board is on screen, writing nothing.
            if (qEnvironmentVariableIsSet("FINDOLIN_EXIT_WHEN_SHOWN")) {
                std::fputs("shown\n", stdout);
                std::fflush(stdout);
                QCoreApplication::exit(0); // exit() closes no window, so there is no question
                return;
            }
            nachDemErstenBild();
        };
        zentriere(fenster);
        fenster.show();
        // For automated runs of the real program: choose "&Ende ..." after a while, as soon as it is enabled
        // (it is greyed while the computer moves).
        QTimer ende;
        const int endeNach = qEnvironmentVariableIntValue("FINDOLIN_QUIT_AFTER_MS");
        if (platform::Automation::active() && endeNach > 0) {
            QAction* mnuDateiEnde = fenster.aktion(QStringLiteral("mnuDateiEnde"));
            QObject::connect(&ende, &QTimer::timeout, &fenster, [&ende, mnuDateiEnde] {
                ende.setInterval(100);
                if (!mnuDateiEnde->isEnabled())
                    return;
                ende.stop();
                mnuDateiEnde->trigger();
            });
            ende.start(endeNach);
        }
        // Menu commands to choose one after the other once the game is shown, by their names.
        if (platform::Automation::active())
            for (const QString& name : qEnvironmentVariable("FINDOLIN_MENUS").split(u',', Qt::SkipEmptyParts))
                if (QAction* aktion = fenster.aktion(name))
                    QTimer::singleShot(0, aktion, &QAction::trigger);
        // Widgets to click one after the other once the game is shown, by their names (the fields are FldPic0
        // to FldPic24, row by row).
        if (platform::Automation::active())
            for (const QString& name :
                 qEnvironmentVariable("FINDOLIN_CLICKS").split(u',', Qt::SkipEmptyParts))
                QTimer::singleShot(0, &fenster,
                                   [&fenster, name] { klicke(fenster.findChild<QWidget*>(name)); });
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

    int exitCode = platform::exitCodeRuntimeError;
    // A launcher that plays the framework's part learns the players' points at the end through this file.
    const QString ergebnisDatei = qEnvironmentVariable("FINDOLIN_ERGEBNISDATEI");
    platform::runGuarded(
        [&] { exitCode = starteFindolin(cmd, appPfad, qt.dienste, ansicht, ergebnisDatei); });
    return exitCode;
}

} // namespace findolin::view
