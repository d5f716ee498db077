#pragma once

namespace findolin {

// What confirming the settings changes outside the dialog. The main form implements it: it owns the guess
// time, the field cursor and the game-info dialog with its player rows.
class EinstellWirkung {
public:
    virtual ~EinstellWirkung() = default;

    // Whether the guess-time timer is running.
    virtual bool rateZeitLaeuft() const = 0;
    // Switches the guess time with its meter on or off, as the main form's switchVuRestZeit does.
    virtual void switchVuRestZeit(bool ein) = 0;
    // Shows or hides the field cursor on the board.
    virtual void zeigeFeldCursor(bool sichtbar) = 0;
    // Shows or hides row `index` of the game-info dialog (its name and points labels). A row that is shown
    // takes name and points from the player list at that index: for the computer "Computer" and "0".
    virtual void zeigeSpielerZeile(int index, bool sichtbar) = 0;
};

} // namespace findolin
