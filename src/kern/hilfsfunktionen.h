#pragma once

#include "platform/services.h"

namespace findolin {

// A random whole number from von to bis, each value equally likely; von when bis is smaller.
// k = bis - von + 1 must fit into 16 bits, or it is a run-time error.
qint16 zufallsZahl(platform::RandomSource& zufall, qint16 von, qint16 bis);

// The busy pause of the game, counted in whole seconds of the time of day: it lasts between n - 1 and n
// seconds, handles no event meanwhile, and also ends across midnight.
void warteSekunden(const platform::Clock& uhr, platform::BlockingPause& pause, qint16 n);

} // namespace findolin
