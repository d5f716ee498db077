#pragma once

#include <QList>
#include <QStringList>

// What the shared Access file access/Omnor-D.mdb holds: the words of the practice focus LIP_, in table order,
// and their RefNr values.
inline const QStringList lipWorte{"Biene",
                                  "Brief",
                                  "Decke",
                                  "Zucker",
                                  "Katze",
                                  "Mama",
                                  "rennen",
                                  "Straße",
                                  "Spiegel",
                                  "Schiff",
                                  "Donaudampfschifffahrt",
                                  "Igel",
                                  "Stück",
                                  "Uhr",
                                  "Käse"};
inline const QList<int> lipNummern{1, 2, 3, 4, 5, 6, 7, 8, 10, 11, 12, 14, 15, 16, 18};
