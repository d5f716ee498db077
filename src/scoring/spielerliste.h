#pragma once

#include "kern/startkontext.h"
#include "settings/einstellungen.h"

#include <QString>
#include <array>
#include <functional>

namespace findolin {

// The name and digit labels of the main form: SpNameLbl in the frame "Name", the five punkZiff in "Punkte"
// (element 0 leftmost) and the three RisikoZiff in "Bonus".
struct PunkteAnzeige {
    QString spNameLbl;
    std::array<QString, 5> punkZiff{"0", "0", "0", "0", "0"};
    std::array<QString, 3> risikoZiff{"0", "0", "0"};
};

// The menu items that are greyed out while the computer moves.
struct MenueFreigabe {
    bool mnuDateiNeu = true;
    bool mnuDateiInfo = true;
    bool mnuDateiMeisterliste = true;
    bool mnuDateiEnde = true;
    bool mnuBearbEinstell = true;
    bool mnuHilfeInfo = true;
    bool mnuHilfeSpielregeln = true;
    bool mnuHilfeAktKat = true;
};

// The players of the launch context, whose turn it is, their points and the stake of the current move.
class Spielerliste {
public:
    Spielerliste(StartKontext& kontext, const Einstellungen& einstellungen);

    // Adds delta to the current player's points (never below 0) and shows them.
    void addierePunkte(qint16 delta);
    // 0: the current player's points into punkZiff; 1: the stake into RisikoZiff; anything else: nothing.
    void zeigeZiffern(qint16 art);
    // Gives the turn to the next player, shows name and points, and lets the computer move when it is its
    // turn.
    void naechsterSpieler();
    // Enables or greys out the eight menu items.
    void menuesFreigeben(bool ein);
    // Shows the name and points of the current player, as the main form does when it loads.
    void zeigeAktuellenSpieler();

    qint32 punkteAktSpieler() const;
    StartKontext& kontext() { return kontext_; }
    const StartKontext& kontext() const { return kontext_; }

    // Index of the player whose turn it is. Callers that want the turn to go to player 0 set it to 5 and call
    // naechsterSpieler.
    qint16 aktSpieler = 0;
    // The stake of the current move: 0, or what the player put at risk.
    qint32 risikoPunkte = 0;
    // True while the computer opponent is on the move; human input is then ignored.
    bool computerAmZug = false;

    PunkteAnzeige anzeige;
    MenueFreigabe menues;

    // Starts the computer's turn: shows its waiting window modally and returns after the computer's first
    // move.
    std::function<void()> computerZugStarten;
    // Repaints the digits at once, so that they show even while the game pauses without serving events.
    std::function<void()> ziffernNeuZeichnen;

private:
    qint32& punkte(qint16 spieler);

    StartKontext& kontext_;
    const Einstellungen& einstellungen_;
};

inline const QString computerName = QStringLiteral("Computer");

} // namespace findolin
