#pragma once

#include "wortnummern.h"

#include <QString>
#include <array>

namespace findolin {

inline constexpr int maxSpieler = 5;
inline constexpr qint16 wahr = -1;
inline constexpr qint16 falsch = 0;

// What the framework tells the game at start: players, practice focus, flags, play-time factor, error words.
struct StartKontext {
    qint16 nSpieler = 0;
    std::array<QString, maxSpieler> spielerName;
    std::array<QString, maxSpieler> spielerKennung;
    std::array<qint32, maxSpieler> spielerPunkte{};
    QString ubixFeldName;
    qint16 lupenFlag = falsch;
    qint16 gwsFlag = falsch;
    qint16 ubixNr = 0;
    QString uebungsTitel;
    qint16 energieFaktor = 0;
    WortNummern fehlerWorte;
};

// The folders: the program folder holds the framework's files, the user folder the players' files.
struct Pfade {
    QString appPfad;
    QString userPfad;

    static Pfade ausProgrammordner(const QString& programmordner);
    QString imProgrammordner(const QString& name) const;
    QString imUserOrdner(const QString& name) const;
};

} // namespace findolin
