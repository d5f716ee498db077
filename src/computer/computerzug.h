#pragma once

#include "board/feldauswertung.h"
#include "board/spielfeld.h"
#include "platform/services.h"
#include "scoring/spielerliste.h"

namespace findolin {

// The computer's playing strength, as the settings store it.
inline constexpr qint16 spielStaerkeStark = 0;
inline constexpr qint16 spielStaerkeSchwach = 1;

// The candidates of one computer move and the field it takes.
struct ComputerWahl {
    qint16 bekannt; // a: the remembered field with the next letter, else b
    qint16 neu;     // b: the first untouched field, else c
    qint16 zufall;  // c: a random open field
    qint16 feld;    // the chosen field
};

// Chooses the computer's field. The strong computer takes what it remembers, else the first untouched field,
// else a random open one; the weak computer plays at random in 51 of 101 cases.
ComputerWahl waehleComputerFeld(Spielfeld& feld, qint16 einstSpielStaerke, platform::RandomSource& zufall);

// The computer's move: chooses a field and uncovers it as a click would. Returns true when the move misses,
// which ends the computer's turn, and false after a hit (the next letter or the joker).
bool simuliereComputerZug(Spielfeld& feld, Feldauswertung& zuege, Spielerliste& spieler,
                          qint16 einstSpielStaerke, platform::RandomSource& zufall);

} // namespace findolin
