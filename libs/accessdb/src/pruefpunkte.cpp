#include "pruefpunkte.h"

namespace findolin::accessdb {

int sperrWarteMs() {
    return 10000;
}

void jet::vorSchritt(Schritt) {}

} // namespace findolin::accessdb
