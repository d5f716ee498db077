// findolin-start: plays the framework's part for families and schools without it. It starts the game with
// the players' names and choices, in a game folder of the user's own.
#include "launcher/befehlszeile.h"
#include "launcher/einzelstart.h"
#include "launcher/spielordner.h"
#include "launcher/spielstart.h"
#include "launcher/startvorbereitung.h"
#include "launcher/view/startfenster.h"
#include "platform/laufzeitfehler.h"
#include "platform/qt/deutsch.h"
#include "platform/qt/dialogzugang.h"
#include "platform/qt/programmsymbol.h"

#include <QApplication>
#include <QMessageBox>
#include <QSettings>
#include <cstdio>
#include <memory>

using namespace findolin;
using namespace findolin::launcher;

namespace {

void sage(std::FILE* wohin, const QString& text) {
    std::fprintf(wohin, "findolin-start: %s\n", qUtf8Printable(QString(text).replace(QChar(13), u'\n')));
}

// Without a window: the choice, straight into the game; the exit code is the game's, the points go to
// the standard output.
int sofort(const Startwahl& wahl, const Installation& installation) {
    Spielstart start;
    Spielende ende{2, {}, {}};
    try {
        const Startbereit bereit = bereiteStartVor(wahl, installation);
        bool fertig = false;
        QObject::connect(&start, &Spielstart::beendet, [&ende, &fertig](const Spielende& e) {
            ende = e;
            fertig = true;
            QCoreApplication::quit();
        });
        start.starte(installation.spiel, bereit.spielordner, bereit.startliste, bereit.originalgroesse);
        if (!fertig) // a program that cannot be started is reported at once
            QCoreApplication::exec();
    } catch (const Laufzeitfehler& fehler) {
        ende.meldung = fehler.meldung();
    }
    if (!ende.meldung.isEmpty())
        sage(stderr, ende.meldung);
    if (!ende.ergebnisse.isEmpty())
        std::printf("%s\n", qUtf8Printable(ergebnisText(ende.ergebnisse)));
    return ende.exitCode < 0 ? 3 : ende.exitCode;
}

// Another launcher runs for the same game folder: it comes to the front, or says that a game is running.
int schonGestartet(Einzelstart& einzelstart, bool ohneFenster) {
    const Einzelstart::Antwort antwort = einzelstart.frageDenErsten();
    if (antwort == Einzelstart::Antwort::NachVorn && !ohneFenster)
        return 0;
    const QString text =
        antwort == Einzelstart::Antwort::SpieltGerade
            ? QStringLiteral(
                  "Findolin läuft schon: Gerade wird gespielt. Ein zweites Spiel würde in dieselben "
                  "Dateien schreiben; bitte erst das laufende Spiel beenden.")
            : QStringLiteral("Findolin läuft schon: Das Startfenster ist offen.");
    if (ohneFenster)
        sage(stderr, text);
    else
        QMessageBox::information(nullptr, QStringLiteral("Findolin"), text);
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication::setOrganizationName(QStringLiteral("findolin"));
    QCoreApplication::setApplicationName(QStringLiteral("findolin-start"));
    QCoreApplication::setApplicationVersion(QStringLiteral(FINDOLIN_VERSION));
    QStringList argumente;
    for (int i = 0; i < argc; ++i)
        argumente.append(QString::fromLocal8Bit(argv[i]));
    // Read once to know whether a display is needed, then again with Qt's German texts loaded.
    QCommandLineParser vorab;
    std::unique_ptr<QCoreApplication> app(leseAufruf(vorab, argumente).ohneFenster()
                                              ? new QCoreApplication(argc, argv)
                                              : new QApplication(argc, argv));
    platform::sprichDeutsch(*app);
    QCommandLineParser parser;
    const Aufruf aufruf = leseAufruf(parser, argumente);
    if (!aufruf.fehler.isEmpty()) {
        sage(stderr, aufruf.fehler + QStringLiteral("\n\"findolin-start --help\" zeigt, was möglich ist."));
        return exitCodeFalscherAufruf;
    }
    if (aufruf.hilfe) {
        std::fputs(qUtf8Printable(parser.helpText()), stdout);
        return 0;
    }
    if (aufruf.version)
        parser.showVersion();

    const Installation installation = Installation::neben(QCoreApplication::applicationDirPath());
    QSettings einstellungen;
    Startwahl wahl = ladeWahl(einstellungen);
    if (aufruf.spieler || aufruf.schwerpunkt || aufruf.computer) {
        try {
            if (const QString fehler = wendeAn(aufruf, leseAngebot(quellordner(wahl, installation)), wahl);
                !fehler.isEmpty()) {
                sage(stderr, fehler);
                return exitCodeFalscherAufruf;
            }
        } catch (const Laufzeitfehler& fehler) {
            sage(stderr, fehler.meldung());
            return exitCodeFalscherAufruf;
        }
    }

    Einzelstart einzelstart(standardSpielordner());
    if (!einzelstart.werdeEinziger())
        return schonGestartet(einzelstart, aufruf.ohneFenster());
    if (aufruf.sofort) {
        einzelstart.spieltGerade = [] { return true; };
        return sofort(wahl, installation);
    }
    // The class of the window (WM_CLASS), which the desktop entry names as StartupWMClass, so that docks show
    // the launcher under the menu entry that started it; the settings above keep their own name.
    QCoreApplication::setApplicationName(QStringLiteral("org.findolin.Findolin"));
    QApplication::setDesktopFileName(QStringLiteral("org.findolin.Findolin"));
    QApplication::setWindowIcon(platform::programmSymbol());
    platform::installiereDialogZugang();
    StartFenster fenster(installation, einstellungen, wahl);
    einzelstart.spieltGerade = [&fenster] { return fenster.spieltGerade(); };
    QObject::connect(&einzelstart, &Einzelstart::nachVornGebeten, &fenster, &StartFenster::holeNachVorn);
    fenster.holeNachVorn();
    return QApplication::exec();
}
