#include "schreibproben.h"

#include "pruefpunkte.h"

// Replaces the library's pruefpunkte.cpp in every program that links this: a test can then shorten the wait
// for a lock and fail any step of a replacement.
namespace findolin::accessdb {

int jet::sperrWarteMs = 10000;
std::function<void(jet::Schritt)> jet::fehlerProbe;

int sperrWarteMs() {
    return jet::sperrWarteMs;
}

void jet::vorSchritt(Schritt schritt) {
    if (fehlerProbe)
        fehlerProbe(schritt);
}

} // namespace findolin::accessdb
