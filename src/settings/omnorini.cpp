#include "omnorini.h"

#include "kern/lesehilfen.h"
#include "kern/startkontext.h"
#include "logging.h"
#include "platform/cp1252.h"
#include "platform/laufzeitfehler.h"
#include "rahmen/dateinamen.h"
#include "startup/rahmendateien.h"

#include <QDir>
#include <array>

namespace findolin {

namespace {

const QString abschnitt = QStringLiteral("[Findolin]");

std::array<qint16 Einstellungen::*, 6> const einstellWerte = {&Einstellungen::einstTon,
                                                              &Einstellungen::einstRatezeit,
                                                              &Einstellungen::einstFeldMarkierung,
                                                              &Einstellungen::einstGegenComputer,
                                                              &Einstellungen::einstSpielStaerke,
                                                              &Einstellungen::einstSpeichern};

bool istKommentar(const QString& zeile) {
    return zeile.startsWith(QLatin1Char(';'));
}
bool istAbschnittsKopf(const QString& zeile) {
    return zeile.startsWith(QLatin1Char('['));
}

void uebernimm(int index, qint16 v, qint16 nSpieler, Einstellungen& einst, EinstellFormular& formular) {
    einst.*einstellWerte[index] = v;
    switch (index) {
    case 0:
        formular.tonEin = v;
        break;
    case 1:
        formular.rateZeitEin = v;
        break;
    case 2:
        formular.feldMarkEin = v;
        break;
    case 3:
        formular.gegenComp = v;
        // Five places: with four or more people playing there is no room for the computer.
        if (nSpieler >= 4) {
            formular.gegenComp = 0;
            formular.gegenCompEnabled = false;
            einst.einstGegenComputer = 0;
            formular.spStEnabled = false;
        }
        break;
    case 4:
        formular.spSt = v;
        break;
    case 5:
        formular.einstSaveOpt = v;
        break;
    }
}

} // namespace

const QStringList& einstellSchluessel() {
    static const QStringList schluessel = {
        QStringLiteral("TonEinschalten"),      QStringLiteral("RatezeitBegrenzen"),
        QStringLiteral("FeldMarkierung"),      QStringLiteral("GegenComputer"),
        QStringLiteral("ComputerSpielStärke"), QStringLiteral("EinstellungenSpeichern")};
    return schluessel;
}

void loadOmnorIni(const platform::FileSystem& dateien, const Pfade& pfade, qint16 nSpieler,
                  Einstellungen& einst, EinstellFormular& formular) {
    const QString pfad = pfade.imProgrammordner(rahmen::omnorIni);
    const QStringList zeilen = zeilenVon(leseTextdatei(dateien, pfad));
    qsizetype i = zeilen.indexOf(abschnitt);
    if (i < 0) {
        qCDebug(lcSettings) << "no section" << abschnitt << "in" << pfad;
        return;
    }
    for (++i; i < zeilen.size(); ++i) {
        const QString& zeile = zeilen[i];
        if (!istKommentar(zeile)) {
            for (int k = 0; k < einstellSchluessel().size(); ++k) {
                const QString schluessel = einstellSchluessel()[k] + QLatin1Char('=');
                if (!zeile.startsWith(schluessel))
                    continue;
                const QString text = zeile.mid(schluessel.size()).trimmed();
                const qint16 v = leseGanzzahl(text, einstellSchluessel()[k]);
                if (v != 0 && v != 1)
                    throw Laufzeitfehler(
                        QStringLiteral("Ungültiger Wert in der Konfigurationsdatei (erlaubt sind 0 "
                                       "und 1)"),
                        QDir::toNativeSeparators(pfad) + QStringLiteral(": ") + zeile);
                uebernimm(k, v, nSpieler, einst, formular);
                break;
            }
        }
        if (istAbschnittsKopf(zeile))
            break;
    }
    qCDebug(lcSettings) << "settings loaded: sound" << einst.einstTon << "guess time" << einst.einstRatezeit
                        << "cursor" << einst.einstFeldMarkierung << "computer" << einst.einstGegenComputer
                        << "strength" << einst.einstSpielStaerke << "save" << einst.einstSpeichern;
}

QString mitEinstellungen(const QString& text, const Einstellungen& einst) {
    const QList<TextZeile> zeilen = zeilenMitEnden(text);
    QString zeilenende = QStringLiteral("\r\n");
    for (const TextZeile& zeile : zeilen) {
        if (!zeile.ende.isEmpty()) {
            zeilenende = zeile.ende;
            break;
        }
    }
    QString neu;
    qsizetype i = 0;
    bool gefunden = false;
    while (i < zeilen.size() && !gefunden) {
        gefunden = zeilen[i].text == abschnitt;
        neu += zeilen[i].text + zeilen[i].ende;
        ++i;
    }
    if (!neu.isEmpty() && zeilenendeBei(neu, neu.size() - 1) == 0)
        neu += zeilenende; // a last line without its line end
    // A file without our section gets one at its end, so that the settings are found next time.
    if (!gefunden)
        neu += abschnitt + zeilenende;
    for (int k = 0; k < einstellSchluessel().size(); ++k)
        neu += einstellSchluessel()[k] + QLatin1Char('=') + QString::number(einst.*einstellWerte[k]) +
               zeilenende;
    neu += QLatin1Char(' ') + zeilenende;
    // The old section keeps only its comments; the next header and everything after stay as they were.
    for (; i < zeilen.size() && !istAbschnittsKopf(zeilen[i].text); ++i) {
        if (istKommentar(zeilen[i].text))
            neu += zeilen[i].text + zeilen[i].ende;
    }
    for (; i < zeilen.size(); ++i)
        neu += zeilen[i].text + zeilen[i].ende;
    return neu;
}

void saveOmnorIni(platform::FileSystem& dateien, const Pfade& pfade, const Einstellungen& einst,
                  const EinstellFormular& formular) {
    if (formular.einstSaveOpt != 1)
        return;
    const QString pfad = pfade.imProgrammordner(rahmen::omnorIni);
    const QByteArray inhalt = nachWindows1252(mitEinstellungen(leseTextdatei(dateien, pfad), einst));
    dateien.replaceVia(pfad, pfade.imProgrammordner(QStringLiteral("Omnor.tmp")), inhalt);
    qCDebug(lcSettings) << "settings written to" << pfad;
}

} // namespace findolin
