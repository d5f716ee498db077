#pragma once

#include <QString>

// What a recording of the null sink's monitor holds: where the sound starts and ends, and its longest silent
// gap in between. Times in milliseconds from the start of the recording.
struct Hoerbefund {
    bool gelesen = false;
    bool klingt = false; // anything above the threshold at all
    double anfangMs = 0;
    double endeMs = 0;
    double laengsteLueckeMs = 0;
    double aufnahmeMs = 0;

    double dauerMs() const { return endeMs - anfangMs; }
};

// A sample counts as sound when its magnitude exceeds `schwelle` of full scale.
Hoerbefund analysiereAufnahme(const QString& wavPfad, double schwelle = 0.02);

// The length of the recording so far, read from the size of the growing file.
double aufnahmeLaengeMs(const QString& wavPfad);
