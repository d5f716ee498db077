#pragma once

#include "rahmen/uebungsliste.h"

#include <QList>
#include <QString>

namespace findolin::launcher {

// Where the installed game and the demo framework folder lie, seen from the launcher's own folder: installed
// as "bin/findolin-start" beside "libexec/findolin/findolin" and "share/findolin/omnor", or in the build tree
// beside "omnor", which holds both.
struct Installation {
    QString spiel;
    QString vorlage;

    static Installation neben(const QString& launcherOrdner);
};

// One record of a framework folder's list of practice foci ("Omnor.tsp"), with what the folder's spelling
// database and pictures hold for it.
struct Schwerpunkt {
    QString titel;
    QString feldName;
    qint16 nummer = 0;    // among the foci, group headings not counted, from 1: the magnifier spots' "ubix"
    int woerter = 0;      // words of the focus in the spelling database
    int gwsWoerter = 0;   // of them, words of the basic vocabulary
    int lupenStellen = 0; // magnifier spots of the focus
    QString grund;        // why it cannot be played, for the window; empty when it can

    bool istUeberschrift() const { return Uebungseintrag::istGruppenueberschrift(titel); }
    bool spielbar() const { return !istUeberschrift() && grund.isEmpty(); }
};

// What a framework folder offers: its practice foci in the order of its list, each with its words, and
// whether its spelling database knows the basic vocabulary.
struct Angebot {
    QString ordner;
    QList<Schwerpunkt> schwerpunkte;
    bool hatGrundwortschatz = false;

    // The focus of that title (without regard to case) when it can be played; else the focus the game's
    // word filter names, else the first that can be played; nullptr when none can.
    const Schwerpunkt* waehle(const QString& titel) const;
    // Only the focus of that title, when it can be played.
    const Schwerpunkt* spielbarer(const QString& titel) const;
};

// Reads the folder's "Omnor.tsp" and spelling database "Omnor-D.mdb" and looks for each focus's picture.
// A focus without words or without its picture gets its reason. A folder without the list or the
// database, or with a broken one, is a run-time error naming the file.
Angebot leseAngebot(const QString& ordner);

// Why the basic vocabulary, or the magnifier, cannot be chosen with this focus; empty when it can.
QString grundwortschatzGrund(const Angebot& angebot, const Schwerpunkt& schwerpunkt);
QString lupenGrund(const Schwerpunkt& schwerpunkt);

} // namespace findolin::launcher
