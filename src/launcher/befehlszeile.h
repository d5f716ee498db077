#pragma once

#include "rahmenordner.h"
#include "startwahl.h"

#include <QCommandLineParser>
#include <optional>

namespace findolin::launcher {

// What the command line asks for. A teacher keeps one desktop shortcut per group:
//   findolin-start --spieler "Mia,Tom" --schwerpunkt "Wörter mit ck" [--computer] [--sofort]
struct Aufruf {
    bool sofort = false;
    bool hilfe = false;
    bool version = false;
    bool computer = false;
    std::optional<QStringList> spieler;
    std::optional<QString> schwerpunkt;
    QString fehler; // a command line that cannot be followed, in German; empty when it can

    // Only the window needs a display.
    bool ohneFenster() const { return sofort || hilfe || version || !fehler.isEmpty(); }
};

// The exit code of a command line that cannot be followed.
inline constexpr int exitCodeFalscherAufruf = 2;

// Sets up `parser` with the launcher's options, described in German, and reads `argumente` (the program's
// name first). Qt's own texts ("Aufruf:", its errors) are German once its translation is loaded.
Aufruf leseAufruf(QCommandLineParser& parser, const QStringList& argumente);

// Puts what the command line chose into `wahl`: the names (and then the computer only with --computer),
// the focus by its title as the window shows it, without regard to case. Returns why that is not possible
// (an unknown focus, more than five names, the computer without room): empty when it is.
QString wendeAn(const Aufruf& aufruf, const Angebot& angebot, Startwahl& wahl);

} // namespace findolin::launcher
