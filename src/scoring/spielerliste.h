#pragma once

#include "kern/startkontext.h"
#include "spielereignisse.h"

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

// The players of the launch context, whose turn it is, their points and the stake of the current move.
class Spielerliste {
public:
    // Tells `ereignisse` who gets the turn and what is staked.
    Spielerliste(StartKontext& kontext, const Einstellungen& einstellungen, Spielbeobachter& ereignisse);

    // Adds delta to the current player's points (never below 0) and shows them.
    void addierePunkte(qint16 delta);
    // 0: the current player's points into punkZiff; 1: the stake into RisikoZiff; anything else: nothing.
    void zeigeZiffern(qint16 art);
    // The current player stakes `einsatz` on the next uncovering; the stake digits show it.
    void setzeEinsatz(qint32 einsatz);
    // Gives the turn to the next player, shows name and points, and lets the computer move when it is its
    // turn.
    void naechsterSpieler();
    // Enables the menu items that the computer's move greys out, or greys them out.
    void menuesFreigeben(bool ein) { menuesFreigegeben = ein; }
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
    // False while the computer moves: the menu items marked so are greyed out.
    bool menuesFreigegeben = true;

    // Starts the computer's turn: shows its waiting window modally and returns after the computer's first
    // move.
    std::function<void()> computerZugStarten;
    // Repaints the digits at once, so that they show even while the game pauses without serving events.
    std::function<void()> ziffernNeuZeichnen;

private:
    qint32& punkte(qint16 spieler);

    StartKontext& kontext_;
    const Einstellungen& einstellungen_;
    Spielbeobachter& ereignisse_;
};

inline const QString computerName = QStringLiteral("Computer");

} // namespace findolin
