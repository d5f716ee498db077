#pragma once

// The two places where the tests of this library change how a writer behaves: how long it waits for another
// program's lock, and a failure at a step of replacing an Access file. The library's own definitions
// (pruefpunkte.cpp) wait ten seconds and fail nowhere; the tests link theirs in place of them
// (tests/support/schreibproben.cpp), so nothing a test sets reaches the game.
namespace findolin::accessdb {

// How long a writer waits for another program to let go of a shared database before it gives up.
int sperrWarteMs();

namespace jet {

// The steps of replacing an Access file, in order.
enum class Schritt { Sperre, Vergleich, Kopie, Pruefung, Umbenennen };

// Called before each step; throwing there aborts the replacement like a failure of the step itself.
void vorSchritt(Schritt schritt);

} // namespace jet

} // namespace findolin::accessdb
