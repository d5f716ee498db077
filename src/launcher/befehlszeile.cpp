#include "befehlszeile.h"

#include "kern/startkontext.h"

namespace findolin::launcher {

Aufruf leseAufruf(QCommandLineParser& parser, const QStringList& argumente) {
    parser.setApplicationDescription(QStringLiteral(
        "Startet Findolin, das Buchstaben-Merkspiel, mit den Namen der Kinder und dem Übungsschwerpunkt.\n"
        "Ohne Optionen öffnet sich das Startfenster mit der letzten Wahl."));
    const QCommandLineOption hilfe = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption spieler(QStringLiteral("spieler"),
                                     QStringLiteral("Die Namen der Kinder, durch Kommas getrennt (höchstens "
                                                    "fünf), zum Beispiel \"Mia,Tom\"."),
                                     QStringLiteral("Namen"));
    const QCommandLineOption schwerpunkt(
        QStringLiteral("schwerpunkt"),
        QStringLiteral(
            "Der Übungsschwerpunkt, wie er im Startfenster heißt, zum Beispiel \"Wörter mit ck\"."),
        QStringLiteral("Titel"));
    const QCommandLineOption computer(
        QStringLiteral("computer"),
        QStringLiteral("Der Computer spielt mit (bei höchstens zwei Kindern). Mit --spieler, aber ohne diese "
                       "Option spielt er nicht mit."));
    const QCommandLineOption sofort(
        QStringLiteral("sofort"),
        QStringLiteral("Startet das Spiel ohne Startfenster und endet mit dem Exit-Code des Spiels."));
    parser.addOptions({spieler, schwerpunkt, computer, sofort});

    Aufruf aufruf;
    if (!parser.parse(argumente)) {
        aufruf.fehler = parser.errorText();
        return aufruf;
    }
    if (!parser.positionalArguments().isEmpty()) {
        aufruf.fehler = QStringLiteral("Unbekanntes Argument: %1").arg(parser.positionalArguments().first());
        return aufruf;
    }
    aufruf.hilfe = parser.isSet(hilfe) || parser.isSet(QStringLiteral("help-all"));
    aufruf.version = parser.isSet(version);
    aufruf.sofort = parser.isSet(sofort);
    aufruf.computer = parser.isSet(computer);
    if (parser.isSet(spieler)) {
        QStringList namen;
        for (const QString& name : parser.value(spieler).split(u',', Qt::SkipEmptyParts))
            if (!name.trimmed().isEmpty())
                namen.append(name.trimmed());
        aufruf.spieler = namen;
    }
    if (parser.isSet(schwerpunkt))
        aufruf.schwerpunkt = parser.value(schwerpunkt);
    return aufruf;
}

QString wendeAn(const Aufruf& aufruf, const Angebot& angebot, Startwahl& wahl) {
    if (aufruf.spieler) {
        if (aufruf.spieler->size() > maxSpieler)
            return QStringLiteral("Es können höchstens fünf Kinder mitspielen, genannt sind %1.")
                .arg(aufruf.spieler->size());
        wahl.spieler = *aufruf.spieler;
        wahl.computer = false;
    }
    if (aufruf.computer) {
        if (const QString grund = computerGrund(int(mitspieler(wahl).size())); !grund.isEmpty())
            return grund;
        wahl.computer = true;
    }
    if (aufruf.schwerpunkt) {
        const Schwerpunkt* s = angebot.spielbarer(*aufruf.schwerpunkt);
        if (!s) {
            QStringList titel;
            for (const Schwerpunkt& moeglich : angebot.schwerpunkte)
                if (moeglich.spielbar())
                    titel.append(QStringLiteral("\"%1\"").arg(moeglich.titel));
            return QStringLiteral("Den Übungsschwerpunkt \"%1\" gibt es hier nicht. Zur Wahl stehen: %2.")
                .arg(*aufruf.schwerpunkt, titel.join(QStringLiteral(", ")));
        }
        wahl.schwerpunkt = s->titel;
    }
    return aufruf.spieler || aufruf.computer ? pruefeWahl(wahl) : QString();
}

} // namespace findolin::launcher
