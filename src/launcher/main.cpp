// findolin-start: plays the framework's part for families and schools without it. It starts the game with
// the players' names and choices, in a framework folder of the user's own.
#include "launcher/rahmenordner.h"
#include "launcher/spielstart.h"
#include "launcher/view/startfenster.h"
#include "platform/laufzeitfehler.h"
#include "platform/qt/dialogzugang.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QSettings>
#include <cstdio>
#include <memory>

using namespace findolin;
using namespace findolin::launcher;

namespace {

// Without a window: the last choice, straight into the game; the exit code is the game's.
int sofort(const Installation& installation) {
    QSettings einstellungen;
    const Startwahl wahl = ladeWahl(einstellungen);
    Spielstart start;
    Spielende ende{2, {}};
    try {
        const Startbereit bereit = bereiteStartVor(wahl, installation);
        bool fertig = false;
        QObject::connect(&start, &Spielstart::beendet, [&ende, &fertig](const Spielende& e) {
            ende = e;
            fertig = true;
            QCoreApplication::quit();
        });
        start.starte(installation.spiel, bereit.rahmenordner, bereit.startliste);
        if (!fertig) // a program that cannot be started is reported at once
            QCoreApplication::exec();
    } catch (const Laufzeitfehler& fehler) {
        ende.meldung = fehler.meldung().replace(QChar(13), u'\n');
    }
    if (!ende.meldung.isEmpty())
        std::fprintf(stderr, "findolin-start: %s\n", qUtf8Printable(ende.meldung));
    return ende.exitCode < 0 ? 3 : ende.exitCode;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication::setOrganizationName(QStringLiteral("findolin"));
    QCoreApplication::setApplicationName(QStringLiteral("findolin-start"));
    QCoreApplication::setApplicationVersion(QStringLiteral(FINDOLIN_VERSION));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Startet Findolin, das Buchstaben-Merkspiel."));
    const QCommandLineOption hilfe = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption sofortOption(
        QStringLiteral("sofort"),
        QStringLiteral(
            "Startet das Spiel ohne Fenster mit der letzten Wahl und gibt seinen Exit-Code zurück."));
    parser.addOption(sofortOption);
    QStringList argumente;
    for (int i = 0; i < argc; ++i)
        argumente.append(QString::fromLocal8Bit(argv[i]));
    // Only the window needs a display.
    const bool ohneFenster = !parser.parse(argumente) || parser.isSet(sofortOption) || parser.isSet(hilfe) ||
                             parser.isSet(version);
    std::unique_ptr<QCoreApplication> app(ohneFenster ? new QCoreApplication(argc, argv)
                                                      : new QApplication(argc, argv));
    parser.process(*app);

    const Installation installation = Installation::neben(QCoreApplication::applicationDirPath());
    if (parser.isSet(sofortOption))
        return sofort(installation);
    QApplication::setDesktopFileName(QStringLiteral("org.findolin.Findolin"));
    platform::installiereDialogZugang();
    QSettings einstellungen;
    StartFenster fenster(installation, einstellungen);
    fenster.show();
    return QApplication::exec();
}
