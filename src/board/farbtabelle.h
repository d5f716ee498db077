#pragma once

#include <QtGlobal>
#include <array>

namespace findolin {

// A colour as red, green and blue from 0 to 255.
struct Farbe {
    int rot = 0;
    int gruen = 0;
    int blau = 0;
    bool operator==(const Farbe&) const = default;
};

inline constexpr Farbe weiss{255, 255, 255};

// The ten colours a covered field can have.
using Farbtabelle = std::array<Farbe, 10>;

// Fills the palette with the game's ten field colours.
void initFarbTabelle(Farbtabelle& feldFarben);

} // namespace findolin
